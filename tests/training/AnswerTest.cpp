#include "training/AnswerGrading.h"
#include "training/AnswerHandIn.h"
#include "training/AnswerSums.h"
#include "training/ExerciseQuestion.h"
#include "training/VerdictKeeper.h"
#include "training/ExerciseResultsActions.h"

#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

namespace {

using training::AnswerGrading;
using training::AnswerHandIn;
using training::AnswerSums;
using training::Verdict;

class AnswerTest : public ::testing::Test {
protected:
    void heir(const char* relation, const char* name, QVariant share, int caseNo = 9) {
        db.execute("insert into WARITH (warith_relation, warith_name, no_check, case_no) values (?, ?, ?, ?)",
                   {QString::fromUtf8(relation), QString::fromUtf8(name), share, caseNo});
    }
    // A report line of the calculation, as the engine writes it for an heir.
    void reported(const char* relation, const char* share) {
        db.execute("insert into PRINT_TEXT (kinds, share, print_text, case_ser) values (?, ?, 'س', '     1')",
                   {QString::fromUtf8(relation), QString::fromUtf8(share)});
    }
    qint64 rows(const QString& sql) { return db.count(sql); }

    testsupport::TempAppFolder folder;
    data::Database db = folder.caseDatabase();
};

// ----------------------------------------------------------------------------- sums and heir types

TEST_F(AnswerTest, TheTotalFollowsTheEnteredShares) {
    EXPECT_EQ(AnswerSums::total(db), "");
    heir("ابن", "ا", QVariant());
    EXPECT_EQ(AnswerSums::total(db), "") << "no share entered yet";
    heir("بنت", "ب", 12);
    heir("بنت", "ج", 6);
    db.execute("update WARITH set no_check = 6 where warith_name = 'ا'");
    EXPECT_EQ(AnswerSums::total(db), "24");
}

TEST_F(AnswerTest, TheHeirTypesListFewestFirstWithTheirCounts) {
    EXPECT_TRUE(AnswerSums::relationSummary(db).isEmpty());
    heir("ابن", "ا", 0);
    heir("زوجة", "ب", 0);
    heir("ابن", "ج", 0);
    heir("ابن", "د", 0);
    heir("ام", "ه", 0);
    EXPECT_EQ(AnswerSums::relationSummary(db), (QStringList{"ام", "زوجة", "ابن -التكرار: 3"}));
}

TEST(ShareCell, TakesWholeNumbersInEitherDigitsAndRefusesTheRest) {
    const struct {
        const char* text;
        bool ok;
        qint64 value;
    } cases[] = {
        {"7", true, 7},   {"١٢", true, 12},     {"۱۲", true, 12}, {" 40 ", true, 40}, {"", true, 0},
        {"1/8", false, 0}, {"-3", false, 0},    {"+3", false, 0}, {"٣.٥", false, 0}, {"ثلاثة", false, 0},
        {"1234567890123456789", false, 0},
    };
    for (const auto& c : cases) {
        qint64 value = -1;
        EXPECT_EQ(AnswerSums::parseShare(QString::fromUtf8(c.text), value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
    EXPECT_EQ(AnswerSums::refusedShare(), "الحصة غير صحيحة");
}

// --------------------------------------------------------------------------------------- hand-in

TEST_F(AnswerTest, TheHandInRefusesAnIncompleteQuestionAndWritesNothing) {
    QString message;
    EXPECT_FALSE(AnswerHandIn::handIn(db, 9, "زيد", "ع", message));
    EXPECT_EQ(message, "تفاصيل المسألة غير مكتملة");
    heir("ابن", "ا", 1);
    EXPECT_FALSE(AnswerHandIn::handIn(db, 9, "", "ع", message));
    EXPECT_EQ(message, "تفاصيل المسألة غير مكتملة");
    EXPECT_EQ(rows("select count(*) from PRACTIC_SINGLE"), 0);
    EXPECT_EQ(rows("select count(*) from WARITH where deth_name <> ''"), 0);
}

TEST_F(AnswerTest, TheHandInFilesTheAnswerUnderTheQuestionsOwnNumberOnly) {
    // Rows of another question answered right stay; the earlier hand-in of this one is replaced.
    db.execute("insert into PRACTIC_SINGLE (case_no, warith_name) values (4, 'قديم4'), (9, 'قديم9')");
    heir("زوج", "ا", 1);
    heir("بنت", "ب", 3);
    heir("اخ", "مضاف", 0, 0); // a row the learner added: no number of its own
    QString message;
    ASSERT_TRUE(AnswerHandIn::handIn(db, 9, "امنة 'ام علي'", "عنوان", message));
    EXPECT_EQ(rows("select count(*) from PRACTIC_SINGLE where case_no = 9"), 3);
    EXPECT_EQ(rows("select count(*) from PRACTIC_SINGLE where warith_name = 'قديم9'"), 0);
    EXPECT_EQ(rows("select count(*) from PRACTIC_SINGLE where case_no = 4"), 1);
    EXPECT_EQ(rows("select count(*) from WARITH where deth_name = 'امنة ''ام علي''' and case_name = 'عنوان' "
                   "and case_no = 9"),
              3);

    // Handed in again (a retry): one set of its rows.
    ASSERT_TRUE(AnswerHandIn::handIn(db, 9, "امنة", "عنوان", message));
    EXPECT_EQ(rows("select count(*) from PRACTIC_SINGLE where case_no = 9"), 3);
    EXPECT_EQ(rows("select count(*) from PRACTIC_SINGLE"), 4);
}

// --------------------------------------------------------------------------------------- grading

TEST_F(AnswerTest, GradingTable) {
    struct Heir {
        const char* relation;
        QVariant share;
    };
    const struct {
        const char* title;
        std::vector<Heir> heirs;
        Verdict::Kind kind;
        QStringList wrong;
        bool kept; // the question's rows stay in PRACTIC_SINGLE
    } cases[] = {
        {"all right", {{"زوج", 1}, {"بنت", 2}, {"اخ", 1}}, Verdict::Kind::Right, {}, true},
        {"one wrong", {{"زوج", 1}, {"بنت", 3}, {"اخ", 0}}, Verdict::Kind::Wrong, {"بنت", "اخ"}, false},
        {"an empty share is 0", {{"زوج", 1}, {"بنت", QVariant()}, {"اخ", 1}}, Verdict::Kind::Wrong, {"بنت"}, false},
        {"0 where the heir takes nothing", {{"زوج", 1}, {"بنت", 2}, {"اخ", 1}, {"اخ لام", 0}},
         Verdict::Kind::Right, {}, true},
        {"an added heir of a reported relation", {{"زوج", 1}, {"بنت", 2}, {"اخ", 1}, {"بنت", 1}},
         Verdict::Kind::Wrong, {"بنت"}, false},
        {"an heir with no report row is not graded", {{"زوج", 1}, {"بنت", 2}, {"اخ", 1}, {"عم", 5}},
         Verdict::Kind::Right, {}, true},
        {"nothing to compare", {}, Verdict::Kind::NothingToCompare, {}, true},
        {"no relation reported", {{"عم", 5}}, Verdict::Kind::NothingToCompare, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        db.execute("delete from WARITH");
        db.execute("delete from PRINT_TEXT");
        db.execute("delete from PRACTIC_SINGLE");
        reported("زوج", "1");
        reported("بنت", "2");
        reported("اخ", "1");
        reported("اخ لام", "0");
        int k = 0;
        for (const Heir& h : c.heirs)
            heir(h.relation, QByteArray::number(++k).constData(), h.share);
        QString message;
        if (!c.heirs.empty()) {
            ASSERT_TRUE(AnswerHandIn::handIn(db, 9, "زيد", "ع", message));
        }
        db.execute("insert into PRACTIC_SINGLE (case_no) values (4)");

        const Verdict v = AnswerGrading::grade(db);
        EXPECT_EQ(v.kind, c.kind);
        EXPECT_EQ(v.wrongRelations, c.wrong);
        EXPECT_EQ(rows("select count(*) from PRACTIC_SINGLE where case_no = 9") > 0, c.kept && !c.heirs.empty());
        EXPECT_EQ(rows("select count(*) from PRACTIC_SINGLE where case_no = 4"), 1) << "another question stays";
        EXPECT_EQ(v.text(), c.kind == Verdict::Kind::Right   ? QString("صح... النتيجة 20 من 20")
                            : c.kind == Verdict::Kind::Wrong ? QString("خطأ... النتيجة 0 من 20")
                                                             : QString());
    }
}

TEST_F(AnswerTest, FinalScoreCountsOnlyTheBatchsQuestionsAnsweredRight) {
    const struct {
        std::vector<int> right; // questions with rows left in PRACTIC_SINGLE
        int score;
        bool pass;
    } cases[] = {
        {{}, 0, false},
        {{3, 8}, 40, false},
        {{3, 8, 17}, 60, true},
        {{3, 8, 17, 20, 41}, 100, true},
        {{3, 8, 17, 20, 41, 60, 61}, 100, true}, // hand-typed or stored numbers are not the batch's
    };
    for (int n : {3, 8, 17, 20, 41})
        db.execute("insert into TEST_CASE_NO_WAJBA (case_no) values (?)", {n});
    for (const auto& c : cases) {
        db.execute("delete from PRACTIC_SINGLE");
        for (int n : c.right) {
            db.execute("insert into PRACTIC_SINGLE (case_no, warith_relation) values (?, 'ابن')", {n});
            db.execute("insert into PRACTIC_SINGLE (case_no, warith_relation) values (?, 'بنت')", {n});
        }
        const training::FinalScore f = AnswerGrading::finalScore(db);
        EXPECT_FALSE(f.unfinished);
        EXPECT_EQ(f.score, c.score);
        EXPECT_EQ(f.pass(), c.pass);
        EXPECT_EQ(f.text(), " النتيجة النهائية " + QString::number(c.score) + " من مئة ");
    }
}

TEST_F(AnswerTest, NoFinalScoreWhileTheBatchHasQuestionsWaiting) {
    db.execute("insert into TEST_CASE_NO_WAJBA (case_no) values (3)");
    db.execute("insert into TEST_CASE_NO_WAJBA_MAIN (case_no) values (8)");
    db.execute("insert into PRACTIC_SINGLE (case_no) values (3)");
    const training::FinalScore f = AnswerGrading::finalScore(db);
    EXPECT_TRUE(f.unfinished);
    EXPECT_EQ(AnswerGrading::unfinishedMessage(), "اكمل بقية اسئلة الوجبة للحصول على النتيجة النهائية");
    EXPECT_EQ(rows("select count(*) from PRACTIC_SINGLE"), 1);
}

TEST_F(AnswerTest, TwoFurtherAttemptsAndTheThirdRequestIsRefused) {
    EXPECT_TRUE(AnswerGrading::anotherAttempt(db));
    EXPECT_TRUE(AnswerGrading::anotherAttempt(db));
    EXPECT_FALSE(AnswerGrading::anotherAttempt(db));
    EXPECT_EQ(rows("select Q_TIMES from Q_TIMES"), 3);
    EXPECT_EQ(rows("select count(*) from Q_TIMES"), 1);
}

TEST_F(AnswerTest, TheHandOffRowCarriesTheQuestionAndTheDeceased) {
    db.execute("insert into case_no (case_no, \"case\") values (1, 'x'), (2, 'y')");
    AnswerGrading::handOff(db, 63, "عبد الله");
    const data::Rows r = db.select("select case_no, \"case\" from case_no");
    ASSERT_EQ(r.size(), 1);
    EXPECT_EQ(r[0].value(0).toInt(), 63);
    EXPECT_EQ(r[0].value(1).toString(), "عبد الله");
}

} // namespace

namespace {

TEST_F(AnswerTest, AVerdictBelongsToItsHandIn) {
    training::VerdictKeeper keeper;
    reported("زوج", "1");
    reported("بنت", "1");
    heir("زوج", "ا", 1);
    heir("بنت", "ب", 2);
    QString message;
    ASSERT_TRUE(AnswerHandIn::handIn(db, 9, "زيد", "ع", message));
    keeper.handedIn();
    EXPECT_EQ(keeper.onShow(db).kind, Verdict::Kind::Wrong);
    EXPECT_EQ(rows("select count(*) from PRACTIC_SINGLE"), 0);

    // Later showings without a new calculation: the same verdict, nothing deleted, even when the
    // rows were put back meanwhile.
    ASSERT_TRUE(AnswerHandIn::handIn(db, 9, "زيد", "ع", message));
    for (int showing = 0; showing < 3; ++showing) {
        const Verdict& again = keeper.onShow(db);
        EXPECT_EQ(again.kind, Verdict::Kind::Wrong);
        EXPECT_EQ(again.wrongRelations, QStringList{"بنت"});
    }
    EXPECT_EQ(rows("select count(*) from PRACTIC_SINGLE"), 2);

    // The retried answer, handed in and calculated, gets a verdict of its own.
    db.execute("update WARITH set no_check = 1");
    ASSERT_TRUE(AnswerHandIn::handIn(db, 9, "زيد", "ع", message));
    keeper.handedIn();
    EXPECT_EQ(keeper.onShow(db).kind, Verdict::Kind::Right);
    EXPECT_EQ(rows("select count(*) from PRACTIC_SINGLE where case_no = 9"), 2);
}

} // namespace

namespace {

using training::ExerciseResultsActions;

TEST_F(AnswerTest, GoingOnWithTheBatchHandsOffTheNextQuestionOrGivesTheFinalScore) {
    db.execute("insert into TEST_CASE_NO_WAJBA (case_no) values (3), (8)");
    db.execute("insert into TEST_CASE_NO_WAJBA_MAIN (case_no) values (8)");
    db.execute("insert into Q_TIMES (Q_TIMES) values (1)");
    db.execute("insert into PRACTIC_SINGLE (case_no) values (3)");
    heir("ابن", "ا", 1, 3);
    training::FinalScore score;
    EXPECT_TRUE(ExerciseResultsActions::continueBatch(db, 3, "زيد", score));
    EXPECT_EQ(rows("select count(*) from Q_TIMES"), 0);
    EXPECT_EQ(rows("select count(*) from WARITH"), 0);
    EXPECT_EQ(rows("select count(*) from case_no where case_no = 3 and \"case\" = 'زيد'"), 1);

    // The last question answered: going on gives the final score and stays.
    db.execute("delete from TEST_CASE_NO_WAJBA_MAIN");
    heir("ابن", "ب", 1, 8);
    EXPECT_FALSE(ExerciseResultsActions::continueBatch(db, 8, "عمر", score));
    EXPECT_FALSE(score.unfinished);
    EXPECT_EQ(score.score, 20);
    EXPECT_EQ(rows("select count(*) from WARITH"), 0);
}

TEST_F(AnswerTest, ANewGroupDropsTheBatchButNotTheBank) {
    db.execute("insert into TEST_CASE_NO_WAJBA_MAIN (case_no) values (8)");
    db.execute("insert into Q_TIMES (Q_TIMES) values (2)");
    db.execute("insert into PRACTIC_SINGLE (case_no) values (3)");
    heir("ابن", "ا", 1, 3);
    const qint64 bank = rows("select count(*) from WARITH_GENERAL_TEST");
    ExerciseResultsActions::newGroup(db);
    for (const char* table : {"Q_TIMES", "WARITH", "TEST_CASE_NO_WAJBA_MAIN", "PRACTIC_SINGLE"})
        EXPECT_EQ(rows(QStringLiteral("select count(*) from ") + QString::fromLatin1(table)), 0) << table;
    EXPECT_EQ(rows("select count(*) from WARITH_GENERAL_TEST"), bank);
}

} // namespace
