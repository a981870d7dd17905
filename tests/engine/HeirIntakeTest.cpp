#include "engine/calc/HeirIntake.h"
#include "CalcFixture.h"
#include "ScriptedPort.h"
#include "engine/run/CaseIntake.h"

#include <gtest/gtest.h>

namespace {

using engine::EngineState;
using engine::HeirRow;
using engine::IntakeResult;
using namespace engine::IntakeText;
using testsupport::relationNames;

struct Collected : engine::IntakeOutput {
    QStringList messages;
    int rowsRead = 0;
    void message(const QString& text) override { messages << text; }
    void heirRead() override { ++rowsRead; }
};

struct Intake {
    EngineState state;
    Collected output;
    IntakeResult result;

    explicit Intake(const std::vector<HeirRow>& rows, const QString& deceased = QStringLiteral("زيد")) {
        state.newChain(1);
        result = engine::IntakeSingleDeath(state, relationNames(), deceased, rows, output);
    }
    QStringList relations() const {
        QStringList r;
        for (int k = 1; k <= state.HeirTotal; ++k)
            r << state.HeirRelation[k];
        return r;
    }
};

HeirRow row(const char* name, const char* relation) {
    return {QString::fromUtf8(name), QString::fromUtf8(relation)};
}

TEST(HeirIntake, FillsSlotsWithTheirClassesInEntryOrder) {
    Intake in({row("علي", "ابن"), row("فاطمة", "بنت"), row("حسن", "جد"), row("سعد", "اخ لام"),
               row("ليلى", "اب اب ام ")});
    ASSERT_TRUE(in.result.accepted());
    EXPECT_EQ(in.state.HeirTotal, 5);
    EXPECT_EQ(in.state.DeceasedLastHeir[1], 5);
    EXPECT_EQ(in.state.DeceasedName[1], QStringLiteral("زيد"));
    const int classes[] = {13, 7, 96, 12, 56};
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(in.state.HeirClass[k], classes[k - 1]) << "slot " << k;
    EXPECT_EQ(in.state.HeirName[2], QStringLiteral("فاطمة"));
    EXPECT_EQ(in.output.rowsRead, 5);
    EXPECT_TRUE(in.output.messages.isEmpty());
}

// Each dropped heir is named in one message, gives up his slot to the next row, and the intake
// goes on: the counts always end equal.
TEST(HeirIntake, DropsTheHeirsItCannotKeep) {
    struct Case {
        const char* what;
        std::vector<HeirRow> rows;
        QStringList messages;
        QStringList kept;
    } cases[] = {
        {"the same daughter twice",
         {row("هند", "بنت"), row("هند", "بنت"), row("علي", "ابن")},
         {Repeated},
         testsupport::rel({"بنت", "ابن"})},
        {"a son and a brother of one name",
         {row("علي", "ابن"), row("علي", "اخ")},
         {},
         testsupport::rel({"ابن", "اخ"})},
        {"a second father", {row("أ", "اب"), row("ب", "اب")}, {Repeated}, testsupport::rel({"اب"})},
        {"a second mother", {row("أ", "ام"), row("ب", "ام")}, {Repeated}, testsupport::rel({"ام"})},
        {"a second husband", {row("أ", "زوج"), row("ب", "زوج")}, {Repeated}, testsupport::rel({"زوج"})},
        {"grandfather beside father's father",
         {row("أ", "جد"), row("ب", "اب اب"), row("ج", "اب اب اب")},
         {Repeated},
         testsupport::rel({"جد", "اب اب اب"})},
        {"a second head of one grandmother class",
         {row("أ", "ام اب"), row("ب", "ام اب"), row("ج", "ام ام")},
         {Repeated},
         testsupport::rel({"ام اب", "ام ام"})},
        {"a wife after a husband",
         {row("أ", "زوج"), row("ب", "زوجة")},
         {BothSpouses},
         testsupport::rel({"زوج"})},
        {"a husband after a wife",
         {row("أ", "زوجة"), row("ب", "زوج")},
         {BothSpouses},
         testsupport::rel({"زوجة"})},
        {"a fifth wife",
         {row("1", "زوجة"), row("2", "زوجة"), row("3", "زوجة"), row("4", "زوجة"), row("5", "زوجة")},
         {FifthWife},
         testsupport::rel({"زوجة", "زوجة", "زوجة", "زوجة"})},
        {"the drop mark, silently", {row("أ", "*"), row("ب", "ام")}, {}, testsupport::rel({"ام"})},
        {"two drops in a row",
         {row("أ", "بنت"), row("أ", "بنت"), row("أ", "بنت"), row("ب", "ابن")},
         {Repeated, Repeated},
         testsupport::rel({"بنت", "ابن"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Intake in(c.rows);
        ASSERT_TRUE(in.result.accepted());
        EXPECT_EQ(in.output.messages, c.messages);
        EXPECT_EQ(in.relations(), c.kept);
        EXPECT_EQ(in.state.DeceasedLastHeir[1], in.state.HeirTotal);
        EXPECT_EQ(in.output.rowsRead, static_cast<int>(c.rows.size()));
    }
}

// A refusal that stops the intake hands back the message and the way back to the case entry,
// instead of reading the same rows again.
TEST(HeirIntake, RefusesWhatStopsTheCaseWithTheWayBack) {
    std::vector<HeirRow> fiftyOne;
    for (int k = 0; k < 51; ++k)
        fiftyOne.push_back({QStringLiteral("ابن") + QString::number(k), QStringLiteral("ابن")});
    struct Case {
        const char* what;
        QString deceased;
        std::vector<HeirRow> rows;
        QString message;
    } cases[] = {
        {"no deceased name", QString(), {row("أ", "ابن")}, IncompleteCase},
        {"a stretched deceased name", QStringLiteral("عـلي"), {row("أ", "ابن")}, StretchMark},
        {"no heir", QStringLiteral("زيد"), {}, IncompleteCase},
        {"51 heirs", QStringLiteral("زيد"), fiftyOne, TooManyHeirs},
        {"an empty heir name", QStringLiteral("زيد"), {row("أ", "ابن"), row("", "بنت")}, EmptyHeirName},
        {"a stretched heir name", QStringLiteral("زيد"), {row("حســن", "ابن")}, StretchMark},
        // The treasury's slot goes by this name: a heir of that name would be joined with it.
        {"a heir named as the treasury",
         QStringLiteral("زيد"),
         {row("هند", "زوجة"), row("الخزينة العامة", "خالة")},
         TreasuryNameTaken},
        {"an unknown relation",
         QStringLiteral("زيد"),
         {row("أ", "ابن"), row("ب", "بيت المال")},
         badRelation(QStringLiteral("بيت المال"))},
        {"slot 56 without its trailing blank",
         QStringLiteral("زيد"),
         {row("أ", "اب اب ام")},
         badRelation(QStringLiteral("اب اب ام"))},
        {"the placeholder",
         QStringLiteral("زيد"),
         {row("أ", "*******")},
         badRelation(QStringLiteral("*******"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Intake in(c.rows, c.deceased);
        EXPECT_EQ(in.result.step, engine::IntakeStep::RestartCase);
        EXPECT_EQ(in.result.message, c.message);
    }
    Intake fifty(std::vector<HeirRow>(fiftyOne.begin(), fiftyOne.begin() + 50));
    EXPECT_TRUE(fifty.result.accepted());
}

TEST(HeirIntake, ChecksLookOnlyAtTheSameDeceased) {
    // The second deceased of a chain may have heirs of the first one's names and classes.
    EngineState s;
    s.newChain(2);
    Collected out;
    s.DeceasedIndex = 1;
    ASSERT_TRUE(engine::CountHeirs(s, 2).accepted());
    engine::ReadHeir(s, relationNames(), 1, row("أ", "زوج"), out);
    engine::ReadHeir(s, relationNames(), 2, row("ب", "ابن"), out);
    s.DeceasedIndex = 2;
    ASSERT_TRUE(engine::CountHeirs(s, 2).accepted());
    EXPECT_EQ(engine::ReadHeir(s, relationNames(), 3, row("ب", "ابن"), out).verdict,
              engine::HeirVerdict::Kept);
    EXPECT_EQ(engine::ReadHeir(s, relationNames(), 4, row("ج", "زوجة"), out).verdict,
              engine::HeirVerdict::Kept);
    EXPECT_TRUE(out.messages.isEmpty());
    EXPECT_EQ(s.DeceasedLastHeir[1], 2);
    EXPECT_EQ(s.DeceasedLastHeir[2], 4);
}

TEST(HeirIntake, ReadsWarithInEntryOrderAndTalksThroughThePort) {
    testsupport::TempAppFolder folder;
    data::Database db = folder.caseDatabase();
    for (const auto& [name, relation] :
         {std::pair{"هند", "بنت"}, {"سالم", "ابن"}, {"هند", "بنت"}, {"زينب", "ام"}})
        db.execute(QStringLiteral("insert into WARITH (warith_name, warith_relation) values (?, ?)"),
                   {QString::fromUtf8(name), QString::fromUtf8(relation)});
    db.execute(QStringLiteral("delete from WARITH where warith_name = ? and warith_relation = ?"),
               {QStringLiteral("سالم"), QStringLiteral("ابن")});
    db.execute(QStringLiteral("insert into WARITH (warith_name, warith_relation) values (?, ?)"),
               {QStringLiteral("سالم"), QStringLiteral("اخ")});

    EngineState state;
    state.newChain(1);
    testsupport::ScriptedPort port(db);
    engine::CaseContext context;
    context.Text_deth_name = QStringLiteral("زيد");
    engine::EngineContext ctx{state, relationNames(), db, port, context};
    const IntakeResult result = engine::CaseIntake(ctx);

    ASSERT_TRUE(result.accepted());
    EXPECT_EQ(port.messages, QStringList{Repeated});
    ASSERT_EQ(state.HeirTotal, 3);
    EXPECT_EQ(state.HeirName[1], QStringLiteral("هند"));
    EXPECT_EQ(state.HeirName[2], QStringLiteral("زينب"));
    EXPECT_EQ(state.HeirName[3], QStringLiteral("سالم"));
    EXPECT_EQ(state.HeirClass[3], 16);
    // One blank line on the engine window for every row read.
    EXPECT_EQ(port.surface().lines().size(), 4);

    db.execute(QStringLiteral("update WARITH set warith_name = NULL where warith_name = ?"),
               {QStringLiteral("زينب")});
    state.newChain(1);
    state.HeirTotal = 0;
    EXPECT_EQ(engine::CaseIntake(ctx).message, EmptyHeirName);
}

} // namespace
