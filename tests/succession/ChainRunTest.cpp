#include "ChainFixture.h"

#include "succession/ChainRun.h"
#include "succession/SuccessionTexts.h"

#include "engine/calc/ChainIntake.h"
#include "engine/calc/HeirIntake.h"

namespace {

namespace Run = succession::ChainRun;
namespace Texts = succession::Texts;
using succession::ChainHeader;

class ChainRunTest : public successiontest::ChainFixture {
public:
    ChainHeader header{"", "", "المعد", "-"};
    engine::CaseContext host;

    // n deceased in a line, each the son of the one before, each with `heirs` heirs.
    void line(int n, int heirs) {
        for (int k = 1; k <= n; ++k) {
            deceased(QString("متوفى %1").arg(k), k);
            if (k < n)
                heir("ابن", QString("متوفى %1").arg(k + 1), k);
            for (int h = (k < n ? 1 : 0); h < heirs; ++h)
                heir("ابن", QString("وارث %1-%2").arg(k).arg(h), k);
        }
    }
};

TEST_F(ChainRunTest, TheCopyKeepsTheOrderOfEntryWhateverTheGridsOrder) {
    twoDeceased();
    heir("بنت", "زينب", 1); // added to the first deceased after the second was entered
    Run::copy(db);
    EXPECT_EQ(column("select deth_name || ':' || arrange || ':' || deth_status from DETH order by rowid"),
              QStringList({"احمد:1:", "علي:2:ثم توفي"}));
    EXPECT_EQ(column("select warith_name || ':' || warith_relation from WARITH_DUBLE where arrange = 1 order "
                     "by rowid"),
              QStringList({"فاطمة:زوجة", "علي:ابن", "حسن:ابن", "زينب:بنت"}));
    EXPECT_EQ(rows("WARITH_DUBLE"), 6);
}

TEST_F(ChainRunTest, RefusalsComeInTheirOrder) {
    struct Case {
        const char* what;
        std::function<void(ChainRunTest&)> chain;
        QString preparer;
        QString message;
    } cases[] = {
        {"an empty chain, preparer missing too", [](ChainRunTest&) {}, "", Texts::Incomplete},
        {"one deceased and no preparer", [](ChainRunTest& t) { t.line(1, 2); }, "", Texts::NoPreparer},
        {"one deceased", [](ChainRunTest& t) { t.line(1, 2); }, "المعد", Texts::DeceasedCount},
        {"31 deceased", [](ChainRunTest& t) { t.line(31, 1); }, "المعد", Texts::DeceasedCount},
        {"a deceased without heirs",
         [](ChainRunTest& t) {
             t.twoDeceased();
             t.deceased("حسن", 3);
         },
         "المعد", Texts::DeceasedWithoutHeirs},
        {"a later deceased renamed away from his heir row",
         [](ChainRunTest& t) {
             t.twoDeceased();
             t.db.execute("update MUNASKA_TEMP set deth_name = 'عمر' where deth_name = 'علي'");
         },
         "المعد", Texts::DeceasedNotAnHeir},
        {"a heir whose deceased's row is gone",
         [](ChainRunTest& t) {
             t.twoDeceased();
             t.heir("ابن", "سالم", 3);
         },
         "المعد", Texts::OrphanHeir},
        {"a later deceased who is a heir only of one after him",
         [](ChainRunTest& t) {
             t.deceased("احمد", 1);
             t.heir("ابن", "علي", 1);
             t.deceased("حسن", 2);
             t.heir("ابن", "خالد", 2);
             t.deceased("علي", 3);
             t.heir("اخ", "حسن", 3);
         },
         "المعد", engine::ChainText::NotAnHeir},
        {"51 heirs of one deceased", [](ChainRunTest& t) { t.line(2, 51); }, "المعد",
         engine::IntakeText::TooManyHeirs},
        {"more than 200 heirs in all", [](ChainRunTest& t) { t.line(5, 45); }, "المعد",
         engine::ChainText::TooManySlots},
        {"2 deceased pass", [](ChainRunTest& t) { t.twoDeceased(); }, "المعد", {}},
        {"30 deceased pass", [](ChainRunTest& t) { t.line(30, 2); }, "المعد", {}},
        {"a preparer '-' passes", [](ChainRunTest& t) { t.twoDeceased(); }, "-", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        db.execute("delete from MUNASKA_TEMP");
        c.chain(*this);
        header.preparer = c.preparer;
        Run::copy(db);
        EXPECT_EQ(Run::refusal(db, header), c.message);
    }
}

TEST_F(ChainRunTest, AnEmptyIssuingBodyPutsTheNoneEntryInItsListEvenWhenRefused) {
    db.execute("delete from ADRESS_ENTRY_NAME");
    header.issuingBody.clear();
    EXPECT_EQ(Run::run(db, header, host), Texts::Incomplete);
    EXPECT_EQ(column("select ADRESS_ENTRY_NAME from ADRESS_ENTRY_NAME"), QStringList({"-"}));
}

TEST_F(ChainRunTest, TheHandOverStampsTheHeaderAndTheReportTables) {
    twoDeceased();
    db.execute("insert into REPORT_DESTRIBUTER (REPORT_DESTRIBUTER) values ('كامل')");
    db.execute("insert into DATA_ENTRY_NAME_REPORT (DATA_ENTRY_NAME) values ('قديم')");
    host.Text_case_no = "7";
    const ChainHeader h{"مسألة O'Neil", "", "O'Brien", "محكمة الكرخ"};
    EXPECT_EQ(Run::run(db, h, host), QString());
    EXPECT_EQ(host.Text_case_no, QString());
    EXPECT_EQ(
        column("select distinct case_name || '|' || DATA_ENTRY_NAME || '|' || ADRESS_ENTRY_NAME from DETH"),
        QStringList({"مسألة O'Neil|O'Brien|محكمة الكرخ"}));
    EXPECT_EQ(column("select distinct DATA_ENTRY_NAME || '|' || ADRESS_ENTRY_NAME from MUNASKA_TEMP"),
              QStringList({"O'Brien|محكمة الكرخ"}));
    EXPECT_EQ(rows("REPORT_DESTRIBUTER"), 0);
    EXPECT_EQ(column("select DATA_ENTRY_NAME from DATA_ENTRY_NAME_REPORT"), QStringList({"O'Brien"}));
    EXPECT_EQ(column("select ADRESS_ENTRY_NAME from ADRESS_ENTRY_NAME_REPORT"), QStringList({"محكمة الكرخ"}));
}

TEST_F(ChainRunTest, NoneForAnIssuingBodyOrPreparerWritesNoReportRow) {
    twoDeceased();
    EXPECT_EQ(Run::run(db, {"", "12", "-", "-"}, host), QString());
    EXPECT_EQ(host.Text_case_no, "12");
    EXPECT_EQ(rows("DATA_ENTRY_NAME_REPORT"), 0);
    EXPECT_EQ(rows("ADRESS_ENTRY_NAME_REPORT"), 0);
}

} // namespace
