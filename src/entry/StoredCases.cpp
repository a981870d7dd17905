#include "entry/StoredCases.h"

#include "data/Numbers.h"
#include "entry/EntryTexts.h"
#include "entry/NameLists.h"

namespace entry::StoredCases {

namespace {

const QString Table = QStringLiteral("WARITH_GENERAL");
const QString NameColumn = QStringLiteral("deth_name");
const QString Order = QStringLiteral("deth_name, case_no");

// Ties of ar (rows written without one) keep the order they were written in.
void appendHeirs(const data::Database& db, const CaseHeader& header, qint64 caseNo) {
    db.execute(QStringLiteral("insert into WARITH_GENERAL (deth_name, case_no, case_name, warith_relation, "
                              "warith_name, ar, ADRESS_ENTRY_NAME, DATA_ENTRY_NAME) select ?, ?, ?, "
                              "warith_relation, warith_name, ar, ?, ? from WARITH order by ar, rowid"),
               {header.deceased, caseNo, header.title, header.issuingBody, header.preparer});
}

// The refusals Store and Edit share, after the preparer.
QString incomplete(const data::Database& db, const CaseHeader& header) {
    if (!db.exists(QStringLiteral("select 1 from WARITH")) || header.deceased.isEmpty())
        return Texts::Incomplete;
    return {};
}

QString text(const QSqlRecord& r, const char* column) {
    return r.value(QLatin1String(column)).toString(); // a Null reads as empty
}

} // namespace

bool isStored(const data::Database& db, qint64 caseNo) {
    return db.exists(QStringLiteral("select 1 from WARITH_GENERAL where case_no = ?"), {caseNo});
}

namespace {

Outcome storeSteps(const data::Database& db, const CaseHeader& given) {
    // Before any other step: a refusal for want of a number writes nothing.
    const std::optional<qint64> next = db.nextNumber({Table}, QStringLiteral("case_no"));
    if (!next)
        return Outcome::refused(data::NoNumberLeft);
    if (given.preparer.isEmpty())
        return Outcome::refused(Texts::NoPreparer);
    if (given.issuingBody.isEmpty())
        NameLists::add(db, NameLists::List::IssuingBodies, NoIssuingBody);
    if (isStored(db, data::leadingInteger(given.caseNo)))
        return Outcome::refused(AlreadyStored);
    if (const QString refused = incomplete(db, given); !refused.isEmpty())
        return Outcome::refused(refused);

    CaseHeader header = given;
    if (header.title.isEmpty())
        header.title = header.deceased;
    const qint64 n = *next;
    appendHeirs(db, header, n);
    db.execute(QStringLiteral("update WARITH set case_no = ?"), {n});
    return {Outcome::Kind::Done, StoredUnder + QString::number(n), n, header.title};
}

Outcome editSteps(const data::Database& db, const CaseHeader& header) {
    if (header.preparer.isEmpty())
        return Outcome::refused(Texts::NoPreparer);
    if (const QString refused = incomplete(db, header); !refused.isEmpty())
        return Outcome::refused(refused);
    if (header.title.isEmpty() || header.caseNo.isEmpty())
        return Outcome::stopped();

    const qint64 n = data::leadingInteger(header.caseNo);
    db.execute(QStringLiteral("delete from WARITH_GENERAL where case_no = ?"), {n});
    appendHeirs(db, header, n);
    return {Outcome::Kind::Done, EditedNumber + header.caseNo, n, header.title};
}

} // namespace

// The case in hand is read, checked and written as one transaction: a number taken is taken with
// every row that uses it.
Outcome store(const data::Database& db, const CaseHeader& given) {
    Outcome outcome;
    db.transaction([&] { outcome = storeSteps(db, given); });
    return outcome;
}

Outcome edit(const data::Database& db, const CaseHeader& header) {
    Outcome outcome;
    db.transaction([&] { outcome = editSteps(db, header); });
    return outcome;
}

void remove(const data::Database& db, qint64 caseNo) {
    db.transaction([&] {
        db.execute(QStringLiteral("delete from WARITH_GENERAL where case_no = ?"), {caseNo});
        db.execute(QStringLiteral("delete from WARITH"));
    });
}

std::optional<CaseHeader> load(const data::Database& db, qint64 caseNo) {
    std::optional<CaseHeader> loaded;
    db.transaction([&] {
        const data::Rows stored = db.select(
            QStringLiteral("select case_no, deth_name, case_name, DATA_ENTRY_NAME, ADRESS_ENTRY_NAME "
                           "from WARITH_GENERAL where case_no = ? order by ar, rowid"),
            {caseNo});
        if (stored.isEmpty())
            return;
        // All rows of a case carry one header; the boxes end with the last row's.
        const QSqlRecord& last = stored.back();
        CaseHeader h{text(last, "deth_name"), text(last, "case_name"), text(last, "case_no"),
                     text(last, "DATA_ENTRY_NAME"), text(last, "ADRESS_ENTRY_NAME")};
        db.execute(QStringLiteral("delete from WARITH"));
        db.execute(
            QStringLiteral("insert into WARITH (warith_relation, warith_name, case_no) select "
                           "warith_relation, warith_name, case_no from WARITH_GENERAL where case_no = ? "
                           "order by ar, rowid"),
            {caseNo});
        if (!h.issuingBody.isEmpty() && h.issuingBody != NoIssuingBody)
            NameLists::add(db, NameLists::List::IssuingBodies, h.issuingBody);
        if (!h.preparer.isEmpty())
            NameLists::add(db, NameLists::List::Preparers, h.preparer);
        CaseHandOver::stampHeader(db, h);
        loaded = h;
    });
    return loaded;
}

StoredCaseList all() {
    return StoredCaseList::byNumberPrefix(Table, NameColumn, QString(), Order);
}

StoredCaseList byNumberPrefix(const QString& typed) {
    return StoredCaseList::byNumberPrefix(Table, NameColumn, typed, Order);
}

StoredCaseList byNamePrefix(const QString& typed) {
    return StoredCaseList::byNamePrefix(Table, NameColumn, typed, Order);
}

StoredCaseList byNumber(qint64 caseNo) {
    return StoredCaseList::byNumber(Table, NameColumn, caseNo);
}

QList<Line> lines(const data::Database& db, const StoredCaseList& list) {
    QList<Line> result;
    for (const QSqlRecord& r : db.select(list.sql, list.params))
        result.append({r.value(0).toLongLong(), r.value(1).toString()});
    return result;
}

} // namespace entry::StoredCases
