#include "training/AnswerGrading.h"
#include "training/AnswerHandIn.h"
#include "training/ExerciseQuestion.h"
#include "training/ExerciseResume.h"

#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

namespace {

using training::ExerciseResume;

TEST(ExerciseResumeCaption, NamesTheQuestionInHand) {
    const struct {
        int waiting;
        bool retry;
        const char* caption;
    } cases[] = {
        {5, false, ""}, {4, false, "السؤال الثاني"}, {3, false, "السؤال الثالث"}, {2, false, "السؤال الرابع"},
        {1, false, "السؤال الخامس"}, {0, false, ""},
        {5, true, ""}, {4, true, "السؤال الاول"}, {3, true, "السؤال الثاني"}, {2, true, "السؤال الثالث"},
        {1, true, "السؤال الرابع"}, {0, true, "السؤال الخامس"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExerciseResume::stepperCaption(c.waiting, c.retry), QString::fromUtf8(c.caption))
            << c.waiting << " " << c.retry;
}

class ResumeTest : public ::testing::Test {
protected:
    testsupport::TempAppFolder folder;
    data::Database db = folder.caseDatabase();
    QStringList asked;
    std::function<bool(const QString&)> answer(bool yes) {
        return [this, yes](const QString& q) {
            asked << q;
            return yes;
        };
    }
};

TEST_F(ResumeTest, ARetriedQuestionComesBackUnderItsOwnNumberWithItsDeceased) {
    training::ExerciseQuestion::load(db, 63);
    db.execute("update WARITH set no_check = 2");
    QString message;
    ASSERT_TRUE(training::AnswerHandIn::handIn(db, 63, "بتول", "ع", message));
    // A stale number in the hand-off row does not redirect the question.
    training::AnswerGrading::handOff(db, 12, "بتول");
    const ExerciseResume::InHand h = ExerciseResume::check(db, answer(true));
    EXPECT_TRUE(h.kept);
    EXPECT_TRUE(h.fromBank);
    EXPECT_EQ(h.questionNo, 63);
    EXPECT_EQ(h.deceased, "بتول");
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(db.count("select count(*) from case_no"), 0);
    EXPECT_EQ(db.count("select count(*) from WARITH where no_check = 2"), 4);
}

TEST_F(ResumeTest, ABankQuestionWithoutAHandOffRowAndHandTypedHeirs) {
    training::ExerciseQuestion::load(db, 5);
    EXPECT_FALSE(ExerciseResume::check(db, answer(true)).kept);
    EXPECT_EQ(db.count("select count(*) from WARITH"), 0);

    const struct {
        bool yes;
        bool named;
        bool kept;
    } cases[] = {{true, true, true}, {false, true, false}, {true, false, false}};
    for (const auto& c : cases) {
        asked.clear();
        db.execute("delete from WARITH");
        db.execute("insert into WARITH (warith_relation, warith_name, deth_name, case_name) values ('ابن', 'ا', ?, 'ع')",
                   {c.named ? QVariant(QStringLiteral("زيد")) : QVariant(QMetaType(QMetaType::QString))});
        const ExerciseResume::InHand h = ExerciseResume::check(db, answer(c.yes));
        EXPECT_EQ(asked, QStringList{ExerciseResume::unsavedQuestion()});
        EXPECT_EQ(h.kept, c.kept) << c.yes << c.named;
        EXPECT_EQ(db.count("select count(*) from WARITH"), c.kept ? 1 : 0);
        if (c.kept) {
            EXPECT_EQ(h.deceased, "زيد");
        }
    }
}

} // namespace
