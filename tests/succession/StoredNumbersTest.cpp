#include "entry/StoredCases.h"
#include "succession/StoredChains.h"

#include "ChainFixture.h"

#include <functional>
#include <limits>

// A library whose number column holds rows that are no whole number (a damaged file, or one
// written by another program): text, a blank and a fraction beside real cases.
namespace {

using entry::StoredCases::Outcome;
using Kind = Outcome::Kind;
namespace SC = entry::StoredCases;
namespace SCh = succession::StoredChains;

constexpr qint64 Largest = std::numeric_limits<qint64>::max();

struct Library {
    const char* name;
    const char* table; // the stored rows that carry the name
    const char* nameColumn;
    std::function<void(const successiontest::ChainFixture&)> type; // the case or chain on screen
    std::function<Outcome(const data::Database&)> store;
    std::function<entry::StoredCaseList()> all;
};

const Library Libraries[] = {
    {"single case", "WARITH_GENERAL", "deth_name",
     [](const successiontest::ChainFixture& f) {
         f.db.execute("delete from WARITH");
         f.db.execute("insert into WARITH (warith_relation, warith_name) values ('ابن', 'علي')");
     },
     [](const data::Database& db) {
         return SC::store(db, {"محمد", "", "", "المعد", ""});
     },
     &SC::all},
    {"chain", "DETH_GENERAL", "case_name",
     [](const successiontest::ChainFixture& f) {
         f.db.execute("delete from MUNASKA_TEMP");
         f.twoDeceased();
     },
     [](const data::Database& db) {
         return SCh::store(db, {"", "", "المعد", ""});
     },
     &SCh::all},
};

class StoredNumbersTest : public successiontest::ChainFixture {
protected:
    void storedRow(const Library& library, const QVariant& number, const QString& name) const {
        db.execute(
            QString("insert into %1 (case_no, %2) values (?, ?)").arg(library.table, library.nameColumn),
            {number, name});
    }
    // Rows no store may count or show.
    void damage(const Library& library) const {
        storedRow(library, QStringLiteral("رقم"), "نص");
        storedRow(library, QStringLiteral(""), "فارغ");
        storedRow(library, 2.5, "كسر");
    }
    // The lines offered for loading, as number/name, by number.
    QStringList listed(const Library& library) const {
        QStringList lines;
        const entry::StoredCaseList list = library.all();
        for (const QSqlRecord& r : db.select(list.sql, list.params))
            lines << r.value(0).toString() + "/" + r.value(1).toString();
        lines.sort();
        return lines;
    }
    qint64 changesSoFar() const { return db.scalar("select total_changes()").toLongLong(); }
};

TEST_F(StoredNumbersTest, ANewStoreCountsOnlyWholeNumbersAndMergesIntoNoStoredCase) {
    for (const Library& library : Libraries) {
        SCOPED_TRACE(library.name);
        storedRow(library, 1, "الأولى");
        storedRow(library, 7, "السابعة");
        damage(library);
        library.type(*this);
        const Outcome o = library.store(db);
        ASSERT_EQ(o.kind, Kind::Done) << o.message.toStdString();
        EXPECT_EQ(o.caseNo, 8);
        EXPECT_EQ(db.count(QString("select count(*) from %1 where case_no = 1").arg(library.table)), 1)
            << "the first stored case keeps its one row";
        // Only whole numbers are offered for loading, the new case among them.
        EXPECT_EQ(listed(library), (QStringList{"1/الأولى", "7/السابعة", "8/" + o.title}));
    }
}

TEST_F(StoredNumbersTest, AStorePastTheLargestNumberIsRefusedAndWritesNothing) {
    for (const Library& library : Libraries) {
        SCOPED_TRACE(library.name);
        damage(library);
        storedRow(library, Largest, "الأخيرة");
        library.type(*this);
        const qint64 before = changesSoFar();
        const Outcome o = library.store(db);
        EXPECT_EQ(o.kind, Kind::Refused);
        EXPECT_EQ(o.message, data::NoNumberLeft);
        EXPECT_EQ(changesSoFar(), before);
        EXPECT_EQ(
            db.count(QString("select count(*) from %1 where case_no = ?").arg(library.table), {Largest}), 1);
        EXPECT_EQ(listed(library), QStringList{QString::number(Largest) + "/الأخيرة"});
    }
}

// A chain's heir rows left under a number without their deceased count too, whole numbers only.
TEST_F(StoredNumbersTest, AChainCountsTheWholeNumbersOfItsHeirRowsToo) {
    db.execute("insert into WARITH_DUBLE_GENERAL (case_no, warith_name) values (4, 'يتيم'), ('x', 'نص')");
    twoDeceased();
    const Outcome o = SCh::store(db, {"", "", "المعد", ""});
    ASSERT_EQ(o.kind, Kind::Done) << o.message.toStdString();
    EXPECT_EQ(o.caseNo, 5);

    db.execute("insert into WARITH_DUBLE_GENERAL (case_no, warith_name) values (?, 'يتيم')", {Largest});
    EXPECT_EQ(SCh::store(db, {"", "", "المعد", ""}).message, data::NoNumberLeft);
}

} // namespace
