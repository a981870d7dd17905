#pragma once

#include "data/Database.h"
#include "succession/ChainRow.h"

#include <QList>

#include <optional>

// The chain as it is being typed: the working table MUNASKA_TEMP, read in the grid's order
// (deceased by deceased, each in the order of entry).
namespace succession::ChainTable {

QList<ChainRow> rows(const data::Database& db);
std::optional<ChainRow> row(const data::Database& db, qint64 ar);
// The first row in the grid's order: in a chain built in order, the first deceased's own row.
std::optional<ChainRow> firstRow(const data::Database& db);

bool isEmpty(const data::Database& db);
bool heirNamed(const data::Database& db, const QString& name);
bool deceasedNamed(const data::Database& db, const QString& name);
// The largest arrange in the table, 0 when it has no row.
qint64 lastArrange(const data::Database& db);
// The name of the deceased whose place is `arrange`, if he has a row.
std::optional<QString> deceasedAt(const data::Database& db, qint64 arrange);

// The numeric value of a cell or box: the whole number its text begins with, 0 for none.
qint64 numeric(const QString& text);

// Writes every column of the row (the key stays); a new row gets its key.
void insert(const data::Database& db, ChainRow& row);
void update(const data::Database& db, const ChainRow& row);
void remove(const data::Database& db, qint64 ar);

} // namespace succession::ChainTable
