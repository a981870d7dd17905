#include "engine/calc/CalcOptions.h"

#include "StepState.h"
#include "engine/calc/ShareCalculation.h"

#include <gtest/gtest.h>

using engine::CalcOptions;
using namespace testsupport;

namespace {

const CalcOptions Live{};
const CalcOptions Reference = CalcOptions::referenceVariant();

engine::EngineState divided(std::initializer_list<int> classes, int madhhab, const CalcOptions& options) {
    engine::EngineState s = censusOf(classes, madhhab);
    engine::ShareCalculation(s, shippedCalcRules(), options);
    return s;
}

TEST(CalcOptions, WithoutTheGrandfatherStepTheSistersShareIsReturned) {
    // School 2, a paternal grandfather (96) and one full sister (10): the sister's half and the
    // grandfather's sixth leave a third.
    const auto live = divided({96, 10}, 2, Live);
    EXPECT_EQ(live.ClassShares[engine::GrandfatherAggregate], 12); // his sixth and the third
    EXPECT_EQ(live.ClassShares[engine::FullSister], 12);
    EXPECT_EQ(live.CaseBase, 24);
    EXPECT_EQ(live.CaseKind, 5);

    const auto reference = divided({96, 10}, 2, Reference);
    EXPECT_EQ(reference.ClassShares[engine::GrandfatherAggregate], 4);
    EXPECT_EQ(reference.ClassShares[engine::FullSister], 12);
    EXPECT_EQ(reference.CaseBase, 16); // returned to the two fixed shares
    EXPECT_EQ(reference.CaseKind, 2);
}

void expectSameDivision(std::initializer_list<int> classes, int madhhab) {
    const auto live = divided(classes, madhhab, Live);
    const auto reference = divided(classes, madhhab, Reference);
    EXPECT_EQ(live.CaseBase, reference.CaseBase);
    EXPECT_EQ(live.ClassShares, reference.ClassShares);
}

TEST(CalcOptions, TheVariantAgreesWhereTheGrandfatherStepDoesNotApply) {
    expectSameDivision({5, 13, 7}, 2);      // wife, son, daughter
    expectSameDivision({4, 2, 96, 10}, 1);  // the akdariyya
    expectSameDivision({2, 10, 10, 31}, 2); // mother, two sisters and a paternal uncle
}

TEST(CalcOptions, OnlyACountAboveZeroMakesAResiduaryPresentInTheVariant) {
    // A count driven below zero (an exclusion pair over a class of two heads) is not absent for
    // the engine's own runs.
    for (const auto& [options, taker] : {std::pair{Live, 31}, std::pair{Reference, 33}}) {
        engine::EngineState s = countsOf({{31, -1}, {33, 1}});
        engine::RemainingResiduaries(s, options);
        EXPECT_EQ(s.ResidClassMale, taker);
    }
}

TEST(CalcOptions, NotesAreLeftOutWithoutChangingAShare) {
    // The akdariyya records its name as a note while it divides.
    const auto live = divided({4, 2, 96, 10}, 1, Live);
    const auto reference = divided({4, 2, 96, 10}, 1, Reference);
    EXPECT_GT(live.NoteCount, 0);
    EXPECT_EQ(reference.NoteCount, 0);
    EXPECT_EQ(live.SpecialCaseMark, reference.SpecialCaseMark);
    EXPECT_EQ(live.ClassShares, reference.ClassShares);
}

} // namespace
