#include "succession/NextDeceased.h"

#include "succession/ChainTable.h"
#include "succession/SuccessionTexts.h"

namespace succession::NextDeceased {

namespace {

QStringList column(const data::Database& db, const QString& sql, const QVariantList& params = {}) {
    QStringList values;
    for (const QSqlRecord& r : db.select(sql, params))
        values << r.value(0).toString();
    return values;
}

void rebuildDeceased(const data::Database& db) {
    db.execute(QStringLiteral("delete from CHECK_DETH"));
    db.execute(QStringLiteral("insert into CHECK_DETH (deth_name) select deth_name from MUNASKA_TEMP"));
}

// A heir row whose deth_name holds no value must not take every name out of a "not in" test.
const QString NotADeceased =
    QStringLiteral("warith_name not in (select deth_name from CHECK_DETH where deth_name is not null)");

} // namespace

QStringList candidates(const data::Database& db) {
    db.transaction([&] {
        rebuildDeceased(db);
        db.execute(QStringLiteral("delete from CHECK_NAME"));
        db.execute(QStringLiteral(
                       "insert into CHECK_NAME (warith_name) select warith_name from MUNASKA_TEMP where ") +
                   NotADeceased);
    });
    return column(db, QStringLiteral("select distinct warith_name from CHECK_NAME where warith_name <> '' "
                                     "order by warith_name"));
}

QStringList heirNames(const data::Database& db, qint64 arrange) {
    db.transaction([&] {
        rebuildDeceased(db);
        db.execute(QStringLiteral("delete from CHECK_NAME"));
        db.execute(QStringLiteral("insert into CHECK_NAME (warith_name) select warith_name from MUNASKA_TEMP "
                                  "where arrange = ?"),
                   {arrange});
    });
    return column(db,
                  QStringLiteral("select distinct warith_name from MUNASKA_TEMP where warith_name <> '' and "
                                 "arrange <> ? and warith_name not in (select warith_name from CHECK_NAME "
                                 "where warith_name is not null) and ") +
                      NotADeceased + QStringLiteral(" order by warith_name"),
                  {arrange});
}

Acceptance accept(const data::Database& db, const QString& text, bool onSavedRow) {
    Acceptance a;
    const QString name = text.trimmed();
    if (name.isEmpty() || onSavedRow)
        return a;
    // Tested against the chain as it stands, not against a list left from an earlier one.
    if (!ChainTable::isEmpty(db) && !candidates(db).contains(name)) {
        a.message = Texts::NotAmongHeirs;
        return a;
    }
    a.accepted = true;
    a.name = name;
    a.arrange = ChainTable::lastArrange(db) + 1;
    return a;
}

} // namespace succession::NextDeceased
