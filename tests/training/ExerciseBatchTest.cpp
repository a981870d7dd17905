#include "training/ExerciseBatch.h"
#include "training/ExerciseQuestion.h"
#include "training/QuestionStepper.h"

#include "support/ScriptedRandom.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

namespace {

using training::ExerciseBatch;
using training::QuestionStepper;

class BatchTest : public ::testing::Test {
protected:
    qint64 rows(const char* table) {
        return db.count(QStringLiteral("select count(*) from ") + QString::fromLatin1(table));
    }
    testsupport::TempAppFolder folder;
    data::Database db = folder.caseDatabase();
    testsupport::ScriptedRandom random;
};

TEST_F(BatchTest, EachLevelDrawsOnlyFromItsRange) {
    const struct {
        int level;
        double r;
        int drawn;
    } cases[] = {
        {1, 0.0, 0},    {1, 0.999999, 50}, {1, 0.5, 25},
        {2, 0.0, 51},   {2, 0.999999, 85}, {2, 0.5, 68},
        {3, 0.0, 86},   {3, 0.999999, 115},
    };
    for (const auto& c : cases) {
        random.push(c.r);
        EXPECT_EQ(ExerciseBatch::drawOne(c.level), c.drawn) << c.level << " " << c.r;
    }
}

TEST_F(BatchTest, ABatchHoldsFiveDistinctNumbersThroughZerosAndRepeats) {
    // Level 1 (draws of 51): a zero and a repeat in the first pass leave three numbers; the second
    // pass brings four new ones, seven in all, of which five make the batch.
    for (int n : {7, 0, 7, 12, 30, 12, 44, 3, 9, 20})
        random.nextDraw(n, 51);
    const QList<int> batch = ExerciseBatch::drawBatch(db, 1);
    EXPECT_EQ(random.taken(), 10);
    EXPECT_EQ(batch, (QList<int>{3, 7, 12, 30, 44}));
    EXPECT_EQ(rows("TEST_CASE_NO_WAJBA_MAIN"), 5);
    // The record of the batch holds the same five, nothing more.
    EXPECT_EQ(rows("TEST_CASE_NO_WAJBA"), 5);
    EXPECT_EQ(db.count("select count(*) from TEST_CASE_NO_WAJBA where case_no in (9, 20)"), 0);
}

TEST_F(BatchTest, APassOfNothingNewIsFollowedByAnother) {
    for (int k = 0; k < 5; ++k)
        random.nextDraw(60 - 51, 35); // 60 five times
    for (int n : {51, 52, 53, 85})
        random.nextDraw(n - 51, 35);
    random.nextDraw(0, 35); // 51 again
    const QList<int> batch = ExerciseBatch::drawBatch(db, 2);
    EXPECT_EQ(batch, (QList<int>{51, 52, 53, 60, 85}));
    EXPECT_EQ(random.taken(), 10);
}

TEST_F(BatchTest, TheSameSequenceDrawsTheSameBatch) {
    QList<QList<int>> batches;
    for (int run = 0; run < 2; ++run) {
        for (int n : {95, 88, 101, 115, 86})
            random.nextDraw(n - 86, 30);
        batches << ExerciseBatch::drawBatch(db, 3);
    }
    EXPECT_EQ(batches[0], batches[1]);
    EXPECT_EQ(batches[0], (QList<int>{86, 88, 95, 101, 115}));
}

TEST_F(BatchTest, ANewBatchEndsTheRetryAndTheCollectedAnswers) {
    db.execute("insert into Q_TIMES (Q_TIMES) values (2)");
    db.execute("insert into PRACTIC_SINGLE (case_no) values (4)");
    db.execute("insert into TEST_CASE_NO_WAJBA_MAIN (case_no) values (99)");
    for (int n : {1, 2, 3, 4, 5})
        random.nextDraw(n, 51);
    ExerciseBatch::drawBatch(db, 1);
    EXPECT_EQ(rows("Q_TIMES"), 0);
    EXPECT_EQ(rows("PRACTIC_SINGLE"), 0);
    EXPECT_EQ(ExerciseBatch::waiting(db), (QList<int>{1, 2, 3, 4, 5}));
}

TEST_F(BatchTest, ALevelIsKeptAndDropsTheCollectedAnswersButNotTheBatch) {
    db.execute("insert into TEST_CASE_NO_WAJBA_MAIN (case_no) values (7)");
    const struct {
        int level;
        const char* row;
    } cases[] = {{2, "2"}, {3, "3"}, {1, nullptr}};
    for (const auto& c : cases) {
        db.execute("insert into PRACTIC_SINGLE (case_no) values (7)");
        ExerciseBatch::chooseLevel(db, c.level);
        EXPECT_EQ(ExerciseBatch::storedLevel(db), c.level);
        const data::Rows kept = db.select("select OPTION_LEVEL_NO from OPTION_LEVEL_NO");
        ASSERT_EQ(kept.size(), c.row ? 1 : 0);
        if (c.row) {
            EXPECT_EQ(kept[0].value(0).toString(), QString::fromLatin1(c.row));
        }
        EXPECT_EQ(rows("PRACTIC_SINGLE"), 0);
        EXPECT_EQ(ExerciseBatch::waiting(db), QList<int>{7});
    }
}

// ------------------------------------------------------------------------------ stepper and load

TEST(StepperCaption, NamesTheQuestionAboutToLoad) {
    const struct {
        int waiting;
        const char* caption;
    } cases[] = {{5, "السؤال الاول"},   {4, "السؤال الثاني"}, {3, "السؤال الثالث"}, {2, "السؤال الرابع"},
                 {1, "السؤال الخامس"}, {0, ""},              {6, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(QuestionStepper::captionFor(c.waiting), QString::fromUtf8(c.caption)) << c.waiting;
}

TEST_F(BatchTest, TheStepperLoadsTheBatchInAscendingOrderAndThenOnlyHides) {
    for (int n : {20, 3, 41, 17, 8})
        db.execute("insert into TEST_CASE_NO_WAJBA_MAIN (case_no) values (?)", {n});
    db.execute("insert into Q_TIMES (Q_TIMES) values (1)");
    const QStringList captions = {"السؤال الاول", "السؤال الثاني", "السؤال الثالث", "السؤال الرابع",
                                  "السؤال الخامس"};
    const QList<int> order = {3, 8, 17, 20, 41};
    for (int k = 0; k < 5; ++k) {
        const QuestionStepper::Step step = QuestionStepper::press(db);
        EXPECT_EQ(step.caption, captions[k]);
        EXPECT_TRUE(step.visible);
        ASSERT_TRUE(step.loaded.has_value());
        EXPECT_EQ(step.loaded->case_no, order[k]);
        EXPECT_EQ(rows("TEST_CASE_NO_WAJBA_MAIN"), 4 - k) << "a first attempt consumes the question";
        EXPECT_EQ(rows("Q_TIMES"), 0);
    }
    // The learner has typed an answer to the fifth question; a further press keeps it.
    db.execute("update WARITH set no_check = 3");
    const qint64 heirs = rows("WARITH");
    const QuestionStepper::Step none = QuestionStepper::press(db);
    EXPECT_FALSE(none.visible);
    EXPECT_FALSE(none.loaded.has_value());
    EXPECT_EQ(rows("WARITH"), heirs);
    EXPECT_EQ(db.count("select count(*) from WARITH where no_check = 3 and case_no = 41"), heirs);
}

TEST_F(BatchTest, TheLoadFillsWarithInTheBanksOrderAndKeepsAPendingRetryInTheBatch) {
    db.execute("insert into WARITH (warith_relation, warith_name) values ('اخ', 'قديم')");
    db.execute("insert into TEST_CASE_NO_WAJBA_MAIN (case_no) values (63)");
    db.execute("insert into Q_TIMES (Q_TIMES) values (1)");
    const training::LoadedQuestion q = training::ExerciseQuestion::load(db, 63);
    ASSERT_TRUE(q.found);
    EXPECT_EQ(q.case_level, 2);
    EXPECT_FALSE(q.deth_name.isEmpty());
    QStringList got;
    for (const QSqlRecord& r : db.select("select warith_relation, case_no, case_level, no_check, deth_name from "
                                         "WARITH order by ar"))
        got << r.value(0).toString() + "|" + r.value(1).toString() + "|" + r.value(2).toString() + "|" +
                   r.value(3).toString() + "|" + r.value(4).toString();
    EXPECT_EQ(got, (QStringList{"زوج|63|2|0|", "بنت|63|2|0|", "بنت|63|2|0|", "اب|63|2|0|"}));
    EXPECT_EQ(ExerciseBatch::waiting(db), QList<int>{63}) << "a retry keeps the question in the batch";

    db.execute("delete from Q_TIMES");
    const training::LoadedQuestion missing = training::ExerciseQuestion::load(db, 63 + 1000);
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(rows("WARITH"), 0);
}

TEST_F(BatchTest, AQuestionsPreparerAndIssuingBodyJoinTheUsersListsOnce) {
    db.execute("update WARITH_GENERAL_TEST set DATA_ENTRY_NAME = 'معد', ADRESS_ENTRY_NAME = 'جهة ''س''' "
               "where case_no = 5");
    training::ExerciseQuestion::load(db, 5);
    const training::LoadedQuestion q = training::ExerciseQuestion::load(db, 5);
    EXPECT_EQ(q.issuingBody, "جهة 'س'");
    EXPECT_EQ(db.count("select count(*) from DATA_ENTRY_NAME where DATA_ENTRY_NAME = 'معد'"), 1);
    EXPECT_EQ(db.count("select count(*) from ADRESS_ENTRY_NAME where ADRESS_ENTRY_NAME = 'جهة ''س'''"), 1);
}

} // namespace
