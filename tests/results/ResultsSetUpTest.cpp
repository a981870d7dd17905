#include "results/ResultsSetUp.h"

#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

namespace {

using results::ResultsSetUp;

struct StatesCase {
    const char* name;
    const char* enabledCheck; // nullptr: no row
    const char* source;
    bool queued;
    const char* lock;
    const char* autoPress;
    QStringList disabled;
    bool storedCaseFirst;
    bool complete;
    bool pressFocused;
    bool lockSpent;
};

class CommandStatesTest : public ::testing::TestWithParam<StatesCase> {};

TEST_P(CommandStatesTest, TheCaseSourceAndTheFlagsDecideTheCommands) {
    const StatesCase& c = GetParam();
    testsupport::TempAppFolder folder;
    const data::Database db = folder.caseDatabase();
    if (c.enabledCheck)
        db.execute("insert into ENABLED_CHECK (ENABLED_CHECK) values (?)",
                   {QString::fromUtf8(c.enabledCheck)});
    if (c.queued)
        db.execute("insert into STORDE_STANDERD_TEMP (storde_case_no) values (4)");
    engine::CaseContext context;
    context.Text_RLAS = QString::fromUtf8(c.source);
    context.Text_desabled_form7_commands_first_time = QString::fromUtf8(c.lock);
    context.Text_stord_standerd_case_keyup = QString::fromUtf8(c.autoPress);

    const ResultsSetUp::CommandStates s = ResultsSetUp::commandStates(db, context);
    EXPECT_EQ(s.disabled, c.disabled);
    EXPECT_EQ(s.storedCaseFirst, c.storedCaseFirst);
    EXPECT_EQ(s.complete, c.complete);
    EXPECT_EQ(s.pressFocused, c.pressFocused);
    // A flag is spent only where it is acted on.
    EXPECT_EQ(context.Text_desabled_form7_commands_first_time,
              c.lockSpent ? QString() : QString::fromUtf8(c.lock));
    EXPECT_EQ(context.Text_stord_standerd_case_keyup,
              c.pressFocused ? QString() : QString::fromUtf8(c.autoPress));
}

const QStringList noRun = {"Command_start_new", "Command_return_to_case"};
const QStringList firstOfRun = noRun + QStringList{"Command_show_case", "Command_share", "Command_percent",
                                                   "Command_methahib", "Command_print"};

INSTANTIATE_TEST_SUITE_P(
    ResultsSetUp, CommandStatesTest,
    ::testing::Values(
        StatesCase{"NoRow", nullptr, "ج", false, "", "1", {}, false, true, false, false},
        StatesCase{"OtherValue", "اخرى", "خ", true, "1", "1", {}, false, true, false, false},
        StatesCase{
            "NewCase", "جديدة", "ج", false, "", "", {"Command_stored_case"}, false, true, false, false},
        StatesCase{"StoredNotFromModelSource", "مخزونة", "ج", false, "1", "1", noRun, false, true, true,
                   false},
        StatesCase{"ModelCasesQueued", "مخزونة", "خ", true, "1", "1", noRun, true, false, false, false},
        StatesCase{"FirstScreenOfARun", "مخزونة", "خ", false, "1", "1", firstOfRun, false, true, true, true},
        StatesCase{"LastOfARun", "مخزونة", "خ", false, "", "", noRun, false, true, false, false}),
    [](const ::testing::TestParamInfo<StatesCase>& info) { return std::string(info.param.name); });

TEST(ResultsSetUpLines, TheDeedTermJoinsTheFirstRulesLineAndItsOwnLineGoes) {
    testsupport::TempAppFolder folder;
    const data::Database db = folder.caseDatabase();
    for (const char* line :
         {"رأس", "  قسام شرعي   ", "   حسب قواعد الشريعة الاسلامية ", "حسب قواعد الشريعة الاسلامية"})
        db.execute("insert into PRINT_TEXT (print_text) values (?)", {QString::fromUtf8(line)});
    ResultsSetUp::joinDeedTerm(db);
    ResultsSetUp::removeSecondLine(db);
    QStringList lines;
    for (const QSqlRecord& r : db.select("select print_text from PRINT_TEXT order by rowid"))
        lines << r.value(0).toString();
    EXPECT_EQ(lines, QStringList(
                         {"رأس", "قسام شرعي   حسب قواعد الشريعة الاسلامية ", "حسب قواعد الشريعة الاسلامية"}));

    // Lines joined before, by a screen of an earlier run: the term is not written a second time.
    ResultsSetUp::joinDeedTerm(db);
    EXPECT_EQ(db.scalar("select print_text from PRINT_TEXT order by rowid limit 1 offset 1").toString(),
              "قسام شرعي   حسب قواعد الشريعة الاسلامية ");

    // One line or none: nothing to join, nothing deleted.
    db.execute("delete from PRINT_TEXT where rowid > (select min(rowid) from PRINT_TEXT)");
    ResultsSetUp::joinDeedTerm(db);
    ResultsSetUp::removeSecondLine(db);
    EXPECT_EQ(db.count("select count(*) from PRINT_TEXT"), 1);
}

} // namespace
