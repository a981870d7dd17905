#include "make-databases/SchemaScript.h"

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace dbsetup {

namespace {

bool readFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    text = ss.str();
    return true;
}

} // namespace

bool createIfAbsent(const std::string& path, const std::vector<std::string>& scripts, Journal journal,
                    std::string& error) {
    namespace fs = std::filesystem;
    if (fs::exists(path))
        return true;

    std::string sql = "BEGIN;\n";
    for (const auto& script : scripts) {
        std::string text;
        if (!readFile(script, text)) {
            error = "cannot read " + script;
            return false;
        }
        sql += text;
        sql += "\n";
    }
    sql += "COMMIT;\n";
    // A file the program owns is made in the mode it keeps it in, so its first start changes no
    // byte of it.
    if (journal == Journal::WriteAhead)
        sql += "PRAGMA journal_mode=WAL;\n";

    const std::string tmp = path + ".new";
    std::error_code ec;
    fs::remove(tmp, ec);
    sqlite3* db = nullptr;
    if (sqlite3_open(tmp.c_str(), &db) != SQLITE_OK) {
        error = "cannot create " + tmp + ": " + (db ? sqlite3_errmsg(db) : "out of memory");
        sqlite3_close(db);
        return false;
    }
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        error = std::string("cannot build ") + path + ": " + (message ? message : "unknown error");
        sqlite3_free(message);
        sqlite3_close(db);
        fs::remove(tmp, ec);
        return false;
    }
    sqlite3_close(db);
    // The file appears under its name only once it is whole.
    fs::rename(tmp, path, ec);
    if (ec) {
        error = "cannot rename " + tmp + ": " + ec.message();
        return false;
    }
    return true;
}

std::vector<std::string> caseDatabaseScripts(const std::string& appdataDir) {
    return {appdataDir + "/sql/case_schema.sql", appdataDir + "/sql/case_seed.sql",
            appdataDir + "/sql/model_cases_seed.sql", appdataDir + "/sql/quiz_bank_seed.sql",
            appdataDir + "/sql/exercise_bank_seed.sql"};
}

std::vector<std::string> reportDatabaseScripts(const std::string& appdataDir) {
    return {appdataDir + "/sql/report_schema.sql"};
}

std::vector<std::string> rMakeDatabaseScripts(const std::string& appdataDir) {
    return {appdataDir + "/sql/r_make_schema.sql"};
}

} // namespace dbsetup
