#include "data/FlagTable.h"
#include "platform/AppPaths.h"
#include "platform/ProcessExit.h"
#include "support/CapturedMessages.h"
#include "support/LockingProgram.h"
#include "support/TempAppFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSqlField>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

using data::Database;
using data::FlagTable;
using testsupport::CapturedMessages;
using testsupport::TempAppFolder;

namespace {

QStringList column(const data::Rows& rows, const QString& name) {
    QStringList out;
    for (const auto& r : rows)
        out << r.value(name).toString();
    return out;
}

class DatabaseTest : public ::testing::Test {
protected:
    TempAppFolder folder;
    Database db = folder.caseDatabase();
};

TEST_F(DatabaseTest, StoredCaseNumbersStartAtOneAndReuseTheHighestAfterItsDeletion) {
    EXPECT_EQ(db.nextNumber({"WARITH_GENERAL"}, "case_no"), 1);
    db.execute("insert into WARITH_GENERAL (case_no, warith_name) values (?, ?)", {1, "أحمد"});
    EXPECT_EQ(db.nextNumber({"WARITH_GENERAL"}, "case_no"), 2);
    db.execute("insert into WARITH_GENERAL (case_no, warith_name) values (?, ?)", {2, "علي"});
    db.execute("insert into WARITH_GENERAL (case_no, warith_name) values (?, ?)", {2, "فاطمة"});
    EXPECT_EQ(db.nextNumber({"WARITH_GENERAL"}, "case_no"), 3);
    db.execute("delete from WARITH_GENERAL where case_no=?", {2});
    EXPECT_EQ(db.nextNumber({"WARITH_GENERAL"}, "case_no"), 2);
}

TEST_F(DatabaseTest, FlagTableHoldsExactlyTheLastValueWritten) {
    struct Flag {
        const char* table;
        const char* column;
        QVariant value;
    };
    const Flag flags[] = {
        {"CASE_TYPE", "case_type", "مصدر المسألة"},
        {"RLAS_TABLE", "", "جديدة"},
        {"TYPS_TABLE", "", "مناسخة"},
        {"REPORT_DESTRIBUTER", "", "تركة"},
        {"DATA_ENTRY_NAME_REPORT", "DATA_ENTRY_NAME", "محمد"},
        {"ADRESS_ENTRY_NAME_REPORT", "ADRESS_ENTRY_NAME", "محكمة"},
        {"Q_TIMES", "", 1},
    };
    for (const auto& f : flags) {
        SCOPED_TRACE(f.table);
        FlagTable flag(db, f.table, f.column);
        EXPECT_FALSE(flag.isSet());
        EXPECT_EQ(flag.text(), QString());
        flag.write("قيمة سابقة");
        flag.write(f.value);
        EXPECT_EQ(db.count(QString("select count(*) as c from %1").arg(f.table)), 1);
        ASSERT_TRUE(flag.read().has_value());
        EXPECT_EQ(flag.read()->toString(), f.value.toString());
        flag.clear();
        EXPECT_FALSE(flag.isSet());
    }
}

TEST_F(DatabaseTest, PickListsKeepOneRowPerValueWithoutAnError) {
    for (int i = 0; i < 3; ++i) {
        db.execute("insert or ignore into DATA_ENTRY_NAME(DATA_ENTRY_NAME) values(?)", {"عبد الله"});
        db.execute("insert or ignore into ADRESS_ENTRY_NAME (ADRESS_ENTRY_NAME) values (?)", {"-"});
        db.execute("insert or ignore into TEST_CASE_NO_WAJBA (case_no) values(?)", {17});
    }
    EXPECT_EQ(db.count("select count(*) as c from DATA_ENTRY_NAME"), 1);
    EXPECT_EQ(db.count("select count(*) as c from ADRESS_ENTRY_NAME where ADRESS_ENTRY_NAME='-'"), 1);
    EXPECT_EQ(db.count("select count(*) as c from TEST_CASE_NO_WAJBA"), 1);
}

TEST_F(DatabaseTest, HeirsComeBackInEntryOrderAfterADeletion) {
    for (const char* name : {"A", "B", "C"})
        db.execute("insert into WARITH (warith_name, warith_relation) values (?, ?)", {name, "ابن"});
    db.execute("delete from WARITH where warith_name=?", {"B"});
    db.execute("insert into WARITH (warith_name, warith_relation) values (?, ?)", {"D", "بنت"});
    const auto rows = db.select("select * from warith order by ar");
    EXPECT_EQ(column(rows, "warith_name"), QStringList({"A", "C", "D"}));
    // A number once given is never given again, not even the highest after its deletion.
    const qint64 lastAr = rows[2].value("ar").toLongLong();
    db.execute("delete from WARITH where warith_name=?", {"D"});
    db.execute("insert into WARITH (warith_name, warith_relation) values (?, ?)", {"E", "بنت"});
    EXPECT_GT(db.scalar("select ar from WARITH where warith_name=?", {"E"}).toLongLong(), lastAr);
    // Readers compare and join the header columns: they are empty text, not Null.
    EXPECT_FALSE(rows[0].value("deth_name").isNull());
    EXPECT_EQ(rows[0].value("case_no").toInt(), 0);
}

TEST_F(DatabaseTest, ReportLinesComeBackInWritingOrder) {
    const QStringList lines = {"ز", "ا", "ب", "ي", "ت"};
    for (const auto& line : lines)
        db.execute("insert into PRINT_TEXT (print_text) values (?)", {line});
    EXPECT_EQ(column(db.select("select * from PRINT_TEXT order by rowid"), "print_text"), lines);
}

TEST_F(DatabaseTest, OpensWithAndWithoutTheConnectStringOnTheSameData) {
    const Database plain = Database::OpenDatabase(folder.casePath());
    const Database withPassword =
        Database::OpenDatabase(folder.casePath(), false, false, QStringLiteral(";pwd=velkaro"));
    withPassword.execute("insert into CHECK_FILE (CHECK_FILE) values ('1')");
    EXPECT_EQ(plain.count("select count(*) as c from CHECK_FILE"), 1);
    plain.execute("delete from CHECK_FILE");
    EXPECT_FALSE(withPassword.exists("select * from CHECK_FILE"));
}

TEST_F(DatabaseTest, ValuesWithApostrophesRoundTrip) {
    const QString name = "عبد الله 'الكبير'";
    const QString renamed = "O'Brien ''; drop table WARITH; --";
    db.execute("insert into WARITH (warith_name, warith_relation) values (?, ?)", {name, "ابن"});
    EXPECT_TRUE(db.exists("select * from WARITH where warith_name=?", {name}));
    db.execute("update WARITH set warith_name=? where warith_name=?", {renamed, name});
    EXPECT_EQ(db.scalar("select warith_name from WARITH").toString(), renamed);
    db.execute("delete from WARITH where warith_name=?", {renamed});
    EXPECT_EQ(db.count("select count(*) as c from WARITH"), 0);
}

TEST_F(DatabaseTest, AnEditThatFailsHalfWayLeavesTheStoredCaseWhole) {
    CapturedMessages messages;
    for (const char* name : {"A", "B"})
        db.execute("insert into WARITH_GENERAL (case_no, warith_name) values (?, ?)", {5, name});
    EXPECT_THROW(db.transaction([&] {
        db.execute("delete from WARITH_GENERAL where case_no=?", {5});
        db.execute("insert into WARITH_GENERAL (case_no, no_such_column) values (?, ?)", {5, "A"});
    }),
                 platform::ProgramEnded);
    EXPECT_EQ(
        column(db.select("select * from WARITH_GENERAL where case_no=? order by rowid", {5}), "warith_name"),
        QStringList({"A", "B"}));
    EXPECT_EQ(messages.texts().size(), 1);
}

TEST_F(DatabaseTest, AFailingStatementShowsOneArabicMessageNamingItAndEndsTheProgram) {
    CapturedMessages messages;
    EXPECT_THROW(db.execute("delete from NO_SUCH_TABLE"), platform::ProgramEnded);
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.last().contains("قاعدة البيانات"));
    EXPECT_TRUE(messages.last().contains("NO_SUCH_TABLE"));
    EXPECT_FALSE(messages.last().contains("no such table")) << "the driver's own words stay out";
}

