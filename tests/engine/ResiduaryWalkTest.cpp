#include "StepState.h"
#include "engine/calc/ShareCalculation.h"

#include <gtest/gtest.h>

namespace {

using engine::EngineState;
using engine::Num;
using testsupport::censusOf;
using testsupport::heirsOf;
using testsupport::rel;
using testsupport::relationNames;
using testsupport::shippedCalcRules;

const QString TreasuryName = QStringLiteral("الخزينة العامة");

std::vector<int> sharesOf(const engine::HeadlessResult& r) {
    std::vector<int> shares;
    for (const engine::HeadlessSlot& slot : r.heirSlots)
        shares.push_back(slot.share.convert_to<int>());
    return shares;
}

TEST(ResolveResiduaries, GivesTheWholeBaseToTheTreasuryWhenNobodyTakesIt) {
    EngineState s = censusOf({});
    engine::SettleRemainder(s, shippedCalcRules());
    ASSERT_EQ(s.HeirTotal, 1);
    EXPECT_EQ(s.DeceasedLastHeir[1], 1);
    EXPECT_EQ(s.HeirName[1], TreasuryName);
    EXPECT_TRUE(s.HeirRelation[1].isEmpty());
    EXPECT_EQ(s.HeirClass[1], 112);
    EXPECT_EQ(s.ClassShares[112], 24);
    EXPECT_EQ(s.CaseKind, 7);
}

// The residuary walk, through whole divisions: who takes the remainder, and how the base grows.
TEST(ResolveResiduaries, WalksTheOrderOfTheWombRelatives) {
    struct Case {
        const char* what;
        QStringList relations;
        int base;
        std::vector<int> shares;
        int kind; // CaseKind
    } cases[] = {
        {"a wife alone: the treasury takes what she leaves", rel({"زوجة"}), 4, {1, 3}, 7},
        {"a wife and a daughter's son", rel({"زوجة", "ابن بنت"}), 4, {1, 3}, 9},
        {"daughter's children before a mother's father",
         rel({"اب ام", "بنت بنت", "ابن بنت"}),
         3,
         {0, 1, 2},
         10},
        {"an aunt beside a maternal uncle and aunt", rel({"عمة", "خال", "خالة"}), 9, {6, 2, 1}, 11},
        // A third that the mother's side cannot split by its own heads: the base takes them.
        {"the mother's side of five heads",
         rel({"عمة", "خال", "خالة", "خالة", "خالة"}),
         15,
         {10, 2, 1, 1, 1},
         11},
        {"a husband, then both sides", rel({"زوج", "عمة لاب", "خال لام"}), 6, {3, 2, 1}, 11},
        {"the mother's side alone is walked as a range", rel({"خال", "خالة"}), 3, {2, 1}, 10},
        {"the father's aunts and uncles, last of the walk", rel({"عم اب لام", "خالة اب"}), 3, {2, 1}, 11},
        // "خالة اب لام" has the treasury's class number, yet she is one of the mother's side of
        // the father's aunts and uncles, a sister to "خال اب لام".
        {"the father's uterine maternal aunt alone", rel({"خالة اب لام"}), 1, {1}, 10},
        {"two of them share the remainder per head", rel({"زوجة", "خالة اب لام", "خالة اب لام"}), 8, {2, 3, 3}, 9},
        {"she shares with her brother 2:1", rel({"خال اب لام", "خالة اب لام"}), 3, {2, 1}, 10},
        {"and so beside a wife", rel({"زوجة", "خالة اب لام", "خال اب لام"}), 4, {1, 1, 2}, 9},
        {"she is the mother's side beside the father's aunt", rel({"عمة اب", "خالة اب لام"}), 3, {2, 1}, 11},
        {"the mother's side of brother and sister beside the father's aunt",
         rel({"خالة اب لام", "عمة اب", "خال اب لام"}),
         9,
         {1, 6, 2},
         11},
        {"a nearer maternal aunt of the father comes first", rel({"خالة اب لاب", "خالة اب لام"}), 1, {1, 0}, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        engine::HeadlessCase hc(shippedCalcRules(), relationNames());
        ASSERT_TRUE(hc.enter(heirsOf(c.relations)));
        ASSERT_TRUE(hc.calculate(2));
        EXPECT_EQ(hc.state().CaseKind, c.kind);
        const engine::HeadlessResult r = hc.result();
        EXPECT_EQ(r.base, c.base);
        EXPECT_EQ(sharesOf(r), c.shares);
    }
}

TEST(ResolveResiduaries, OpensOneTreasurySlotHoweverOftenTheCaseIsCalculated) {
    engine::HeadlessCase hc(shippedCalcRules(), relationNames());
    ASSERT_TRUE(hc.enter(heirsOf(rel({"زوج"}))));
    for (int madhhab : {2, 1, 2}) {
        ASSERT_TRUE(hc.calculate(madhhab));
        // The treasury slot of the calculation before is not taken for a "خالة اب لام".
        EXPECT_EQ(hc.state().CaseKind, 7);
        EXPECT_EQ(hc.state().HeirTotal, 2);
        EXPECT_EQ(sharesOf(hc.result()), (std::vector<int>{1, 1}));
    }
}

// In a chain, the treasury slot of an earlier deceased becomes his last slot, and the later
// deceased's slots move up by one with what an earlier join changed in them.
TEST(OpenHeirSlots, MovesTheLaterDeceasedsSlotsUp) {
    EngineState s = censusOf({5});
    s.newChain(2);
    s.DeceasedLastHeir[1] = 1;
    s.ensureSlots(3);
    s.HeirName[2] = QStringLiteral("سالم");
    s.HeirClass[2] = 13;
    s.HeirName[3] = QString();
    s.HeirRelation[3] = QStringLiteral("اخ");
    s.HeirClass[3] = 16;
    s.DeceasedLastHeir[2] = 3;
    s.HeirTotal = 3;
    s.JoinedSlots.push_back({3, QStringLiteral("سالم"), QStringLiteral("اخ")});

    s.DeceasedIndex = 1;
    engine::ShareCalculation(s, shippedCalcRules());
    EXPECT_EQ(s.HeirTotal, 4);
    EXPECT_EQ(s.DeceasedLastHeir[1], 2);
    EXPECT_EQ(s.DeceasedLastHeir[2], 4);
    EXPECT_EQ(s.HeirName[2], TreasuryName);
    EXPECT_EQ(s.HeirClass[2], 112);
    EXPECT_EQ(s.HeirName[3], QStringLiteral("سالم"));
    EXPECT_EQ(s.HeirClass[4], 16);
    ASSERT_EQ(s.JoinedSlots.size(), 1u);
    EXPECT_EQ(s.JoinedSlots[0].slot, 4);
    EXPECT_EQ(s.ClassShares[112], 18);
}

TEST(ShareCalculation, RefusesADivisionBeyondItsExactNumbers) {
    // Far more heirs than any case accepts, spread over both sides of the aunts' children so the
    // side split multiplies the base past the 64-bit range. The calculation must refuse rather
    // than give a wrong share.
    std::vector<int> classes;
    for (int pair : {84, 86, 88, 90, 92, 94})
        classes.insert(classes.end(), 100, pair);
    for (int female : {81, 83})
        classes.insert(classes.end(), 100, female);
    EngineState s = censusOf({});
    s.ensureSlots(static_cast<int>(classes.size()));
    for (std::size_t k = 0; k < classes.size(); ++k)
        s.HeirClass[k + 1] = static_cast<std::int16_t>(classes[k]);
    s.HeirTotal = s.DeceasedLastHeir[1] = static_cast<int>(classes.size());
    try {
        engine::ShareCalculation(s, shippedCalcRules());
        FAIL() << "no refusal";
    } catch (const engine::CalculationRefused& refused) {
        EXPECT_EQ(refused.message(), engine::CalculationRefused::tooLarge());
    }
}

} // namespace
