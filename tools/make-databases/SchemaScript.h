#pragma once

#include <string>
#include <vector>

namespace dbsetup {

// How the file keeps its journal: the databases the program owns while it runs are kept in
// write-ahead mode; one that other programs read keeps the plain rollback journal.
enum class Journal { Rollback, WriteAhead };

// Creates the database file at `path` from the SQL scripts, in order, in one transaction.
// Does nothing when the file exists already, so stored cases are never wiped.
// Returns false with a message in `error` when a script cannot be read or run; a half-made
// file is removed.
bool createIfAbsent(const std::string& path, const std::vector<std::string>& scripts, Journal journal,
                    std::string& error);

// The scripts of the three databases, in the application data folder.
std::vector<std::string> caseDatabaseScripts(const std::string& appdataDir);
std::vector<std::string> reportDatabaseScripts(const std::string& appdataDir);
std::vector<std::string> rMakeDatabaseScripts(const std::string& appdataDir);

} // namespace dbsetup
