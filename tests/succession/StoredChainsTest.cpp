#include "succession/StoredChains.h"

#include "ChainFixture.h"
#include "succession/ChainChecks.h"

namespace {

using succession::ChainHeader;
using Kind = succession::StoredChains::Outcome::Kind;
namespace SCh = succession::StoredChains;

class StoredChainsTest : public successiontest::ChainFixture {
protected:
    // A chain of `count` deceased: each later deceased is a son of the one before him.
    void chainOf(int count) const {
        for (int i = 1; i <= count; ++i) {
            deceased(QString("متوفى %1").arg(i), i);
            heir("زوجة", QString("زوجة %1").arg(i), i);
            if (i < count)
                heir("ابن", QString("متوفى %1").arg(i + 1), i);
        }
    }
    ChainHeader header(const QString& caseNo = {}, const QString& title = {}) const {
        return {title, caseNo, "المعد", "محكمة"};
    }
    qint64 storeTwo() const {
        db.execute("delete from MUNASKA_TEMP");
        twoDeceased();
        const SCh::Outcome o = SCh::store(db, header());
        EXPECT_EQ(o.kind, Kind::Done) << o.message.toStdString();
        return o.caseNo;
    }
    // Every row of the chain on screen, in the grid's order.
    QStringList onScreen() const {
        return column(
            "select arrange || ':' || coalesce(deth_name, '') || '/' || coalesce(warith_relation, '') || '/' "
            "|| coalesce(warith_name, '') from MUNASKA_TEMP order by arrange, ar");
    }
};

TEST_F(StoredChainsTest, AChainOfTwoIsStoredUnderOneAndLoadsBackAsStored) {
    twoDeceased();
    const QStringList typed = onScreen();
    const SCh::Outcome o = SCh::store(db, header());
    ASSERT_EQ(o.kind, Kind::Done) << o.message.toStdString();
    EXPECT_EQ(o.caseNo, 1);
    EXPECT_EQ(o.message, "  تم خزن المسالة تحت رقم التسلسل    1");
    EXPECT_EQ(o.title, "احمد") << "the chain is named after its first deceased";
    EXPECT_EQ(column("select distinct case_no from MUNASKA_TEMP"), QStringList{"1"});
    EXPECT_EQ(column("select arrange_general from DETH order by arrange"), (QStringList{"1", "2"}));

    db.execute("delete from MUNASKA_TEMP");
    const auto loaded = SCh::load(db, 1);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->title, "احمد");
    EXPECT_EQ(loaded->caseNo, "1");
    EXPECT_EQ(loaded->preparer, "المعد");
    EXPECT_EQ(loaded->issuingBody, "محكمة");
    EXPECT_EQ(onScreen(), typed);
    EXPECT_EQ(column("select distinct case_no || DATA_ENTRY_NAME || ADRESS_ENTRY_NAME from MUNASKA_TEMP"),
              QStringList{"1المعدمحكمة"});
    EXPECT_EQ(column("select distinct case_name from DETH"), QStringList{"احمد"});
    // Only the first deceased has a status after a load.
    EXPECT_EQ(column("select coalesce(deth_status, 'none') from DETH order by arrange"),
              (QStringList{"", "none"}));
}

TEST_F(StoredChainsTest, ThirtyDeceasedGoAndComeBackOneAndThirtyOneAreRefused) {
    struct Row {
        int count;
        QString message;
    };
    for (const Row& row : std::vector<Row>{{1, "عدد المتوفين غير مناسب .. يجب ان يتراوح من 2 الى 30"},
                                           {31, "عدد المتوفين غير مناسب .. يجب ان يتراوح من 2 الى 30"},
                                           {30, ""}}) {
        db.execute("delete from MUNASKA_TEMP");
        chainOf(row.count);
        const SCh::Outcome o = SCh::store(db, header());
        EXPECT_EQ(o.message.startsWith("  تم خزن") ? QString() : o.message, row.message) << row.count;
    }
    EXPECT_EQ(rows("DETH_GENERAL"), 30);
    db.execute("delete from MUNASKA_TEMP");
    chainOf(30);
    const QStringList typed = onScreen();
    db.execute("delete from MUNASKA_TEMP");
    ASSERT_TRUE(SCh::load(db, 1));
    EXPECT_EQ(onScreen(), typed);
}

