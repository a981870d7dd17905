#include "entry/NameLists.h"

namespace entry::NameLists {

namespace {

// Each list is a table of one column named like the table.
QString table(List list) {
    return list == List::Preparers ? QStringLiteral("DATA_ENTRY_NAME") : QStringLiteral("ADRESS_ENTRY_NAME");
}

} // namespace

void add(const data::Database& db, List list, const QString& name) {
    db.execute(QStringLiteral("insert or ignore into %1 (%1) values (?)").arg(table(list)), {name});
}

void remove(const data::Database& db, List list, const QString& name) {
    db.execute(QStringLiteral("delete from %1 where %1 = ?").arg(table(list)), {name});
}

void removeAll(const data::Database& db, List list) {
    db.execute(QStringLiteral("delete from %1").arg(table(list)));
}

QStringList names(const data::Database& db, List list) {
    QStringList result;
    for (const QSqlRecord& r : db.select(QStringLiteral("select %1 from %1 order by %1").arg(table(list))))
        result << r.value(0).toString();
    return result;
}

} // namespace entry::NameLists
