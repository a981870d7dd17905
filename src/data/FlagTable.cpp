#include "data/FlagTable.h"

namespace data {

FlagTable::FlagTable(Database db, QString table, QString column)
    : m_db(std::move(db)), m_table(std::move(table)),
      m_column(column.isEmpty() ? m_table : std::move(column)) {}

void FlagTable::write(const QVariant& value) const {
    m_db.transaction([&] {
        clear();
        m_db.execute(QStringLiteral("insert into %1 (%2) values (?)").arg(m_table, m_column), {value});
    });
}

std::optional<QVariant> FlagTable::read() const {
    const Rows rows =
        m_db.select(QStringLiteral("select %1 from %2 order by rowid limit 1").arg(m_column, m_table));
    if (rows.isEmpty())
        return std::nullopt;
    return rows.front().value(0);
}

QString FlagTable::text() const {
    const auto v = read();
    return v ? v->toString() : QString();
}

void FlagTable::clear() const {
    m_db.execute(QStringLiteral("delete from %1").arg(m_table));
}

} // namespace data
