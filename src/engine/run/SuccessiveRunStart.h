#pragma once

#include "engine/calc/ChainIntake.h"
#include "engine/report/EngineContext.h"

namespace engine {

// The start of a successive-deaths run, from its first step to the end of the chain intake: the
// school and output mode back to their defaults, the window cleared, the dialogue Form6 shown
// through the port, the case key taken from the host, the deceased counted, the report reset and
// the chain read. Every refusal shows its message and answers BackToDialogue, so the caller's
// loop shows the dialogue again rather than this function looping on its own.
ChainResult StartSuccessiveRun(EngineContext& ctx);

} // namespace engine
