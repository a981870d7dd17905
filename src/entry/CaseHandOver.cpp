#include "entry/CaseHandOver.h"

#include "engine/calc/EngineState.h"
#include "entry/EntryTexts.h"

namespace entry::CaseHandOver {

namespace {

const QChar StretchMark(0x0640);

// The report database prints these rows; "-" and the empty text name nobody.
void writeReportRow(const data::Database& db, const QString& table, const QString& column,
                    const QString& value) {
    db.execute(QStringLiteral("delete from %1").arg(table));
    if (!value.isEmpty() && value != Texts::NoIssuingBody)
        db.execute(QStringLiteral("insert into %1 (%2) values (?)").arg(table, column), {value});
}

} // namespace

QString refusal(const data::Database& db, const CaseHeader& header) {
    const data::Rows heirs =
        db.select(QStringLiteral("select warith_relation, warith_name from WARITH order by ar"));
    if (heirs.isEmpty() || header.deceased.isEmpty())
        return Texts::Incomplete;
    if (header.preparer.isEmpty())
        return Texts::NoPreparer;
    if (header.deceased.contains(StretchMark))
        return Texts::StretchedDeceasedName;
    if (heirs.size() > engine::MaxHeirsPerDeceased)
        return Texts::TooManyHeirs + QString::number(engine::MaxHeirsPerDeceased);
    for (qsizetype i = 0; i < heirs.size(); ++i) {
        const QString line = QString::number(i + 1);
        if (heirs[i].value(0).toString().isEmpty())
            return Texts::EmptyHeirRelation + line;
        if (heirs[i].value(1).toString().isEmpty())
            return Texts::EmptyHeirName + line;
    }
    return {};
}

void stampHeader(const data::Database& db, const CaseHeader& header) {
    db.execute(QStringLiteral("update WARITH set deth_name = ?, case_name = ?, DATA_ENTRY_NAME = ?, "
                              "ADRESS_ENTRY_NAME = ?"),
               {header.deceased, header.title, header.preparer, header.issuingBody});
}

void stampDeceased(const data::Database& db, const QString& deceased) {
    db.execute(QStringLiteral("update WARITH set deth_name = ?"), {deceased});
}

void handOver(const data::Database& db, const CaseHeader& header, engine::CaseContext& host) {
    db.transaction([&] {
        stampHeader(db, header);
        db.execute(QStringLiteral("delete from REPORT_DESTRIBUTER"));
        writeReportRow(db, QStringLiteral("ADRESS_ENTRY_NAME_REPORT"), QStringLiteral("ADRESS_ENTRY_NAME"),
                       header.issuingBody);
        writeReportRow(db, QStringLiteral("DATA_ENTRY_NAME_REPORT"), QStringLiteral("DATA_ENTRY_NAME"),
                       header.preparer);
    });
    host.Text_deth_name = header.deceased;
    host.Text_case_no = header.caseNo;
}

} // namespace entry::CaseHandOver
