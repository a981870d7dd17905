#include "engine/run/EngineHost.h"

#include "ReportTestBench.h"
#include "ScriptedPort.h"
#include "data/FlagTable.h"
#include "platform/ProcessExit.h"
#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

using engine::CaseContext;
using engine::EngineHost;
using engine::HostKind;
using testsupport::ScriptedPort;
using testsupport::TempAppFolder;

namespace {

const QString StoredStage = QStringLiteral("مسألة مخزونة");

// Case 12: one deceased, wife 3, son 14, daughter 7 of 24.
// Case 20: the son of case 12's family dies after his father; his mother and sister are the
// wife and daughter of the first division under the same names: 43 and 77 of 120.
const char* const smallFile = "ت/ 12\n"
                              " 2, 1, 3,م\n"
                              "سعيد, 3\n"
                              "هند,زوجة, 5\n"
                              "عمر,ابن, 13\n"
                              "سلمى,بنت, 7\n"
                              "ت/ 20\n"
                              " 2, 2, 5,ن\n"
                              "سعيد, 3\n"
                              "هند,زوجة, 5\n"
                              "عمر,ابن, 13\n"
                              "سلمى,بنت, 7\n"
                              "عمر, 5\n"
                              "هند,ام, 2\n"
                              "سلمى,اخت, 10\n"
                              "ت/12\n"
                              " 2, 1, 1,م\n"
                              "بلا فراغ, 1\n"
                              "زيد,ابن, 13\n";

// The model-case run through the real host, the dialogues answered from a script as the screens
// would answer them (with the table writes the screens make around commands 3 and 4).
class ModelCaseRunTest : public ::testing::Test {
protected:
    void SetUp() override { writeStoredCases(smallFile); }

