#pragma once

#include "data/Database.h"

#include <QString>

namespace succession::ChainChecks {

inline const QString DeceasedNotAnHeir = QStringLiteral("هناك احد الورثة المتوفين ليس من الورثة ");

// The completeness checks of a chain copied into DETH and WARITH_DUBLE, in their order: the
// first failure's message, or empty when the chain may be stored.
QString firstFailure(const data::Database& db);

// The rows the grid's own rules keep out and a damaged library could bring in: two deceased in
// one place, a heir without a name, a heir of no deceased. The first failure's message, or empty.
QString rowFailure(const data::Database& db);

} // namespace succession::ChainChecks
