#include "StepState.h"

#include <gtest/gtest.h>

namespace {

using engine::EngineState;
using engine::NextStep;
using testsupport::censusOf;
using testsupport::shippedCalcRules;

TEST(ClassCensus, CountsHeadsAndFormsTheGrandfatherAggregate) {
    struct Case {
        const char* what;
        std::initializer_list<int> classes;
        int grandfather;
    } cases[] = {
        {"father and father's father", {1, 96}, 0},
        {"father's father and his father, no father", {96, 97}, 1},
        {"a great-great-grandfather alone", {98}, 1},
        {"no grandfather", {13, 7}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const EngineState s = censusOf(c.classes);
        EXPECT_EQ(s.ClassCount[3], c.grandfather);
        for (int cls : c.classes)
            EXPECT_EQ(s.ClassCount[cls], 1) << "class " << cls;
    }
}

TEST(ClassCensus, StartsEveryDeceasedFromTheSameState) {
    EngineState s = censusOf({4, 7, 7, 31});
    // Whatever a calculation left behind...
    s.CaseBase = 96;
    s.Remainder = -3;
    s.CaseKind = 7;
    s.SpecialCaseMark = 2;
    s.GrandfatherOption = 9;
    s.SisterRemainderCode = 1;
    s.CaseOrigin = 12;
    s.ShareKindDenom[13] = 48;
    s.ShareKindState[8] = 1;
    s.ClassShares[31] = 5;
    s.addNoteSlot(QStringLiteral("ملاحظة"), 4);
    // ...the census starts again from 24, here over slots that no longer hold the uncle.
    s.HeirTotal = 3;
    s.DeceasedLastHeir[1] = 3;
    engine::ClassCensus(s);
    EXPECT_EQ(s.CaseBase, 24);
    EXPECT_EQ(s.Remainder, 24);
    EXPECT_EQ(s.CaseKind, 0);
    EXPECT_EQ(s.SpecialCaseMark, 0);
    EXPECT_EQ(s.GrandfatherOption, 0);
    EXPECT_EQ(s.SisterRemainderCode, 0);
    EXPECT_EQ(s.CaseOrigin, 1);
    EXPECT_EQ(s.ShareKindState[8], 0);
    EXPECT_EQ(s.ShareKindDenom[13], 0);
    EXPECT_EQ(s.ClassShares[31], 0);
    EXPECT_EQ(s.ClassCount[31], 0);
    EXPECT_EQ(s.NoteCount, 0);
    EXPECT_TRUE(s.NoteText[1].isEmpty());
    const int expectedDenoms[] = {0, 6, 6, 6, 4, 8, 6, 0, 0, 0, 0, 0, 0};
    for (int k = 1; k <= 12; ++k)
        EXPECT_EQ(s.ShareKindDenom[k], expectedDenoms[k]) << "kind " << k;
    EXPECT_EQ(s.ClassCount[7], 2);
}

TEST(ClassCensus, CountsOnlyTheDeceasedBeingCalculated) {
    EngineState s = censusOf({4, 13, 13});
    s.newChain(2);
    s.DeceasedLastHeir[1] = 3;
    s.ensureSlots(5);
    s.HeirClass[4] = 2;
    s.HeirClass[5] = 112; // a treasury slot a calculation of this deceased opened before
    s.DeceasedLastHeir[2] = 5;
    s.HeirTotal = 5;
    s.DeceasedIndex = 2;
    engine::ClassCensus(s);
    EXPECT_EQ(s.ClassCount[13], 0);
    EXPECT_EQ(s.ClassCount[4], 0);
    EXPECT_EQ(s.ClassCount[2], 1);
    EXPECT_EQ(s.ClassCount[112], 1);
}

TEST(ApplyExclusionPairs, AppliesTheFileInBothSchoolsWithoutAMother) {
    struct Case {
        const char* what;
        std::initializer_list<int> classes;
        int madhhab;
        NextStep next;
        int grandfathersMother; // heads left in class 23
    } cases[] = {
        {"school 2, no mother: the grandfather excludes his mother",
         {96, 23, 18},
         2,
         NextStep::Grandmothers,
         0},
        {"school 1 alike", {96, 23, 18}, 1, NextStep::Grandmothers, 0},
        {"the great-grandfather does not exclude his son's mother", {97, 23}, 1, NextStep::Grandmothers, 1},
        {"a mother: the grandmother step is skipped", {96, 23, 2}, 2, NextStep::Descendants, 1},
        {"no grandfather: nothing excludes her", {97, 23}, 2, NextStep::Grandmothers, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EngineState s = censusOf(c.classes, c.madhhab);
        EXPECT_EQ(engine::ApplyExclusionPairs(s, shippedCalcRules()), c.next);
        EXPECT_EQ(s.ClassCount[23], c.grandfathersMother);
    }
    // The great-grandfather's mother reaches the deceased through him and through the grandfather;
    // the grandfather's mother's mother only through the grandfather.
    for (int madhhab : {1, 2}) {
        EngineState s = censusOf({97, 26, 25}, madhhab);
        engine::ApplyExclusionPairs(s, shippedCalcRules());
        EXPECT_EQ(s.ClassCount[26], 0) << madhhab;
        EXPECT_EQ(s.ClassCount[25], 1) << madhhab;
    }
}

// Which grandmothers share the sixth, degree by degree, and in school 1 the mother's mother of the
// next degree beside a grandmother of the father's side.
TEST(CountSharingGrandmothers, CountsAndRecordsTheSharers) {
    struct Case {
        const char* what;
        std::initializer_list<int> classes;
        int madhhab;
        int sharing;
        std::initializer_list<int> sharers;
    } cases[] = {
        {"mother's mother and father's mother", {18, 21}, 2, 2, {18, 21}},
        {"the same in school 1", {18, 21}, 1, 2, {18, 21}},
        {"father, father's mother, mother's mother", {1, 21, 18}, 2, 1, {18}},
        {"father and father's mother", {1, 21}, 2, 0, {}},
        {"father's mother and mother's mother's mother, school 2", {21, 19}, 2, 1, {21}},
        {"father's mother and mother's mother's mother, school 1", {21, 19}, 1, 2, {21, 19}},
        {"mother's mother and her mother", {18, 19}, 1, 1, {18}},
        {"mother's mother's mother alone", {19}, 2, 1, {19}},
        {"father, mother's mother's mother, father's mother", {1, 19, 21}, 1, 1, {19}},
        {"two of the father's side at degree 3", {22, 23}, 2, 2, {22, 23}},
        {"grandfather excludes his mother in school 2", {96, 23, 19}, 2, 1, {19}},
        {"and in school 1", {96, 23, 19}, 1, 1, {19}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EngineState s = censusOf(c.classes, c.madhhab);
        ASSERT_EQ(engine::ApplyExclusionPairs(s, shippedCalcRules()), NextStep::Grandmothers);
        EXPECT_EQ(engine::CountSharingGrandmothers(s), NextStep::Descendants);
        EXPECT_EQ(s.ClassCount[6], c.sharing);
        for (int g = 18; g <= 26; ++g) {
            const bool expected = std::find(c.sharers.begin(), c.sharers.end(), g) != c.sharers.end();
            EXPECT_EQ(engine::IsSharingGrandmother(s, g), expected) << "class " << g;
        }
    }
    EngineState s = censusOf({1, 21});
    engine::CountSharingGrandmothers(s);
    EXPECT_EQ(s.ShareKindState[13], 1); // present, though nobody shares
}

} // namespace