TEST(DatabaseOpen, AMissingOrForeignFileEndsTheProgramWithItsName) {
    TempAppFolder folder;
    CapturedMessages messages;
    EXPECT_THROW(Database::OpenDatabase(folder.file("absent.mdb")), platform::ProgramEnded);
    EXPECT_TRUE(messages.last().contains("absent.mdb"));
    EXPECT_FALSE(QFile::exists(folder.file("absent.mdb")));

    QFile junk(folder.file("junk.mdb"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    EXPECT_THROW(Database::OpenDatabase(folder.file("junk.mdb")), platform::ProgramEnded);
    EXPECT_TRUE(messages.last().contains("junk.mdb"));
}

// The file's path as a message shows it: left to right as one unit inside the Arabic text.
QString shownPath(const QString& path) {
    return platform::AppPaths::shown(path);
}

// What a message says besides the path: Arabic only, no driver's English.
QString wordsBesides(const QString& message, const QString& path) {
    return QString(message).remove(shownPath(path));
}

const QRegularExpression Latin(QStringLiteral("[A-Za-z]"));

// Another program's connection to the file, on this thread or its own.
class OtherProgram {
public:
    explicit OtherProgram(const QString& path, const QString& name = QStringLiteral("other program"))
        : m_name(name) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=50"));
        EXPECT_TRUE(db.open());
    }
    ~OtherProgram() {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    qint64 count(const char* sql) const {
        QSqlQuery q(QSqlDatabase::database(m_name, false));
        EXPECT_TRUE(q.exec(QString::fromLatin1(sql)) && q.next()) << sql;
        return q.value(0).toLongLong();
    }
    void run(const char* sql) const {
        QSqlQuery q(QSqlDatabase::database(m_name, false));
        EXPECT_TRUE(q.exec(QString::fromLatin1(sql))) << sql;
    }

private:
    QString m_name;
};

// The program's own wait for a lock, in place of the tests' short one, for one test.
struct ProgramsLockWait {
    const int before = Database::lockWait();
    ProgramsLockWait() { Database::setLockWait(Database::DefaultLockWait); }
    ~ProgramsLockWait() { Database::setLockWait(before); }
};

TEST_F(DatabaseTest, ACommandOnADatabaseLockedByAnotherProgramFailsInArabicAndCanBeTriedAgain) {
    ProgramsLockWait programsWait;
    CapturedMessages messages;
    const auto store = [&] {
        db.writeTransaction([&] { db.execute("insert into WARITH (warith_name) values ('زيد')"); });
    };
    {
        OtherProgram other(folder.casePath());
        other.run("begin immediate");
        QElapsedTimer waited;
        waited.start();
        EXPECT_FALSE(db.attempt("خزن المسألة", store)); // the program goes on
        EXPECT_GE(waited.elapsed(), 4500) << "a lock is waited for some seconds before the refusal";
        ASSERT_EQ(messages.texts().size(), 1);
        const QString said = messages.last();
        EXPECT_TRUE(said.contains("خزن المسألة"));
        EXPECT_TRUE(said.contains(shownPath(folder.casePath()))) << said.toStdString();
        EXPECT_FALSE(wordsBesides(said, folder.casePath()).contains(Latin)) << said.toStdString();
        other.run("rollback");
    }
    EXPECT_TRUE(db.attempt("خزن المسألة", store));
    EXPECT_EQ(db.count("select count(*) from WARITH"), 1);
    EXPECT_EQ(messages.texts().size(), 1);
}

TEST_F(DatabaseTest, ACommandWaitsForAnotherProgramThatFinishesWithinTheWait) {
    ProgramsLockWait programsWait;
    CapturedMessages messages;
    std::promise<void> holding;
    std::thread otherProgram([&] {
        OtherProgram other(folder.casePath(), "short writer");
        other.run("begin immediate");
        other.run("insert into CHECK_FILE (CHECK_FILE) values ('1')");
        holding.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(800));
        other.run("commit");
    });
    holding.get_future().wait();
    EXPECT_TRUE(db.attempt("خزن المسألة", [&] {
        db.writeTransaction([&] { db.execute("insert into WARITH (warith_name) values ('زيد')"); });
    }));
    otherProgram.join();
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.last().toStdString();
    EXPECT_EQ(db.count("select count(*) from WARITH") + db.count("select count(*) from CHECK_FILE"), 2);
}

// The steps of an attempt are one write transaction: a lock that comes between two of them (here
// another program that wants the second table) cannot leave the first written alone.
TEST_F(DatabaseTest, AnAttemptRefusedPartWayLeavesNothingOfItsSteps) {
    CapturedMessages messages;
    OtherProgram other(folder.casePath());
    EXPECT_TRUE(db.attempt("خزن المسألة", [&] {
        db.execute("insert into WARITH (warith_name) values ('زيد')");
        // The other program waits for the lock the attempt took at its start.
        QSqlQuery q(QSqlDatabase::database("other program", false));
        EXPECT_FALSE(q.exec("begin immediate"));
        db.execute("insert into CHECK_FILE (CHECK_FILE) values ('1')");
    }));
    EXPECT_EQ(db.count("select count(*) from WARITH") + db.count("select count(*) from CHECK_FILE"), 2);

    other.run("begin immediate");
    EXPECT_FALSE(
        db.attempt("خزن المسألة", [&] { db.execute("insert into WARITH (warith_name) values ('عمرو')"); }));
    other.run("rollback");
    EXPECT_EQ(db.count("select count(*) from WARITH"), 1);
    ASSERT_EQ(messages.texts().size(), 1);
}

// A step that fails inside another transaction undoes its own part only.
TEST_F(DatabaseTest, ATransactionInsideAnotherUndoesOnlyItsOwnPart) {
    db.transaction([&] {
        db.execute("insert into WARITH (warith_name) values ('زيد')");
        try {
            db.transaction([&] {
                db.execute("insert into WARITH (warith_name) values ('عمرو')");
                throw std::runtime_error("refused");
            });
        } catch (const std::runtime_error&) {
        }
        db.execute("insert into CHECK_FILE (CHECK_FILE) values ('1')");
    });
    EXPECT_EQ(column(db.select("select warith_name from WARITH"), "warith_name"), QStringList({"زيد"}));
    EXPECT_EQ(db.count("select count(*) from CHECK_FILE"), 1);
}

// A user's command locks the database before it runs: refused whole while another program holds
// it, with one message naming the command and the file; run whole, in one transaction, once free.
TEST_F(DatabaseTest, ACommandRunsWholeUnderTheLockOrNotAtAll) {
    CapturedMessages messages;
    int ran = 0;
    const auto command = [&] {
        ++ran;
        db.execute("insert into WARITH (warith_name) values ('زيد')");
        db.execute("insert into CHECK_FILE (CHECK_FILE) values ('1')");
        return false;
    };
    const auto name = [] { return QStringLiteral("تنفيذ «خزن»"); };
    {
        OtherProgram other(folder.casePath());
        other.run("begin immediate");
        EXPECT_FALSE(Database::runCommand(name, command));
        other.run("rollback");
    }
    EXPECT_EQ(ran, 0);
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.last().startsWith("تعذر تنفيذ «خزن»: ")) << messages.last().toStdString();
    EXPECT_TRUE(messages.last().contains(shownPath(folder.casePath())));

    OtherProgram other(folder.casePath());
    EXPECT_TRUE(Database::runCommand(name, [&] {
        command();
        // Another program cannot come between the command's statements.
        QSqlQuery q(QSqlDatabase::database("other program", false));
        EXPECT_FALSE(q.exec("begin immediate"));
        // A command given within it is part of it.
        EXPECT_TRUE(Database::runCommand(name, [&] {
            db.execute("delete from CHECK_FILE");
            return false;
        }));
        return false;
    }));
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(db.count("select count(*) from WARITH") + db.count("select count(*) from CHECK_FILE"), 1);
    other.run("begin immediate"); // let go at the command's end
    other.run("rollback");
    EXPECT_EQ(messages.texts().size(), 1);
}

