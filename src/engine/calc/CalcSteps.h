#pragma once

// The steps of one deceased's calculation, one function per step of the law, for
// ShareCalculation and for the tests that set the engine state up for a single step.
// Callers outside the engine use ShareCalculation.h.

#include "engine/calc/CalcOptions.h"
#include "engine/calc/EngineState.h"
#include "rules/CalcRuleFiles.h"

namespace engine {

using rules::CalcRules;
using rules::ResiduaryRange;

// Where the calculation of the deceased goes on after a step. Each stage returns the next one,
// and ShareCalculation follows them until the shares are handed to the heir classes.
enum class NextStep {
    Grandmothers,         // CountSharingGrandmothers
    Descendants,          // DescendantLine
    Siblings,             // SiblingsStage
    SiblingShares,        // GiveSiblingShares
    RemainingResiduaries, // RemainingResiduaries
    Settle,               // SettleRemainder
    Aggregate,            // AssignAggregateShares and ComputeCaseOrigin: the shares are settled
};

// Census and exclusions.
void ClassCensus(EngineState& s);
NextStep ApplyExclusionPairs(EngineState& s, const CalcRules& rules);

// Base arithmetic. ExpandBase, Gcd and ReducePair take their operands in GcdA and GcdB as the
// law's steps hand them over; the two-argument forms set them first.
void Gcd(EngineState& s);
void ExpandBase(EngineState& s);
void ExpandBase(EngineState& s, const Num& parts, const Num& heads);
void RescaleShareKinds(EngineState& s);
void CommonBaseForKinds(EngineState& s);
void ReducePair(EngineState& s);
void AssignHalfOrTwoThirds(EngineState& s, int halfGroup, int femaleClass);
// Every change of a fixed share's denominator goes through here: it marks the fixed shares as
// due for recomputing, so the next CommonBaseForKinds never works on shares of the old kinds.
void SetShareKindDenom(EngineState& s, int kind, const Num& value);
// Whole(x): to the nearest whole number, halves to the even neighbour.
Num Whole(const Num& x);

// Grandmothers.
NextStep CountSharingGrandmothers(EngineState& s);
bool IsSharingGrandmother(const EngineState& s, int heirClass);

// Descendants, parents and spouses.
NextStep DescendantLine(EngineState& s);
NextStep FatherTakesRemainder(EngineState& s);
NextStep NoDescendant(EngineState& s);

// Siblings stage.
NextStep SiblingsStage(EngineState& s);
NextStep GiveSiblingShares(EngineState& s);
NextStep RemainingResiduaries(EngineState& s, const CalcOptions& options = {});

// Grandfather with brothers.
NextStep
GrandfatherBestShare(EngineState& s); // SiblingShares, or Aggregate when the sisters' claim completed it
void GrandfatherSharingTest(EngineState& s, int brotherClass);
// School 1: with the grandfather's share chosen, the sisters who hold fixed shares take only
// what is left, up to those shares (the paternal sisters give way first). Aggregate when it
// changed the division, Settle when nothing needed changing.
NextStep SistersTakeWhatIsLeft(EngineState& s);

// The two named cases.
NextStep MushtarakaCase(EngineState& s);
NextStep AkdariyyaCase(EngineState& s, int sisterClass);

// Settling the remainder.
NextStep SettleRemainder(EngineState& s, const CalcRules& rules);
void PairTakesRemainder(EngineState& s, int maleClass, int femaleClass);
void ScaleShareKinds(EngineState& s);

// Residuary walk and the treasury.
void ResolveResiduaries(EngineState& s, const CalcRules& rules);
void WalkResiduaryRange(EngineState& s, int first, int last);
void SplitBetweenSides(EngineState& s, ResiduaryRange& record);
Num SideHeadProduct(const EngineState& s, int first, int last);
int OpenHeirSlots(EngineState& s, int count);

// Shares to the heir classes that stand on slots, and the origin of the case.
void AssignAggregateShares(EngineState& s, const CalcRules& rules);
void ComputeCaseOrigin(EngineState& s);

// The heir slots of deceased DeceasedIndex.
inline int FirstSlotOf(const EngineState& s, int deceased) {
    return s.DeceasedLastHeir[deceased - 1] + 1;
}
inline int LastSlotOf(const EngineState& s, int deceased) {
    return s.DeceasedLastHeir[deceased];
}

} // namespace engine
