#include "succession/StoredChains.h"

#include "data/Numbers.h"
#include "entry/NameLists.h"
#include "succession/ChainChecks.h"
#include "succession/SuccessionTexts.h"

#include <QFileInfo>

namespace succession::StoredChains {

namespace {

using Kind = Outcome::Kind;
namespace SC = entry::StoredCases;

const QString Table = QStringLiteral("DETH_GENERAL");
const QString NameColumn = QStringLiteral("case_name");

QString firstDeceased(const data::Database& db) {
    return db.scalar(QStringLiteral("select deth_name from DETH order by arrange, rowid limit 1")).toString();
}

// Heir rows left under a number without their deceased count too: a new chain never adopts them.
std::optional<qint64> nextNumber(const data::Database& db) {
    return db.nextNumber({Table, QStringLiteral("WARITH_DUBLE_GENERAL")}, QStringLiteral("case_no"));
}

void append(const data::Database& db, const ChainHeader& header, qint64 caseNo) {
    db.execute(QStringLiteral("insert into DETH_GENERAL (case_name, deth_name, case_no, arrange, "
                              "ADRESS_ENTRY_NAME, DATA_ENTRY_NAME) select ?, deth_name, ?, arrange, ?, ? "
                              "from DETH order by arrange, rowid"),
               {header.title, caseNo, header.issuingBody, header.preparer});
    // The hand-over writes no ar: heirs of equal ar keep the order they were written in.
    db.execute(
        QStringLiteral("insert into WARITH_DUBLE_GENERAL (warith_name, warith_relation, arrange, ar, "
                       "case_no) select warith_name, warith_relation, arrange, ar, ? from WARITH_DUBLE "
                       "order by ar, rowid"),
        {caseNo});
    db.execute(QStringLiteral("update DETH set arrange_general = arrange"));
}

} // namespace

bool isStored(const data::Database& db, qint64 caseNo) {
    return db.exists(QStringLiteral("select 1 from DETH_GENERAL where case_no = ?"), {caseNo});
}

std::optional<QString> storedName(const data::Database& db, qint64 caseNo) {
    const data::Rows r = db.select(
        QStringLiteral(
            "select coalesce(case_name, '') from DETH_GENERAL where case_no = ? order by arrange limit 1"),
        {caseNo});
    if (r.isEmpty())
        return std::nullopt;
    return r.front().value(0).toString();
}

namespace {

Outcome storeSteps(const data::Database& db, const ChainHeader& given) {
    // Before any other step: a refusal for want of a number writes nothing.
    const std::optional<qint64> next = nextNumber(db);
    if (!next)
        return Outcome::refused(data::NoNumberLeft);
    ChainRun::copy(db);
    if (given.issuingBody.isEmpty())
        entry::NameLists::add(db, entry::NameLists::List::IssuingBodies, SC::NoIssuingBody);
    if (isStored(db, data::leadingInteger(given.caseNo)))
        return Outcome::refused(SC::AlreadyStored);
    if (given.preparer.isEmpty())
        return Outcome::refused(Texts::NoPreparer);
    if (const QString failed = ChainChecks::firstFailure(db); !failed.isEmpty())
        return Outcome::refused(failed);

    ChainHeader header = given;
    if (header.title.isEmpty())
        header.title = firstDeceased(db);
    const qint64 n = *next;
    append(db, header, n);
    db.execute(QStringLiteral("update MUNASKA_TEMP set case_no = ?"), {n});
    return {Kind::Done, SC::StoredUnder + QString::number(n), n, header.title};
}

Outcome editSteps(const data::Database& db, const ChainHeader& given) {
    ChainRun::copy(db);
    if (given.preparer.isEmpty())
        return Outcome::refused(Texts::NoPreparer);
    if (const QString failed = ChainChecks::firstFailure(db); !failed.isEmpty())
        return Outcome::refused(failed);
    if (given.title.isEmpty() || given.caseNo.isEmpty())
        return Outcome::stopped();

    const qint64 k = data::leadingInteger(given.caseNo);
    ChainHeader header = given;
    header.title = firstDeceased(db);
    db.execute(QStringLiteral("delete from DETH_GENERAL where case_no = ?"), {k});
    db.execute(QStringLiteral("delete from WARITH_DUBLE_GENERAL where case_no = ?"), {k});
    append(db, header, k);
    return {Kind::Done, SC::EditedNumber + QString::number(k), k, header.title};
}

// Places that are not whole numbers from 1, or one place held by two deceased: the join of heirs to
// their deceased would lose heirs or give them to two.
bool damagedOrder(const data::Database& db, qint64 caseNo) {
    return db.exists(QStringLiteral("select 1 from DETH_GENERAL where case_no = ? and (arrange is null or "
                                    "typeof(arrange) <> 'integer' or arrange < 1)"),
                     {caseNo}) ||
           db.exists(QStringLiteral("select 1 from DETH_GENERAL where case_no = ? group by arrange "
                                    "having count(*) > 1"),
                     {caseNo});
}

} // namespace

// The chain on screen is read, checked and written as one transaction: a number taken is taken
// with every row that uses it. A refusal keeps the copy.
Outcome store(const data::Database& db, const ChainHeader& given) {
    Outcome outcome;
    db.transaction([&] { outcome = storeSteps(db, given); });
    return outcome;
}

Outcome edit(const data::Database& db, const ChainHeader& given) {
    Outcome outcome;
    db.transaction([&] { outcome = editSteps(db, given); });
    return outcome;
}

void remove(const data::Database& db, qint64 caseNo) {
    db.transaction([&] {
        db.execute(QStringLiteral("delete from DETH_GENERAL where case_no = ?"), {caseNo});
        db.execute(QStringLiteral("delete from WARITH_DUBLE_GENERAL where case_no = ?"), {caseNo});
        for (const char* table : {"DETH", "WARITH_DUBLE", "MUNASKA_TEMP", "CHECK_NAME"})
            db.execute(QStringLiteral("delete from %1").arg(QLatin1String(table)));
    });
}

std::optional<ChainHeader> load(const data::Database& db, qint64 caseNo, QString* refused) {
    std::optional<ChainHeader> loaded;
    db.transaction([&] {
        if (damagedOrder(db, caseNo)) {
            if (refused)
                *refused = DamagedOrder.arg(caseNo).arg(QFileInfo(db.path()).fileName());
            return;
        }
        const data::Rows stored = db.select(
            QStringLiteral("select case_no, coalesce(case_name, ''), coalesce(DATA_ENTRY_NAME, ''), "
                           "coalesce(ADRESS_ENTRY_NAME, '') from DETH_GENERAL where case_no = ? "
                           "order by arrange, rowid"),
            {caseNo});
        if (stored.isEmpty())
            return;
        const QSqlRecord& last = stored.back();
        const ChainHeader h{last.value(1).toString(), last.value(0).toString(), last.value(2).toString(),
                            last.value(3).toString()};
        db.execute(QStringLiteral("delete from DETH"));
        db.execute(QStringLiteral("delete from WARITH_DUBLE"));
        // Only the first deceased has a status: the engine does not read it.
        db.execute(
            QStringLiteral("insert into DETH (deth_name, arrange, arrange_general, deth_status) select "
                           "deth_name, arrange, arrange, null from DETH_GENERAL where case_no = ? "
                           "order by arrange, rowid"),
            {caseNo});
        db.execute(
            QStringLiteral("update DETH set deth_status = '' where rowid = (select min(rowid) from DETH)"));
        db.execute(QStringLiteral(
                       "insert into WARITH_DUBLE (warith_name, warith_relation, arrange, arrange_general, "
                       "ar) select g.warith_name, g.warith_relation, d.arrange, d.arrange_general, "
                       "coalesce(g.ar, 0) from DETH d join WARITH_DUBLE_GENERAL g on g.case_no = ? "
                       "and g.arrange = d.arrange_general order by d.rowid, g.ar, g.rowid"),
                   {caseNo});
        if (!h.issuingBody.isEmpty() && h.issuingBody != SC::NoIssuingBody)
            entry::NameLists::add(db, entry::NameLists::List::IssuingBodies, h.issuingBody);
        if (!h.preparer.isEmpty())
            entry::NameLists::add(db, entry::NameLists::List::Preparers, h.preparer);
        db.execute(QStringLiteral("delete from MUNASKA_TEMP"));
        db.execute(
            QStringLiteral("insert into MUNASKA_TEMP (deth_name, arrange, deth_status) select deth_name, "
                           "arrange_general, deth_status from DETH order by arrange, rowid"));
        db.execute(QStringLiteral("insert into MUNASKA_TEMP (warith_name, arrange, warith_relation) select "
                                  "warith_name, arrange_general, warith_relation from WARITH_DUBLE "
                                  "order by ar, rowid"));
        db.execute(QStringLiteral("update MUNASKA_TEMP set case_no = ?"), {caseNo});
        db.execute(
            QStringLiteral("update DETH set case_name = ?, DATA_ENTRY_NAME = ?, ADRESS_ENTRY_NAME = ?"),
            {h.title, h.preparer, h.issuingBody});
        ChainRun::stampHeader(db, h.preparer, h.issuingBody);
        loaded = h;
    });
    return loaded;
}

entry::StoredCaseList all() {
    return entry::StoredCaseList::byNumberPrefix(Table, NameColumn, QString(),
                                                 QStringLiteral("case_name, case_no"));
}

entry::StoredCaseList byNumberPrefix(const QString& typed) {
    return entry::StoredCaseList::byNumberPrefix(Table, NameColumn, typed,
                                                 QStringLiteral("case_name, case_no"));
}

entry::StoredCaseList byNamePrefix(const QString& typed) {
    return entry::StoredCaseList::byNamePrefix(Table, NameColumn, typed, QStringLiteral("case_name"));
}

entry::StoredCaseList byNumber(qint64 caseNo) {
    return entry::StoredCaseList::byNumber(Table, NameColumn, caseNo);
}

} // namespace succession::StoredChains
