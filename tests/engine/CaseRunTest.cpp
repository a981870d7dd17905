#include "engine/run/CaseRun.h"
#include "engine/run/EngineHost.h"
#include "engine/calc/HeirIntake.h"

#include "ScriptedPort.h"
#include "data/FlagTable.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

#include <vector>

using engine::CaseContext;
using engine::EngineHost;
using engine::HostKind;
using testsupport::ScriptedPort;
using testsupport::TempAppFolder;

namespace {

struct Heir {
    const char* name;
    const char* relation;
};

// A whole single-death run through the real host, with the dialogues answered from a script as
// the screens would answer them (including the table writes the screens make around the
// percentage and estate commands).
class CaseRunTest : public ::testing::Test {
protected:
    void enterCase(const QString& deceased, std::initializer_list<Heir> list) {
        // A copy: the list's own storage ends with this call, the answer comes later.
        const std::vector<Heir> heirs(list);
        port.answer([this, deceased, heirs](CaseContext& c) {
            db.execute("delete from WARITH");
            for (const Heir& h : heirs)
                db.execute("insert into WARITH (warith_name, warith_relation) values (?, ?)",
                           {h.name, h.relation});
            c.Text_deth_name = deceased;
            c.Text_case_no = "7";
        });
    }
    void choose(const QString& code, std::function<void()> screenWrites = {}) {
        port.answer([code, screenWrites](CaseContext& c) {
            if (screenWrites)
                screenWrites();
            c.Text_choos_no = code;
        });
    }
    void start() {
        port.answer([](CaseContext& c) { c.Text_RLAS = "ج"; });
        port.answer([](CaseContext& c) { c.Text_TYPS = "م"; });
    }
    // Runs until the script has no answer left; the run itself never returns.
    void run() { EXPECT_THROW(host.Form_Load(), ScriptedPort::NoMoreAnswers); }

    QStringList shares() const {
        QStringList out;
        for (const auto& r :
             db.select("select name_deth_chiled, share from PRINT_TEXT2_CHILED order by rowid"))
            out << r.value(0).toString() + "=" + r.value(1).toString();
        return out;
    }
    QStringList screens() const {
        QStringList out;
        for (const auto& s : port.shown)
            out << s.screen;
        return out;
    }

