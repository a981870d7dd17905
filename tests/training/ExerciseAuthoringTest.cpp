#include "training/ExerciseAuthoring.h"

#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

namespace {

using training::ExerciseAuthoring;

class AuthoringTest : public ::testing::Test {
protected:
    void heirs() {
        db.execute("delete from WARITH");
        db.execute(
            "insert into WARITH (warith_relation, warith_name) values ('زوجة', 'هند'), ('ابن', 'علي')");
    }
    qint64 rows(const QString& sql, const QVariantList& params = {}) { return db.count(sql, params); }

    testsupport::TempAppFolder folder;
    data::Database db = folder.caseDatabase();
};

TEST_F(AuthoringTest, StoreNumbersAfterTheBanksHighestAndRefusesABankQuestion) {
    heirs();
    ExerciseAuthoring::Fields f{"زيد", "", "", "2", "معد", "جهة"};
    const auto first = ExerciseAuthoring::store(db, f);
    EXPECT_TRUE(first.done);
    EXPECT_EQ(first.number, 116) << "the shipped bank ends at 115";
    EXPECT_EQ(first.message, "  تم خزن المسالة تحت رقم التسلسل    116");
    EXPECT_EQ(f.title, "زيد") << "an empty title takes the deceased's name";
    EXPECT_EQ(rows("select count(*) from WARITH_GENERAL_TEST where case_no = 116 and case_level = 2 and "
                   "case_name = 'زيد' and DATA_ENTRY_NAME = 'معد' and ADRESS_ENTRY_NAME = 'جهة'"),
              2);
    EXPECT_EQ(rows("select count(*) from WARITH where case_no = 116"), 2);

    f.questionNo = "116";
    const auto again = ExerciseAuthoring::store(db, f);
    EXPECT_FALSE(again.done);
    EXPECT_EQ(again.message, "مسالة مخزونة");
    EXPECT_EQ(rows("select count(*) from WARITH_GENERAL_TEST where case_no > 115"), 2);

    db.execute("delete from WARITH_GENERAL_TEST");
    ExerciseAuthoring::Fields blank{"عمر", "عنوان", "", "", "", ""};
    const auto one = ExerciseAuthoring::store(db, blank);
    EXPECT_EQ(one.number, 1);
    EXPECT_EQ(rows("select count(*) from WARITH_GENERAL_TEST where case_no = 1 and case_level = 0"), 2)
        << "an empty level box stores 0";
}

// A damaged bank: text and fractions are no question number; at the largest number the store is
// refused and nothing is written.
TEST_F(AuthoringTest, StoreCountsWholeNumbersOnlyAndRefusesPastTheLargest) {
    heirs();
    db.execute("delete from WARITH_GENERAL_TEST");
    db.execute("insert into WARITH_GENERAL_TEST (case_no) values (3), ('نص'), (''), (7.5)");
    ExerciseAuthoring::Fields f{"زيد", "", "", "", "", ""};
    EXPECT_EQ(ExerciseAuthoring::store(db, f).number, 4);

    db.execute("insert into WARITH_GENERAL_TEST (case_no) values (9223372036854775807)");
    const qint64 before = rows("select count(*) from WARITH_GENERAL_TEST");
    ExerciseAuthoring::Fields next{"عمر", "", "", "", "", ""};
    const auto refused = ExerciseAuthoring::store(db, next);
    EXPECT_FALSE(refused.done);
    EXPECT_TRUE(refused.critical);
    EXPECT_EQ(refused.message, data::NoNumberLeft);
    EXPECT_EQ(rows("select count(*) from WARITH_GENERAL_TEST"), before);
    EXPECT_EQ(rows("select count(*) from WARITH where case_no <> 4"), 0) << "the heirs keep their number";
}

TEST_F(AuthoringTest, AnIncompleteQuestionIsRefusedByStoreAndEdit) {
    ExerciseAuthoring::Fields f{"زيد", "ع", "7", "1", "", ""};
    for (const auto& o : {ExerciseAuthoring::store(db, f), ExerciseAuthoring::edit(db, f)}) {
        EXPECT_FALSE(o.done);
        EXPECT_EQ(o.message, "تفاصيل المسألة غير مكتملة");
        EXPECT_TRUE(o.critical);
    }
    heirs();
    f.deceased.clear();
    EXPECT_EQ(ExerciseAuthoring::store(db, f).message, "تفاصيل المسألة غير مكتملة");
    EXPECT_EQ(rows("select count(*) from WARITH_GENERAL_TEST where case_no = 7"), 3);
}

TEST_F(AuthoringTest, EditAndDeleteActOnTheQuestionInHandAndNameIt) {
    heirs();
    ExerciseAuthoring::Fields f{"زيد", "عنوان", "7", "", "", ""};
    const auto edited = ExerciseAuthoring::edit(db, f);
    EXPECT_TRUE(edited.done);
    EXPECT_EQ(edited.message, "  تم تعديل المسالة  رقم     7");
    EXPECT_EQ(rows("select count(*) from WARITH_GENERAL_TEST where case_no = 7"), 2);
    EXPECT_EQ(rows("select count(*) from WARITH_GENERAL_TEST where case_no = 7 and case_level = 0"), 2);
    EXPECT_EQ(rows("select count(*) from WARITH_GENERAL_TEST where case_no = 8"), 3) << "others untouched";

    ExerciseAuthoring::Fields noTitle{"زيد", "", "7", "", "", ""};
    EXPECT_FALSE(ExerciseAuthoring::edit(db, noTitle).done);
    EXPECT_TRUE(ExerciseAuthoring::edit(db, noTitle).message.isEmpty());

    const auto deleted = ExerciseAuthoring::remove(db, f);
    EXPECT_TRUE(deleted.done);
    EXPECT_EQ(deleted.message, "  تم حذف المسالة  رقم     7");
    EXPECT_EQ(rows("select count(*) from WARITH_GENERAL_TEST where case_no = 7"), 0);
    EXPECT_EQ(rows("select count(*) from WARITH"), 0);
    EXPECT_TRUE(f.title.isEmpty());
    EXPECT_EQ(f.questionNo, "7") << "the number stays the question in hand";

    ExerciseAuthoring::Fields none{"زيد", "ع", "", "", "", ""};
    EXPECT_FALSE(ExerciseAuthoring::remove(db, none).done);
}

} // namespace
