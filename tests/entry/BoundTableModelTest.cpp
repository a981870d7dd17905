#include "EntryFixture.h"

#include "entry/BoundTableModel.h"

#include <QAbstractItemModelTester>

namespace {

using entry::BoundTableModel;
using entrytest::EntryFixture;

class BoundTableModelTest : public EntryFixture {
protected:
    std::unique_ptr<BoundTableModel> heirsModel() {
        auto m = std::make_unique<BoundTableModel>(
            db, "WARITH",
            std::vector<BoundTableModel::Column>{{"warith_relation", "الصلة"}, {"warith_name", "اسم الوارث"}},
            "order by ar");
        tester = std::make_unique<QAbstractItemModelTester>(
            m.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        return m;
    }
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(BoundTableModelTest, ShowsTheRowsInEntryOrderAndAnEntryRowBelow) {
    addHeirs({{"زوجة", "فاطمة"}, {"ابن", "علي"}});
    db.execute("delete from WARITH where warith_name = 'فاطمة'");
    addHeirs({{"بنت", "زينب"}});
    auto m = heirsModel();
    ASSERT_EQ(m->rowCount(), 3);
    EXPECT_EQ(m->storedRows(), 2);
    EXPECT_EQ(m->cell(0, 1), "علي");
    EXPECT_EQ(m->cell(1, 0), "بنت");
    EXPECT_EQ(m->data(m->index(2, 0)).toString(), "");
    EXPECT_EQ(m->headerData(0, Qt::Horizontal).toString(), "الصلة");
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), "اسم الوارث");
    EXPECT_EQ(m->headerData(2, Qt::Vertical).toString(), "*");
}

TEST_F(BoundTableModelTest, ACellOnTheEntryRowAddsARowThatSortsLast) {
    addHeirs({{"ابن", "علي"}});
    auto m = heirsModel();
    ASSERT_TRUE(m->setData(m->index(1, 1), "O'Neil"));
    ASSERT_TRUE(m->setData(m->index(1, 0), "ابن"));
    EXPECT_EQ(m->rowCount(), 3);
    EXPECT_EQ(column("select warith_name from WARITH order by ar"), QStringList({"علي", "O'Neil"}));
    EXPECT_EQ(column("select warith_relation from WARITH order by ar"), QStringList({"ابن", "ابن"}));
    m->reload();
    EXPECT_EQ(m->cell(1, 1), "O'Neil");
}

TEST_F(BoundTableModelTest, ARefusedCellKeepsItsValueAndWritesNothing) {
    addHeirs({{"ابن", "علي"}});
    auto m = heirsModel();
    std::vector<std::tuple<int, int, QString>> asked;
    m->beforeColUpdate = [&](int row, int col, const QString& text) {
        asked.emplace_back(row, col, text);
        return false;
    };
    int writes = 0;
    m->beforeUpdate = [&] { ++writes; };
    EXPECT_FALSE(m->setData(m->index(0, 0), "بنت"));
    EXPECT_FALSE(m->setData(m->index(1, 1), "زينب"));
    EXPECT_EQ(asked, (std::vector<std::tuple<int, int, QString>>{{0, 0, "بنت"}, {1, 1, "زينب"}}));
    EXPECT_EQ(writes, 0);
    EXPECT_EQ(m->cell(0, 0), "ابن");
    EXPECT_EQ(m->rowCount(), 2);
    EXPECT_EQ(column("select warith_relation from WARITH"), QStringList{"ابن"});
}

TEST_F(BoundTableModelTest, TheWriteStepRunsBeforeEveryRowIsWritten) {
    auto m = heirsModel();
    QStringList seenAtWrite;
    m->beforeUpdate = [&] { seenAtWrite << column("select warith_name from WARITH order by ar").join(','); };
    m->setData(m->index(0, 1), "علي");
    m->setData(m->index(0, 0), "ابن");
    m->writeCell(1, 0, "بنت");
    // Each write sees the table as it was before it: an added row is not yet there.
    EXPECT_EQ(seenAtWrite, QStringList({"", "علي", "علي"}));
}

TEST_F(BoundTableModelTest, DeletingRowsRemovesThemFromTheTable) {
    addHeirs({{"ابن", "علي"}, {"بنت", "زينب"}, {"اخ", "عمر"}});
    auto m = heirsModel();
    int afterDelete = 0;
    m->afterDelete = [&] { ++afterDelete; };
    EXPECT_FALSE(m->removeRows(3, 1)); // the entry row
    ASSERT_TRUE(m->removeRows(1, 1));
    EXPECT_EQ(afterDelete, 1);
    EXPECT_EQ(m->rowCount(), 3);
    EXPECT_EQ(column("select warith_name from WARITH order by ar"), QStringList({"علي", "عمر"}));
}

} // namespace
