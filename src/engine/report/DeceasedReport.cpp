#include "engine/report/DeceasedReport.h"

#include "engine/report/ReportTables.h"

#include <optional>

namespace engine {

namespace {

const QString FirstDeceasedWindow = QStringLiteral(" توفى المدعو: ");
const QString LaterDeceasedWindow = QStringLiteral(" ثم توفــى :-");
const QString SerialMark = QStringLiteral(":-");
const QString HeirSerialMark = QStringLiteral(":-  ");
const QString NoteSerialMark = QStringLiteral("- ");
const QString ShortRule = QStringLiteral("-----");

const QString MaternalSiblingsReminder =
    QStringLiteral(" لاحظ  ( ان اولاد الام يرثون بالتساوي لافرق بين ذكورهم واناثهم ).");
const QString UterineBrother = QStringLiteral("اخ لام");
// Names of a single sharer of the classes whose relation text does not read as "for the ...".
const QString OneGrandmother = QStringLiteral("للجدة");
const QString OneSonsDaughter = QStringLiteral("لبنت الابن");
const QString OneSonsSonsDaughter = QStringLiteral("لبنت ابن الابن");
const QString OneUterineSibling = QStringLiteral("لولد الام");
const QString ForThe = QStringLiteral("لل");

const QString OriginOpen = QStringLiteral("اصل المسألة ( ");
const QString RaisedTo = QStringLiteral("  ) و تعول الى ( ");
const QString ReturnedTo = QStringLiteral("  ) و ترد الى ( ");
const QString CorrectedTo = QStringLiteral("  ) و تصح من  ( ");
const QString PartsClose = QStringLiteral(") سهماً");

// The largest class a note can name; values beyond it are no class.
bool isClass(int c) {
    return c > 0 && c <= ClassTop;
}

template <typename T, std::size_t N> T entry(const std::array<T, N>& table, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= N)
        return T{};
    return table[static_cast<std::size_t>(index)];
}

Rational toRational(const Num& n) {
    return Rational(BigInt(n.num()), BigInt(n.den()));
}

BigInt shareOf(const EngineState& s, int slot) {
    return slot < static_cast<int>(s.HeirShare.size()) ? s.HeirShare[slot] : BigInt(0);
}

// One numbered line of the notes section, on the window and in both tables.
void numberedLine(EngineContext& ctx, const QString& text) {
    EngineState& s = ctx.state;
    const int n = ++s.NoteLineSerial;
    ctx.surface().zone().number(std::int64_t{n}).text(NoteSerialMark).text(text).endLine();
    const ReportTables tables(ctx.db);
    tables.appendPrintText(PrintTextRow::note(n, text));
    tables.appendNote(s.DeceasedIndex, n, text);
    NextLine(ctx);
}

void headingLine(EngineContext& ctx, const PrintTextRow& row) {
    ctx.surface().zone().text(*row.print_text).endLine();
    ReportTables(ctx.db).appendPrintText(row);
    NextLine(ctx);
}

// The middle of the base line: the raised or the returned base, when the division has one.
struct BaseMiddle {
    QString words;
    Rational base;
};

std::optional<BaseMiddle> baseMiddle(const EngineState& s) {
    if (s.CaseKind == BaseRaised)
        return BaseMiddle{RaisedTo, RaisedBase(s)};
    // A spouse who kept only the fixed share leaves the line plain.
    if (s.CaseKind == ReturnToSharers && s.ShareKindState[ReturnWithSpouse] == 0)
        return BaseMiddle{ReturnedTo, ReturnedBase(s)};
    return std::nullopt;
}

void firstHeading(EngineContext& ctx, int i) {
    EngineState& s = ctx.state;
    ReportSurface& out = ctx.surface();
    const ReportTables tables(ctx.db);
    out.spc(10).text(ReportText::CaseSerial).text(s.CaseKey).endLine();
    tables.appendPrintText(PrintTextRow::caseHeading(s.CaseKey));
    tables.completeTitle(s.CaseKey);
    out.emptyLine();
    out.spc(3)
        .number(std::int64_t{i})
        .text(SerialMark)
        .text(FirstDeceasedWindow)
        .spc(2)
        .text(s.DeceasedName[i])
        .endLine();
    tables.appendPrintText(PrintTextRow::firstDeceased(i, s.DeceasedName[i]));
    tables.appendDeceased(i, s.DeceasedName[i]);
}

void laterHeading(EngineContext& ctx, int i) {
    EngineState& s = ctx.state;
    ReportSurface& out = ctx.surface();
    const ReportTables tables(ctx.db);
    out.clear();
    out.emptyLine();
    out.emptyLine();
    out.emptyLine();
    out.spc(3)
        .number(std::int64_t{i})
        .text(SerialMark)
        .text(LaterDeceasedWindow)
        .spc(3)
        .text(s.DeceasedName[i])
        .endLine();
    tables.appendPrintText(PrintTextRow::laterDeceased(i, s.DeceasedName[i]));
    tables.appendDeceased(i, s.DeceasedName[i]);
}

// What deceased i received from the earlier divisions, matched by the whole name as the merge
// matches it.
BigInt inheritedShare(const EngineState& s, int i) {
    BigInt sum = 0;
    for (int j = 1; j <= s.DeceasedLastHeir[i - 1]; ++j) {
        if (j < static_cast<int>(s.HeirName.size()) && s.HeirName[j] == s.DeceasedName[i])
            sum += shareOf(s, j);
    }
    return sum;
}

void heirTable(EngineContext& ctx, int i) {
    EngineState& s = ctx.state;
    ReportSurface& out = ctx.surface();
    const ReportTables tables(ctx.db);

    const QString base = decimalText(s.CaseBase);
    out.zone().zone().zone().text(ReportText::TableHead).tab(65).numberText(base).endLine();
    tables.appendPrintText(PrintTextRow::tableHead(base));
    const auto rule = [&] {
        out.zone().zone().zone().text(ReportText::TableRule).tab(65).text(ShortRule).endLine();
        tables.appendPrintText(PrintTextRow::tableRule());
    };
    rule();

    s.ensureSlots(s.DeceasedLastHeir[i]);
    BigInt total = 0;
    for (int j = s.DeceasedLastHeir[i - 1] + 1; j <= s.DeceasedLastHeir[i]; ++j) {
        // A slot the same-name join emptied has no line, but it still counts towards the page.
        if (!s.HeirName[j].isEmpty()) {
            const QString share = decimalText(s.HeirShare[j]);
            PrintHeirLine(out, s, j, share);
            tables.appendPrintText(
                PrintTextRow::heir(j, s.HeirName[j], s.HeirRelation[j], share, s.AmountUnit));
            tables.appendDeceasedHeir(i, j, s.HeirName[j], s.HeirRelation[j], s.HeirShare[j]);
        }
        total += s.HeirShare[j];
        NextLine(ctx);
    }

    rule();
    const QString totalText = decimalText(total);
    out.zone().zone().zone().text(ReportText::Total).tab(65).numberText(totalText).endLine();
    tables.appendPrintText(PrintTextRow::total(totalText));
}

} // namespace

