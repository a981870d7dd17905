#pragma once

#include "data/Database.h"

#include <QString>

namespace shell {

// The statements each command of the main window runs before it shows its window: the case
// presets that the case-entry dialogue answers its first stages from, and the tables a mode
// starts empty.
class MenuCommands {
public:
    static void new1(const data::Database& db);      // new single-death case
    static void mun(const data::Database& db);       // new successive-deaths case
    static void namu(const data::Database& db);      // model cases
    static void masaeel(const data::Database& db);   // exercises
    static void iqtibarya(const data::Database& db); // share-type quiz

    // The preparer the model-case paths put on the report.
    static QString defaultPreparer();
};

} // namespace shell