// A command that closed the screen the program waited on hands its work to the code that waited
// (the run of a case to its calculation): the lock stays until the program waits for the user.
TEST_F(DatabaseTest, ACommandThatHandsItsWorkOnKeepsTheLockUntilTheProgramWaitsAgain) {
    OtherProgram other(folder.casePath());
    const auto name = [] { return QStringLiteral("تنفيذ «تنفيذ»"); };
    EXPECT_TRUE(Database::runCommand(name, [&] {
        db.execute("insert into WARITH (warith_name) values ('زيد')");
        return true;
    }));
    // The calculation that follows: no other program has come in between.
    QSqlQuery q(QSqlDatabase::database("other program", false));
    EXPECT_FALSE(q.exec("begin immediate"));
    db.writeTransaction([&] { db.execute("insert into CHECK_FILE (CHECK_FILE) values ('1')"); });
    EXPECT_FALSE(q.exec("begin immediate"));

    testsupport::programWaitsForUser(); // the results screen waits for the user
    other.run("begin immediate");
    EXPECT_EQ(other.count("select count(*) from WARITH") + other.count("select count(*) from CHECK_FILE"), 2);
    other.run("rollback");
}

// Outside a command or an attempt nothing can take a refusal back: the statement waits, with a
// message, until the other program lets go, and then runs. The program goes on.
TEST_F(DatabaseTest, AStatementOutsideACommandWaitsOutTheLockAndRuns) {
    struct ReleasingSink : platform::MessageSink {
        QStringList texts;
        std::function<void()> onMessage;
        void show(const QString& text, platform::MessageIcon) override {
            texts << text;
            if (texts.size() == 2 && onMessage)
                onMessage(); // the user closed the other program after the second message
        }
        bool askYesNo(const QString&) override { return false; }
        QString input(const QString&, const QString&) override { return {}; }
    };
    auto sink = std::make_shared<ReleasingSink>();
    platform::MessageService::setSink(sink);
    OtherProgram other(folder.casePath());
    other.run("begin immediate");
    sink->onMessage = [&] { other.run("rollback"); };
    EXPECT_NO_THROW(db.execute("insert into WARITH (warith_name) values ('زيد')"));
    platform::MessageService::setSink(nullptr);
    EXPECT_EQ(db.count("select count(*) from WARITH"), 1);
    ASSERT_EQ(sink->texts.size(), 2);
    EXPECT_TRUE(sink->texts[0].contains(shownPath(folder.casePath())));
    EXPECT_TRUE(sink->texts[0].contains("مقفلة لدى برنامج آخر"));
    EXPECT_FALSE(wordsBesides(sink->texts[0], folder.casePath()).contains(Latin));
}

