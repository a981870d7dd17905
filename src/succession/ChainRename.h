#pragma once

#include "data/Database.h"
#include "succession/ChainRow.h"

#include <QString>

// Renaming a person of the chain. A later deceased stands in his own deceased row and in heir
// rows of earlier deceased, and the chain is linked by these names alone, so a rename changes
// every row that holds the name, in one transaction.
namespace succession::ChainRename {

struct Outcome {
    bool changed = false;
    QString message; // the refusal, or empty
};

// The rename button of heirs (and of later deceased, who are heirs too).
Outcome renameHeir(const data::Database& db, const QString& oldName, const QString& newName);

// Whether the row is the first deceased's own row: the one person the other rename serves.
bool isFirstDeceasedRow(const data::Database& db, const ChainRow& row);
// The rename button of the first deceased; any other row is refused.
Outcome renameFirstDeceased(const data::Database& db, const ChainRow& row, const QString& newName);

// What a name picked from the heir-name list does to a saved row that held `previous`.
enum class PickEffect {
    Nothing,           // nothing to change
    RenamedThroughout, // a name new to the chain: the person is renamed in every row (done)
    ThisRowOnly,       // a name the chain knows: it goes into this row's cell, under the row rules
};
PickEffect heirNamePicked(const data::Database& db, const QString& previous, const QString& picked);

} // namespace succession::ChainRename
