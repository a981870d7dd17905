#include "engine/report/AmountCommands.h"

#include "engine/report/ReportTables.h"
#include "engine/report/UnifiedReport.h"

#include <limits>

namespace engine {

namespace {

const QString PercentUnit = QStringLiteral("%");
constexpr char16_t ArabicDecimalSeparator = u'\u066B';

// The value of a digit in any of the scripts the amount may be typed in, -1 for no digit.
int digitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'\u0660' && u <= u'\u0669') // Arabic-Indic
        return u - u'\u0660';
    if (u >= u'\u06F0' && u <= u'\u06F9') // the Eastern form of the same digits
        return u - u'\u06F0';
    return -1;
}

bool fitsNum(const Rational& r) {
    constexpr auto top = std::numeric_limits<std::int64_t>::max();
    return boost::multiprecision::numerator(r) <= top && boost::multiprecision::denominator(r) <= top;
}

} // namespace

std::optional<Rational> parseEstateAmount(const QString& text) {
    const QString t = text.trimmed();
    BigInt digits = 0;
    BigInt scale = 1;
    bool anyDigit = false;
    bool separator = false;
    for (const QChar c : t) {
        const int d = digitValue(c);
        if (d >= 0) {
            digits = digits * 10 + d;
            if (separator)
                scale *= 10;
            anyDigit = true;
        } else if ((c == QLatin1Char('.') || c == QChar(ArabicDecimalSeparator)) && !separator) {
            separator = true;
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    const Rational amount(digits, scale);
    if (amount <= 0 || !fitsNum(amount))
        return std::nullopt;
    return amount;
}

std::vector<Thousandths> ConvertedAmounts(const EngineState& s, const Rational& amount) {
    const BigInt base = DivisionBase(s);
    std::vector<Thousandths> amounts(static_cast<std::size_t>(std::max(s.HeirTotal, 0)) + 1);
    for (int j = 1; j <= s.HeirTotal && j < static_cast<int>(s.HeirShare.size()); ++j)
        amounts[static_cast<std::size_t>(j)] = Thousandths::shareOf(s.HeirShare[j], base, amount);
    return amounts;
}

void ConvertShares(EngineContext& ctx, const Rational& amount, const QString& unit) {
    EngineState& s = ctx.state;
    if (fitsNum(amount))
        s.EstateAmount = Num::fraction(boost::multiprecision::numerator(amount).convert_to<std::int64_t>(),
                                       boost::multiprecision::denominator(amount).convert_to<std::int64_t>());
    s.AmountUnit = unit;
    const std::vector<Thousandths> amounts = ConvertedAmounts(s, amount);
    s.AmountTableFlag = 1;
    UnifiedReport(ctx, amounts, amount);
}

void ShowPercentages(EngineContext& ctx) {
    ReportTables(ctx.db).clearPrintText();
    ConvertShares(ctx, Rational(100), PercentUnit);
}

void DivideGivenEstate(EngineContext& ctx) {
    std::optional<Rational> amount;
    for (;;) {
        ctx.db.execute(QStringLiteral("delete from CASE_TYPE"));
        ctx.db.execute(QStringLiteral("insert into CASE_TYPE (case_type) values (?)"),
                       {entryStageText(EntryStage::Estate)});
        ctx.port.showEntryDialog(EntryStage::Estate, ctx.context);
        ReportTables(ctx.db).clearPrintText();
        amount = parseEstateAmount(ctx.context.Text_tariqa_ammount);
        if (amount)
            break;
        ctx.port.showMessage(AmountRefusedText);
    }
    ConvertShares(ctx, *amount, ctx.context.Text_tariqa_currency);
}

} // namespace engine
