#pragma once

#include "data/Database.h"

#include <QString>

// The relations table writes every alef bare ("ام", "اخت لاب", "ابن"); a user who writes the
// hamza ("أم", "أخت لأب", "إبن") means the same relation. What is typed or picked is read as the
// table's spelling before any rule looks at it, and the table's spelling is what is stored.
//
// A screen that takes a relation calls `listSpelling` on the text first and then works only with
// its result:
//     const QString relation = entry::RelationSpelling::listSpelling(db, typed);
namespace entry::RelationSpelling {

// The text with every alef that carries a hamza or a madda, and the wasla, written bare.
QString bareAlef(const QString& text);

// The relations table's own text for a relation typed with or without hamza; a text that names
// no relation either way comes back as it was typed.
QString listSpelling(const data::Database& db, const QString& typed);

} // namespace entry::RelationSpelling
