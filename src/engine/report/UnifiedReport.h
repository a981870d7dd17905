#pragma once

#include "engine/calc/ExactDecimal.h"
#include "engine/report/EngineContext.h"

#include <vector>

namespace engine {

// The base the division's shares are parts of: the combined base after the merge of successive
// deaths, the first deceased's base when there was one death.
BigInt DivisionBase(const EngineState& state);

// The combined division as one table, on the window and in PRINT_TEXT, TAWHEED and
// TAWHEED_CHILED: one line per slot holding a share, numbered without gaps. Follows the merge.
// The engine's runs print it whole; under PagePolicy::CountOnly (the model-case run, whose
// reports are never broken) it starts a new page after every 30 rows, without a pause.
void UnifiedReport(EngineContext& ctx);

// The same table for converted amounts: `amounts` by heir slot (1..HeirTotal), `base` what they
// are amounts of. Every slot whose exact share is not 0 is listed, an amount below a thousandth
// as 0.000. The title is that of the command in MenuChoice (3 percentages, 4 an estate).
void UnifiedReport(EngineContext& ctx, const std::vector<Thousandths>& amounts, const Rational& base);

// The closing block on the window only, after every division except the reprints of results
// commands 3 and 4.
void ClosingLines(EngineContext& ctx);

} // namespace engine