Rational RaisedBase(const EngineState& s) {
    if (s.SpecialCaseMark == 2)
        return Rational(9);
    return toRational(s.CaseOrigin) * (Rational(1) + toRational(s.AwlRatio));
}

Rational ReturnedBase(const EngineState& s) {
    return toRational(s.CaseOrigin) * (Rational(1) + toRational(s.RaddRatio));
}

QString BaseLineText(const EngineState& s) {
    QString text = OriginOpen + decimalText(s.CaseOrigin);
    if (const auto middle = baseMiddle(s))
        text += middle->words + decimalText(middle->base);
    text += CorrectedTo + decimalText(s.CaseBase) + PartsClose;
    return text;
}

void PrintHeirLine(ReportSurface& out, const EngineState& s, int j, const QString& share) {
    out.spc(5)
        .number(std::int64_t{j})
        .text(HeirSerialMark)
        .text(s.HeirName[j])
        .zone()
        .tab(44)
        .text(s.HeirRelation[j])
        .tab(65)
        .numberText(share)
        .zone()
        .tab(80)
        .text(s.AmountUnit)
        .endLine();
}

DeceasedReportResult DeceasedReport(EngineContext& ctx) {
    EngineState& s = ctx.state;
    const int i = s.DeceasedIndex;
    if (static_cast<int>(s.DeceasedBase.size()) <= i)
        s.DeceasedBase.resize(static_cast<std::size_t>(i) + 1);
    s.DeceasedBase[i] = BigInt(s.CaseBase.whole());
    s.LineCount = 0;
    s.PageNo = 1;

    if (i == 1) {
        ResetReport(ctx);
        firstHeading(ctx, i);
    } else {
        laterHeading(ctx, i);
        if (inheritedShare(s, i) == 0) {
            ++s.SkippedDeceased;
            return DeceasedReportResult::Skipped;
        }
    }

    heirTable(ctx, i);
    PrintNotes(ctx);
    PrintBaseLine(ctx);
    return DeceasedReportResult::Complete;
}