TEST_F(StoredChainsTest, EachCheckRefusesWithItsMessageAndStoresNothing) {
    struct Row {
        const char* what;
        std::function<void(const successiontest::ChainFixture&)> chain;
        QString message;
    };
    const std::vector<Row> table = {
        {"empty", [](auto&) {}, "تفاصيل المسألة غير مكتملة"},
        {"a deceased without heirs",
         [](auto& f) {
             f.deceased("احمد", 1);
             f.heir("ابن", "علي", 1);
             f.deceased("علي", 2);
         },
         "هناك احد المتوفين ليس له ورثة"},
        {"a later deceased who is nobody's heir",
         [](auto& f) {
             f.deceased("احمد", 1);
             f.heir("ابن", "علي", 1);
             f.deceased("سالم", 2);
             f.heir("اب", "خالد", 2);
         },
         "هناك احد الورثة المتوفين ليس من الورثة "},
        {"two deceased in one place",
         [](auto& f) {
             f.deceased("احمد", 1);
             f.heir("ابن", "علي", 1);
             f.deceased("علي", 1);
         },
         "هناك اكثر من متوفي في نفس ترتيب الوفاة"},
        {"a heir without a name",
         [](auto& f) {
             f.twoDeceased();
             f.heir("بنت", "", 2);
         },
         "هناك وارث بدون اسم"},
        {"a heir of no deceased",
         [](auto& f) {
             f.twoDeceased();
             f.heir("بنت", "زينب", 0);
         },
         "هناك وارث لا يتبع اي متوفي"},
        {"a later deceased who is only heir of one after him passes",
         [](auto& f) {
             f.deceased("احمد", 1);
             f.heir("ابن", "سالم", 1);
             f.deceased("علي", 2);
             f.heir("ابن", "سالم", 2);
             f.deceased("سالم", 3);
             f.heir("اب", "علي", 3);
         },
         ""},
    };
    for (const Row& row : table) {
        db.execute("delete from MUNASKA_TEMP");
        db.execute("delete from DETH_GENERAL");
        db.execute("delete from WARITH_DUBLE_GENERAL");
        row.chain(*this);
        const SCh::Outcome o = SCh::store(db, header());
        EXPECT_EQ(o.kind == Kind::Done ? QString() : o.message, row.message) << row.what;
        EXPECT_EQ(o.kind == Kind::Done, row.message.isEmpty()) << row.what;
        if (!row.message.isEmpty()) {
            EXPECT_EQ(rows("DETH_GENERAL") + rows("WARITH_DUBLE_GENERAL"), 0) << row.what;
        }
    }
}

TEST_F(StoredChainsTest, StoreRefusesAStoredChainBeforeAMissingPreparerAndEditTheOtherWayRound) {
    const qint64 n = storeTwo();
    EXPECT_EQ(SCh::store(db, {"احمد", QString::number(n), "", ""}).message, "مسألة مخزونة ");
    EXPECT_EQ(SCh::store(db, {"", "", "", ""}).message, "ادخل اسم المعد");
    EXPECT_EQ(SCh::edit(db, {"احمد", QString::number(n), "", ""}).message, "ادخل اسم المعد");
    EXPECT_EQ(SCh::edit(db, {"", QString::number(n), "م", ""}).kind, Kind::Stopped);
    EXPECT_EQ(rows("DETH_GENERAL"), 2);
}

