#pragma once

#include "data/Database.h"

#include <QByteArray>

namespace results {

// The report lines (PRINT_TEXT) as the results screen's set-up last left them. The set-up joins
// two lines and deletes one each time it runs, which is right only on lines the engine has just
// written; a screen shown again over the same lines (closed without a command, or a command the
// engine did not act on) must leave them alone. The engine rewrites the table from an empty one,
// so freshly written lines never equal what a set-up left behind.
//
// Each showing of the results screen is a new screen, and each case command a new engine host,
// while the report table is one: the program keeps one record, which both hosts share.
class TouchedReport {
public:
    static TouchedReport& ofProgram();

    // True when PRINT_TEXT is exactly as the last set-up left it.
    bool isCurrent(const data::Database& db) const;
    // Records PRINT_TEXT as it stands now.
    void remember(const data::Database& db);

private:
    static QByteArray fingerprint(const data::Database& db);

    QByteArray m_left;
};

} // namespace results
