#pragma once

#include "data/Database.h"

#include <QString>
#include <QStringList>

// The two name lists over the chain grid: the candidates for the next deceased and the heir names
// a deceased may take from the others, and the acceptance of a next deceased.
namespace succession::NextDeceased {

// Rebuilds CHECK_DETH and CHECK_NAME and gives, once each and in order, every heir name of the
// chain that is not the name of a deceased.
QStringList candidates(const data::Database& db);

// Rebuilds CHECK_DETH and CHECK_NAME (the heirs of deceased `arrange`) and gives the heirs of the
// other deceased who are neither his heirs yet nor deceased themselves.
QStringList heirNames(const data::Database& db, qint64 arrange);

struct Acceptance {
    bool accepted = false;
    QString message; // a refusal to show; empty when nothing is said
    QString name;    // the accepted name, without leading and trailing blanks
    qint64 arrange = 0;
};

// A name picked or typed in the next-deceased list while the grid stands on a saved row
// (`onSavedRow`) or on its new line.
Acceptance accept(const data::Database& db, const QString& text, bool onSavedRow);

} // namespace succession::NextDeceased