    void writeStoredCases(const QByteArray& text) {
        QFile f(folder.file("STORG"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }
    // The source stage as Form12 answers the model-case preset.
    void start() {
        port.answer([](CaseContext& c) {
            c.Text_RLAS = "خ";
            c.Text_stored_case_procejer = "1";
            c.Text_stord_standerd_case_keyup = "1";
        });
    }
    void results(const QString& code, std::function<void()> seen = {}) {
        port.answer([code, seen](CaseContext& c) {
            if (seen)
                seen();
            c.Text_choos_no = code;
        });
    }
    void stage(const QString& number) {
        port.answer([number](CaseContext& c) { c.Text_stord_case = number; });
    }
    // Form14's percentages command and the estate stage empty the unified tables themselves.
    void emptyUnifiedTables() {
        db.execute("delete from TAWHEED");
        db.execute("delete from TAWHEED_CHILED");
    }
    void estate(const QString& amount, const QString& currency) {
        port.answer([this, amount, currency](CaseContext& c) {
            emptyUnifiedTables();
            c.Text_tariqa_ammount = amount;
            c.Text_tariqa_currency = currency;
        });
    }
    void run() { EXPECT_THROW(host.Form_Load(), ScriptedPort::NoMoreAnswers); }

    QStringList screens() const {
        QStringList out;
        for (const auto& s : port.shown)
            out << s.screen;
        return out;
    }
    QStringList rows(const QString& sql) const {
        QStringList out;
        for (const auto& r : db.select(sql)) {
            QStringList fields;
            for (int i = 0; i < r.count(); ++i)
                fields << r.value(i).toString();
            out << fields.join('|');
        }
        return out;
    }
    QStringList deceasedShares() const {
        return rows("select name_deth_chiled, share from PRINT_TEXT2_CHILED order by rowid");
    }
    int count(const char* table) const {
        return db.count(QStringLiteral("select count(*) from %1").arg(table));
    }

    TempAppFolder folder{true};
    data::Database db = folder.caseDatabase();
    ScriptedPort port{db};
    EngineHost host{HostKind::real(), port};
};

TEST_F(ModelCaseRunTest, TheNumberGivenAtTheStageFindsItsCaseOrAsksAgainWithoutAMessage) {
    const struct {
        const char* number;
        bool found;
    } cases[] = {
        {"12", true}, {" 12", true}, {"12abc", true}, {"", false},    {"abc", false},
        {"0", false}, {"7", false},  {"12.5", false}, {"-12", false}, {"99999999999999999999", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        ScriptedPort p(db);
        EngineHost h(HostKind::real(), p);
        p.answer([](CaseContext& ctx) { ctx.Text_RLAS = "خ"; });
        p.answer([](CaseContext& ctx) { ctx.Text_choos_no = "8"; });
        const QString number = c.number;
        p.answer([number](CaseContext& ctx) { ctx.Text_stord_case = number; });
        EXPECT_THROW(h.Form_Load(), ScriptedPort::NoMoreAnswers);

        ASSERT_EQ(p.shown.size(), 4u);
        EXPECT_EQ(p.shown[2].screen, StoredStage);
        EXPECT_EQ(p.shown[2].caseType, StoredStage);
        EXPECT_EQ(p.shown[3].screen, c.found ? QString("Form14") : StoredStage);
        EXPECT_TRUE(p.messages.isEmpty());
        if (c.found) {
            EXPECT_EQ(h.state().CaseKey, "ت/ 12");
            EXPECT_EQ(db.scalar("select ser from PRINT_TEXT where ser like 'التسلسل/%'").toString(),
                      "التسلسل/ت/ 12");
        }
    }
}

TEST_F(ModelCaseRunTest, TheFirstResultsScreenComesBeforeAnyCaseAndOnlyCommandEightLeavesIt) {
    start();
    results("");
    results("2");
    results("3");
    results("9");
    results("8");
    stage("12");
    run();
    EXPECT_EQ(screens(), QStringList({"مصدر المسألة", "Form14", "Form14", "Form14", "Form14", "Form14",
                                      StoredStage, "Form14"}));
    EXPECT_EQ(host.context().Text_desabled_form7_commands_first_time, "1"); // the screen consumes it
}

TEST_F(ModelCaseRunTest, ACaseOfOneDeceasedKeepsItsReportAndGetsNoUnifiedTable) {
    start();
    results("8");
    stage("12");
    QStringList window;
    results("", [&] { window = port.surface().lines(); });
    run();

    EXPECT_EQ(deceasedShares(), QStringList({"هند|3", "عمر|14", "سلمى|7"}));
    EXPECT_EQ(count("TAWHEED"), 0);
    EXPECT_EQ(count("TAWHEED_CHILED"), 0);
    EXPECT_FALSE(db.exists("select 1 from PRINT_TEXT where ser = 'توحيد القسامات '"));
    const auto& s = host.state();
    EXPECT_EQ(s.OutputMode, 0);
    EXPECT_TRUE(s.AmountUnit.isEmpty());
    // The results screen comes straight after the base line: no closing texts, no empty lines.
    ASSERT_FALSE(window.isEmpty());
    EXPECT_TRUE(window.back().contains("اصل المسألة")) << window.back().toStdString();
    // The heir rows carry no unit.
    EXPECT_EQ(rows("select print_text, unit from PRINT_TEXT where print_text in ('هند','عمر','سلمى') "
                   "order by rowid"),
              QStringList({"هند|", "عمر|", "سلمى|"}));
}

TEST_F(ModelCaseRunTest, AChainIsReportedPerDeceasedThenAsOneTableRowByRow) {
    start();
    results("8");
    stage("20");
    results("");
    run();

    const QStringList all = testsupport::tableRows(db, "PRINT_TEXT");
    const qsizetype from = all.indexOf(QString(R"r(PRINT_TEXT|"توحيد القسامات "|""|""|""|""|""|"")r"));
    ASSERT_GT(from, 0);
    testsupport::expectLines(
        all.mid(from), {
                           R"r(PRINT_TEXT|"توحيد القسامات "|""|""|""|""|""|"")r",
                           R"r(PRINT_TEXT|"ــــــــــــــــ"|""|""|""|""|""|"")r",
                           R"r(PRINT_TEXT|""|"توفى المدعو"|"سعيد"|""|""|""|"")r",
                           R"r(PRINT_TEXT|""|""|""|"120"|""|""|"( عــن )")r",
                           R"r(PRINT_TEXT|""|""|""|"----------------------"|""|""|"----------------------")r",
                           R"r(PRINT_TEXT|""|""|""|"43"|""|"هند"|"         1")r",
                           R"r(PRINT_TEXT|""|""|""|"77"|""|"سلمى"|"         2")r",
                           R"r(PRINT_TEXT|""|""|""|"----------------------"|""|""|"----------------------")r",
                           R"r(PRINT_TEXT|""|""|""|"120"|""|""|"المجموع")r",
                       });
    testsupport::expectLines(testsupport::tableRows(db, "TAWHEED"), {R"r(TAWHEED|"سعيد")r"});
    testsupport::expectLines(
        testsupport::tableRows(db, "TAWHEED_CHILED"),
        {R"r(TAWHEED_CHILED|"1"|"هند"|"43"|""|"")r", R"r(TAWHEED_CHILED|"2"|"سلمى"|"77"|""|"")r"});
    // The sister's half in the successive-deaths wording, three blanks before the full stop.
    EXPECT_TRUE(db.exists("select 1 from NOTS_CHILED where name_not_chiled like ?", {"% النصف   . "}));
    EXPECT_EQ(host.state().LineCount, 2);
    EXPECT_EQ(host.state().PageNo, 1);
}

class ModelCaseRunPagesTest : public ModelCaseRunTest, public ::testing::WithParamInterface<int> {};

// One deceased with n sons, asked as percentages: the amounts table lists every son.
TEST_P(ModelCaseRunPagesTest, TheTableStartsANewPageAfterEveryThirtyRowsWithoutAPause) {
    const int n = GetParam();
    QByteArray file = "ت/ 5\n 2, 1, " + QByteArray::number(n) + ",م\nاب, " + QByteArray::number(n) + "\n";
    for (int k = 1; k <= n; ++k)
        file += "ابن " + QByteArray::number(k) + ",ابن, 13\n";
    writeStoredCases(file);

    start();
    results("8");
    stage("5");
    QStringList report;
    results("3", [&] {
        report = port.surface().lines();
        emptyUnifiedTables();
    });
    results("");
    run();

    // The deceased's own report, longer than a page, is never broken.
    EXPECT_FALSE(report.join('\n').contains("تتمــة"));
    EXPECT_EQ(port.pauses, 0);
    const auto& s = host.state();
    EXPECT_EQ(s.LineCount, n);
    EXPECT_EQ(s.PageNo, 2);
    EXPECT_EQ(db.count("select count(*) from TAWHEED_CHILED"), n);
    EXPECT_EQ(db.scalar("select max(serial_deth_chiled) from TAWHEED_CHILED").toInt(), n);
    EXPECT_EQ(db.scalar("select case_ser from PRINT_TEXT where print_text = ?", {QString("ابن %1").arg(n)})
                  .toString(),
              QString("         %1").arg(n));

    // The window holds the last page: the continuation heading, the rows after the 30th, the
    // rule and the total.
    const QStringList window = port.surface().lines();
    ASSERT_GE(window.size(), 5);
    EXPECT_TRUE(window[0].isEmpty());
    EXPECT_EQ(window[1], "     تتمــة");
    EXPECT_TRUE(window[2].isEmpty());
    EXPECT_EQ(window.size(), 3 + (n - 30) + 2) << window.join('\n').toStdString();
    EXPECT_TRUE(window.back().contains("المجمـــوع"));
}

INSTANTIATE_TEST_SUITE_P(ThirtyAndThirtyOne, ModelCaseRunPagesTest, ::testing::Values(30, 31));

TEST_F(ModelCaseRunTest, PercentagesThenShowingTheCaseAgainGivesTheSharesOfItsOwnBase) {
    start();
    results("8");
    stage("12");
    QStringList amounts;
    QString unit, heading;
    bool unifiedTitle = true;
    results("3", [this] { emptyUnifiedTables(); });
    results("2", [&] {
        amounts = rows("select print_text, kinds, share from PRINT_TEXT where case_ser like '         %' "
                       "order by rowid");
        unit = host.state().AmountUnit;
        heading = db.scalar("select print_text from PRINT_TEXT order by rowid limit 1").toString();
        unifiedTitle = db.exists("select 1 from PRINT_TEXT where ser = 'توحيد القسامات '");
    });
    results("");
    run();

    EXPECT_EQ(amounts, QStringList({"هند|12.5|%", "عمر|58.333|%", "سلمى|29.166|%"}));
    EXPECT_EQ(unit, "%");
    EXPECT_EQ(heading, " القسام بالنسب المئوية   ");
    EXPECT_FALSE(unifiedTitle); // the results screen finds no unification rows
    // Command 2: the division again, on 24, with no unit on its rows.
    EXPECT_EQ(deceasedShares(), QStringList({"هند|3", "عمر|14", "سلمى|7"}));
    EXPECT_TRUE(host.state().AmountUnit.isEmpty());
    EXPECT_EQ(db.count("select count(*) from PRINT_TEXT where unit = '%' or share = '%'"), 0);
    EXPECT_EQ(host.state().OutputMode, 0); // one deceased: emptied again by the merge step
}

TEST_F(ModelCaseRunTest, TheOtherSchoolLastsUntilTheNextRecallWhichTakesTheRecordsSchool) {
    start();
    results("8");
    stage("12");
    std::vector<int> schools;
    const auto school = [&] { schools.push_back(host.state().Madhhab); };
    results("9", school);
    results("8", school);
    stage("12");
    results("", school);
    run();
    EXPECT_EQ(schools, (std::vector<int>{2, 1, 2}));
    const QString title = db.scalar("select Title from PRINT_TITLE").toString();
    EXPECT_EQ(title, host.names().MenuTexts[20]);
}

TEST_F(ModelCaseRunTest, AGivenEstateIsDividedInItsCurrencyAndItsAmountStampedOnEveryRow) {
    start();
    results("8");
    stage("20");
    results("4");
    estate("1200", "دينار");
    results("");
    run();

    EXPECT_EQ(db.scalar("select print_text from PRINT_TEXT order by rowid limit 1").toString(),
              " قسمة تركة معينة ");
    EXPECT_EQ(rows("select print_text, kinds, share from PRINT_TEXT where case_ser like '         %' order "
                   "by rowid"),
              QStringList({"هند|430|دينار", "سلمى|770|دينار"}));
    EXPECT_EQ(rows("select name_deth_chiled, share, max_tareka_ammount from TAWHEED_CHILED order by rowid"),
              QStringList({"هند|430|1200", "سلمى|770|1200"}));
    EXPECT_EQ(db.scalar("select kinds from PRINT_TEXT where case_ser = 'المجموع'").toString(), "1200");
}

TEST_F(ModelCaseRunTest, AnHeirWithLessThanAThousandthOfTheEstateIsStillListed) {
    start();
    results("8");
    stage("12");
    results("4");
    estate("0.005", "دينار");
    results("");
    run();
    // 3/24, 14/24 and 7/24 of 0.005, cut down to thousandths.
    EXPECT_EQ(
        rows("select print_text, kinds from PRINT_TEXT where case_ser like '         %' order by rowid"),
        QStringList({"هند|0.000", "عمر|0.002", "سلمى|0.001"}));
    EXPECT_EQ(rows("select serial_deth_chiled, name_deth_chiled, share from TAWHEED_CHILED order by rowid"),
              QStringList({"1|هند|0", "2|عمر|0.002", "3|سلمى|0.001"}));
}

TEST_F(ModelCaseRunTest, NineNineNineRunsEveryRecordInTurnThenAsksAgain) {
    writeStoredCases(QByteArray(smallFile).left(QByteArray(smallFile).indexOf("ت/12\n")) + "ت/ 30\n"
                                                                                           " 1, 1, 2,م\n"
                                                                                           "خالد, 2\n"
                                                                                           "ليلى,ام, 2\n"
                                                                                           "سالم,اب, 1\n");
    start();
    results("8");
    stage("999");
    QStringList keys;
    const auto key = [&] { keys << host.state().CaseKey; };
    results("8", key);
    results("8", key);
    results("8", key);
    stage("12");
    results("", key);
    run();

    EXPECT_EQ(keys, QStringList({"ت/ 12", "ت/ 20", "ت/ 30", "ت/ 12"}));
    // The last showing is the one the script no longer answers.
    EXPECT_EQ(screens(), QStringList({"مصدر المسألة", "Form14", StoredStage, "Form14", "Form14", "Form14",
                                      StoredStage, "Form14", "Form14"}));
    EXPECT_TRUE(port.messages.isEmpty());
}

TEST_F(ModelCaseRunTest, AMalformedRecordIsNamedInAMessageAndTheStageAsksAgain) {
    writeStoredCases("ت/ 40\n"
                     " 2, 1, 1,م\n"
                     "زيد, 1\n"
                     "عمرو,ابن, 200\n"
                     "ت/ 12\n"
                     " 2, 1, 1,م\n"
                     "سعيد, 1\n"
                     "عمر,ابن, 13\n");
    start();
    results("8");
    stage("40");
    stage("12");
    results("");
    run();
    ASSERT_EQ(port.messages.size(), 1);
    EXPECT_TRUE(port.messages[0].contains("ت/ 40")) << port.messages[0].toStdString();
    EXPECT_EQ(screens(),
              QStringList({"مصدر المسألة", "Form14", StoredStage, StoredStage, "Form14", "Form14"}));
    EXPECT_EQ(deceasedShares(), QStringList({"عمر|1"}));
}

TEST_F(ModelCaseRunTest, AScanNamesAMalformedRecordAndGoesOnWithTheNext) {
    writeStoredCases("ت/ 1\n"
                     " 2, 1, 1,م\n"
                     "زيد, 1\n"
                     "عمرو,ابن, 13\n"
                     "ت/ 2\n"
                     " 2, 1, 1,م\n"
                     "بكر, 1\n"
                     "خالد,ابن, 0\n"
                     "ت/ 3\n"
                     " 2, 1, 1,م\n"
                     "سعيد, 1\n"
                     "عمر,ابن, 13\n");
    start();
    results("8");
    stage("999");
    QStringList keys;
    results("8", [&] { keys << host.state().CaseKey; });
    results("8", [&] { keys << host.state().CaseKey; });
    stage("1");
    results("");
    run();
    EXPECT_EQ(keys, QStringList({"ت/ 1", "ت/ 3"}));
    ASSERT_EQ(port.messages.size(), 1);
    EXPECT_TRUE(port.messages[0].contains("ت/ 2")) << port.messages[0].toStdString();
    EXPECT_EQ(screens(), QStringList({"مصدر المسألة", "Form14", StoredStage, "Form14", "Form14", StoredStage,
                                      "Form14", "Form14"}));
}

TEST_F(ModelCaseRunTest, AMissingStoredCaseFileEndsTheProgramWithAMessageNamingIt) {
    ASSERT_TRUE(QFile::remove(folder.file("STORG")));
    testsupport::CapturedMessages messages;
    start();
    results("8");
    stage("12");
    EXPECT_THROW(host.Form_Load(), platform::ProgramEnded);
    EXPECT_TRUE(messages.last().contains("STORG")) << messages.last().toStdString();
}

} // namespace
