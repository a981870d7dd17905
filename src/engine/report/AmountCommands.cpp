#include "engine/report/AmountCommands.h"

#include "engine/report/ReportTables.h"
#include "engine/report/UnifiedReport.h"

#include <string>

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

} // namespace

std::optional<Rational> parseEstateAmount(const QString& text) {
    const QString t = text.trimmed();
    // The digits are gathered and read as one exact number, of any length.
    std::string digits;
    digits.reserve(static_cast<std::size_t>(t.size()));
    std::size_t decimals = 0;
    bool separator = false;
    for (const QChar c : t) {
        const int d = digitValue(c);
        if (d >= 0) {
            digits.push_back(static_cast<char>('0' + d));
            if (separator)
                ++decimals;
        } else if ((c == QLatin1Char('.') || c == QChar(ArabicDecimalSeparator)) && !separator) {
            separator = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits.empty())
        return std::nullopt;
    // A leading zero would make the number's reader take the digits as octal.
    const std::size_t firstSignificant = digits.find_first_not_of('0');
    if (firstSignificant == std::string::npos)
        return std::nullopt;
    const BigInt whole(digits.substr(firstSignificant));
    return Rational(whole, boost::multiprecision::pow(BigInt(10), static_cast<unsigned>(decimals)));
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
    s.EstateAmount = amount;
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
