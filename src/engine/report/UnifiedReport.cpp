#include "engine/report/UnifiedReport.h"

#include "engine/report/ReportTables.h"

namespace engine {

namespace {

// The window words of the table differ from the stored ones in their blanks and tatweel.
const QString DeceasedWindow = QStringLiteral("      توفى المدعو ");
const QString HeadWindow = QStringLiteral("( عــن)");
const QString TotalWindow = QStringLiteral("المجمـــوع");
const QString RuleWindow = QStringLiteral("-----------");
const QString ShortRule = QStringLiteral("-----");
const QString HeirSerialMark = QStringLiteral(":-  ");

bool isAmountCommand(int menuChoice) {
    return menuChoice == 3 || menuChoice == 4;
}

void writeTable(EngineContext& ctx, const std::vector<Thousandths>& values, const QString& baseText) {
    EngineState& s = ctx.state;
    ReportSurface& out = ctx.surface();
    const ReportTables tables(ctx.db);

    out.clear();
    out.emptyLine();

    if (isAmountCommand(s.MenuChoice)) {
        const QString title = ctx.names.MenuTexts[static_cast<std::size_t>(s.MenuChoice + 1)];
        out.zone().zone().text(title).endLine();
        tables.appendPrintText(PrintTextRow::amountTitle(title));
    } else {
        out.zone().zone().text(ReportText::UnifiedTitle).endLine();
        tables.appendPrintText(PrintTextRow::unifiedTitle());
    }
    out.zone().zone().text(ReportText::UnifiedUnderline).endLine();
    tables.appendPrintText(PrintTextRow::unifiedUnderline());

    const QString deceased = s.DeceasedName.size() > 1 ? s.DeceasedName[1] : QString();
    out.text(DeceasedWindow).zone().text(deceased).endLine();
    tables.appendPrintText(PrintTextRow::unifiedDeceased(deceased));
    s.LineCount = 0;
    s.PageNo = 1;
    tables.appendUnifiedDeceased(deceased);

    out.zone().text(HeadWindow).tab(45).numberText(baseText).endLine();
    tables.appendPrintText(PrintTextRow::unifiedHead(baseText));
    const auto rule = [&] {
        out.zone().text(RuleWindow).tab(45).text(ShortRule).endLine();
        tables.appendPrintText(PrintTextRow::unifiedRule());
    };
    rule();

    // The model-case run never breaks a deceased's report into pages, so its table does it
    // itself, every 30 rows, without a pause or a second heading. The engine's own runs break
    // their reports as they go and print the table whole.
    const bool pageSteps = ctx.paging == PagePolicy::CountOnly;

    Thousandths total;
    for (int j = 1; j <= s.HeirTotal && j < static_cast<int>(values.size()); ++j) {
        // Listed by the exact share, not by the converted amount: an heir whose part of the
        // estate is below a thousandth still inherits and is shown with 0.000.
        if (j >= static_cast<int>(s.HeirShare.size()) || s.HeirShare[j] == 0)
            continue;
        const Thousandths& value = values[static_cast<std::size_t>(j)];
        total += value;
        const int row = ++s.LineCount;
        const QString name = j < static_cast<int>(s.HeirName.size()) ? s.HeirName[j] : QString();
        // Below a thousandth: written so that it does not read as an heir who takes nothing.
        const QString share = value.isZero() ? QStringLiteral("0.000") : value.text();
        out.spc(9)
            .number(std::int64_t{row})
            .text(HeirSerialMark)
            .text(name)
            .zone()
            .tab(45)
            .numberText(share)
            .tab(70)
            .text(s.AmountUnit)
            .endLine();
        tables.appendPrintText(PrintTextRow::unifiedHeir(row, name, share, s.AmountUnit));
        tables.appendUnifiedHeir(row, name, storedNumber(value));
        if (pageSteps && s.LineCount == LinesPerPage * s.PageNo) {
            ++s.PageNo;
            out.pageBreak();
        }
    }

    rule();
    const QString totalText = total.text();
    out.zone().text(TotalWindow).tab(45).numberText(totalText).endLine();
    tables.appendPrintText(PrintTextRow::unifiedTotal(totalText));

    tables.setEstateAmountText(ctx.context.Text_tariqa_ammount);
}

} // namespace

BigInt DivisionBase(const EngineState& s) {
    if (s.DeceasedCount > 1)
        return s.CombinedBase;
    return BigInt(s.CaseBase.whole());
}

void UnifiedReport(EngineContext& ctx) {
    const EngineState& s = ctx.state;
    std::vector<Thousandths> values(static_cast<std::size_t>(s.HeirTotal) + 1);
    for (int j = 1; j <= s.HeirTotal && j < static_cast<int>(s.HeirShare.size()); ++j)
        values[static_cast<std::size_t>(j)] = Thousandths::whole(s.HeirShare[j]);
    writeTable(ctx, values, decimalText(DivisionBase(s)));
}

void UnifiedReport(EngineContext& ctx, const std::vector<Thousandths>& amounts, const Rational& base) {
    writeTable(ctx, amounts, decimalText(base));
}

void ClosingLines(EngineContext& ctx) {
    if (isAmountCommand(ctx.state.MenuChoice))
        return;
    ReportSurface& out = ctx.surface();
    for (int k = 21; k <= 30; ++k)
        out.spc(5).text(ctx.names.MenuTexts[static_cast<std::size_t>(k)]).endLine();
}

} // namespace engine
