#pragma once

#include "data/Database.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

// The rules a heir's relation must keep: it is a relation of the relations table, a case has at
// most four wives, each single-instance relation at most once, and never a husband beside a wife.
// The three places that apply them do not apply them alike, and each keeps its own way:
// - typedCell: a relation typed into the grid's relation cell. An unknown text is reported and
//   the other rules still run on it, so it can bring a second message. The limits count what is
//   stored already: the fourth wife passes, the fifth is refused.
// - nameChanged: the name of a stored heir changed. Its relation is counted again with the row
//   itself among the stored ones, so only an excess is refused; no membership or spouse rule.
// - pickList: a relation picked from the list. The first broken rule refuses and ends the check.
namespace entry::RelationRules {

// What a check decided; each message is shown, in order, with the critical icon. A check refuses
// exactly when it has something to say.
struct Verdict {
    QStringList messages;
    bool accepted() const { return messages.isEmpty(); }
};

// Where the heirs under check are kept. A single-death case keeps them all in WARITH; the
// successive-deaths dialogue keeps a chain in one table and checks one deceased at a time.
struct HeirTable {
    QString table = QStringLiteral("WARITH");
    QString relationColumn = QStringLiteral("warith_relation");
    // Appended as "and <condition>"; its "?" take `params`. Empty: the whole table.
    QString condition;
    QVariantList params;
};

bool isRelation(const data::Database& db, const QString& relation);
bool isSingleInstance(const QString& relation);
qint64 countOf(const data::Database& db, const QString& relation, const HeirTable& heirs = {});

Verdict typedCell(const data::Database& db, const QString& relation, const HeirTable& heirs = {});
Verdict nameChanged(const data::Database& db, const QString& relation, const HeirTable& heirs = {});
Verdict pickList(const data::Database& db, const QString& relation, const HeirTable& heirs = {});

} // namespace entry::RelationRules
