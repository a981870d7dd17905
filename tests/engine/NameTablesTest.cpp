#include "engine/calc/NameTables.h"

#include <gtest/gtest.h>

using engine::foldRelation;
using engine::NameTables;

namespace {

NameTables filled() {
    NameTables t;
    t.fillRelationNames();
    t.fillMenuTexts();
    return t;
}

TEST(RelationNames, EverySlotHoldsItsText) {
    const NameTables t = filled();
    const struct {
        int slot;
        const char16_t* text;
    } expected[] = {
        {1, u"اب"},
        {3, u"جد"},
        {5, u"زوجة"},
        {6, u"*******"},
        {12, u"اخت لام"},
        {41, u"المعتق"},
        {56, u"اب اب ام "},
        {96, u"اب اب"},
        {99, u"*"},
        {112, u"خالة اب لام"},
        {113, u"بنت اخت"},
        {114, u"اخ لام"},
        {127, u"بنت خالة لام"},
        {128, u"بيت المال"},
    };
    for (const auto& s : expected)
        EXPECT_EQ(t.RelationNames[s.slot], QString::fromUtf16(s.text)) << s.slot;
    EXPECT_TRUE(t.RelationNames[0].isEmpty());
    EXPECT_EQ(t.RelationNames[56].size(), 9);

    // Only the letters, the blank and the asterisk occur; one blank between words; 1 to 14 long.
    for (int k = 1; k <= 128; ++k) {
        const QString text = t.RelationNames[k];
        EXPECT_GE(text.size(), 1) << k;
        EXPECT_LE(text.size(), 14) << k;
        EXPECT_FALSE(text.contains(QStringLiteral("  "))) << k;
        EXPECT_FALSE(text.startsWith(QLatin1Char(' '))) << k;
        EXPECT_EQ(text.endsWith(QLatin1Char(' ')), k == 56) << k;
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
    const struct {
        int entry;
        int length;
    } lengths[] = {
        {1, 5},    {2, 5},   {3, 5},   {4, 25},  {5, 17},  {6, 29},  {7, 29},   {8, 25},  {9, 17},  {10, 29},
        {11, 13},  {12, 33}, {13, 33}, {14, 25}, {15, 21}, {16, 9},  {17, 13},  {18, 29}, {19, 21}, {20, 21},
        {21, 133}, {22, 41}, {23, 5},  {24, 93}, {25, 5},  {26, 53}, {27, 133}, {28, 5},  {30, 5},
    };
    for (const auto& l : lengths)
        EXPECT_EQ(t.MenuTexts[l.entry].size(), l.length) << l.entry;
    EXPECT_TRUE(t.MenuTexts[0].isEmpty());
    EXPECT_FALSE(t.MenuTexts[29].trimmed().isEmpty());

    EXPECT_EQ(t.MenuTexts[4], t.MenuTexts[8]);
    EXPECT_EQ(t.MenuTexts[21], t.MenuTexts[27]);
    for (int k : {23, 25, 28, 30})
        EXPECT_EQ(t.MenuTexts[k], QStringLiteral("     ")) << k;
    // The rule: one blank, 129 tatweel, three blanks.
    EXPECT_EQ(t.MenuTexts[21], QStringLiteral(" ") + QString(129, QChar(0x0640)) + QStringLiteral("   "));
    EXPECT_EQ(t.MenuTexts[19], QStringLiteral(" وفق المذهب الشافعي  "));
    EXPECT_EQ(t.MenuTexts[20], QStringLiteral(" وفق المذهب الحنفي   "));
    EXPECT_EQ(t.MenuTexts[24].count(QChar(0x064B)), 2);
}

} // namespace
