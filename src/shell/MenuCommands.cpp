#include "shell/MenuCommands.h"

#include "data/FlagTable.h"
#include "entry/EntryTexts.h"

namespace shell {

namespace {

void presets(const data::Database& db, const QString& source, const QString& type) {
    db.execute(QStringLiteral("delete from RLAS_TABLE"));
    db.execute(QStringLiteral("delete from TYPS_TABLE"));
    db.execute(QStringLiteral("insert into RLAS_TABLE (RLAS_TABLE) values (?)"), {source});
    db.execute(QStringLiteral("insert into TYPS_TABLE (TYPS_TABLE) values (?)"), {type});
}

const QString NewSource = QStringLiteral("جديدة");

// An exercise question left in WARITH (every row of it carries a nonzero level) is no real case:
// the case entry would take it for the stored case of its number. WARITH holds one case, so a
// single marked row gives the whole question away. A real unfinished case stays.
void dropExerciseQuestion(const data::Database& db) {
    db.execute(QStringLiteral("delete from WARITH where exists (select 1 from WARITH where case_level <> 0)"));
}

} // namespace

QString MenuCommands::defaultPreparer() {
    return entry::Texts::DefaultPreparer;
}

void MenuCommands::new1(const data::Database& db) {
    db.transaction([&] {
        db.execute(QStringLiteral("delete from PRACTIC_SINGLE "));
        dropExerciseQuestion(db);
        presets(db, NewSource, QStringLiteral("مفردة"));
    });
}

void MenuCommands::mun(const data::Database& db) {
    db.transaction([&] {
        dropExerciseQuestion(db);
        presets(db, NewSource, QStringLiteral("مناسخة"));
    });
}

void MenuCommands::namu(const data::Database& db) {
    db.transaction([&] {
        dropExerciseQuestion(db);
        db.execute(QStringLiteral("delete from RLAS_TABLE"));
        db.execute(QStringLiteral("insert or ignore into DATA_ENTRY_NAME (DATA_ENTRY_NAME) values (?)"),
                   {defaultPreparer()});
        db.execute(QStringLiteral("insert into RLAS_TABLE (RLAS_TABLE) values (?)"),
                   {QStringLiteral("مخزونة نموذجية")});
    });
}

void MenuCommands::masaeel(const data::Database& db) {
    db.transaction([&] {
        db.execute(QStringLiteral("delete from PRACTIC_SINGLE "));
        db.execute(QStringLiteral("delete from WARITH"));
        presets(db, NewSource, QStringLiteral("مفردة"));
    });
}

void MenuCommands::iqtibarya(const data::Database& db) {
    db.execute(QStringLiteral("delete from WARITH"));
}

} // namespace shell