TEST_F(StoredChainsTest, EditReplacesThatChainUnderItsNumberAndNamesItAfterItsFirstDeceased) {
    storeTwo();
    const qint64 n = storeTwo();
    storeTwo();
    ASSERT_TRUE(SCh::load(db, n));
    db.execute("update MUNASKA_TEMP set deth_name = 'احمد بن سعيد' where deth_name = 'احمد'");
    db.execute("delete from MUNASKA_TEMP where warith_name = 'حسن' and arrange = 2");

    const SCh::Outcome o = SCh::edit(db, {"احمد", QString::number(n), "م", ""});
    ASSERT_EQ(o.kind, Kind::Done);
    EXPECT_EQ(o.message, "  تم تعديل المسالة  رقم     2");
    EXPECT_EQ(column("select distinct case_name from DETH_GENERAL where case_no = 2"),
              QStringList{"احمد بن سعيد"});
    EXPECT_EQ(db.count("select count(*) from WARITH_DUBLE_GENERAL where case_no = 2"), 4);
    EXPECT_EQ(db.count("select count(*) from WARITH_DUBLE_GENERAL where case_no <> 2"), 10);
    EXPECT_EQ(db.count("select count(*) from DETH_GENERAL where case_no <> 2"), 4);
}

TEST_F(StoredChainsTest, HeirsWithoutOrderKeepTheOrderTheyWereEntered) {
    deceased("احمد", 1);
    for (const char* name : {"ي", "ب", "س", "أ"})
        heir("ابن", name, 1);
    deceased("أ", 2);
    heir("اخ", "ي", 2);
    heir("اخ", "ب", 2);
    const QStringList typed = onScreen();
    ASSERT_EQ(SCh::store(db, header()).kind, Kind::Done);
    EXPECT_TRUE(column("select ar from WARITH_DUBLE where ar is not null").isEmpty())
        << "the hand-over writes no ar";
    db.execute("delete from MUNASKA_TEMP");
    ASSERT_TRUE(SCh::load(db, 1));
    EXPECT_EQ(onScreen(), typed);
    EXPECT_EQ(column("select distinct ar from WARITH_DUBLE"), QStringList{"0"});
}

TEST_F(StoredChainsTest, HeirRowsLeftUnderAHighNumberNeverJoinANewChain) {
    db.execute("insert into WARITH_DUBLE_GENERAL (case_no, arrange, warith_name, warith_relation, ar) "
               "values (7, 1, 'يتيم', 'ابن', 1)");
    const qint64 n = storeTwo();
    EXPECT_EQ(n, 8);
    db.execute("delete from MUNASKA_TEMP");
    ASSERT_TRUE(SCh::load(db, n));
    EXPECT_FALSE(column("select warith_name from MUNASKA_TEMP").contains("يتيم"));
}

TEST_F(StoredChainsTest, DeleteRemovesOnlyThatChainAndEmptiesTheWorkingTables) {
    storeTwo();
    const qint64 n = storeTwo();
    db.execute("insert into CHECK_NAME (warith_name) values ('علي')");
    SCh::remove(db, n);
    EXPECT_FALSE(SCh::isStored(db, n));
    EXPECT_TRUE(SCh::isStored(db, 1));
    EXPECT_EQ(db.count("select count(*) from WARITH_DUBLE_GENERAL where case_no = 2"), 0);
    for (const char* table : {"DETH", "WARITH_DUBLE", "MUNASKA_TEMP", "CHECK_NAME"})
        EXPECT_EQ(rows(table), 0) << table;
    EXPECT_EQ(storeTwo(), 2) << "the highest number freed is given again";
}

TEST_F(StoredChainsTest, LoadingAMissingNumberChangesNothing) {
    storeTwo();
    db.execute("delete from MUNASKA_TEMP");
    deceased("غير محفوظ", 1);
    const QStringList typed = onScreen();
    EXPECT_FALSE(SCh::load(db, 42));
    EXPECT_EQ(onScreen(), typed);
    EXPECT_FALSE(SCh::storedName(db, 42));
    EXPECT_EQ(SCh::storedName(db, 1), "احمد");
}

