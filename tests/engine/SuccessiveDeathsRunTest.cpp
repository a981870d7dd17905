#include "engine/calc/MergeSuccessiveDeaths.h"
#include "engine/report/UnifiedReport.h"
#include "engine/run/EngineHost.h"
#include "engine/run/SuccessiveRunStart.h"

#include "ScriptedPort.h"
#include "support/TempAppFolder.h"

#include <QSqlRecord>

#include <boost/multiprecision/cpp_int.hpp>

#include <map>

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

// Thirty deceased through the real host and calculation: each deceased the son of the one before,
// leaving a wife, his mother (the wife of the one before, so she inherits twice) and sons and
// daughters. Under the law each estate goes an eighth to the wife, a sixth to the mother and the
// rest to the children, a son twice a daughter; the last leaves daughters only. Worked out here as
// fractions of the first estate, the unified table must agree to the last part although its base
// passes 2^128.
TEST(SuccessiveDeathsRun, ThirtyDeceasedThroughTheHostAgreeWithRationalArithmetic) {
    using Rational = boost::multiprecision::cpp_rational;
    const auto sons = [](int k) { return (k < 30 ? 1 : 0) + k % 3; };
    const auto daughters = [](int k) { return 1 + k % 4; };

    std::map<QString, Rational> expected;
    Rational estate = 1; // what deceased k leaves, as a part of the first estate
    for (int k = 1; k <= 30; ++k) {
        Rational children = 1 - Rational(1, 8);
        expected[QStringLiteral("زوجة %1").arg(k)] += estate / 8;
        if (k > 1) {
            expected[QStringLiteral("زوجة %1").arg(k - 1)] += estate / 6;
            children -= Rational(1, 6);
        }
        if (sons(k) == 0) {
            // The last one leaves daughters only: a sixth and two thirds leave a twenty-fourth,
            // which goes back to the mother and the daughters (never to the wife) as 1 : 4.
            const Rational back = estate * Rational(7, 8) / 5;
            expected[QStringLiteral("زوجة %1").arg(k - 1)] += back - estate / 6;
            for (int d = 0; d < daughters(k); ++d)
                expected[QStringLiteral("بنت %1 %2").arg(k).arg(d)] += 4 * back / daughters(k);
            break;
        }
        const int units = 2 * sons(k) + daughters(k);
        const Rational perUnit = estate * children / units;
        for (int s = 0; s < k % 3; ++s)
            expected[QStringLiteral("ابن %1 %2").arg(k).arg(s)] += 2 * perUnit;
        for (int d = 0; d < daughters(k); ++d)
            expected[QStringLiteral("بنت %1 %2").arg(k).arg(d)] += perUnit;
        estate = 2 * perUnit; // the son who dies next
    }

    testsupport::TempAppFolder folder{true};
    data::Database db = folder.caseDatabase();
    testsupport::ScriptedPort port{db};
    engine::EngineHost host{engine::HostKind::real(), port};
    port.answer([](engine::CaseContext& c) { c.Text_RLAS = QStringLiteral("ج"); });
    port.answer([](engine::CaseContext& c) { c.Text_TYPS = QStringLiteral("ن"); });
    port.answer([&](engine::CaseContext&) {
        const QString insertHeir = QStringLiteral(
            "insert into WARITH_DUBLE (warith_name, warith_relation, arrange) values (?, ?, ?)");
        for (int k = 1; k <= 30; ++k) {
            db.execute(QStringLiteral("insert into DETH (deth_name, arrange) values (?, ?)"),
                       {QStringLiteral("متوفى %1").arg(k), k});
            db.execute(insertHeir, {QStringLiteral("زوجة %1").arg(k), QStringLiteral("زوجة"), k});
            if (k > 1)
                db.execute(insertHeir, {QStringLiteral("زوجة %1").arg(k - 1), QStringLiteral("ام"), k});
            if (k < 30)
                db.execute(insertHeir, {QStringLiteral("متوفى %1").arg(k + 1), QStringLiteral("ابن"), k});
            for (int s = 0; s < k % 3; ++s)
                db.execute(insertHeir, {QStringLiteral("ابن %1 %2").arg(k).arg(s), QStringLiteral("ابن"), k});
            for (int d = 0; d < daughters(k); ++d)
                db.execute(insertHeir, {QStringLiteral("بنت %1 %2").arg(k).arg(d), QStringLiteral("بنت"), k});
        }
    });
    // The results screen has no answer: the run stops there, with the unified table written.
    EXPECT_THROW(host.Form_Load(), testsupport::ScriptedPort::NoMoreAnswers);
    ASSERT_TRUE(port.messages.isEmpty()) << port.messages.join(" | ").toStdString();

    const data::Rows head = db.select(QStringLiteral("select kinds from PRINT_TEXT where case_ser = ?"),
                                      {QStringLiteral("( عــن )")});
    ASSERT_EQ(head.size(), 1);
    const engine::BigInt base(head[0].value(0).toString().toStdString());
    EXPECT_GT(base, engine::BigInt(1) << 128);
    EXPECT_EQ(base, host.state().CombinedBase);

    std::map<QString, Rational> unified;
    for (const QSqlRecord& r :
         db.select(QStringLiteral("select name_deth_chiled, share from TAWHEED_CHILED order by rowid")))
        unified[r.value(0).toString()] = Rational(engine::BigInt(r.value(1).toString().toStdString()), base);
    EXPECT_EQ(unified.size(), expected.size());
    for (const auto& [name, value] : expected)
        EXPECT_EQ(unified[name], value) << name.toStdString();
}

} // namespace
