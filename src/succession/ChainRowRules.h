#pragma once

#include "data/Database.h"
#include "succession/ChainRow.h"

#include <QString>

// The chain grid's checks of a row about to be saved, of a heir name about to be taken and of a
// row about to be deleted. Each answers the message of its refusal, or the empty text.
namespace succession::ChainRowRules {

// The deceased a row belongs to: a saved row's own, the current deceased's on the new line.
qint64 deceasedOf(const ChainRow& row, const QString& indicator);

// A changed row about to be saved. On acceptance the row's arrange and status are filled in as
// the grid writes them: a new row takes the current deceased's place, a later deceased his status.
QString beforeUpdate(const data::Database& db, ChainRow& row, bool addHeirs, const QString& indicator);

// A heir name about to replace `previous` in `row`.
QString beforeHeirName(const data::Database& db, const ChainRow& row, const QString& name,
                       const QString& previous, const QString& indicator);

QString beforeDelete(const data::Database& db, const ChainRow& row);

} // namespace succession::ChainRowRules