    TempAppFolder folder{true};
    data::Database db = folder.caseDatabase();
    ScriptedPort port{db};
    EngineHost host{HostKind::real(), port};
};

TEST(MenuChoice, ReadsTheLeadingNumberRoundedHalfToEven) {
    const struct {
        const char* text;
        int code;
    } cases[] = {{"2", 2},   {"10", 10}, {" 9", 9}, {"3abc", 3}, {"2.5", 2},
                 {"3.5", 4}, {"", 0},    {"x", 0},  {"12", 12}};
    for (const auto& c : cases)
        EXPECT_EQ(engine::CaseRun::menuChoice(c.text), c.code) << c.text;
}

TEST_F(CaseRunTest, ACaseRunsFromItsEntryToTheReportAndTheResultsScreen) {
    start();
    enterCase("زيد", {{"فاطمة", "زوجة"}, {"علي", "ابن"}, {"عائشة", "بنت"}});
    run();
    EXPECT_EQ(screens(), QStringList({"مصدر المسألة", "نوع المسألة", "تفاصيل المسألة", "Form14"}));
    EXPECT_EQ(host.state().CaseKey, "7");
    // A wife's eighth; the rest to the son and daughter, the male twice the female.
    EXPECT_EQ(shares(), QStringList({"فاطمة=3", "علي=14", "عائشة=7"}));
    EXPECT_EQ(data::FlagTable(db, "PRINT_TITLE", "Title").text(), host.names().MenuTexts[20]);
    const QStringList window = port.surface().lines();
    EXPECT_TRUE(window.join('\n').contains(host.names().MenuTexts[26])) << "closing block";
}

TEST_F(CaseRunTest, TheResultsCommandsLoopOverTheSameCase) {
    start();
    enterCase("زيد", {{"فاطمة", "زوجة"}, {"علي", "ابن"}, {"عائشة", "بنت"}});
    choose("12");
    choose("0");
    choose("");
    choose("9"); // other school
    choose("9"); // back again
    choose("3", [this] {
        db.execute("delete from TAWHEED");
        db.execute("delete from TAWHEED_CHILED");
        data::FlagTable(db, "REPORT_DESTRIBUTER").write("مئوية");
    });
    choose("4");
    port.answer([](CaseContext& c) { // the estate stage
        c.Text_tariqa_ammount = "1000";
        c.Text_tariqa_currency = "دينار";
    });
    choose("2");
    choose("10");
    enterCase("عمرو", {{"سالم", "اب"}});
    run();

    const QStringList expected = {"مصدر المسألة",   "نوع المسألة", "تفاصيل المسألة", "Form14",
                                  "Form14",         "Form14",      "Form14", // 12, 0 and "" show it again
                                  "Form14",         "Form14",                // after each other-school run
                                  "Form14",                                  // after the percentages
                                  "تركة",           "Form14",                // the estate, then results
                                  "Form14",                                  // after showing it again
                                  "تفاصيل المسألة", "Form14"};
    EXPECT_EQ(screens(), expected);
    // Command 10 started afresh in the default school even after two changes of school.
    EXPECT_EQ(host.state().Madhhab, 2);
    EXPECT_EQ(shares(), QStringList({"سالم=1"}));
}

TEST_F(CaseRunTest, AnIntakeRefusalShowsItsMessageAndAsksForTheCaseAgain) {
    start();
    enterCase("زيد", {{"علي", "ابن"}, {"خالد", "بيت المال"}});
    enterCase("زيد", {{"علي", "ابن"}});
    run();
    EXPECT_EQ(screens(),
              QStringList({"مصدر المسألة", "نوع المسألة", "تفاصيل المسألة", "تفاصيل المسألة", "Form14"}));
    ASSERT_EQ(port.messages.size(), 1);
    EXPECT_EQ(port.messages[0], " الصلة - بيت المال - غير ملائمة ... سيتم اعادة تنفيذ المسألة");
    EXPECT_EQ(shares(), QStringList({"علي=1"}));
}

TEST_F(CaseRunTest, AHeirNamedAsTheTreasuryIsRefusedAndTheCaseAskedAgain) {
    start();
    enterCase("زيد", {{"هند", "زوجة"}, {"الخزينة العامة", "خالة"}});
    enterCase("زيد", {{"هند", "زوجة"}, {"سعاد", "خالة"}});
    run();
    EXPECT_EQ(screens(),
              QStringList({"مصدر المسألة", "نوع المسألة", "تفاصيل المسألة", "تفاصيل المسألة", "Form14"}));
    EXPECT_EQ(port.messages, QStringList{engine::IntakeText::TreasuryNameTaken});
    EXPECT_EQ(shares(), QStringList({"هند=1", "سعاد=3"}));
}

} // namespace

namespace {

// The successive-deaths run through the real host: the dialogue hands the chain over in DETH and
// WARITH_DUBLE, the engine divides deceased by deceased and merges.
TEST_F(CaseRunTest, AChainOfTwoDeceasedIsMergedIntoOneDivision) {
    port.answer([](CaseContext& c) { c.Text_RLAS = "ج"; });
    port.answer([](CaseContext& c) { c.Text_TYPS = "ن"; });
    port.answer([this](CaseContext& c) { // Form6
        db.execute("insert into DETH (deth_name, arrange) values ('زيد', 1), ('عمرو', 2)");
        db.execute(
            "insert into WARITH_DUBLE (warith_name, warith_relation, arrange) values "
            "('هند', 'زوجة', 1), ('عمرو', 'ابن', 1), ('بكر', 'ابن', 1), ('هند', 'ام', 2), ('بكر', 'اخ', 2)");
        c.Text_case_no = "3";
    });
    run();
    EXPECT_EQ(screens(), QStringList({"مصدر المسألة", "نوع المسألة", "Form6", "Form14"}));
    // Zaid: the wife an eighth, the sons the rest: 6, 21, 21 of 48. Amr's 21: his mother a third
    // (one brother does not bring her down to a sixth), his brother the rest: 7 and 14.
    QStringList unified;
    for (const auto& r : db.select("select name_deth_chiled, share from TAWHEED_CHILED order by rowid"))
        unified << r.value(0).toString() + "=" + r.value(1).toString();
    EXPECT_EQ(unified, QStringList({"هند=13", "بكر=35"}));
    EXPECT_EQ(host.state().CombinedBase, engine::BigInt(48));
    EXPECT_EQ(db.count("select count(*) from PRINT_TEXT2"), 2);
}

} // namespace
