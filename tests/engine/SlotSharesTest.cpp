#include "StepState.h"
#include "engine/calc/ShareCalculation.h"

#include <gtest/gtest.h>

namespace {

using engine::BigInt;
using engine::EngineState;
using engine::Num;
using testsupport::censusOf;
using testsupport::heirsOf;
using testsupport::rel;
using testsupport::relationNames;
using testsupport::shippedCalcRules;

EngineState calculated(std::initializer_list<int> classes, int madhhab = 2) {
    EngineState s = censusOf(classes, madhhab);
    engine::ShareCalculation(s, shippedCalcRules());
    return s;
}

// Exactly the grandmothers who share take the sixth: a grandmother the father blocks keeps her
// head count but takes nothing, whichever order AH lists them in.
TEST(AssignAggregateShares, GivesTheSixthToTheSharingGrandmothersOnly) {
    struct Case {
        const char* what;
        std::initializer_list<int> classes;
        int madhhab;
        std::vector<std::pair<int, Num>> shares; // per head
    } cases[] = {
        {"father blocks his mother; her mother-in-law's mother shares", {1, 21, 19}, 2, {{21, 0}, {19, 4}}},
        {"without the father his mother is the nearer", {21, 19, 13}, 2, {{21, 4}, {19, 0}}},
        {"father, his mother and the mother's mother", {1, 21, 18, 13}, 2, {{21, 0}, {18, 4}}},
        {"two grandmothers of one degree share alike", {22, 23, 13}, 2, {{22, 2}, {23, 2}}},
        {"school 1: a mother's mother of the next degree shares", {21, 19, 13}, 1, {{21, 2}, {19, 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const EngineState s = calculated(c.classes, c.madhhab);
        for (const auto& [cls, share] : c.shares)
            EXPECT_EQ(s.ClassShares[cls], share) << "class " << cls;
    }
}

TEST(AssignAggregateShares, GivesTheGrandfathersShareToTheNearestOne) {
    const EngineState s = calculated({96, 97, 7});
    EXPECT_EQ(s.ClassShares[96], s.ClassShares[3]);
    EXPECT_GT(s.ClassShares[96], 0);
    EXPECT_EQ(s.ClassShares[97], 0);
}

TEST(ComputeCaseOrigin, FindsTheOriginOfTheFixedShares) {
    struct Case {
        const char* what;
        std::initializer_list<int> classes;
        Num origin;
        int kind;
    } cases[] = {
        {"the father alone", {1}, 1, 6},
        {"a wife and the father", {5, 1}, 4, 1},
        {"a wife and one daughter, after the return", {5, 7}, 8, 2},
        {"a husband and two full sisters", {4, 10, 10}, 6, 3},
        {"two sons and a daughter", {13, 13, 7}, 5, 6},
        {"a wife, two daughters and the mother", {5, 7, 7, 2, 13}, 24, 1},
        {"three daughters' sons share alone", {46, 46, 46}, 3, 10},
        {"a grandfather and the mother", {96, 2}, 3, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const EngineState s = calculated(c.classes);
        EXPECT_EQ(s.CaseOrigin, c.origin);
        EXPECT_EQ(s.CaseKind, c.kind);
    }
    const EngineState father = calculated({1});
    EXPECT_EQ(father.ShareKindDenom[1], 0);
    EXPECT_EQ(father.ResidClassMale, 1);
}

TEST(ReduceCase, DividesTheBaseAndTheSharesByTheirCommonDivisor) {
    struct Case {
        const char* what;
        std::int64_t base;
        std::vector<int> shares;
        std::int64_t reducedBase;
        std::vector<int> reduced;
    } cases[] = {
        {"a wife and a daughter after the return", 96, {12, 84}, 8, {1, 7}},
        {"nothing in common", 7, {3, 4}, 7, {3, 4}},
        {"blocked heirs stay at 0", 72, {36, 0, 12, 12, 12}, 6, {3, 0, 1, 1, 1}},
        {"every share 0", 24, {0, 0}, 24, {0, 0}},
        {"one heir takes all", 24, {24}, 1, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EngineState s = censusOf({});
        const int n = static_cast<int>(c.shares.size());
        s.ensureSlots(n);
        for (int k = 0; k < n; ++k)
            s.HeirShare[k + 1] = c.shares[k];
        s.DeceasedLastHeir[1] = s.HeirTotal = n;
        s.FirstSlotOfDeceased = 1;
        s.CaseBase = c.base;
        engine::ReduceCase(s);
        EXPECT_EQ(s.CaseBase, c.reducedBase);
        for (int k = 0; k < n; ++k)
            EXPECT_EQ(s.HeirShare[k + 1], c.reduced[k]) << "slot " << k + 1;
    }
}

TEST(ReduceCase, WorksOnAWideBaseAndOnlyOnItsRange) {
    EngineState s = censusOf({});
    s.newChain(2);
    s.ensureSlots(3);
    const BigInt big("500000000000000000000000000000");
    s.HeirShare[1] = 7;
    s.HeirShare[2] = big;
    s.HeirShare[3] = big;
    s.DeceasedLastHeir[1] = 1;
    s.DeceasedLastHeir[2] = s.HeirTotal = 3;
    s.DeceasedIndex = 2;
    s.FirstSlotOfDeceased = 2;
    BigInt base = 2 * big;
    engine::ReduceCase(s, base);
    EXPECT_EQ(base, 2);
    EXPECT_EQ(s.HeirShare[1], 7);
    EXPECT_EQ(s.HeirShare[2], 1);
    EXPECT_EQ(s.HeirShare[3], 1);
}

struct Joined {
    QString name;
    QString relation;
    int share;
};

std::vector<Joined> joined(const std::vector<engine::HeirRow>& heirs) {
    const engine::HeadlessResult r = engine::solveCase(heirs, 2, shippedCalcRules(), relationNames());
    EXPECT_TRUE(r.accepted) << r.refusal.toStdString();
    std::vector<Joined> out;
    for (const engine::HeadlessSlot& slot : r.heirSlots)
        out.push_back({slot.name, slot.relation, slot.share.convert_to<int>()});
    return out;
}

void expectSlots(const std::vector<Joined>& actual, const std::vector<Joined>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t k = 0; k < actual.size(); ++k) {
        SCOPED_TRACE("slot " + std::to_string(k + 1));
        EXPECT_EQ(actual[k].name, expected[k].name);
        EXPECT_EQ(actual[k].relation, expected[k].relation);
        EXPECT_EQ(actual[k].share, expected[k].share);
    }
}

TEST(JoinSameNameHeirs, GathersOnePersonsSharesIntoHisFirstSlot) {
    const QString zaid = QStringLiteral("زيد");
    const QString amr = QStringLiteral("عمرو");
    const QString hind = QStringLiteral("هند");
    // A husband who is also the paternal cousin: a half, and the other half as residuary.
    expectSlots(joined({{zaid, QStringLiteral("زوج")}, {zaid, QStringLiteral("ابن عم")}}),
                {{zaid, QStringLiteral("زوج و ابن عم"), 1}, {QString(), QStringLiteral("ابن عم"), 0}});
    expectSlots(
        joined(
            {{zaid, QStringLiteral("ابن عم")}, {hind, QStringLiteral("ام")}, {zaid, QStringLiteral("زوج")}}),
        {{zaid, QStringLiteral("ابن عم و زوج"), 2},
         {hind, QStringLiteral("ام"), 1},
         {QString(), QStringLiteral("زوج"), 0}});
    // One name on three slots: the relations in slot order. The emptied slots still meet each
    // other by their empty names, which moves nothing but the relation text of an unlisted slot.
    expectSlots(joined({{zaid, QStringLiteral("زوج")},
                        {amr, QStringLiteral("ابن")},
                        {zaid, QStringLiteral("ابن عم")},
                        {zaid, QStringLiteral("عم")}}),
                {{zaid, QStringLiteral("زوج و ابن عم و عم"), 1},
                 {amr, QStringLiteral("ابن"), 3},
                 {QString(), QStringLiteral("ابن عم و عم"), 0},
                 {QString(), QStringLiteral("عم"), 0}});
    // A blocked relation keeps its place in the joined text and adds nothing.
    expectSlots(joined({{zaid, QStringLiteral("ابن")}, {zaid, QStringLiteral("اخ")}}),
                {{zaid, QStringLiteral("ابن و اخ"), 1}, {QString(), QStringLiteral("اخ"), 0}});
    // Another letter form or a trailing blank is another person.
    expectSlots(joined({{zaid, QStringLiteral("ابن")}, {zaid + QLatin1Char(' '), QStringLiteral("ابن")}}),
                {{zaid, QStringLiteral("ابن"), 1}, {zaid + QLatin1Char(' '), QStringLiteral("ابن"), 1}});
}

// Showing the case again, or in the other school and back, joins the entered heirs again: the
// same names, relations and shares every time.
TEST(JoinSameNameHeirs, ARepeatedCalculationGivesTheSameDivision) {
    const QString zaid = QStringLiteral("زيد");
    engine::HeadlessCase hc(shippedCalcRules(), relationNames());
    ASSERT_TRUE(hc.enter({{zaid, QStringLiteral("زوج")},
                          {QStringLiteral("هند"), QStringLiteral("ام")},
                          {zaid, QStringLiteral("ابن عم")},
                          {QStringLiteral("سعاد"), QStringLiteral("اخت لام")}}));
    ASSERT_TRUE(hc.calculate(2));
    const engine::HeadlessResult first = hc.result();
    ASSERT_EQ(first.heirSlots[0].relation, QStringLiteral("زوج و ابن عم"));
    for (int madhhab : {2, 1, 1, 2}) {
        ASSERT_TRUE(hc.calculate(madhhab));
        const engine::HeadlessResult again = hc.result();
        EXPECT_EQ(again.base, first.base);
        for (std::size_t k = 0; k < first.heirSlots.size(); ++k) {
            EXPECT_EQ(again.heirSlots[k].name, first.heirSlots[k].name);
            EXPECT_EQ(again.heirSlots[k].relation, first.heirSlots[k].relation);
            EXPECT_EQ(again.heirSlots[k].share, first.heirSlots[k].share);
        }
    }
    EXPECT_TRUE(hc.state().JoinedSlots.size() == 2);
}

} // namespace
