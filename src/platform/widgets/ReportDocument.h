#pragma once

#include "platform/widgets/ReportMode.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QSqlDatabase;

namespace platform {

// The division as the printed document shows it: texts only, read from the report tables the
// engine filled, the report-header tables and the report mode. Shares stay the texts the tables
// hold, since they may be integers far beyond any machine word or exact decimals.
struct ReportDocument {
    struct Header {
        QStringList titleLines; // the invocation, the deed term and the rules phrase
        QString school;         // PRINT_TITLE.Title
        QString caseKey;        // PRINT_TITLE.serial_project
        QString preparer;       // empty when none was given
        QString issuingBody;    // empty when none was given
    };

    struct HeirLine {
        QString serial;
        QString name;
        QString relation; // empty in the unified table, which gathers heirs of several deceased
        QString share;
        QString unit; // "%" or a currency after a conversion, otherwise empty
    };

    struct Note {
        QString number;
        QString text;
    };

    // One deceased's own division. A later deceased who inherited nothing has his heading only.
    struct DeceasedTable {
        QString opening; // PRINT_TEXT2.and_text: "توفي المدعو" or "ثم توفي المدعو"
        QString name;
        QList<HeirLine> heirs;
        QString total;
        QList<Note> notes;
        QString baseLine; // the origin of the case and the parts it is corrected to
    };

    // A death the unified table goes back to: the words before the name, and the name.
    struct Death {
        QString opening;
        QString name;
    };

    // The unified division of successive deaths, or the division converted into percentages or
    // the amounts of a given estate. It names every deceased of the chain, so that the heirs of a
    // later deceased are accounted for even where his own table is not printed.
    struct UnifiedTable {
        QString title;
        QList<Death> deaths;
        QString shareHeading;
        QString unitHeading;
        QList<HeirLine> heirs;
        QString total;
        QString amount; // the estate divided; only for an estate
        QString unit;   // of the estate, or the percentage sign
    };

    ReportMode mode = ReportMode::None;
    Header header;
    QList<DeceasedTable> deceased;
    std::optional<UnifiedTable> unified;

    // Nothing to print: no heir line in any table the mode asks for.
    bool isEmpty() const;
    // Every text the document shows, in reading order.
    QStringList texts() const;

    // Reads the report of the case in hand from the case database.
    static ReportDocument fromTables(const QSqlDatabase& db);
};

// Texts the document shows besides those of the tables.
namespace ReportDocumentText {
inline const QString Invocation = QStringLiteral("بسم الله الرحمن الرحيم");
inline const QString DeedTerm = QStringLiteral("قسام شرعي");
inline const QString LawRules = QStringLiteral("حسب قواعد الشريعة الاسلامية");
inline const QString CaseSerial = QStringLiteral("التسلسل/");
inline const QString Preparer = QStringLiteral("اسم المعد");
inline const QString IssuingBody = QStringLiteral("عنوان الجهة");
inline const QString Signature = QStringLiteral("التوقيع");
inline const QString Serial = QStringLiteral("ت");
inline const QString HeirName = QStringLiteral("اسم الوارث");
inline const QString Relation = QStringLiteral("الصلة");
inline const QString Shares = QStringLiteral("السهام");
inline const QString Percentage = QStringLiteral("النسبة المئوية");
inline const QString Amount = QStringLiteral("المبلغ");
inline const QString Currency = QStringLiteral("العملة");
inline const QString Total = QStringLiteral("المجموع");
inline const QString Notes = QStringLiteral("الملاحظات");
inline const QString EstateAmount = QStringLiteral("مقدار التركة");
inline const QString Continued = QStringLiteral("تتمــة");
inline const QString UnifiedTitle = QStringLiteral("توحيد القسامات");
inline const QString PercentagesTitle = QStringLiteral("القسام بالنسب المئوية");
inline const QString EstateTitle = QStringLiteral("قسمة تركة معينة");
inline const QString FirstDeceased = QStringLiteral("توفي المدعو");
inline const QString BaseLineStart = QStringLiteral("اصل المسألة");
} // namespace ReportDocumentText

} // namespace platform
