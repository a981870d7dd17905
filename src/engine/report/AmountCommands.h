#pragma once

#include "engine/calc/ExactDecimal.h"
#include "engine/report/EngineContext.h"

#include <QString>

#include <optional>
#include <vector>

namespace engine {

inline const QString AmountRefusedText = QStringLiteral("المبلغ غير صحيح");

// An estate amount as the user typed it: a positive number in Western (0-9) or Arabic-Indic
// digits, with "." or "٫" before its decimals and blanks around it allowed. Anything else (a
// sign, a thousands separator, letters after the number, zero, a number too large to hold)
// is no amount.
std::optional<Rational> parseEstateAmount(const QString& text);

// Results command 3: the division as percentages of the whole.
void ShowPercentages(EngineContext& ctx);

// Results command 4: asks the estate and its currency at the entry dialogue's estate stage
// (again, after "المبلغ غير صحيح", until an amount is accepted) and shows the division as
// amounts of it.
void DivideGivenEstate(EngineContext& ctx);

// Every heir's share of `amount`, cut down to thousandths, by heir slot (1..HeirTotal). Always
// from the exact shares and base of the division, so repeated commands give the same figures.
std::vector<Thousandths> ConvertedAmounts(const EngineState& state, const Rational& amount);

// The common tail of both commands: records the amount and unit, converts the shares and prints
// the table under the command's title. The shares and base of the division stay as they are.
void ConvertShares(EngineContext& ctx, const Rational& amount, const QString& unit);

} // namespace engine
