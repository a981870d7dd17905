#include "engine/calc/ShareCalculation.h"

#include "engine/calc/CalcSteps.h"

namespace engine {

namespace {

void runStages(EngineState& s, const CalcRules& rules, const CalcOptions& options) {
    ClassCensus(s);
    NextStep next = ApplyExclusionPairs(s, rules);
    while (true) {
        switch (next) {
        case NextStep::Grandmothers:
            next = CountSharingGrandmothers(s);
            break;
        case NextStep::Descendants:
            next = DescendantLine(s);
            break;
        case NextStep::Siblings:
            next = SiblingsStage(s);
            break;
        case NextStep::SiblingShares:
            next = GiveSiblingShares(s);
            break;
        case NextStep::RemainingResiduaries:
            next = RemainingResiduaries(s, options);
            break;
        case NextStep::Settle:
            next = SettleRemainder(s, rules);
            break;
        case NextStep::Aggregate:
            AssignAggregateShares(s, rules);
            ComputeCaseOrigin(s);
            return;
        }
    }
}

} // namespace

void ShareCalculation(EngineState& state, const CalcRules& rules, const CalcOptions& options) {
    try {
        runStages(state, rules, options);
    } catch (const NumberOverflow&) {
        throw CalculationRefused(CalculationRefused::tooLarge());
    }
    if (!options.keepNotes) {
        for (int n = 1; n <= state.NoteCount; ++n)
            state.NoteText[n].clear();
        state.NoteCount = 0;
    }
}

} // namespace engine
