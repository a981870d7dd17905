#include "engine/report/ReportTables.h"

#include <QStringList>

namespace engine {

namespace {

QString blanks(int n) {
    return QString(n, QLatin1Char(' '));
}

// MenuTexts by index; an index no text has (a school that was never set) prints nothing rather
// than reading past the table.
QString menuText(const NameTables& names, int index) {
    if (index < 0 || index >= static_cast<int>(names.MenuTexts.size()))
        return {};
    return names.MenuTexts[static_cast<std::size_t>(index)];
}

} // namespace

PrintTextRow PrintTextRow::title(const QString& text) {
    PrintTextRow r;
    r.print_text = text;
    return r;
}

PrintTextRow PrintTextRow::caseHeading(const QString& caseKey) {
    PrintTextRow r;
    r.ser = ReportText::CaseSerial + caseKey;
    return r;
}

PrintTextRow PrintTextRow::firstDeceased(int serial, const QString& name) {
    PrintTextRow r;
    r.ser = QString::number(serial);
    r.deth_name = ReportText::FirstDeceased;
    r.unit = name;
    return r;
}

PrintTextRow PrintTextRow::laterDeceased(int serial, const QString& name) {
    PrintTextRow r;
    r.ser = QString::number(serial);
    r.deth_name = ReportText::LaterDeceased;
    r.unit = name;
    return r;
}

PrintTextRow PrintTextRow::tableHead(const QString& base) {
    PrintTextRow r;
    r.kinds = ReportText::TableHead;
    r.share = base;
    return r;
}

PrintTextRow PrintTextRow::tableRule() {
    PrintTextRow r;
    r.kinds = ReportText::TableRule;
    r.share = ReportText::TableRule;
    return r;
}

PrintTextRow PrintTextRow::heir(int slot, const QString& name, const QString& relation, const QString& share,
                                const QString& unit) {
    PrintTextRow r;
    r.case_ser = blanks(5) + QString::number(slot);
    r.print_text = name;
    r.kinds = relation;
    r.share = share;
    r.unit = unit;
    return r;
}

PrintTextRow PrintTextRow::total(const QString& total) {
    PrintTextRow r;
    r.kinds = ReportText::Total;
    r.share = total;
    return r;
}

PrintTextRow PrintTextRow::notesHeading() {
    return title(ReportText::NotesHeading);
}

PrintTextRow PrintTextRow::notesUnderline() {
    return title(ReportText::NotesUnderline);
}

PrintTextRow PrintTextRow::note(int serial, const QString& text) {
    PrintTextRow r;
    r.case_ser = QString::number(serial);
    r.print_text = text;
    return r;
}

PrintTextRow PrintTextRow::unifiedTitle() {
    PrintTextRow r;
    r.ser = ReportText::UnifiedTitle;
    return r;
}

PrintTextRow PrintTextRow::amountTitle(const QString& title) {
    return PrintTextRow::title(title);
}

PrintTextRow PrintTextRow::unifiedUnderline() {
    PrintTextRow r;
    r.ser = ReportText::UnifiedUnderline;
    return r;
}

PrintTextRow PrintTextRow::unifiedDeceased(const QString& name) {
    PrintTextRow r;
    r.deth_name = ReportText::FirstDeceased;
    r.unit = name;
    return r;
}

PrintTextRow PrintTextRow::unifiedHead(const QString& base) {
    PrintTextRow r;
    r.case_ser = ReportText::TableHead;
    r.kinds = base;
    return r;
}

PrintTextRow PrintTextRow::unifiedRule() {
    PrintTextRow r;
    r.case_ser = ReportText::UnifiedRule;
    r.kinds = ReportText::UnifiedRule;
    return r;
}

PrintTextRow PrintTextRow::unifiedHeir(int row, const QString& name, const QString& share,
                                       const QString& unit) {
    PrintTextRow r;
    r.case_ser = blanks(9) + QString::number(row);
    r.print_text = name;
    r.kinds = share;
    r.share = unit;
    return r;
}

PrintTextRow PrintTextRow::unifiedTotal(const QString& total) {
    PrintTextRow r;
    r.case_ser = ReportText::UnifiedTotal;
    r.kinds = total;
    return r;
}

void ReportTables::clearAll() const {
    static const char* const tables[] = {"PRINT_TITLE", "PRINT_TEXT2",    "PRINT_TEXT2_CHILED", "NOTS_CHILED",
                                         "TAWHEED",     "TAWHEED_CHILED", "PRINT_TEXT"};
    for (const char* table : tables)
        m_db.execute(QStringLiteral("delete from %1").arg(QLatin1String(table)));
}

void ReportTables::clearPrintText() const {
    m_db.execute(QStringLiteral("delete from PRINT_TEXT"));
}

void ReportTables::appendPrintText(const PrintTextRow& row) const {
    QStringList columns;
    QVariantList values;
    const auto add = [&](const char* column, const std::optional<QString>& value) {
        if (value) {
            columns << QLatin1String(column);
            values << *value;
        }
    };
    add("ser", row.ser);
    add("deth_name", row.deth_name);
    add("unit", row.unit);
    add("kinds", row.kinds);
    add("share", row.share);
    add("print_text", row.print_text);
    add("case_ser", row.case_ser);
    if (columns.isEmpty()) {
        m_db.execute(QStringLiteral("insert into PRINT_TEXT default values"));
        return;
    }
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    m_db.execute(QStringLiteral("insert into PRINT_TEXT (%1) values (%2)")
                     .arg(columns.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                 values);
}

void ReportTables::appendDeceased(int serial, const QString& name) const {
    m_db.execute(QStringLiteral("insert into PRINT_TEXT2 (serial_deth, name_deth) values (?, ?)"),
                 {serial, name});
}

void ReportTables::appendDeceasedHeir(int serial, int slot, const QString& name, const QString& relation,
                                      const BigInt& share) const {
    m_db.execute(
        QStringLiteral("insert into PRINT_TEXT2_CHILED (serial_deth, serial_deth_chiled, name_deth_chiled, "
                       "Relation, share) values (?, ?, ?, ?, ?)"),
        {serial, slot, name, relation, storedNumber(share)});
}

void ReportTables::appendNote(int serial, int number, const QString& text) const {
    m_db.execute(
        QStringLiteral(
            "insert into NOTS_CHILED (serial_deth, serial_not_chiled, name_not_chiled) values (?, ?, ?)"),
        {serial, number, text});
}

void ReportTables::beginTitle(const QString& title) const {
    m_db.execute(QStringLiteral("delete from PRINT_TITLE"));
    m_db.execute(QStringLiteral("insert into PRINT_TITLE (Title) values (?)"), {title});
}

void ReportTables::completeTitle(const QString& caseKey) const {
    m_db.execute(QStringLiteral("update PRINT_TITLE set serial_project = ?"), {caseKey});
}

void ReportTables::appendUnifiedDeceased(const QString& name) const {
    m_db.execute(QStringLiteral("insert into TAWHEED (name_deth) values (?)"), {name});
}

void ReportTables::appendUnifiedHeir(int row, const QString& name, const QVariant& share) const {
    m_db.execute(
        QStringLiteral(
            "insert into TAWHEED_CHILED (serial_deth_chiled, name_deth_chiled, share) values (?, ?, ?)"),
        {row, name, share});
}

void ReportTables::setEstateAmountText(const QString& amount) const {
    m_db.execute(QStringLiteral("update TAWHEED_CHILED set max_tareka_ammount = ?"), {amount});
}

void ResetReport(EngineContext& ctx) {
    const ReportTables tables(ctx.db);
    tables.clearAll();

    ReportSurface& out = ctx.surface();
    out.clear();
    out.emptyLine();

    const auto titleLine = [&](int indent, const QString& text, const QString& stored) {
        out.spc(indent).text(text).endLine();
        tables.appendPrintText(PrintTextRow::title(stored));
    };
    const QString invocation = menuText(ctx.names, 22);
    const QString deed = menuText(ctx.names, 17);
    const QString lawRules = menuText(ctx.names, 18);
    const QString school = menuText(ctx.names, 18 + ctx.state.Madhhab);
    const QString rule = menuText(ctx.names, 21);
    titleLine(60, invocation, blanks(60) + invocation);
    titleLine(2, deed, blanks(2) + deed);
    titleLine(2, lawRules, blanks(2) + lawRules);
    titleLine(2, school, blanks(2) + school);
    tables.beginTitle(school);
    // The rule is stored without the indentation the window gives it.
    titleLine(2, rule, rule);
}

void NextLine(EngineContext& ctx) {
    EngineState& s = ctx.state;
    ++s.LineCount;
    if (ctx.paging == PagePolicy::CountOnly || s.LineCount != LinesPerPage * s.PageNo)
        return;
    ++s.PageNo;
    if (ctx.paging == PagePolicy::PauseAndBreak)
        ctx.port.pause();
    ctx.surface().pageBreak();
}

} // namespace engine
