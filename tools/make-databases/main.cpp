// make-databases APPDATA_DIR APP_DIR
// Creates the three database files of the application folder from the SQL scripts, each only
// when it is absent.
#include "make-databases/SchemaScript.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-databases APPDATA_DIR APP_DIR\n");
        return 2;
    }
    const std::string appdata = argv[1];
    const std::string app = argv[2];
    struct Item {
        const char* file;
        std::vector<std::string> scripts;
        dbsetup::Journal journal;
    } items[] = {
        {"/TALVENO_TEST.mdb", dbsetup::caseDatabaseScripts(appdata), dbsetup::Journal::WriteAhead},
        {"/TALVENO_TEST_REPORT.mdb", dbsetup::reportDatabaseScripts(appdata), dbsetup::Journal::WriteAhead},
        // The template of the path database on drive D:, which other programs read.
        {"/TALVENO_TEST_R_MAKE.mdb", dbsetup::rMakeDatabaseScripts(appdata), dbsetup::Journal::Rollback},
    };
    for (const auto& item : items) {
        std::string error;
        if (!dbsetup::createIfAbsent(app + item.file, item.scripts, item.journal, error)) {
            std::fprintf(stderr, "make-databases: %s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}
