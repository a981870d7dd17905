#pragma once

#include "data/Database.h"

#include <QString>

namespace exercise {

// The exercise results screen's print hands its report mode to the report database: the mode row
// of the case database is copied over the report database's own.
class ReportModeCopy {
public:
    // False, with an Arabic message naming the file, when the report database is missing (no file
    // is created then), damaged, not the program's own, or without the mode's table (nothing is
    // written into it then).
    static bool copy(const data::Database& caseDb, const QString& reportDatabasePath, QString& message);
};

} // namespace exercise
