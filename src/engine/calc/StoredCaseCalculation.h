#pragma once

#include "engine/calc/CalcOptions.h"
#include "engine/calc/EngineState.h"
#include "rules/CalcRuleFiles.h"
#include "rules/StoredCaseFile.h"

#include <functional>

namespace engine {

// A checked stored case into the state as loadStoredCase puts it, and the heir slots above the
// case emptied: a longer case read before it must leave nothing behind that a later step could
// take for one of this case's heirs.
void LoadReferenceCase(EngineState& state, const rules::StoredCase& record);

// The divisions of a stored case already loaded into the state (loadStoredCase), deceased by
// deceased in order of death, then merged into one division, as the self-test replays its
// reference cases and the expected-shares tool computes them.
//
// After deceased i's division his slots hold their shares of his reduced base, DeceasedBase(i)
// is that base, and `afterDeceased(i)` is called before the class totals he used are cleared.
// At the end HeirShare(1..HeirTotal) holds every slot's final share of CombinedBase: a case of
// one deceased is merged too, which changes none of its shares. A treasury slot opened for a
// deceased becomes his last slot and moves the later deceased's slots up by one.
//
// Throws CalculationRefused when a division cannot be given exactly or the treasury slots take
// the case beyond the engine's heir slots.
void CalculateStoredCase(EngineState& state, const rules::CalcRules& rules, const CalcOptions& options,
                         const std::function<void(int)>& afterDeceased = {});

} // namespace engine
