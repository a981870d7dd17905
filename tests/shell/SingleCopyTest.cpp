#include "shell/ApplicationSetup.h"
#include "shell/StartUpSequence.h"

#include "entry/StoredCases.h"
#include "platform/AppPaths.h"
#include "platform/ProcessExit.h"
#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QSysInfo>

#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <string>

#include <unistd.h>

// Running copies of the program on one application folder. Each copy is this test program again,
// started with the folder in its environment: it starts as the program does and stays running
// until its input is closed.
namespace {

const char* const CopyFolder = "FARAID_TEST_COPY_FOLDER";
// How many single cases the copy stores once it has started (none when unset).
const char* const CopyStores = "FARAID_TEST_COPY_STORES";
const QString AlreadyRunning = QStringLiteral("البرنامج مفتوح في نافذة اخرى، أغلقها أولاً");

TEST(RunningCopy, StartsOnTheFolderItIsGivenAndRunsUntilItsInputCloses) {
    const QString folder = qEnvironmentVariable(CopyFolder);
    if (folder.isEmpty())
        GTEST_SKIP() << "run by the copies below";
    shell::prepareApplication(*qApp);
    platform::AppPaths::setApplicationFolder(folder);
    platform::AppPaths::setDriveD(QDir(folder).filePath("D"));
    testsupport::CapturedMessages messages;
    try {
        shell::runStartUp({});
    } catch (const platform::ProgramEnded& ended) {
        std::cout << "ended " << ended.code << '\n' << messages.texts().join('\n').toStdString() << std::endl;
        return;
    }
    std::cout << "started" << std::endl;
    if (const int stores = qEnvironmentVariableIntValue(CopyStores); stores > 0) {
        const data::Database db =
            data::Database::OpenDatabase(platform::AppPaths::appFile(QStringLiteral("TALVENO_TEST.mdb")));
        for (int i = 0; i < stores; ++i) {
            db.transaction([&] {
                db.execute("delete from WARITH");
                for (const char* heir : {"زينب", "عمر"})
                    db.execute("insert into WARITH (warith_relation, warith_name) values ('ابن', ?)", {heir});
            });
            const auto stored = entry::StoredCases::store(db, {"احمد", "", "", "المعد", "محكمة"});
            if (stored.kind != entry::StoredCases::Outcome::Kind::Done) {
                std::cout << "refused " << stored.message.toStdString() << std::endl;
                return;
            }
        }
        std::cout << "stored" << std::endl;
    }
    std::string line;
    std::getline(std::cin, line);
}

// Every file under the folder with a digest of its bytes, the running copy's journal and lock
// included.
QMap<QString, QString> filesUnder(const QString& folder) {
    QMap<QString, QString> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << f.fileName().toStdString();
        files.insert(QDir(folder).relativeFilePath(f.fileName()),
                     QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex());
    }
    return files;
}

class SingleCopyTest : public ::testing::Test {
protected:
    std::unique_ptr<QProcess> start(int stores = 0) const { return startOn(folder.path(), stores); }
    static std::unique_ptr<QProcess> startOn(const QString& path, int stores = 0) {
        auto copy = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(CopyFolder, path);
        env.insert(CopyStores, QString::number(stores));
        copy->setProcessEnvironment(env);
        copy->start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=RunningCopy.*", "--gtest_brief=1"});
        EXPECT_TRUE(copy->waitForStarted());
        return copy;
    }
    // Waits until the copy has said `word` or ended; answers what it said.
    static QString firstWords(QProcess& copy, const char* word = "started") {
        QByteArray out;
        while (!out.contains(word) && !out.contains("ended") && !out.contains("refused") &&
               copy.waitForReadyRead(60000))
            out += copy.readAllStandardOutput();
        if (out.contains("ended")) {
            copy.waitForFinished(60000);
            out += copy.readAllStandardOutput();
        }
        return QString::fromUtf8(out);
    }
    static void stop(QProcess& copy) {
        copy.closeWriteChannel();
        EXPECT_TRUE(copy.waitForFinished(60000));
    }

    testsupport::TempAppFolder folder;
};

