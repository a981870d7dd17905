#pragma once

#include "engine/calc/HeirIntake.h"
#include "engine/report/EngineContext.h"

namespace engine {

// The intake of the single-death run: the rows of WARITH in the order of `ar`, the deceased's
// name from the host's Text_deth_name, messages through the port. A refusal that stops the intake
// is handed back (not shown) for the run to show before it returns to the case entry.
IntakeResult CaseIntake(EngineContext& ctx);

} // namespace engine
