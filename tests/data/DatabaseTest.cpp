#include "data/FlagTable.h"
#include "platform/AppPaths.h"
#include "platform/ProcessExit.h"
#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlField>
#include <QSqlQuery>

#include <gtest/gtest.h>

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

// The program owns every database it opens: from the open on, another program can neither take
// the write lock, nor write, nor read, and the program itself never meets a lock.
TEST_F(DatabaseTest, AnOwnedFileRefusesEveryOtherConnectionAndTheProgramNeverWaits) {
    OtherProgram other(folder.casePath());
    for (const char* sql : {"begin immediate", "insert into CHECK_FILE (CHECK_FILE) values ('1')",
                            "select count(*) from WARITH"}) {
        QSqlQuery q(QSqlDatabase::database("other program", false));
        EXPECT_FALSE(q.exec(QString::fromLatin1(sql))) << sql;
        EXPECT_EQ(q.lastError().nativeErrorCode().toInt() & 0xff, 5) << sql; // SQLITE_BUSY
    }
    CapturedMessages messages;
    db.transaction([&] { db.execute("insert into WARITH (warith_name) values ('زيد')"); });
    db.execute("insert into CHECK_FILE (CHECK_FILE) values ('1')");
    EXPECT_TRUE(messages.texts().isEmpty());
    EXPECT_EQ(db.count("select count(*) from WARITH") + db.count("select count(*) from CHECK_FILE"), 2);
    // A store the program reports as done is on the disk: full sync of every commit.
    EXPECT_EQ(db.count("pragma synchronous"), 2);
}

// A file that another program holds when the program comes to own it is not taken: nothing is
// written, no connection stays behind, and the file is taken once the other program lets go.
TEST(DatabaseOwnership, AFileHeldByAnotherProgramIsLeftAsItWasUntilItIsLetGo) {
    TempAppFolder folder;
    const QString path = folder.file("TALVENO_TEST_REPORT.mdb");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    {
        OtherProgram other(path);
        other.run("begin immediate");
        QElapsedTimer waited;
        waited.start();
        EXPECT_EQ(Database::own(path), data::Ownership::Held);
        // A program that only reads for a moment is given a second to finish.
        EXPECT_GE(waited.elapsed(), 900);
        EXPECT_EQ(Database::own(path), data::Ownership::Held) << "no connection of the refused try is kept";
        other.run("rollback");
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    file.close();
    EXPECT_EQ(Database::own(path), data::Ownership::Owned);
    EXPECT_EQ(Database::OpenDatabase(path).count("select count(*) from REPORT_DESTRIBUTER"), 0);
}

TEST(DatabaseOwnership, WhatCannotBeOwnedIsNamedInArabic) {
    TempAppFolder folder;
    const QString damaged = folder.file("TALVENO_TEST_REPORT.mdb");
    testsupport::damage(damaged, testsupport::Damage::FirstTablePage);
    const struct {
        QString path;
        data::Ownership outcome;
        const char* says;
    } cases[] = {
        {folder.file("absent.mdb"), data::Ownership::Missing, "غير موجودة"},
        {damaged, data::Ownership::Damaged, "تالف"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        EXPECT_EQ(Database::own(c.path), c.outcome);
        const QString said = data::ownershipRefusal(c.outcome, shownPath(c.path));
        EXPECT_TRUE(said.contains(QString::fromUtf8(c.says))) << said.toStdString();
        EXPECT_TRUE(said.contains(shownPath(c.path)));
        EXPECT_FALSE(wordsBesides(said, c.path).contains(Latin)) << said.toStdString();
    }
    EXPECT_FALSE(QFile::exists(folder.file("absent.mdb")));
    EXPECT_TRUE(data::ownershipRefusal(data::Ownership::Held, shownPath(damaged)).contains("برنامج آخر"));
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

// Bytes of every file of a database: the file itself and the journal beside it.
QByteArrayList databaseFiles(const QString& path) {
    QByteArrayList bytes;
    for (const QString& name : {path, path + "-wal", path + "-journal"}) {
        QFile file(name);
        bytes << (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("absent"));
    }
    return bytes;
}

// The program names a damaged file and writes nothing into it: not its journal mode, and not a
// write-ahead journal an earlier run left beside it.
TEST(DamagedDatabase, IsNamedInArabicAndNeverWrittenInto) {
    enum class Journal { Rollback, LeftByAnEarlierRun };
    const struct {
        const char* what;
        testsupport::Damage where;
        Journal journal;
    } cases[] = {
        {"header, rollback journal", testsupport::Damage::Header, Journal::Rollback},
        {"first table, rollback journal", testsupport::Damage::FirstTablePage, Journal::Rollback},
        {"first table, journal of an earlier run", testsupport::Damage::FirstTablePage,
         Journal::LeftByAnEarlierRun},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempAppFolder folder;
        const QString path = folder.file("copy.mdb");
        {
            QSqlDatabase earlier = QSqlDatabase::addDatabase("QSQLITE", "earlier run");
            earlier.setDatabaseName(folder.casePath());
            ASSERT_TRUE(earlier.open());
            QSqlQuery q(earlier);
            if (c.journal == Journal::Rollback) {
                ASSERT_TRUE(q.exec("pragma journal_mode=DELETE"));
                q.finish();
                earlier.close();
                ASSERT_TRUE(QFile::copy(folder.casePath(), path));
            } else {
                // Rows of a table away from the page to be damaged, still in the journal when the
                // earlier run ended without closing the file.
                ASSERT_TRUE(q.exec("pragma wal_autocheckpoint=0"));
                ASSERT_TRUE(q.exec("insert into WARITH (warith_name) values ('زيد'), ('عمرو')"));
                ASSERT_TRUE(QFile::copy(folder.casePath(), path));
                ASSERT_TRUE(QFile::copy(folder.casePath() + "-wal", path + "-wal"));
                earlier.close();
            }
        }
        QSqlDatabase::removeDatabase("earlier run");
        testsupport::damage(path, c.where);
        const QByteArrayList before = databaseFiles(path);
        ASSERT_EQ(before[1] == "absent", c.journal == Journal::Rollback);

        CapturedMessages messages;
        EXPECT_THROW(Database::OpenDatabase(path), platform::ProgramEnded);
        ASSERT_EQ(messages.texts().size(), 1);
        EXPECT_TRUE(messages.last().contains(shownPath(path))) << messages.last().toStdString();
        EXPECT_TRUE(messages.last().contains("تالف")) << messages.last().toStdString();
        EXPECT_FALSE(wordsBesides(messages.last(), path).contains(Latin));
        EXPECT_EQ(databaseFiles(path), before);
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
