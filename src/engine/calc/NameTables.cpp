#include "engine/calc/NameTables.h"

#include <algorithm>

namespace engine {

namespace {

// The relation texts by slot (RelationCode). Exact texts: the heir reading compares them
// character for character, so the trailing blank of slot 56 is part of the relation.
const char16_t* const relationTexts[NameTop + 1] = {
    u"",
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

// The fixed report and menu texts, blanks included (entries 6 to 16 name the results commands
// 1 to 11; entry 29 is our credit line).
const char16_t* const menuTexts[31] = {
    u"",
    u" يوم ",                             // 1
    u" شهر ",                             // 2
    u" سنة ",                             // 3
    u" القسام بالنسب المئوية   ",         // 4
    u" قسمة تركة معينة ",                 // 5
    u" اظهار المسألة على الطابعة   ",     // 6
    u" اظهار المسألة على الشاشة    ",     // 7
    u" القسام بالنسب المئوية   ",         // 8
    u" قسمة تركة محددة ",                 // 9
    u" اجراء تصحيح على البيانات    ",     // 10
    u" خزن المسألة ",                     // 11
    u" استدعاء مسألة مخزونة / للمستخدم ", // 12
    u" استدعاء مسألة مخزونة / نموذجية  ", // 13
    u" الحل وفق المذهب الاخر   ",         // 14
    u" البدا بمسألة جديدة  ",             // 15
    u" خروج    ",                         // 16
    u" قسام شرعي   ",                     // 17
    u" حسب قواعد الشريعة الاسلامية ",     // 18
    u" وفق المذهب الشافعي  ",             // 19
    u" وفق المذهب الحنفي   ",             // 20
    u" ــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــ"
    u"ـــــــــــــــــــــــــــ   ",                                                              // 21
    u"               بسم الله الرحمن الرحيم    ",                                                   // 22
    u"     ",                                                                                       // 23
    u" ( آباءكم وابناؤكم لاتدرون ايهم اقرب لكم نفعا ، فريضةً من الله ، ان الله كان عليماً حكيما )  ", // 24
    u"     ",                                                                                       // 25
    u"                 صدق الله العظيم                     ",                                       // 26
    u" ــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــــ"
    u"ـــــــــــــــــــــــــــ   ",                            // 27
    u"     ",                                                     // 28
    u" برنامج فرائض لقسمة المواريث وفق احكام الشريعة الاسلامية ", // 29
    u"     ",                                                     // 30
};

// Where the lookup of a relation text starts: its length and three of its letters, which set
// apart nearly all of the texts.
inline std::size_t relationHash(const QChar* text, std::size_t n, std::size_t tableSize) {
    std::size_t h = n;
    if (n > 0)
        h = ((h * 31 + text[0].unicode()) * 31 + text[n / 2].unicode()) * 31 + text[n - 1].unicode();
    return (h * 0x9E3779B1u >> 8) % tableSize;
}

} // namespace

void NameTables::fillRelationNames() {
    // The texts stay where the program holds them: copying one into a heir slot then costs no
    // reference count.
    for (int k = 1; k <= NameTop; ++k) {
        const QStringView text(relationTexts[k]);
        RelationNames[k] = QString::fromRawData(reinterpret_cast<const QChar*>(text.utf16()), text.size());
    }
    relationLookup.fill(0);
    // Lowest slot first, so a text held by two slots finds the lower one. The placeholders
    // name no relation and must never match one.
    for (int k = 1; k <= 127; ++k) {
        if (RelationNames[k] == PlaceholderText || relationCode(RelationNames[k]) != 0)
            continue;
        std::size_t at = relationHash(RelationNames[k].constData(),
                                      static_cast<std::size_t>(RelationNames[k].size()), RelationLookupSize);
        while (relationLookup[at] != 0)
            at = (at + 1) % RelationLookupSize;
        relationLookup[at] = static_cast<std::uint8_t>(k);
    }
}

void NameTables::fillMenuTexts() {
    for (int k = 1; k <= 30; ++k)
        MenuTexts[k] = QString::fromUtf16(menuTexts[k]);
}

int NameTables::relationCode(const QString& text) const {
    const qsizetype n = text.size();
    const QChar* const chars = text.constData();
    for (std::size_t at = relationHash(chars, static_cast<std::size_t>(n), RelationLookupSize);;
         at = (at + 1) % RelationLookupSize) {
        const int k = relationLookup[at];
        if (k == 0)
            return 0;
        const QString& candidate = RelationNames[static_cast<std::size_t>(k)];
        if (candidate.size() == n && std::equal(chars, chars + n, candidate.constData()))
            return k;
    }
}

int foldRelation(int relationCode) {
    if (relationCode >= 1 && relationCode <= 112)
        return relationCode == 3 ? 96 : relationCode;
    if (relationCode == 114)
        return 12;
    if (relationCode == 113 || (relationCode >= 115 && relationCode <= 117))
        return relationCode - 54;
    if (relationCode == 118 || relationCode == 119)
        return relationCode - 68;
    if (relationCode >= 120 && relationCode <= 127)
        return relationCode - 32;
    return 0;
}

} // namespace engine
