#include "entry/StoredCases.h"
#include "succession/StoredChains.h"

#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// Several running copies of the program store into one library at once. Each copy is this test
// program again, started with the library's path in its environment, running the writer below.
namespace {

const char* const WriterDatabase = "FARAID_TEST_WRITER_DATABASE";
constexpr int Writers = 4;
constexpr int StoresEach = 12;

// Every writer stores the same chain and the same single case: whichever copy's working rows a
// store reads, what it stores is known, so a lost or doubled row shows.
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

TEST(ConcurrentStoreWriter, StoresChainsAndCasesIntoTheLibraryItIsGiven) {
    const QString path = qEnvironmentVariable(WriterDatabase);
    if (path.isEmpty())
        GTEST_SKIP() << "run by RunningCopiesNeverShareANumber";
    testsupport::CapturedMessages messages;
    const data::Database db = data::Database::OpenDatabase(path);
    for (int i = 0; i < StoresEach; ++i) {
        fillChain(db);
        const auto chain = succession::StoredChains::store(db, {"", "", "المعد", "محكمة"});
        ASSERT_EQ(chain.kind, entry::StoredCases::Outcome::Kind::Done) << chain.message.toStdString();
        fillCase(db);
        const auto single = entry::StoredCases::store(db, {"احمد", "", "", "المعد", "محكمة"});
        ASSERT_EQ(single.kind, entry::StoredCases::Outcome::Kind::Done) << single.message.toStdString();
    }
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.last().toStdString();
}

TEST(ConcurrentStore, RunningCopiesNeverShareANumberAndLoseNothing) {
    testsupport::TempAppFolder folder;
    const data::Database db = folder.caseDatabase();
    std::vector<std::unique_ptr<QProcess>> copies;
    for (int w = 0; w < Writers; ++w) {
        auto copy = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(WriterDatabase, folder.casePath());
        copy->setProcessEnvironment(env);
        copy->setProcessChannelMode(QProcess::MergedChannels);
        copy->start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=ConcurrentStoreWriter.*", "--gtest_brief=1"});
        copies.push_back(std::move(copy));
    }
    for (auto& copy : copies) {
        ASSERT_TRUE(copy->waitForFinished(120000));
        EXPECT_EQ(copy->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(copy->exitCode(), 0) << copy->readAll().toStdString();
    }

    const qint64 stored = Writers * StoresEach;
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
