#pragma once

#include "data/Database.h"

#include <QStringList>

// The kept lists of preparers and issuing bodies. Each holds a name once: adding a name that is
// there already adds nothing and says nothing.
namespace entry::NameLists {

enum class List { Preparers, IssuingBodies };

void add(const data::Database& db, List list, const QString& name);
// Nothing happens when no row holds the name.
void remove(const data::Database& db, List list, const QString& name);
void removeAll(const data::Database& db, List list);
// The names in alphabetical order.
QStringList names(const data::Database& db, List list);

} // namespace entry::NameLists
