#pragma once

#include "data/Database.h"
#include "engine/calc/ExactDecimal.h"
#include "engine/report/EngineContext.h"

#include <QString>
#include <QVariant>

#include <optional>

namespace engine {

// One row of PRINT_TEXT, the report lines the results grid shows. A row holds the values of its
// window line split over the columns, not the printed layout; a field a row kind leaves unset
// keeps the table's default. The factories are the row kinds the engine writes, in the order a
// calculation writes them.
struct PrintTextRow {
    std::optional<QString> ser;
    std::optional<QString> deth_name;
    std::optional<QString> unit;
    std::optional<QString> kinds;
    std::optional<QString> share;
    std::optional<QString> print_text;
    std::optional<QString> case_ser;

    static PrintTextRow title(const QString& text);
    static PrintTextRow caseHeading(const QString& caseKey);
    static PrintTextRow firstDeceased(int serial, const QString& name);
    static PrintTextRow laterDeceased(int serial, const QString& name);
    static PrintTextRow tableHead(const QString& base);
    static PrintTextRow tableRule();
    static PrintTextRow heir(int slot, const QString& name, const QString& relation, const QString& share,
                             const QString& unit);
    static PrintTextRow total(const QString& total);
    static PrintTextRow notesHeading();
    static PrintTextRow notesUnderline();
    // A numbered note line; the base line is stored the same way.
    static PrintTextRow note(int serial, const QString& text);
    static PrintTextRow unifiedTitle();
    static PrintTextRow amountTitle(const QString& title);
    static PrintTextRow unifiedUnderline();
    static PrintTextRow unifiedDeceased(const QString& name);
    static PrintTextRow unifiedHead(const QString& base);
    static PrintTextRow unifiedRule();
    static PrintTextRow unifiedHeir(int row, const QString& name, const QString& share, const QString& unit);
    static PrintTextRow unifiedTotal(const QString& total);

    friend bool operator==(const PrintTextRow&, const PrintTextRow&) = default;
};

// Texts the report tables and the window share.
namespace ReportText {
inline const QString CaseSerial = QStringLiteral("التسلسل/");
inline const QString FirstDeceased = QStringLiteral("توفى المدعو");
inline const QString LaterDeceased = QStringLiteral("ثم توفــى");
inline const QString TableHead = QStringLiteral("( عــن )");
inline const QString TableRule = QStringLiteral("-----------");
inline const QString Total = QStringLiteral("المجموع ");
inline const QString NotesHeading = QStringLiteral("الملاحظات ");
inline const QString NotesUnderline = QStringLiteral("ــــــــ ");
inline const QString UnifiedTitle = QStringLiteral("توحيد القسامات ");
inline const QString UnifiedUnderline = QStringLiteral("ــــــــــــــــ");
inline const QString UnifiedRule = QStringLiteral("----------------------");
inline const QString UnifiedTotal = QStringLiteral("المجموع");
} // namespace ReportText

// The seven report tables of a calculation. Rows are appended in printing order, which is the
// order their readers take them back in (order by rowid).
class ReportTables {
public:
    explicit ReportTables(data::Database db) : m_db(std::move(db)) {}

    // Empties the seven tables, PRINT_TEXT last.
    void clearAll() const;
    void clearPrintText() const;

    void appendPrintText(const PrintTextRow& row) const;
    // PRINT_TEXT2: one row per deceased whose heading is printed.
    void appendDeceased(int serial, const QString& name) const;
    // PRINT_TEXT2_CHILED: one row per heir line of a deceased's table.
    void appendDeceasedHeir(int serial, int slot, const QString& name, const QString& relation,
                            const BigInt& share) const;
    // NOTS_CHILED: one row per numbered note line and base line.
    void appendNote(int serial, int number, const QString& text) const;
    // PRINT_TITLE: each calculation leaves exactly one row. Its title is written when the title
    // block is printed and its case key when the first deceased's heading is; every title block
    // empties the table first, so the row of an unfinished calculation never survives.
    void beginTitle(const QString& title) const;
    void completeTitle(const QString& caseKey) const;
    // TAWHEED and TAWHEED_CHILED: the unified table.
    void appendUnifiedDeceased(const QString& name) const;
    void appendUnifiedHeir(int row, const QString& name, const QVariant& share) const;
    void setEstateAmountText(const QString& amount) const;

private:
    data::Database m_db;
};

// Empties the report tables, clears the window and prints and stores the title block of the
// school in force; begins the calculation's PRINT_TITLE row.
void ResetReport(EngineContext& ctx);

// Counts one line of the current report section; after every 30th the page is broken as the
// context's paging policy says.
void NextLine(EngineContext& ctx);

inline constexpr int LinesPerPage = 30;

} // namespace engine
