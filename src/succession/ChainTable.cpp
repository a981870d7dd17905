#include "succession/ChainTable.h"

#include "data/Numbers.h"

namespace succession::ChainTable {

namespace {

const QString Columns =
    QStringLiteral("ar, case_no, warith_relation, warith_name, deth_name, deth_status, arrange");

ChainRow fromRecord(const QSqlRecord& r) {
    ChainRow row;
    row.ar = r.value(0).toLongLong();
    row.caseNo = r.value(1).toString();
    row.relation = r.value(2).toString();
    row.heirName = r.value(3).toString();
    row.deceasedName = r.value(4).toString();
    row.status = r.value(5).toString();
    row.arrange = r.value(6).toString();
    return row;
}

// A stored arrange is a number; an empty cell stores as 0, which marks a row no deceased claimed.
QVariant arrangeValue(const QString& arrange) {
    return arrange.trimmed().isEmpty() ? QVariant(qint64(0)) : QVariant(numeric(arrange));
}

// The text columns hold the empty text, never no value: the lists' tests compare with ''.
QString text(const QString& s) {
    return s.isNull() ? QStringLiteral("") : s;
}

} // namespace

QList<ChainRow> rows(const data::Database& db) {
    QList<ChainRow> result;
    for (const QSqlRecord& r :
         db.select(QStringLiteral("select %1 from MUNASKA_TEMP order by arrange, ar").arg(Columns)))
        result << fromRecord(r);
    return result;
}

std::optional<ChainRow> row(const data::Database& db, qint64 ar) {
    const data::Rows found =
        db.select(QStringLiteral("select %1 from MUNASKA_TEMP where ar = ?").arg(Columns), {ar});
    if (found.isEmpty())
        return std::nullopt;
    return fromRecord(found.front());
}

std::optional<ChainRow> firstRow(const data::Database& db) {
    const data::Rows found =
        db.select(QStringLiteral("select %1 from MUNASKA_TEMP order by arrange, ar limit 1").arg(Columns));
    if (found.isEmpty())
        return std::nullopt;
    return fromRecord(found.front());
}

bool isEmpty(const data::Database& db) {
    return !db.exists(QStringLiteral("select 1 from MUNASKA_TEMP"));
}

bool heirNamed(const data::Database& db, const QString& name) {
    return db.exists(QStringLiteral("select 1 from MUNASKA_TEMP where warith_name = ?"), {name});
}

bool deceasedNamed(const data::Database& db, const QString& name) {
    return db.exists(QStringLiteral("select 1 from MUNASKA_TEMP where deth_name = ?"), {name});
}

qint64 lastArrange(const data::Database& db) {
    return db.count(QStringLiteral("select max(arrange) from MUNASKA_TEMP"));
}

std::optional<QString> deceasedAt(const data::Database& db, qint64 arrange) {
    const data::Rows found = db.select(
        QStringLiteral(
            "select deth_name from MUNASKA_TEMP where arrange = ? and deth_name <> '' order by ar limit 1"),
        {arrange});
    if (found.isEmpty())
        return std::nullopt;
    return found.front().value(0).toString();
}

qint64 numeric(const QString& text) {
    return data::leadingInteger(text);
}

void insert(const data::Database& db, ChainRow& row) {
    db.execute(QStringLiteral("insert into MUNASKA_TEMP (case_no, warith_relation, warith_name, deth_name, "
                              "deth_status, arrange) values (?, ?, ?, ?, ?, ?)"),
               {numeric(row.caseNo), text(row.relation), text(row.heirName), text(row.deceasedName),
                text(row.status), arrangeValue(row.arrange)});
    row.ar = db.scalar(QStringLiteral("select last_insert_rowid()")).toLongLong();
}

void update(const data::Database& db, const ChainRow& row) {
    db.execute(QStringLiteral("update MUNASKA_TEMP set warith_relation = ?, warith_name = ?, deth_name = ?, "
                              "deth_status = ?, arrange = ? where ar = ?"),
               {text(row.relation), text(row.heirName), text(row.deceasedName), text(row.status),
                arrangeValue(row.arrange), row.ar});
}

void remove(const data::Database& db, qint64 ar) {
    db.execute(QStringLiteral("delete from MUNASKA_TEMP where ar = ?"), {ar});
}

} // namespace succession::ChainTable