void PrintNotes(EngineContext& ctx) {
    EngineState& s = ctx.state;
    const NameTables& names = ctx.names;

    ctx.surface().emptyLine();
    NextLine(ctx);
    headingLine(ctx, PrintTextRow::notesHeading());
    headingLine(ctx, PrintTextRow::notesUnderline());
    s.NoteLineSerial = 0;

    const auto value = [&](int n) { return static_cast<int>(s.NoteValue[n].whole()); };
    const auto holdsShare = [&](int c) { return isClass(c) && s.ClassShares[c] != 0; };

    // The notes of heirs who take something, and the notes about the division as a whole.
    for (int n = 1; n <= s.NoteCount; ++n) {
        const int v = value(n);
        if (v == 0) {
            numberedLine(ctx, s.NoteText[n]);
        } else if (v > 0 && v <= 26 && holdsShare(v)) {
            QString name;
            if (s.ClassCount[v] > 1)
                name = entry(names.GroupNames, v);
            else if (s.ClassCount[v] == 1 && v == GrandmotherAggregate)
                name = OneGrandmother;
            else if (s.ClassCount[v] == 1 && v == SonsDaughter)
                name = OneSonsDaughter;
            else if (s.ClassCount[v] == 1 && v == SonsSonsDaughter)
                name = OneSonsSonsDaughter;
            else if (s.ClassCount[v] == 1 && v == UterineSibling)
                name = OneUterineSibling;
            else
                name = ForThe + entry(names.RelationNames, v);
            numberedLine(ctx, name + QLatin1Char(' ') + s.NoteText[n]);
        }
    }

    // The reminder is only needed when the mother's children are of both sexes.
    if (s.ClassCount[UterineSibling] > 1 && s.ClassShares[UterineSibling] != 0) {
        const int i = s.DeceasedIndex;
        for (int j = s.DeceasedLastHeir[i - 1] + 1; j <= s.DeceasedLastHeir[i]; ++j) {
            if (j < static_cast<int>(s.HeirClass.size()) && s.HeirClass[j] == UterineSibling &&
                s.HeirRelation[j] != UterineBrother) {
                numberedLine(ctx, MaternalSiblingsReminder);
                break;
            }
        }
    }

    // Present heirs who take nothing.
    for (int n = 1; n <= s.NoteCount; ++n) {
        const int v = value(n);
        if (v == 0 || !isClass(v) || s.ClassShares[v] != 0)
            continue;
        const QString name =
            s.ClassCount[v] == 1 ? entry(names.ClassNameSingular, v) : entry(names.ClassNamePlural, v);
        numberedLine(ctx, name + QLatin1Char(' ') + s.NoteText[n]);
    }
}

void PrintBaseLine(EngineContext& ctx) {
    EngineState& s = ctx.state;
    const int n = ++s.NoteLineSerial;
    ReportSurface& out = ctx.surface();
    out.zone()
        .number(std::int64_t{n})
        .text(NoteSerialMark)
        .text(OriginOpen)
        .numberText(decimalText(s.CaseOrigin));
    if (const auto middle = baseMiddle(s))
        out.text(middle->words).numberText(decimalText(middle->base));
    out.text(CorrectedTo).numberText(decimalText(s.CaseBase)).text(PartsClose).endLine();

    const QString text = BaseLineText(s);
    const ReportTables tables(ctx.db);
    tables.appendPrintText(PrintTextRow::note(n, text));
    tables.appendNote(s.DeceasedIndex, n, text);
    NextLine(ctx);
}

} // namespace engine
