#include "shell/StartUpSequence.h"

#include "entry/ModelCaseQueue.h"
#include "platform/AppPaths.h"
#include "training/ExerciseBank.h"
#include "training/QuizBank.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace shell {

namespace {

const QString PathDatabase = QStringLiteral("TALVENO_TEST_R_MAKE.mdb");

// The path database is read by nothing in this program; a failure with it must not stop the
// program, so it goes through a private connection that reports instead of ending the process.
void writeApplicationFolder(const QString& file) {
    const QString name = QStringLiteral("pathdb");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        if (db.open()) {
            db.transaction();
            QSqlQuery clear(db);
            QSqlQuery insert(db);
            insert.prepare(QStringLiteral("insert into project_path (project_path) values (?)"));
            insert.addBindValue(QDir::toNativeSeparators(platform::AppPaths::applicationFolder()));
            if (clear.exec(QStringLiteral("delete from project_path")) && insert.exec())
                db.commit();
            else
                db.rollback();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

void updatePathDatabase() {
    const QString driveD = platform::AppPaths::driveD();
    const QString copy = QDir(driveD).filePath(PathDatabase);
    if (!QFileInfo(copy).isFile()) {
        if (!QDir().mkpath(driveD))
            return;
        if (!QFile::copy(platform::AppPaths::appFile(PathDatabase), copy))
            return;
        // A copy of a read-only template must still take the folder.
        QFile(copy).setPermissions(QFile(copy).permissions() | QFileDevice::WriteOwner);
    }
    writeApplicationFolder(copy);
}

data::Database runStartUp(const std::function<void()>& selfTest) {
    updatePathDatabase();

    const data::Database db =
        data::Database::OpenDatabase(platform::AppPaths::appFile(QStringLiteral("TALVENO_TEST.mdb")), false,
                                     false, QStringLiteral(";pwd=velkaro"));

    if (!db.exists(QStringLiteral("select * from CHECK_FILE")) && selfTest)
        selfTest();

    const char* const resets[] = {
        "delete from REPORT_DESTRIBUTER",
        "delete from TEST_CASE_NO_WAJBA_MAIN",
        "insert into LOAD_Vesparin_FORM(LOAD_Vesparin_FORM) values ('s')",
        "UPDATE  WARITH_GENERAL  SET no_check =0",
        "delete from Q_TIMES",
    };
    db.transaction([&] {
        for (const char* statement : resets)
            db.execute(QString::fromLatin1(statement));
        entry::ModelCaseQueue::reset(db);
    });
    // A database made before the quiz bank or the exercise bank shipped has the table but no
    // questions.
    training::QuizBank::seedIfEmpty(db);
    training::ExerciseBank::seedIfEmpty(db);
    return db;
}

} // namespace shell