TEST_F(SingleCopyTest, ASecondCopyOnTheFolderEndsWithAMessageAndChangesNoFile) {
    const auto first = start();
    ASSERT_TRUE(firstWords(*first).contains("started"));
    const QMap<QString, QString> before = filesUnder(folder.path());

    const auto second = start();
    const QString said = firstWords(*second);
    EXPECT_TRUE(said.contains("ended 1")) << said.toStdString();
    EXPECT_TRUE(said.contains(AlreadyRunning)) << said.toStdString();
    EXPECT_EQ(filesUnder(folder.path()), before);

    // The first copy goes on as before, and once it has ended the folder is free again.
    stop(*first);
    const auto third = start();
    EXPECT_TRUE(firstWords(*third).contains("started"));
    stop(*third);
}

TEST_F(SingleCopyTest, TheLockOfAKilledCopyIsTakenOver) {
    const auto killed = start();
    ASSERT_TRUE(firstWords(*killed).contains("started"));
    killed->kill();
    ASSERT_TRUE(killed->waitForFinished(60000));

    const auto next = start();
    const QString said = firstWords(*next);
    EXPECT_TRUE(said.contains("started")) << said.toStdString();
    stop(*next);
}

// A lock file as a copy killed at any moment, or another program, may leave it: only a number
// of a living copy of the program keeps the folder.
TEST_F(SingleCopyTest, ALockFileThatNamesNoLivingCopyIsTakenOver) {
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    const QByteArray program = QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8();
    const auto lockOf = [&](qint64 pid) {
        return QByteArray::number(pid) + '\n' + program + '\n' + host + '\n';
    };

    qint64 deadPid = 0;
    {
        QProcess gone;
        gone.start("true");
        ASSERT_TRUE(gone.waitForStarted());
        deadPid = gone.processId();
        ASSERT_TRUE(gone.waitForFinished());
    }
    testsupport::TempAppFolder otherFolder;
    const auto livingCopy = startOn(otherFolder.path());
    ASSERT_TRUE(firstWords(*livingCopy).contains("started"));

    const struct {
        const char* what;
        QByteArray contents;
        int ageSeconds;
        bool takenOver;
    } cases[] = {
        {"empty, left long ago", "", 600, true},
        // Its writer has had time enough: the start waits for that, then takes it.
        {"empty, just made", "", 0, true},
        {"a blank line", "\n", 600, true},
        {"garbage", QByteArray("\xff\xfe\0 not a number\n\n", 18), 600, true},
        {"a number with letters", "12x\n", 600, true},
        {"a number beyond any process", "99999999999\n", 600, true},
        {"a negative number", "-1\nshell_tests\n", 600, true},
        {"a dead process", lockOf(deadPid), 0, true},
        {"the init process", lockOf(1), 0, true},
        {"the test's parent, another program", lockOf(getppid()), 0, true},
        {"a living copy", lockOf(livingCopy->processId()), 600, false},
        {"a process on another machine", QByteArray::number(deadPid) + '\n' + program + "\nelsewhere\n", 0,
         false},
    };
    const QString lockFile = folder.file("faraid.lock");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile file(lockFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.contents);
        file.setFileTime(QDateTime::currentDateTime().addSecs(-c.ageSeconds),
                         QFileDevice::FileModificationTime);
        file.close();

        const auto copy = start();
        const QString said = firstWords(*copy);
        if (c.takenOver) {
            EXPECT_TRUE(said.contains("started")) << said.toStdString();
            QLockFile taken(lockFile);
            qint64 holder = 0;
            QString hostName, application;
            EXPECT_TRUE(taken.getLockInfo(&holder, &hostName, &application));
            EXPECT_EQ(holder, copy->processId());
            stop(*copy);
        } else {
            if (said.contains("started"))
                stop(*copy);
            EXPECT_TRUE(said.contains("ended 1")) << said.toStdString();
            EXPECT_TRUE(said.contains(AlreadyRunning)) << said.toStdString();
            QFile kept(lockFile);
            ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
            EXPECT_EQ(kept.readAll(), c.contents);
        }
    }
    stop(*livingCopy);
}

