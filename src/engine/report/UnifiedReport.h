#pragma once

#include "engine/calc/ExactDecimal.h"
#include "engine/report/EngineContext.h"

#include <vector>

namespace engine {

// The base the division's shares are parts of: the combined base after the merge of successive
// deaths, the first deceased's base when there was one death.
BigInt DivisionBase(const EngineState& state);

// The combined division as one table, on the window (never paged) and in PRINT_TEXT, TAWHEED
// and TAWHEED_CHILED: one line per slot holding a share, numbered without gaps. Follows the merge.
void UnifiedReport(EngineContext& ctx);

// The same table for converted amounts: `amounts` by heir slot (1..HeirTotal; a missing or zero
// amount is not listed), `base` what they are amounts of. The title is that of the command in
// MenuChoice (3 percentages, 4 an estate).
void UnifiedReport(EngineContext& ctx, const std::vector<Thousandths>& amounts, const Rational& base);

// The closing block on the window only, after every division except the reprints of results
// commands 3 and 4.
void ClosingLines(EngineContext& ctx);

} // namespace engine
