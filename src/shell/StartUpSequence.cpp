#include "shell/StartUpSequence.h"

#include "entry/ModelCaseQueue.h"
#include "platform/AppPaths.h"
#include "platform/MessageService.h"
#include "platform/ProcessExit.h"
#include "platform/SingleCopyLock.h"
#include "training/ExerciseBank.h"
#include "training/QuizBank.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <memory>

namespace shell {

namespace {

const QString PathDatabase = QStringLiteral("TALVENO_TEST_R_MAKE.mdb");
const QString ReportDatabase = QStringLiteral("TALVENO_TEST_REPORT.mdb");
const QString LockFileName = QStringLiteral("faraid.lock");
const QString AlreadyRunning = QStringLiteral("البرنامج مفتوح في نافذة اخرى، أغلقها أولاً");
const QString NoLockFile = QStringLiteral("لا يمكن تشغيل البرنامج: تعذر إنشاء ملف القفل في المجلد %1");
const QString TryAgainOrEnd =
    QStringLiteral(" أغلق ذلك البرنامج ثم اختر «نعم» لإعادة المحاولة، أو «لا» لإنهاء البرنامج.");

// Two running copies on one application folder would share the work tables: a store in one
// would save the heirs typed in the other. The lock is held for the whole process. The program
// ends by ending the process, which leaves the file behind; the next start finds its process
// gone, or the file never written, and takes the file over.
void holdApplicationFolder() {
    static std::unique_ptr<QLockFile> held;
    static QString heldPath;
    const QString path = platform::AppPaths::appFile(LockFileName);
    if (held && heldPath == path)
        return;
    held.reset();
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0); // a copy that runs for days is not stale; only one whose process is gone
    if (const QLockFile::LockError error = platform::SingleCopyLock::take(*lock);
        error != QLockFile::NoError) {
        if (error == QLockFile::LockFailedError)
            platform::MessageService::show(AlreadyRunning, platform::MessageIcon::Warning);
        else
            platform::MessageService::show(
                NoLockFile.arg(platform::AppPaths::shown(platform::AppPaths::applicationFolder())),
                platform::MessageIcon::Critical);
        platform::ProcessExit::end(1);
    }
    held = std::move(lock);
    heldPath = path;
}

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

// Takes the file for the program's own; while another program holds it, the user closes that
// program and tries again, or ends. Nothing is written before the file is the program's.
data::Ownership ownOrEnd(const QString& path) {
    for (;;) {
        const data::Ownership outcome = data::Database::own(path);
        if (outcome != data::Ownership::Held)
            return outcome;
        if (!platform::MessageService::askYesNo(
                data::HeldByAnotherProgram.arg(platform::AppPaths::shown(path)) + TryAgainOrEnd)) {
            // The files owned so far are closed before the end, so no journal of this start is
            // left beside them.
            data::Database::closeAll();
            platform::ProcessExit::end(1);
        }
    }
}

// Every database of the application folder is the program's own from here until it ends, so no
// command can meet another program's lock. The case database is the program's work: without it
// the program ends. The report database is written only when a division is printed; a damaged
// one is named now and refused then.
void ownDatabases() {
    const QString casePath = platform::AppPaths::appFile(QStringLiteral("TALVENO_TEST.mdb"));
    if (const data::Ownership outcome = ownOrEnd(casePath); outcome != data::Ownership::Owned)
        platform::ProcessExit::fail(data::ownershipRefusal(outcome, platform::AppPaths::shown(casePath)));
    const QString report = platform::AppPaths::appFile(ReportDatabase);
    if (const data::Ownership outcome = ownOrEnd(report);
        outcome == data::Ownership::Damaged || outcome == data::Ownership::Unusable)
        platform::MessageService::show(data::ownershipRefusal(outcome, platform::AppPaths::shown(report)),
                                       platform::MessageIcon::Critical);
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
    if (data::Database::isDamaged(copy)) {
        platform::MessageService::show(data::DamagedFile.arg(platform::AppPaths::shown(copy)),
                                       platform::MessageIcon::Critical);
        return;
    }
    writeApplicationFolder(copy);
}

data::Database runStartUp(const std::function<void()>& selfTest) {
    holdApplicationFolder();
    ownDatabases();
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