// A library written by another program, or damaged: two deceased of one chain in one place would
// each take the other's heirs.
TEST_F(StoredChainsTest, AChainWhoseDeceasedShareAPlaceIsNotLoadedAndNothingChanges) {
    storeTwo();
    db.execute("delete from MUNASKA_TEMP");
    deceased("غير محفوظ", 1);
    heir("ابن", "سالم", 1);
    succession::ChainRun::copy(db);
    const QStringList onScreenBefore = onScreen();
    const QStringList handOverBefore = column("select deth_name || '/' || arrange from DETH union all "
                                              "select warith_name || '/' || arrange from WARITH_DUBLE");
    struct Row {
        const char* what;
        QVariant secondPlace;
    };
    for (const Row& row : std::vector<Row>{{"one place twice", 1},
                                           {"no place", QVariant()},
                                           {"place 0", 0},
                                           {"a place that is no whole number", 1.5},
                                           {"a place that is text", QString("ب")}}) {
        SCOPED_TRACE(row.what);
        db.execute("delete from DETH_GENERAL where case_no = 9");
        db.execute("delete from WARITH_DUBLE_GENERAL where case_no = 9");
        db.execute("insert into DETH_GENERAL (case_no, case_name, deth_name, arrange) values "
                   "(9, 'احمد', 'احمد', 1), (9, 'احمد', 'علي', ?)",
                   {row.secondPlace});
        db.execute("insert into WARITH_DUBLE_GENERAL (case_no, arrange, warith_name, warith_relation, ar) "
                   "values (9, 1, 'علي', 'ابن', 1), (9, 1, 'حسن', 'ابن', 2)");
        QString refused;
        EXPECT_FALSE(SCh::load(db, 9, &refused));
        EXPECT_EQ(refused, "لا يمكن تحميل المسألة رقم 9 من TALVENO_TEST.mdb: ترتيب المتوفين فيها تالف");
        EXPECT_EQ(onScreen(), onScreenBefore);
        EXPECT_EQ(column("select deth_name || '/' || arrange from DETH union all "
                         "select warith_name || '/' || arrange from WARITH_DUBLE"),
                  handOverBefore);
    }
    QString refused;
    EXPECT_TRUE(SCh::load(db, 1, &refused)) << "a sound chain beside it still loads";
    EXPECT_TRUE(refused.isEmpty());
}

TEST_F(StoredChainsTest, ApostrophesAndFiltersByNumberAndName) {
    db.execute("delete from MUNASKA_TEMP");
    deceased("O'Hara", 1);
    heir("ابن", "d'Arcy", 1);
    deceased("d'Arcy", 2);
    heir("ام", "l'Ange", 2);
    ASSERT_EQ(SCh::store(db, {"", "", "l'auteur", "qu'il"}).kind, Kind::Done);
    for (int n : {10, 12, 120})
        db.execute("insert into DETH_GENERAL (case_no, case_name, deth_name, arrange) values (?, ?, 'x', 1)",
                   {n, n == 12 ? "علي" : "محمد"});
    auto numbers = [&](const entry::StoredCaseList& list) {
        QList<qint64> out;
        for (const auto& l : entry::StoredCases::lines(db, list))
            out << l.caseNo;
        return out;
    };
    EXPECT_EQ(numbers(SCh::byNumberPrefix("1")), (QList<qint64>{1, 12, 10, 120}));
    EXPECT_EQ(numbers(SCh::byNumberPrefix("12")), (QList<qint64>{12, 120}));
    EXPECT_EQ(numbers(SCh::byNumberPrefix("b")), QList<qint64>{});
    EXPECT_EQ(numbers(SCh::byNamePrefix("O'")), QList<qint64>{1});
    EXPECT_EQ(numbers(SCh::byNamePrefix("مح")).size(), 2);
    EXPECT_EQ(numbers(SCh::byNumber(120)), QList<qint64>{120});
    db.execute("delete from MUNASKA_TEMP");
    const auto loaded = SCh::load(db, 1);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->title, "O'Hara");
    EXPECT_EQ(loaded->preparer, "l'auteur");
    EXPECT_EQ(loaded->issuingBody, "qu'il");
}

} // namespace
