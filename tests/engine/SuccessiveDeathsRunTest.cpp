#include "engine/ChainIntake.h"
#include "engine/MergeSuccessiveDeaths.h"
#include "engine/UnifiedReport.h"

#include "ScriptedPort.h"
#include "support/TempAppFolder.h"

#include <QSqlRecord>

#include <gtest/gtest.h>

namespace {

// The successive-deaths run from the hand-over tables to the unified table, with each deceased's
// division written in by hand where the calculation would put it: what is checked here is that the
// chain read from the tables, the merge and the unified table fit together.
//
// Khalid leaves his wife Hind an eighth and the rest to his son Salim and daughter Layla, 2:1
// (base 24: 3, 14, 7). Salim dies: his mother Hind a sixth, his son Umar the rest (base 6: 1, 5).
// Layla dies: her mother Hind a third, her brother's son Umar the rest (base 3: 1, 2).
// Of Khalid's estate Hind holds 1/8 + 7/12 * 1/6 + 7/24 * 1/3 = 23/72 and Umar the other 49/72.
class SuccessiveDeathsRunTest : public ::testing::Test {
protected:
    SuccessiveDeathsRunTest() {
        names.fillRelationNames();
        names.fillMenuTexts();
        const auto deceased = [&](const char* name, int arrange) {
            db.execute(QStringLiteral("insert into DETH (deth_name, arrange) values (?, ?)"),
                       {QString::fromUtf8(name), arrange});
        };
        const auto heir = [&](const char* name, const char* relation, int arrange) {
            db.execute(
                QStringLiteral(
                    "insert into WARITH_DUBLE (warith_name, warith_relation, arrange) values (?, ?, ?)"),
                {QString::fromUtf8(name), QString::fromUtf8(relation), arrange});
        };
        deceased("خالد", 1);
        deceased("سالم", 2);
        deceased("ليلى", 3);
        heir("هند", "زوجة", 1);
        heir("سالم", "ابن", 1);
        heir("ليلى", "بنت", 1);
        heir("هند", "ام", 2);
        heir("عمر", "ابن", 2);
        heir("هند", "ام", 3);
        heir("عمر", "ابن اخ", 3);
    }

    // Where the per-deceased loop leaves each division: reduced on its own base, recorded for the
    // merge.
    void divide(int deceased, long base, std::initializer_list<long> shares) {
        state.DeceasedBase[deceased] = base;
        int slot = state.DeceasedLastHeir[deceased - 1];
        for (long share : shares)
            state.HeirShare[++slot] = share;
        ASSERT_EQ(slot, state.DeceasedLastHeir[deceased]);
    }

    testsupport::TempAppFolder folder;
    data::Database db = folder.caseDatabase();
    testsupport::ScriptedPort port{db};
    engine::EngineState state;
    engine::NameTables names;
    engine::CaseContext context;
    engine::EngineContext ctx{state, names, db, port, context};
};

TEST_F(SuccessiveDeathsRunTest, TheChainFromTheTablesEndsInOneUnifiedTable) {
    port.answer([](engine::CaseContext& c) { c.Text_case_no = QStringLiteral("3"); });
    ASSERT_EQ(engine::StartSuccessiveRun(ctx).step, engine::ChainStep::Calculate);
    ASSERT_EQ(state.DeceasedLastHeir, (std::vector<int>{0, 3, 5, 7}));

    divide(1, 24, {3, 14, 7});
    divide(2, 6, {1, 5});
    divide(3, 3, {1, 2});
    engine::CombineDivisions(state);
    engine::UnifiedReport(ctx);

    EXPECT_EQ(state.CombinedBase, 72);
    const data::Rows top = db.select(QStringLiteral("select name_deth from TAWHEED"));
    ASSERT_EQ(top.size(), 1);
    EXPECT_EQ(top[0].value(0).toString(), QStringLiteral("خالد"));

    QStringList rows;
    for (const QSqlRecord& r : db.select(QStringLiteral(
             "select serial_deth_chiled, name_deth_chiled, share from TAWHEED_CHILED order by rowid")))
        rows << r.value(0).toString() + QLatin1Char(' ') + r.value(1).toString() + QLatin1Char(' ') +
                    r.value(2).toString();
    EXPECT_EQ(rows, QStringList({"1 هند 23", "2 عمر 49"}));

    const data::Rows head = db.select(QStringLiteral("select kinds from PRINT_TEXT where case_ser = ?"),
                                      {QStringLiteral("( عــن )")});
    ASSERT_EQ(head.size(), 1);
    EXPECT_EQ(head[0].value(0).toString(), QStringLiteral("72"));
}

} // namespace
