#include "engine/calc/ChainIntake.h"
#include "engine/calc/HeirIntake.h"
#include "engine/run/PortIntakeOutput.h"
#include "engine/run/SuccessiveRunStart.h"

#include "ScriptedPort.h"
#include "support/TempAppFolder.h"

#include <QStringList>

#include <string>
#include <vector>

#include <gtest/gtest.h>

using engine::ChainStep;
namespace text = engine::ChainText;
namespace intake = engine::IntakeText;

namespace {

struct HeirRow {
    std::string name;
    std::string relation;
};
struct DeceasedRows {
    std::string name;
    int arrange;
    std::vector<HeirRow> heirs;
};
using HandOver = std::vector<DeceasedRows>;

// A case database as the successive-deaths dialogue leaves it, and the engine pieces the start
// of the run works with.
class ChainIntakeTest : public ::testing::Test {
protected:
    ChainIntakeTest() {
        names.fillRelationNames();
        names.fillMenuTexts();
    }

    void handOver(const HandOver& chain) {
        db.execute(QStringLiteral("delete from DETH"));
        db.execute(QStringLiteral("delete from WARITH_DUBLE"));
        for (const DeceasedRows& d : chain)
            db.execute(QStringLiteral("insert into DETH (deth_name, arrange) values (?, ?)"),
                       {QString::fromStdString(d.name), d.arrange});
        // The dialogue writes the heirs deceased by deceased; interleaving them here shows the
        // intake keeps each deceased's own order and nothing else.
        std::size_t longest = 0;
        for (const DeceasedRows& d : chain)
            longest = std::max(longest, d.heirs.size());
        for (std::size_t i = 0; i < longest; ++i)
            for (const DeceasedRows& d : chain)
                if (i < d.heirs.size())
                    db.execute(QStringLiteral("insert into WARITH_DUBLE (warith_name, warith_relation, "
                                              "arrange) values (?, ?, ?)"),
                               {QString::fromStdString(d.heirs[i].name),
                                QString::fromStdString(d.heirs[i].relation), d.arrange});
    }

    engine::ChainResult countAndRead() {
        engine::PortIntakeOutput output(ctx);
        const engine::ChainResult counted = engine::CountDeceased(state, db, context.Text_case_no, output);
        if (counted.step != ChainStep::Calculate)
            return counted;
        return engine::ChainIntake(state, names, db, output);
    }

    QStringList slotNames() const {
        QStringList out;
        for (int j = 1; j <= state.HeirTotal; ++j)
            out << state.HeirName[j];
        return out;
    }

