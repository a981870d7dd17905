#include "entry/StoredCases.h"
#include "succession/StoredChains.h"

#include "platform/AppPaths.h"
#include "platform/ProcessExit.h"
#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <string>

// Running copies of the program that would store into one library. Each copy is this test program
// again, started with the library's path in its environment, running the writer below.
namespace {

const char* const WriterDatabase = "FARAID_TEST_WRITER_DATABASE";
constexpr int SecondWriters = 3; // tried one after another while the first owns the library
constexpr int StoresEach = 12;

// The writer stores the same chain and the same single case each time: what every store holds is
// known, so a lost or doubled row shows.
void fillChain(const data::Database& db) {
    db.transaction([&] {
        db.execute("delete from MUNASKA_TEMP");
        const auto row = [&](const char* deceased, const char* relation, const char* heir, int arrange) {
            db.execute("insert into MUNASKA_TEMP (deth_name, warith_relation, warith_name, deth_status, "
                       "arrange) values (?, ?, ?, '', ?)",
                       {deceased, relation, heir, arrange});
        };
        row("احمد", "", "", 1);
        row("", "زوجة", "فاطمة", 1);
        row("", "ابن", "علي", 1);
        row("", "ابن", "حسن", 1);
        row("علي", "", "", 2);
        row("", "ام", "فاطمة", 2);
        row("", "اخ", "حسن", 2);
    });
}

void fillCase(const data::Database& db) {
    db.transaction([&] {
        db.execute("delete from WARITH");
        for (const char* heir : {"زينب", "عمر", "O'Neil"})
            db.execute("insert into WARITH (warith_relation, warith_name) values ('ابن', ?)", {heir});
    });
}

// A writer owns the library it is given, says so, and stores once its input gives it a line; a
// library another writer owns is refused at once, with the message the program shows.
TEST(ConcurrentStoreWriter, StoresChainsAndCasesIntoTheLibraryItIsGiven) {
    const QString path = qEnvironmentVariable(WriterDatabase);
    if (path.isEmpty())
        GTEST_SKIP() << "run by ConcurrentStore";
    testsupport::CapturedMessages messages;
    data::Database db;
    try {
        db = data::Database::OpenDatabase(path);
    } catch (const platform::ProgramEnded&) {
        std::cout << "refused " << messages.last().toStdString() << std::endl;
        return;
    }
    std::cout << "owned" << std::endl;
    std::string line;
    std::getline(std::cin, line);
    for (int i = 0; i < StoresEach; ++i) {
        fillChain(db);
        const auto chain = succession::StoredChains::store(db, {"", "", "المعد", "محكمة"});
        ASSERT_EQ(chain.kind, entry::StoredCases::Outcome::Kind::Done) << chain.message.toStdString();
        fillCase(db);
        const auto single = entry::StoredCases::store(db, {"احمد", "", "", "المعد", "محكمة"});
        ASSERT_EQ(single.kind, entry::StoredCases::Outcome::Kind::Done) << single.message.toStdString();
    }
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.last().toStdString();
    std::cout << "stored" << std::endl;
}

// Copies writing into one library at once could share a number or lose a row; a library is owned
// by one writer at a time instead: a second one is refused while the first owns it, and the
// first one's stores are all there, each under its own number.
TEST(ConcurrentStore, ASecondWriterIsRefusedWhileOneOwnsTheLibraryAndTheOwnersStoresAreAllThere) {
    testsupport::TempAppFolder folder;
    const auto startWriter = [&] {
        auto copy = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(WriterDatabase, folder.casePath());
        copy->setProcessEnvironment(env);
        copy->start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=ConcurrentStoreWriter.*", "--gtest_brief=1"});
        EXPECT_TRUE(copy->waitForStarted());
        return copy;
    };
    // Reads what the writer says until it owns the library or is refused.
    const auto firstWords = [](QProcess& copy) {
        QByteArray out;
        while (!out.contains("owned") && !out.contains("refused") && copy.waitForReadyRead(120000))
            out += copy.readAllStandardOutput();
        return QString::fromUtf8(out);
    };

    const auto owner = startWriter();
    ASSERT_TRUE(firstWords(*owner).contains("owned"));
    for (int w = 0; w < SecondWriters; ++w) {
        const auto second = startWriter();
        const QString words = firstWords(*second);
        EXPECT_TRUE(second->waitForFinished(120000));
        EXPECT_TRUE(words.contains(
            "refused " + data::HeldByAnotherProgram.arg(platform::AppPaths::shown(folder.casePath()))))
            << words.toStdString();
        EXPECT_FALSE(words.contains("owned"));
    }
    owner->write("go\n");
    owner->closeWriteChannel();
    ASSERT_TRUE(owner->waitForFinished(120000));
    EXPECT_EQ(owner->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(owner->exitCode(), 0);

    const data::Database db = folder.caseDatabase();
    const qint64 stored = StoresEach;
    // Numbers 1 to stored, each given once: every chain with its own two deceased and five heir
    // rows, every single case with its own three heirs.
    EXPECT_EQ(db.count("select count(distinct case_no) from DETH_GENERAL"), stored);
    EXPECT_EQ(db.count("select max(case_no) from DETH_GENERAL"), stored);
    EXPECT_FALSE(db.exists("select 1 from DETH_GENERAL group by case_no having count(*) <> 2"));
    EXPECT_FALSE(db.exists("select 1 from WARITH_DUBLE_GENERAL group by case_no having count(*) <> 5"));
    EXPECT_EQ(db.count("select count(distinct case_no) from WARITH_DUBLE_GENERAL"), stored);
    EXPECT_EQ(db.count("select count(distinct case_no) from WARITH_GENERAL"), stored);
    EXPECT_EQ(db.count("select max(case_no) from WARITH_GENERAL"), stored);
    EXPECT_FALSE(db.exists("select 1 from WARITH_GENERAL group by case_no having count(*) <> 3"));
}

} // namespace
