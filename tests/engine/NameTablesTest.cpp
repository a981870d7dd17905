#include "engine/calc/NameTables.h"

#include <gtest/gtest.h>

#include <iterator>

using engine::foldRelation;
using engine::NameTables;

namespace {

// The blank, the asterisk and the fifteen letters the relation texts are written in.
const QString AllowedRelationCharacters = QStringLiteral(" *ابةتجخدزعقلمنوي");

NameTables filled() {
    NameTables t;
    t.fillRelationNames();
    t.fillMenuTexts();
    return t;
}

// The 128 slot texts as the relation vocabulary lists them, by slot.
const char16_t* const ExpectedRelations[] = {
    u"",               // 0, never written
    u"اب",             // 1
    u"ام",             // 2
    u"جد",             // 3
    u"زوج",            // 4
    u"زوجة",           // 5
    u"*******",        // 6
    u"بنت",            // 7
    u"بنت ابن",        // 8
    u"بنت ابن ابن",    // 9
    u"اخت",            // 10
    u"اخت لاب",        // 11
    u"اخت لام",        // 12
    u"ابن",            // 13
    u"ابن ابن",        // 14
    u"ابن ابن ابن",    // 15
    u"اخ",             // 16
    u"اخ لاب",         // 17
    u"ام ام",          // 18
    u"ام ام ام",       // 19
    u"ام ام ام ام",    // 20
    u"ام اب",          // 21
    u"ام ام اب",       // 22
    u"ام اب اب",       // 23
    u"ام ام ام اب",    // 24
    u"ام ام اب اب",    // 25
    u"ام اب اب اب",    // 26
    u"ابن اخ",         // 27
    u"ابن اخ لاب",     // 28
    u"ابن ابن اخ",     // 29
    u"ابن ابن اخ لاب", // 30
    u"عم",             // 31
    u"عم لاب",         // 32
    u"ابن عم",         // 33
    u"ابن عم لاب",     // 34
    u"ابن ابن عم",     // 35
    u"ابن ابن عم لاب", // 36
    u"عم اب",          // 37
    u"عم اب لاب",      // 38
    u"ابن عم اب",      // 39
    u"ابن عم اب لاب",  // 40
    u"المعتق",         // 41
    u"ابن المعتق",     // 42
    u"اب المعتق",      // 43
    u"اخ المعتق",      // 44
    u"اخ المعتق لاب",  // 45
    u"ابن بنت",        // 46
    u"بنت بنت",        // 47
    u"ابن بنت ابن",    // 48
    u"بنت بنت ابن",    // 49
    u"ابن ابن بنت",    // 50
    u"بنت ابن بنت",    // 51
    u"اب ام",          // 52
    u"*******",        // 53
    u"اب ام اب",       // 54
    u"اب ام ام",       // 55
    u"اب اب ام ",      // 56
    u"ام اب ام",       // 57
    u"ابن اخت",        // 58
    u"بنت اخ",         // 59
    u"ابن اخت لاب",    // 60
    u"بنت اخ لاب",     // 61
    u"ابن اخ لام",     // 62
    u"بنت اخ لام",     // 63
    u"*******",        // 64
    u"بنت ابن اخ",     // 65
    u"*******",        // 66
    u"بنت ابن اخ لاب", // 67
    u"*******",        // 68
    u"عمة",            // 69
    u"*******",        // 70
    u"عمة لاب",        // 71
    u"عم لام",         // 72
    u"عمة لام",        // 73
    u"خال",            // 74
    u"خالة",           // 75
    u"خال لاب",        // 76
    u"خالة لاب",       // 77
    u"خال لام",        // 78
    u"خالة لام",       // 79
    u"*******",        // 80
    u"بنت عم",         // 81
    u"*******",        // 82
    u"بنت عم لاب",     // 83
    u"ابن عمة",        // 84
    u"بنت عمة",        // 85
    u"ابن عمة لاب",    // 86
    u"بنت عمة لاب",    // 87
    u"ابن عم لام",     // 88
    u"بنت عم لام",     // 89
    u"ابن خال",        // 90
    u"بنت خال",        // 91
    u"ابن خال لاب",    // 92
    u"بنت خال لاب",    // 93
    u"ابن خال لام",    // 94
    u"بنت خال لام",    // 95
    u"اب اب",          // 96
    u"اب اب اب",       // 97
    u"اب اب اب اب",    // 98
    u"*",              // 99
    u"*******",        // 100
    u"عمة اب",         // 101
    u"*******",        // 102
    u"عمة اب لاب",     // 103
    u"عم اب لام",      // 104
    u"عمة اب لام",     // 105
    u"خال اب",         // 106
    u"خالة اب",        // 107
    u"خال اب لاب",     // 108
    u"خالة اب لاب",    // 109
    u"*******",        // 110
    u"خال اب لام",     // 111
    u"خالة اب لام",    // 112
    u"بنت اخت",        // 113
    u"اخ لام",         // 114
    u"بنت اخت لاب",    // 115
    u"ابن اخت لام",    // 116
    u"بنت اخت لام",    // 117
    u"ابن بنت بنت",    // 118
    u"بنت بنت بنت",    // 119
    u"ابن عمة لام",    // 120
    u"بنت عمة لام",    // 121
    u"ابن خالة",       // 122
    u"بنت خالة",       // 123
    u"ابن خالة لاب",   // 124
    u"بنت خالة لاب",   // 125
    u"ابن خالة لام",   // 126
    u"بنت خالة لام",   // 127
    u"بيت المال",      // 128
};

TEST(RelationNames, EverySlotHoldsItsText) {
    const NameTables t = filled();
    static_assert(std::size(ExpectedRelations) == 129);
    for (int k = 0; k <= 128; ++k)
        EXPECT_EQ(t.RelationNames[k], QString::fromUtf16(ExpectedRelations[k])) << k;
    EXPECT_EQ(t.RelationNames[56].size(), 9);

    // Only the letters, the blank and the asterisk occur; one blank between words; 1 to 14 long.
    for (int k = 1; k <= 128; ++k) {
        const QString text = t.RelationNames[k];
        EXPECT_GE(text.size(), 1) << k;
        EXPECT_LE(text.size(), 14) << k;
        EXPECT_FALSE(text.contains(QStringLiteral("  "))) << k;
        EXPECT_FALSE(text.startsWith(QLatin1Char(' '))) << k;
        EXPECT_EQ(text.endsWith(QLatin1Char(' ')), k == 56) << k;
        for (const QChar c : text)
            EXPECT_TRUE(AllowedRelationCharacters.contains(c))
                << k << ": U+" << std::hex << static_cast<int>(c.unicode());
    }
    // The eleven placeholders are one and the same text.
    for (int k : {6, 53, 64, 66, 68, 70, 80, 82, 100, 102, 110})
        EXPECT_EQ(t.RelationNames[k], QString::fromUtf16(NameTables::PlaceholderText)) << k;
}

TEST(RelationNames, LookupFindsTheLowestExactSlotOnly) {
    const NameTables t = filled();
    const struct {
        const char16_t* text;
        int code;
    } cases[] = {
        {u"اب", 1},
        {u"جد", 3},
        {u"اب اب", 96},
        {u"اب اب ام ", 56},
        {u"*", 99},
        {u"بنت اخت", 113},
        {u"بنت خالة لام", 127},
        // No slot: the treasury lies outside the searched slots, the empty text is slot 0 only,
        // blanks and letter forms are not folded, and the placeholder names no relation.
        {u"بيت المال", 0},
        {u"", 0},
        {u"اب اب ام", 0},
        {u"اب  اب", 0},
        {u" اب", 0},
        {u"أخ", 0},
        {u"*******", 0},
        {u"الخزينة العامة", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(t.relationCode(QString::fromUtf16(c.text)), c.code)
            << QString::fromUtf16(c.text).toStdString();
}

// Every relation text finds its lowest slot, also from a copy that shares nothing with the table;
// the text one letter shorter or one blank longer finds only a slot holding exactly that.
TEST(RelationNames, LookupFindsEverySlotsTextAndNothingNearIt) {
    const NameTables t = filled();
    const QString placeholder = QString::fromUtf16(NameTables::PlaceholderText);
    const auto lowestSlotOf = [&](const QString& text) {
        for (int j = 1; j <= 127; ++j) {
            if (t.RelationNames[j] == text)
                return text == placeholder ? 0 : j;
        }
        return 0;
    };
    for (int k = 1; k <= 127; ++k) {
        const QString& text = t.RelationNames[k];
        for (const QString& probe : {text, text.chopped(1), text + QLatin1Char(' ')}) {
            const QString copy(probe.constData(), probe.size());
            EXPECT_EQ(t.relationCode(copy), lowestSlotOf(probe)) << k << ": \"" << probe.toStdString() << '"';
        }
    }
}

TEST(RelationNames, FoldingGivesTheClassOfEveryRelation) {
    const struct {
        int relation;
        int cls;
    } cases[] = {
        {1, 1},    {2, 2},    {3, 96},   {4, 4},    {96, 96},  {112, 112}, {113, 59}, {114, 12}, {115, 61},
        {116, 62}, {117, 63}, {118, 50}, {119, 51}, {120, 88}, {127, 95},  {0, 0},    {128, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(foldRelation(c.relation), c.cls) << c.relation;
}

TEST(MenuTexts, EntriesHoldTheirTextsWithEveryBlank) {
    const NameTables t = filled();
    // One blank, 129 tatweel, three blanks.
    const QString rule = QStringLiteral(" ") + QString(129, QChar(0x0640)) + QStringLiteral("   ");
    const struct {
        int entry;
        QString text;
    } expected[] = {
        {1, QString::fromUtf16(u" يوم ")},
        {2, QString::fromUtf16(u" شهر ")},
        {3, QString::fromUtf16(u" سنة ")},
        {4, QString::fromUtf16(u" القسام بالنسب المئوية   ")},
        {5, QString::fromUtf16(u" قسمة تركة معينة ")},
        {6, QString::fromUtf16(u" اظهار المسألة على الطابعة   ")},
        {7, QString::fromUtf16(u" اظهار المسألة على الشاشة    ")},
        {8, QString::fromUtf16(u" القسام بالنسب المئوية   ")},
        {9, QString::fromUtf16(u" قسمة تركة محددة ")},
        {10, QString::fromUtf16(u" اجراء تصحيح على البيانات    ")},
        {11, QString::fromUtf16(u" خزن المسألة ")},
        {12, QString::fromUtf16(u" استدعاء مسألة مخزونة / للمستخدم ")},
        {13, QString::fromUtf16(u" استدعاء مسألة مخزونة / نموذجية  ")},
        {14, QString::fromUtf16(u" الحل وفق المذهب الاخر   ")},
        {15, QString::fromUtf16(u" البدا بمسألة جديدة  ")},
        {16, QString::fromUtf16(u" خروج    ")},
        {17, QString::fromUtf16(u" قسام شرعي   ")},
        {18, QString::fromUtf16(u" حسب قواعد الشريعة الاسلامية ")},
        {19, QString::fromUtf16(u" وفق المذهب الشافعي  ")},
        {20, QString::fromUtf16(u" وفق المذهب الحنفي   ")},
        {21, rule},
        {22, QString::fromUtf16(u"               بسم الله الرحمن الرحيم    ")},
        {23, QString::fromUtf16(u"     ")},
        {24,
         QString::fromUtf16(
             u" ( آباءكم وابناؤكم لاتدرون ايهم اقرب لكم نفعا ، فريضةً من الله ، ان الله كان عليماً حكيما )  ")},
        {25, QString::fromUtf16(u"     ")},
        {26, QString::fromUtf16(u"                 صدق الله العظيم                     ")},
        {27, rule},
        {28, QString::fromUtf16(u"     ")},
        {30, QString::fromUtf16(u"     ")},
        // The credit line is ours.
        {29, QStringLiteral(" برنامج فرائض لقسمة المواريث وفق احكام الشريعة الاسلامية ")},
    };
    for (const auto& e : expected)
        EXPECT_EQ(t.MenuTexts[e.entry], e.text) << e.entry;
    EXPECT_TRUE(t.MenuTexts[0].isEmpty());
    // Exact lengths, so that a blank lost at either end shows in the failure.
    EXPECT_EQ(t.MenuTexts[24].size(), 93);
    EXPECT_EQ(t.MenuTexts[24].count(QChar(0x064B)), 2);
    EXPECT_EQ(t.MenuTexts[26].size(), 53);
}

} // namespace
