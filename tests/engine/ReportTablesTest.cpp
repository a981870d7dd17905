#include "engine/report/ReportTables.h"

#include "ReportTestBench.h"

#include <gtest/gtest.h>

using engine::PagePolicy;
using engine::PrintTextRow;
using engine::ReportTables;
using testsupport::ReportTestBench;
using testsupport::tableRows;

namespace {

const QString Invocation = "               بسم الله الرحمن الرحيم    ";
const QString Deed = " قسام شرعي   ";
const QString LawRules = " حسب قواعد الشريعة الاسلامية ";
const QString Shafii = " وفق المذهب الشافعي  ";
const QString Hanafi = " وفق المذهب الحنفي   ";

QString rule() {
    return QString(" ") + QString(129, QChar(0x0640)) + QString("   ");
}

QString row(const QString& printText) {
    return QString("PRINT_TEXT|\"\"|\"\"|\"\"|\"\"|\"\"|\"%1\"|\"\"").arg(printText);
}

TEST(ResetReport, EmptiesTheSevenTablesAndWritesTheTitleBlockOfTheSchool) {
    for (const int madhhab : {1, 2}) {
        SCOPED_TRACE(madhhab);
        ReportTestBench b;
        const ReportTables tables(b.db);
        tables.appendPrintText(PrintTextRow::title("سطر قديم"));
        tables.appendDeceased(1, "قديم");
        tables.appendDeceasedHeir(1, 1, "قديم", "ابن", 3);
        tables.appendNote(1, 1, "قديم");
        tables.beginTitle("قديم");
        tables.appendUnifiedDeceased("قديم");
        tables.appendUnifiedHeir(1, "قديم", 3);
        b.port.surface().text("سطر قديم").endLine();
        b.state.Madhhab = madhhab;

        engine::ResetReport(b.ctx);

        const QString school = madhhab == 1 ? Shafii : Hanafi;
        EXPECT_EQ(tableRows(b.db, "PRINT_TEXT"),
                  (QStringList{row(QString(60, ' ') + Invocation), row("  " + Deed), row("  " + LawRules),
                               row("  " + school), row(rule())}));
        EXPECT_EQ(tableRows(b.db, "PRINT_TITLE"), QStringList{"PRINT_TITLE|\"" + school + "\"|\"\""});
        for (const char* table :
             {"PRINT_TEXT2", "PRINT_TEXT2_CHILED", "NOTS_CHILED", "TAWHEED", "TAWHEED_CHILED"})
            EXPECT_TRUE(tableRows(b.db, table).isEmpty()) << table;
        EXPECT_EQ(b.window(), (QStringList{"", QString(60, ' ') + Invocation, "  " + Deed, "  " + LawRules,
                                           "  " + school, "  " + rule()}));
    }
}

TEST(ResetReport, EachCalculationLeavesOneTitleRowWithItsCaseKey) {
    ReportTestBench b;
    engine::ResetReport(b.ctx); // start of the case run
    b.state.Madhhab = 1;
    engine::ResetReport(b.ctx); // the first deceased's report
    ReportTables(b.db).completeTitle("12");
    EXPECT_EQ(tableRows(b.db, "PRINT_TITLE"), QStringList{"PRINT_TITLE|\"" + Shafii + "\"|\"12\""});
}

// Prints numbered lines, each counted as the report counts it, and records what the window
// showed whenever the run paused.
class PagingPort : public testsupport::ScriptedPort {
public:
    using ScriptedPort::ScriptedPort;
    void pause() override {
        ScriptedPort::pause();
        windowAtPause.push_back(surface().lines());
    }
    std::vector<QStringList> windowAtPause;
};

struct PagingCase {
    int lines;
    PagePolicy policy;
    int pauses;
    int pageNo;
    QStringList window; // the window at the end; "*" stands for every line printed
};

TEST(NextLine, BreaksThePageAfterEveryThirtiethCountedLine) {
    const QString head = "     تتمــة";
    const PagingCase cases[] = {
        {29, PagePolicy::BreakOnly, 0, 1, {"*"}},
        {30, PagePolicy::BreakOnly, 0, 2, {"", head, ""}},
        {31, PagePolicy::BreakOnly, 0, 2, {"", head, "", "31"}},
        {61, PagePolicy::BreakOnly, 0, 3, {"", head, "", "61"}},
        {29, PagePolicy::PauseAndBreak, 0, 1, {"*"}},
        {30, PagePolicy::PauseAndBreak, 1, 2, {"", head, ""}},
        {61, PagePolicy::PauseAndBreak, 2, 3, {"", head, "", "61"}},
        {61, PagePolicy::CountOnly, 0, 1, {"*"}},
    };
    for (const PagingCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lines << " lines, policy " << int(c.policy));
        testsupport::TempAppFolder folder;
        PagingPort port;
        engine::EngineState state;
        const engine::NameTables names;
        engine::CaseContext context;
        engine::EngineContext ctx{state, names, folder.caseDatabase(), port, context, c.policy};
        state.LineCount = 0;
        state.PageNo = 1;
        QStringList printed;
        for (int n = 1; n <= c.lines; ++n) {
            port.surface().text(QString::number(n)).endLine();
            printed << QString::number(n);
            engine::NextLine(ctx);
        }
        EXPECT_EQ(state.LineCount, c.lines);
        EXPECT_EQ(state.PageNo, c.pageNo);
        EXPECT_EQ(port.pauses, c.pauses);
        EXPECT_EQ(port.surface().lines(), c.window == QStringList{"*"} ? printed : c.window);
        // The user reads the full page before it is cleared.
        for (std::size_t p = 0; p < port.windowAtPause.size(); ++p)
            EXPECT_EQ(port.windowAtPause[p].back(), QString::number(30 * int(p + 1)));
    }
}

TEST(ReportTables, ShareColumnsKeepWideNumbersExactlyAsText) {
    ReportTestBench b;
    const ReportTables tables(b.db);
    const engine::BigInt wide = engine::BigInt("123456789012345678901234567890");
    tables.appendDeceasedHeir(1, 1, "أحمد", "ابن", wide);
    tables.appendDeceasedHeir(1, 2, "علي", "ابن", 7);
    tables.appendUnifiedHeir(1, "أحمد", engine::storedNumber(wide));
    const auto heirs = b.db.select("select share, typeof(share) as t from PRINT_TEXT2_CHILED order by rowid");
    ASSERT_EQ(heirs.size(), 2);
    EXPECT_EQ(heirs[0].value("share").toString(), "123456789012345678901234567890");
    EXPECT_EQ(heirs[0].value("t").toString(), "text");
    EXPECT_EQ(heirs[1].value("t").toString(), "integer");
    EXPECT_EQ(b.db.scalar("select share from TAWHEED_CHILED").toString(), "123456789012345678901234567890");
}

} // namespace
