#pragma once

#include "data/Database.h"

#include <functional>

namespace shell {

// What the main window does before it is first shown: keep the path database on drive D: up to
// date, open the case database, run the engine self-test when no dialogue has loaded since the
// last clean exit, then reset the work tables of the previous run. Returns the main window's
// connection to the case database.
//
// The resets come after the self-test, so a self-test that ends the program leaves every table as
// it found it.
data::Database runStartUp(const std::function<void()>& selfTest);

// Step one alone: copies the path database to drive D: when absent and writes the application
// folder into it. A missing or unwritable drive D: only skips this step.
void updatePathDatabase();

} // namespace shell
