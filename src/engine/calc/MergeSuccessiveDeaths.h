#pragma once

#include "engine/calc/EngineState.h"

namespace engine {

// Folds the divisions of successive deaths into one division of the first deceased's estate.
//
// On entry every deceased has been calculated on his own: DeceasedBase(i) is his reduced base and
// the shares of his slots are parts of it. Each later deceased hands what he received from the
// earlier estates on to his own heirs in the proportions of his own division; the base grows so
// every share stays whole. Then the shares of slots carrying the same name are added into the
// first such slot, and the whole division is brought to lowest terms.
//
// Afterwards CombinedBase holds the combined base and HeirShare(1..HeirTotal) parts of it (0 in
// every slot that passed its share on or was summed into an earlier one). CaseBase holds the same
// base while it fits the engine's 64-bit numbers and 0 beyond, so a reader that forgot the
// combined base cannot print a wrong one. HeirName, HeirClass, DeceasedBase and DeceasedLastHeir
// are left as they were, so the per-deceased divisions can be computed again.
void MergeSuccessiveDeaths(EngineState& state);

// The end of the per-deceased loop: CaseBase and CombinedBase take the first deceased's base, and
// a case of more than one deceased is merged. After it CombinedBase is the base of the division
// whatever the number of deceased.
void CombineDivisions(EngineState& state);

} // namespace engine