// The program names a damaged file and writes nothing into it, not even its journal mode.
TEST(DamagedDatabase, IsNamedInArabicAndNeverWrittenInto) {
    for (const auto where : {testsupport::Damage::Header, testsupport::Damage::FirstTablePage}) {
        SCOPED_TRACE(int(where));
        TempAppFolder folder;
        const QByteArray damaged = testsupport::damage(folder.casePath(), where);
        CapturedMessages messages;
        EXPECT_THROW(Database::OpenDatabase(folder.casePath()), platform::ProgramEnded);
        ASSERT_EQ(messages.texts().size(), 1);
        EXPECT_TRUE(messages.last().contains(shownPath(folder.casePath()))) << messages.last().toStdString();
        EXPECT_TRUE(messages.last().contains("تالف")) << messages.last().toStdString();
        EXPECT_FALSE(wordsBesides(messages.last(), folder.casePath()).contains(Latin));
        QFile file(folder.casePath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), damaged);
    }
}

} // namespace

namespace {

TEST(DatabaseTransactions, AnInnerTransactionJoinsTheOuterOne) {
    TempAppFolder folder;
    const Database db = folder.caseDatabase();
    testsupport::CapturedMessages messages;
    EXPECT_THROW(db.transaction([&] {
        FlagTable(db, "CASE_TYPE", "case_type").write("تركة"); // a transaction of its own
        db.execute("insert into WARITH (warith_name) values ('A')");
        db.execute("insert into NO_SUCH_TABLE values (1)");
    }),
                 platform::ProgramEnded);
    // The failure undid the inner steps too.
    EXPECT_FALSE(db.exists("select * from CASE_TYPE"));
    EXPECT_FALSE(db.exists("select * from WARITH"));

    db.transaction([&] {
        FlagTable(db, "CASE_TYPE", "case_type").write("تركة");
        db.execute("insert into WARITH (warith_name) values ('B')");
    });
    EXPECT_EQ(FlagTable(db, "CASE_TYPE", "case_type").text(), "تركة");
    EXPECT_EQ(db.count("select count(*) from WARITH"), 1);
}

} // namespace
