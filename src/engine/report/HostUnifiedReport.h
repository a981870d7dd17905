#pragma once

#include "engine/report/EngineContext.h"

namespace engine {

// The end of a model case's calculation, after its last deceased: the divisions are merged (a
// case of one deceased too, which changes none of its shares), brought to lowest terms, and the
// unified table follows when PRINT_TEXT holds the heading of a later deceased, that is for every
// case of two or more deceased. A case of one deceased keeps its own report on the window.
// Returns whether the table was printed.
bool CaseUnification(EngineContext& ctx);

// The model-case run's unified table: the engine's table (UnifiedReport) as the run's paging
// makes it, a new page after every 30 rows without a pause, and without the closing texts that
// the engine's runs print after it.
void HostUnifiedReport(EngineContext& ctx);

} // namespace engine