    testsupport::TempAppFolder folder;
    data::Database db = folder.caseDatabase();
    testsupport::ScriptedPort port{db};
    engine::EngineState state;
    engine::NameTables names;
    engine::CaseContext context;
    engine::EngineContext ctx{state, names, db, port, context};
};

// A chain of `count` deceased, each an heir of the one before, each with `heirs` heirs.
HandOver longChain(int count, int heirs) {
    HandOver chain;
    for (int k = 1; k <= count; ++k) {
        DeceasedRows d{"متوفى" + std::to_string(k), k, {}};
        if (k < count)
            d.heirs.push_back({"متوفى" + std::to_string(k + 1), "ابن"});
        for (int h = static_cast<int>(d.heirs.size()); h < heirs; ++h)
            d.heirs.push_back({"وارث" + std::to_string(k) + "_" + std::to_string(h), "ابن"});
        chain.push_back(d);
    }
    return chain;
}

struct Refusal {
    const char* title;
    HandOver chain;
    QString message;
};

void PrintTo(const Refusal& r, std::ostream* os) {
    *os << r.title;
}

class ChainRefusalTest : public ChainIntakeTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(ChainRefusalTest, GoesBackToTheDialogueAfterItsMessage) {
    const Refusal& r = GetParam();
    handOver(r.chain);
    const engine::ChainResult result = countAndRead();
    EXPECT_EQ(result.step, ChainStep::BackToDialogue);
    EXPECT_EQ(result.message, r.message);
    ASSERT_FALSE(port.messages.isEmpty());
    EXPECT_EQ(port.messages.last(), r.message);
}

const HandOver twoLinked = {{"خالد", 1, {{"سالم", "ابن"}, {"هند", "بنت"}}}, {"سالم", 2, {{"عمر", "ابن"}}}};

INSTANTIATE_TEST_SUITE_P(
    Chains, ChainRefusalTest,
    ::testing::Values(
        Refusal{"no deceased at all", {}, text::DeceasedCount},
        Refusal{"thirty-one deceased", longChain(31, 2), text::DeceasedCount},
        Refusal{"a deceased's name with the stretching stroke",
                {{"خالـد", 1, {{"سالم", "ابن"}}}},
                intake::StretchMark},
        Refusal{"a later deceased who is nobody's heir",
                {{"خالد", 1, {{"سالم", "ابن"}}}, {"كريم", 2, {{"عمر", "ابن"}}}},
                text::NotAnHeir},
        Refusal{"a deceased who is an heir of a later deceased only",
                {{"خالد", 1, {{"سالم", "ابن"}}}, {"عمر", 2, {{"زيد", "ابن"}}}, {"سالم", 3, {{"عمر", "ابن"}}}},
                text::NotAnHeir},
        Refusal{"a trailing blank makes another name",
                {{"خالد", 1, {{"سالم", "ابن"}}}, {"سالم ", 2, {{"عمر", "ابن"}}}},
                text::NotAnHeir},
        Refusal{
            "a deceased named twice",
            {{"خالد", 1, {{"سالم", "ابن"}}}, {"سالم", 2, {{"عمر", "ابن"}}}, {"سالم", 3, {{"زيد", "ابن"}}}},
            text::RepeatedDeceased},
        Refusal{"a later deceased among his own heirs",
                {{"خالد", 1, {{"سالم", "ابن"}}}, {"سالم", 2, {{"عمر", "ابن"}, {"سالم", "اخ"}}}},
                text::OwnHeir},
        Refusal{"the first deceased among his own heirs", {{"خالد", 1, {{"خالد", "ابن"}}}}, text::OwnHeir},
        Refusal{"the first deceased among the second's heirs: he died first",
                {{"خالد", 1, {{"سالم", "ابن"}}}, {"سالم", 2, {{"عمر", "ابن"}, {"خالد", "اب"}}}},
                QStringLiteral("لا يصح ان يرث المتوفى ممن توفي بعده")},
        Refusal{"the second deceased among the third's heirs, after a dropped repeat",
                {{"خالد", 1, {{"سالم", "ابن"}, {"عمر", "ابن"}}},
                 {"سالم", 2, {{"عمر", "اخ"}}},
                 {"عمر", 3, {{"زيد", "ابن"}, {"زيد", "ابن"}, {"سالم", "اخ"}}}},
                QStringLiteral("لا يصح ان يرث المتوفى ممن توفي بعده")},
        Refusal{"an heir's name with the stretching stroke",
                {{"خالد", 1, {{"سالم", "ابن"}, {"هنـد", "بنت"}}}},
                intake::StretchMark},
        Refusal{"an empty heir name", {{"خالد", 1, {{"", "ابن"}}}}, intake::EmptyHeirName},
        Refusal{"an heir named as the treasury",
                {{"خالد", 1, {{"سالم", "ابن"}}}, {"سالم", 2, {{"الخزينة العامة", "اخ"}}}},
                intake::TreasuryNameTaken},
        Refusal{"an empty deceased name", {{"", 1, {{"سالم", "ابن"}}}}, intake::IncompleteCase},
        Refusal{"a relation no slot holds (no trailing blank)",
                {{"خالد", 1, {{"سالم", "اب اب ام"}}}},
                intake::badRelation(QStringLiteral("اب اب ام"))},
        Refusal{
            "a deceased without heir rows", {{"خالد", 1, {{"سالم", "ابن"}}}, {"سالم", 2, {}}}, text::NoHeirs},
        Refusal{"a deceased whose every heir is dropped", {{"خالد", 1, {{"سالم", "*"}}}}, text::NoHeirs},
        Refusal{"fifty-one heirs", longChain(1, 51), intake::TooManyHeirs},
        Refusal{"more than 200 heir slots over the chain", longChain(5, 50), text::TooManySlots}));

TEST_F(ChainIntakeTest, ReadsTheChainInOrderOfDeathIntoOneRunOfSlots) {
    // DETH holds the later deceased first; `arrange` decides.
    handOver({{"سالم", 7, {{"عمر", "ابن"}, {"هند", "ام"}}},
              {"خالد", 3, {{"سالم", "ابن"}, {"هند", "زوجة"}, {"حسن", "جد"}}}});
    context.Text_case_no = QStringLiteral("17");
    const engine::ChainResult r = countAndRead();
    ASSERT_EQ(r.step, ChainStep::Calculate) << r.message.toStdString();

    EXPECT_EQ(state.CaseKey, QStringLiteral("17"));
    EXPECT_EQ(state.DeceasedCount, 2);
    EXPECT_EQ(state.DeceasedName, (std::vector<QString>{"", "خالد", "سالم"}));
    EXPECT_EQ(state.DeceasedLastHeir, (std::vector<int>{0, 3, 5}));
    EXPECT_EQ(state.HeirTotal, 5);
    EXPECT_EQ(slotNames(), QStringList({"سالم", "هند", "حسن", "عمر", "هند"}));
    EXPECT_EQ(state.HeirRelation[3], QStringLiteral("جد"));
    EXPECT_EQ(state.HeirClass[3], 96); // the grandfather counts with the father's father
    EXPECT_EQ(state.HeirClass[5], 2);
    EXPECT_TRUE(port.messages.isEmpty());
}

TEST_F(ChainIntakeTest, DroppedHeirsTakeNoSlotAndTheNextDeceasedFollowsDirectly) {
    handOver({{"خالد",
               1,
               {{"سالم", "ابن"},
                {"سالم", "ابن"}, // the same heir twice
                {"ليلى", "زوجة"},
                {"منى", "زوجة"},
                {"سعاد", "زوجة"},
                {"رباب", "زوجة"},
                {"نوال", "زوجة"}, // a fifth wife
                {"غائب", "*"},    // marked for dropping: no message
                {"كريم", "زوج"},  // a husband beside the wives
                {"امينة", "ام"},
                {"صفية", "ام"}}}, // a second mother
              {"سالم", 2, {{"زينب", "زوجة"}, {"فهد", "زوج"}, {"عمر", "ابن"}}}});
    const engine::ChainResult r = countAndRead();
    ASSERT_EQ(r.step, ChainStep::Calculate) << r.message.toStdString();

    EXPECT_EQ(slotNames(), QStringList({"سالم", "ليلى", "منى", "سعاد", "رباب", "امينة", "زينب", "عمر"}));
    EXPECT_EQ(state.DeceasedLastHeir, (std::vector<int>{0, 6, 8}));
    EXPECT_EQ(port.messages, QStringList({intake::Repeated, intake::FifthWife, intake::BothSpouses,
                                          intake::Repeated, intake::BothSpouses}));
}

TEST_F(ChainIntakeTest, AnEarlierDeceasedMarkedForDroppingRefusesNothing) {
    handOver({{"خالد", 1, {{"سالم", "ابن"}}}, {"سالم", 2, {{"خالد", "*"}, {"عمر", "ابن"}}}});
    const engine::ChainResult r = countAndRead();
    ASSERT_EQ(r.step, ChainStep::Calculate) << r.message.toStdString();
    EXPECT_EQ(slotNames(), QStringList({"سالم", "عمر"}));
}

TEST_F(ChainIntakeTest, AcceptsTheLimits) {
    handOver(longChain(30, 6));
    ASSERT_EQ(countAndRead().step, ChainStep::Calculate);
    EXPECT_EQ(state.DeceasedCount, 30);
    EXPECT_EQ(state.HeirTotal, 180);
    EXPECT_EQ(state.DeceasedLastHeir[30], 180);

    handOver(longChain(4, 50));
    ASSERT_EQ(countAndRead().step, ChainStep::Calculate);
    EXPECT_EQ(state.HeirTotal, 200);
}

TEST_F(ChainIntakeTest, ASingleDeceasedIsTakenLikeASingleDeath) {
    handOver({{"خالد", 1, {{"سالم", "ابن"}, {"هند", "بنت"}}}});
    ASSERT_EQ(countAndRead().step, ChainStep::Calculate);
    EXPECT_EQ(state.DeceasedCount, 1);
    EXPECT_EQ(state.HeirTotal, 2);
}

TEST_F(ChainIntakeTest, TheRunStartsAfreshAndComesBackToTheDialogueUntilTheChainIsSound) {
    state.Madhhab = 1; // the other school, chosen in the previous run
    state.OutputMode = 1;
    state.CaseKey = QStringLiteral("قديم");
    handOver({{"خالد", 1, {{"سالم", "ابن"}}}, {"كريم", 2, {{"عمر", "ابن"}}}});
    port.answer([](engine::CaseContext& c) { c.Text_case_no.clear(); });
    port.answer([&](engine::CaseContext& c) {
        c.Text_case_no = QStringLiteral("5");
        handOver(twoLinked);
    });

    // The loop the host runs: the dialogue again after every refusal.
    std::vector<ChainStep> steps;
    engine::ChainResult r;
    do {
        r = engine::StartSuccessiveRun(ctx);
        steps.push_back(r.step);
    } while (r.step == ChainStep::BackToDialogue);

    EXPECT_EQ(steps, (std::vector<ChainStep>{ChainStep::BackToDialogue, ChainStep::Calculate}));
    ASSERT_EQ(port.shown.size(), 2u);
    EXPECT_EQ(port.shown[0].screen, QStringLiteral("Form6"));
    EXPECT_EQ(port.messages, QStringList({text::NotAnHeir}));
    EXPECT_EQ(state.Madhhab, 2);
    EXPECT_EQ(state.OutputMode, 2);
    EXPECT_EQ(state.CaseKey, QStringLiteral("5"));
    EXPECT_EQ(state.HeirTotal, 3);
    // The report was begun afresh with the title block of the school in force.
    EXPECT_GT(db.count(QStringLiteral("select count(*) from PRINT_TEXT")), 0);
    EXPECT_TRUE(port.surface().lines().join('\n').contains(names.MenuTexts[20].trimmed()));
}

} // namespace
