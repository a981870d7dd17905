#pragma once

#include "data/Database.h"
#include "entry/RelationRules.h"

#include <QStringList>

// The relation rules of the case entry, applied to one deceased of the chain at a time.
namespace succession::ChainRelations {

// The heirs of deceased `arrange`, the row `exceptAr` left out: a relation typed or picked over a
// row's own replaces it and is not counted against itself.
entry::RelationRules::HeirTable heirsOf(qint64 arrange, qint64 exceptAr = 0);

// The checks of a relation picked from the list or typed into a cell, in the list's order:
// the first broken rule refuses.
entry::RelationRules::Verdict check(const data::Database& db, const QString& relation, qint64 arrange,
                                    qint64 exceptAr = 0);

// The list's own spelling of a typed relation: an alef written with hamza or madda reads as the
// plain alef the list uses ("أخ" is "اخ"). A text that matches nothing comes back as it is.
QString listSpelling(const QStringList& relations, const QString& typed);

} // namespace succession::ChainRelations