// Every database of the folder is the running copy's own: another program can neither lock nor
// write nor read it, and is told the database is locked.
TEST_F(SingleCopyTest, ARunningCopyKeepsEveryDatabaseOfItsFolderToItself) {
    const auto copy = start();
    ASSERT_TRUE(firstWords(*copy).contains("started"));
    for (const char* name : {"TALVENO_TEST.mdb", "TALVENO_TEST_REPORT.mdb"}) {
        SCOPED_TRACE(name);
        const QString path = folder.file(name);
        {
            QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other program");
            other.setDatabaseName(path);
            other.setConnectOptions("QSQLITE_BUSY_TIMEOUT=0");
            ASSERT_TRUE(other.open());
            for (const char* sql :
                 {"begin immediate", "select count(*) from sqlite_master", "create table intruder (x)"}) {
                QSqlQuery q(other);
                EXPECT_FALSE(q.exec(QString::fromLatin1(sql))) << sql;
                EXPECT_EQ(q.lastError().nativeErrorCode().toInt() & 0xff, 5) << sql; // SQLITE_BUSY
            }
            other.close();
        }
        QSqlDatabase::removeDatabase("other program");

        const QString cli = QStandardPaths::findExecutable("sqlite3");
        ASSERT_FALSE(cli.isEmpty()) << "the set-up script installs sqlite3";
        QProcess shell;
        shell.start(cli, {path, "begin immediate;"});
        ASSERT_TRUE(shell.waitForFinished(60000));
        EXPECT_NE(shell.exitCode(), 0);
        EXPECT_TRUE(shell.readAllStandardError().contains("database is locked"));
    }
    stop(*copy);
}

// A copy killed mid-run leaves no database half written: the next start opens every one and finds
// every store the killed copy reported done.
TEST_F(SingleCopyTest, AfterACopyIsKilledTheNextStartFindsItsStoresWhole) {
    constexpr int Stores = 3;
    const auto killed = start(Stores);
    ASSERT_TRUE(firstWords(*killed, "stored").contains("stored"));
    killed->kill();
    ASSERT_TRUE(killed->waitForFinished(60000));

    const auto next = start();
    ASSERT_TRUE(firstWords(*next).contains("started"));
    stop(*next);
    const data::Database db = folder.caseDatabase();
    EXPECT_EQ(db.count("select count(distinct case_no) from WARITH_GENERAL"), Stores);
    EXPECT_FALSE(db.exists("select 1 from WARITH_GENERAL group by case_no having count(*) <> 2"));
    EXPECT_EQ(db.scalar("pragma integrity_check").toString(), "ok");
    EXPECT_EQ(data::Database::own(folder.file("TALVENO_TEST_REPORT.mdb")), data::Ownership::Owned);
}

// A database another program holds when a copy starts: the copy names it and ends without
// changing a byte, and starts once the other program has let go.
TEST_F(SingleCopyTest, ADatabaseHeldBeforeTheStartIsNamedAndChangedInNothing) {
    const auto before = filesUnder(folder.path());
    {
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other program");
        other.setDatabaseName(folder.casePath());
        ASSERT_TRUE(other.open());
        ASSERT_TRUE(QSqlQuery(other).exec("begin immediate"));
        const auto copy = start();
        const QString said = firstWords(*copy);
        EXPECT_TRUE(said.contains("ended 1")) << said.toStdString();
        EXPECT_TRUE(said.contains(QString("قاعدة البيانات %1 مفتوحة لدى برنامج آخر")
                                      .arg(platform::AppPaths::shown(folder.casePath()))))
            << said.toStdString();
        QSqlQuery(other).exec("rollback");
        other.close();
    }
    QSqlDatabase::removeDatabase("other program");
    auto after = filesUnder(folder.path());
    after.remove("faraid.lock"); // the ended copy's, taken over by the next
    EXPECT_EQ(after, before);

    const auto copy = start();
    EXPECT_TRUE(firstWords(*copy).contains("started"));
    stop(*copy);
}

} // namespace
