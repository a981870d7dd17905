#include "shell/ExitPaths.h"
#include "shell/StartUpSequence.h"

#include "platform/AppPaths.h"
#include "platform/ProcessExit.h"
#include "platform/ProgramStarter.h"
#include "platform/widgets/MainMenuReturn.h"
#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testsupport::TempAppFolder;

namespace {

QStringList pathRows(const QString& driveD) {
    QStringList rows;
    const auto db = data::Database::OpenDatabase(QDir(driveD).filePath("TALVENO_TEST_R_MAKE.mdb"));
    for (const auto& r : db.select("select project_path from project_path order by rowid"))
        rows << r.value(0).toString();
    return rows;
}

TEST(StartUp, AnOlderDatabaseWithAnEmptyExerciseBankGetsTheBankOnce) {
    TempAppFolder folder;
    const auto db = folder.caseDatabase();
    const qint64 shipped = db.count("select count(*) from WARITH_GENERAL_TEST");
    ASSERT_GT(shipped, 0);
    db.execute("delete from WARITH_GENERAL_TEST");
    shell::runStartUp([] {});
    EXPECT_EQ(db.count("select count(*) from WARITH_GENERAL_TEST"), shipped);
    EXPECT_EQ(db.count("select count(distinct case_no) from WARITH_GENERAL_TEST"), 115);
    // A bank that holds questions, the user's own among them, is left as it is.
    db.execute("delete from WARITH_GENERAL_TEST where case_no > 1");
    shell::runStartUp([] {});
    EXPECT_EQ(db.count("select count(distinct case_no) from WARITH_GENERAL_TEST"), 1);
}

TEST(StartUp, AFreshFolderGetsThePathCopyTheSelfTestAndTheResets) {
    TempAppFolder folder;
    const auto db = folder.caseDatabase();
    db.execute("delete from STORDE_STANDERD"); // a catalogue of two, whatever ships
    db.execute("insert into STORDE_STANDERD (storde_case_no, storde_case_name) values (1, 'ا'), (2, 'ب')");
    db.execute("insert into STORDE_STANDERD_FROM_TO (storde_case_no) values (9)");
    db.execute("insert into STORDE_STANDERD_TEMP (storde_case_no) values (2)");
    db.execute("insert into REPORT_DESTRIBUTER values ('كامل')");
    db.execute("insert into TEST_CASE_NO_WAJBA_MAIN values (4)");
    db.execute("insert into Q_TIMES values (2)");
    db.execute("insert into WARITH_GENERAL (case_no, no_check) values (1, 7)");
    db.execute("insert into WARITH (warith_name, warith_relation) values ('زيد', 'ابن')");

    int selfTests = 0;
    QStringList seenAtSelfTest;
    shell::runStartUp([&] {
        ++selfTests;
        // The resets come after the self-test.
        seenAtSelfTest << db.scalar("select REPORT_DESTRIBUTER from REPORT_DESTRIBUTER").toString();
    });
    EXPECT_EQ(selfTests, 1);
    EXPECT_EQ(seenAtSelfTest, QStringList({"كامل"}));

    EXPECT_EQ(pathRows(platform::AppPaths::driveD()),
              QStringList({QDir::toNativeSeparators(platform::AppPaths::applicationFolder())}));
    for (const char* table :
         {"REPORT_DESTRIBUTER", "STORDE_STANDERD_TEMP", "TEST_CASE_NO_WAJBA_MAIN", "Q_TIMES"})
        EXPECT_EQ(db.count(QString("select count(*) from %1").arg(table)), 0) << table;
    EXPECT_EQ(db.count("select count(*) from STORDE_STANDERD_FROM_TO"), 2);
    EXPECT_EQ(db.count("select count(*) from LOAD_Vesparin_FORM where LOAD_Vesparin_FORM='s'"), 1);
    EXPECT_EQ(db.count("select max(no_check) from WARITH_GENERAL"), 0);
    EXPECT_EQ(db.count("select count(*) from WARITH"), 1);
}

TEST(StartUp, AUsedFolderKeepsItsCopySkipsTheSelfTestAndAddsAMarker) {
    TempAppFolder folder;
    const auto db = folder.caseDatabase();
    shell::runStartUp({});
    db.execute("insert into CHECK_FILE values ('1')");

    // The application moves to a folder whose name holds a quote: the copy on D: stays and
    // takes the new folder.
    data::Database::closeAll(); // the copy below must hold everything written so far
    QTemporaryDir moved;
    const QString newFolder = moved.filePath("o'brien");
    ASSERT_TRUE(QDir().mkpath(newFolder));
    ASSERT_TRUE(QFile::copy(folder.casePath(), QDir(newFolder).filePath("TALVENO_TEST.mdb")));
    const QString driveD = platform::AppPaths::driveD();
    platform::AppPaths::setApplicationFolder(newFolder);
    platform::AppPaths::setDriveD(driveD);

    int selfTests = 0;
    const auto moved_db = shell::runStartUp([&] { ++selfTests; });
    EXPECT_EQ(selfTests, 0);
    EXPECT_EQ(pathRows(driveD), QStringList({QDir::toNativeSeparators(newFolder)}));
    EXPECT_EQ(moved_db.count("select count(*) from LOAD_Vesparin_FORM"), 2);
}

TEST(StartUp, ADatabaseWithoutTheQuizBankGetsItAndAUsersBankIsKept) {
    TempAppFolder folder;
    const auto db = folder.caseDatabase();
    const qint64 shipped = db.count("select count(*) from QUESTUNS");
    db.execute("delete from QUESTUNS");
    shell::runStartUp({});
    EXPECT_EQ(db.count("select count(*) from QUESTUNS"), shipped);
    EXPECT_EQ(db.count("select count(distinct q_no) from QUESTUNS"), 39);

    db.execute("delete from QUESTUNS where q_no > 1");
    shell::runStartUp({});
    EXPECT_EQ(db.count("select count(distinct q_no) from QUESTUNS"), 1);
}

TEST(StartUp, AnUnwritableDriveDSkipsTheCopyWithoutStopping) {
    TempAppFolder folder;
    QFile blocker(folder.file("not-a-folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    platform::AppPaths::setDriveD(folder.file("not-a-folder/D"));
    testsupport::CapturedMessages messages;
    EXPECT_NO_THROW(shell::runStartUp({}));
    EXPECT_TRUE(messages.texts().isEmpty());
}

// Every database the program writes is checked at start-up; a damaged one is named and left as
// it is. Without the case database the program cannot go on.
TEST(StartUp, ADamagedDatabaseIsNamedAndNotWrittenInto) {
    struct Row {
        const char* file;
        bool onDriveD;
        bool ends;
    };
    const Row rows[] = {
        {"TALVENO_TEST_R_MAKE.mdb", true, false},
        {"TALVENO_TEST_REPORT.mdb", false, false},
        {"TALVENO_TEST.mdb", false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        TempAppFolder folder;
        shell::runStartUp({}); // the copy on D: is made
        data::Database::closeAll();
        const QString path =
            row.onDriveD ? QDir(platform::AppPaths::driveD()).filePath(row.file) : folder.file(row.file);
        const QByteArray damaged = testsupport::damage(path, testsupport::Damage::FirstTablePage);

        testsupport::CapturedMessages messages;
        if (row.ends)
            EXPECT_THROW(shell::runStartUp({}), platform::ProgramEnded);
        else
            EXPECT_NO_THROW(shell::runStartUp({}));
        EXPECT_EQ(messages.texts(), QStringList{"ملف قاعدة البيانات " + platform::AppPaths::shown(path) +
                                                " تالف، ولن يكتب البرنامج فيه."});
        data::Database::closeAll();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), damaged);
    }
}

// Another program holds one of the folder's databases when the program starts: the user is told
// which, and nothing of any database changes while it is held. Trying again once it is let go goes
// on with the start-up; ending leaves every file as it was.
TEST(StartUp, ADatabaseHeldAtStartUpIsNamedAndTheStartGoesOnOnceItIsLetGo) {
    struct Row {
        const char* file;
        bool tryAgain;
    };
    const Row rows[] = {
        {"TALVENO_TEST.mdb", true},
        {"TALVENO_TEST_REPORT.mdb", true},
        {"TALVENO_TEST.mdb", false},
        {"TALVENO_TEST_REPORT.mdb", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.file) + (row.tryAgain ? ", tried again" : ", ended"));
        TempAppFolder folder;
        const auto databases = [&] {
            QStringList bytes;
            for (const char* name : {"TALVENO_TEST.mdb", "TALVENO_TEST_REPORT.mdb"}) {
                QFile file(folder.file(name));
                EXPECT_TRUE(file.open(QIODevice::ReadOnly));
                bytes << QString::fromLatin1(file.readAll().toHex());
            }
            return bytes;
        };
        const QStringList before = databases();

        const QString held = folder.file(row.file);
        const QString other = QStringLiteral("other program");
        QSqlDatabase holder = QSqlDatabase::addDatabase("QSQLITE", other);
        holder.setDatabaseName(held);
        holder.setConnectOptions("QSQLITE_BUSY_TIMEOUT=0");
        ASSERT_TRUE(holder.open());
        ASSERT_TRUE(QSqlQuery(holder).exec("begin immediate"));

        struct Sink : platform::MessageSink {
            QStringList questions;
            std::function<bool()> answer;
            void show(const QString& text, platform::MessageIcon) override { questions << "shown: " + text; }
            bool askYesNo(const QString& text) override {
                questions << text;
                return answer();
            }
            QString input(const QString&, const QString&) override { return {}; }
        };
        auto sink = std::make_shared<Sink>();
        QStringList atQuestion;
        sink->answer = [&] {
            atQuestion = databases();
            // The user asks again once before closing the other program.
            if (sink->questions.size() == 1)
                return true;
            QSqlQuery(holder).exec("rollback");
            holder.close();
            return row.tryAgain;
        };
        platform::MessageService::setSink(sink);
        bool ended = false;
        try {
            shell::runStartUp({});
        } catch (const platform::ProgramEnded& e) {
            ended = true;
            EXPECT_EQ(e.code, 1);
        }
        platform::MessageService::setSink(nullptr);
        holder = QSqlDatabase();
        QSqlDatabase::removeDatabase(other);

        ASSERT_EQ(sink->questions.size(), 2) << sink->questions.join('\n').toStdString();
        for (const QString& asked : sink->questions) {
            EXPECT_TRUE(asked.startsWith("قاعدة البيانات " + platform::AppPaths::shown(held) +
                                         " مفتوحة لدى برنامج آخر"))
                << asked.toStdString();
            EXPECT_TRUE(asked.contains("«نعم» لإعادة المحاولة")) << asked.toStdString();
        }
        EXPECT_EQ(atQuestion, before) << "nothing is written while a database is held";
        EXPECT_EQ(ended, !row.tryAgain);
        if (row.tryAgain) {
            // The start-up went on: both databases are the program's, the work tables reset.
            const data::Database db = folder.caseDatabase();
            EXPECT_EQ(db.count("select count(*) from LOAD_Vesparin_FORM"), 1);
            EXPECT_EQ(data::Database::own(folder.file("TALVENO_TEST_REPORT.mdb")), data::Ownership::Owned);
        } else {
            EXPECT_EQ(databases(), before) << "ending leaves every database as it was";
        }
    }
}

class ExitPathsTest : public ::testing::Test {
protected:
    void TearDown() override { platform::ProgramStarter::setHandler({}); }
    TempAppFolder folder;
    data::Database db = folder.caseDatabase();
    void markRun() {
        db.execute("insert into CHECK_FILE values ('1')");
        db.execute("insert into LOAD_Vesparin_FORM values ('s')");
        db.execute("insert into LOAD_Vesparin_FORM values ('s')");
    }
};

TEST_F(ExitPathsTest, CleanExitEmptiesBothTablesAndEnds) {
    markRun();
    EXPECT_THROW(shell::ExitPaths::CleanExit(db), platform::ProgramEnded);
    EXPECT_EQ(db.count("select count(*) from CHECK_FILE"), 0);
    EXPECT_EQ(db.count("select count(*) from LOAD_Vesparin_FORM"), 0);
}

TEST_F(ExitPathsTest, TheMainMenuButtonStartsTheSiblingAndKeepsTheTables) {
    markRun();
    {
        QFile sibling(folder.file("Vesparin_TEST"));
        ASSERT_TRUE(sibling.open(QIODevice::WriteOnly));
    }
    QStringList started;
    platform::ProgramStarter::setHandler([&](const QString& p) {
        started << p;
        return true;
    });
    testsupport::CapturedMessages messages;
    EXPECT_THROW(shell::ExitPaths::MainMenuButton(), platform::ProgramEnded);
    EXPECT_EQ(started, QStringList({platform::AppPaths::appFile("Vesparin_TEST")}));
    EXPECT_TRUE(messages.texts().isEmpty());
    EXPECT_EQ(db.count("select count(*) from CHECK_FILE"), 1);
    EXPECT_EQ(db.count("select count(*) from LOAD_Vesparin_FORM"), 2);
}

// This product ships no tutorial program: the button then goes back to the main window.
// It stands in for a fresh start: a model-case range broken off is not queued for the next command.
TEST_F(ExitPathsTest, WithoutTheSiblingTheMainMenuButtonAsksForTheMainWindowAndDoesNotEnd) {
    markRun();
    db.execute("delete from STORDE_STANDERD");
    db.execute("insert into STORDE_STANDERD (storde_case_no, storde_case_name) values (1, 'ا'), (2, 'ب')");
    db.execute("insert into STORDE_STANDERD_FROM_TO (storde_case_no) values (2)");
    db.execute("insert into STORDE_STANDERD_TEMP (storde_case_no) values (2)");
    testsupport::CapturedMessages messages;
    EXPECT_NO_THROW(shell::ExitPaths::MainMenuButton());
    EXPECT_EQ(db.count("select count(*) from STORDE_STANDERD_TEMP"), 0);
    EXPECT_EQ(db.count("select count(*) from STORDE_STANDERD_FROM_TO"), 2);
    EXPECT_TRUE(platform::MainMenuReturn::requested());
    EXPECT_THROW(platform::MainMenuReturn::throwIfRequested(), platform::MainMenuReturn::Unwind);
    EXPECT_FALSE(platform::MainMenuReturn::requested());
    EXPECT_TRUE(messages.texts().isEmpty());
    EXPECT_EQ(db.count("select count(*) from CHECK_FILE"), 1);
}

TEST_F(ExitPathsTest, ASiblingThatCannotStartIsReportedAndTheMainWindowComesBack) {
    {
        QFile sibling(folder.file("Vesparin_TEST"));
        ASSERT_TRUE(sibling.open(QIODevice::WriteOnly));
    }
    platform::ProgramStarter::setHandler([](const QString&) { return false; });
    testsupport::CapturedMessages messages;
    EXPECT_NO_THROW(shell::ExitPaths::MainMenuButton());
    platform::ProgramStarter::setHandler({});
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.last().contains("Vesparin_TEST"));
    EXPECT_TRUE(platform::MainMenuReturn::requested());
    platform::MainMenuReturn::clear();
}

TEST_F(ExitPathsTest, ClosingTheMainWindowEmptiesTheTablesWithoutEnding) {
    markRun();
    EXPECT_NO_THROW(shell::ExitPaths::closeMainWindow(db));
    EXPECT_EQ(db.count("select count(*) from CHECK_FILE"), 0);
    EXPECT_EQ(db.count("select count(*) from LOAD_Vesparin_FORM"), 0);
}

} // namespace
