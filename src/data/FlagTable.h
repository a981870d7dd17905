#pragma once

#include "data/Database.h"

#include <optional>

namespace data {

// A one-row table: a writer replaces whatever row it holds with one; a reader takes the first
// row, and no row means "not set".
class FlagTable {
public:
    // The column defaults to the table's own name, as for most flag tables.
    FlagTable(Database db, QString table, QString column = {});

    void write(const QVariant& value) const;
    std::optional<QVariant> read() const;
    // The value as text; the empty text when not set.
    QString text() const;
    bool isSet() const { return read().has_value(); }
    void clear() const;

private:
    Database m_db;
    QString m_table;
    QString m_column;
};

} // namespace data
