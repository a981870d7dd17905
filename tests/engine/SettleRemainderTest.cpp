#include "StepState.h"

#include <gtest/gtest.h>

namespace {

using engine::EngineState;
using engine::Num;
using testsupport::countsOf;
using testsupport::frac;
using testsupport::shippedCalcRules;

struct Held {
    int heirClass;
    int heads;
    Num denom;
    Num each;
};

// The state on entering SettleRemainder: base 24 and the fixed shares given so far.
EngineState entering(std::initializer_list<Held> held, Num base = 24) {
    EngineState s = countsOf({});
    s.CaseBase = base;
    Num given = 0;
    for (const Held& h : held) {
        s.ClassCount[h.heirClass] = h.heads;
        s.ShareKindDenom[h.heirClass] = h.denom;
        s.ClassShares[h.heirClass] = h.each;
        given += h.each * h.heads;
    }
    s.Remainder = base - given;
    return s;
}

TEST(SettleRemainder, RaisesTheBaseWhenTheSharesOverrunIt) {
    EngineState s = entering({{4, 1, 2, 12}, {10, 2, frac(3, 2), 8}});
    engine::SettleRemainder(s, shippedCalcRules());
    EXPECT_EQ(s.AwlRatio, frac(4, 24));
    EXPECT_EQ(s.CaseBase, 28);
    EXPECT_EQ(s.CaseKind, 3);
    EXPECT_EQ(s.ClassShares[4], 12);
    EXPECT_EQ(s.ClassShares[10], 8);
}

TEST(SettleRemainder, ReturnsWithoutASpouse) {
    EngineState s = entering({{2, 1, 6, 4}, {7, 1, 2, 12}});
    engine::SettleRemainder(s, shippedCalcRules());
    EXPECT_EQ(s.CaseBase, 16);
    EXPECT_EQ(s.CaseKind, 2);
    EXPECT_EQ(s.RaddRatio, frac(-8, 24));
    EXPECT_EQ(s.ClassShares[2], 4);
    EXPECT_EQ(s.ClassShares[7], 12);
    EXPECT_EQ(s.ShareKindState[10], 0);
}

// The spouse keeps exactly the fixed share; the others share the rest in the ratio of theirs.
TEST(SettleRemainder, ReturnsWithASpouseWhoKeepsTheFixedShare) {
    struct Case {
        const char* what;
        std::vector<Held> held;
        Num base;
        Num newBase;
        std::vector<std::pair<int, Num>> shares;
    } cases[] = {
        {"a wife and one daughter", {{5, 1, 8, 3}, {7, 1, 2, 12}}, 24, 96, {{5, 12}, {7, 84}}},
        {"a husband and the mother", {{4, 1, 2, 12}, {2, 1, 3, 8}}, 24, 16, {{4, 8}, {2, 8}}},
        {"two wives and one daughter", {{5, 2, 8, 3}, {7, 1, 2, 24}}, 48, 192, {{5, 12}, {7, 168}}},
        {"a husband, daughter and son's daughter",
         {{4, 1, 4, 6}, {7, 1, 2, 12}, {8, 1, 6, 4}},
         24,
         64,
         {{4, 16}, {7, 36}, {8, 12}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EngineState s = countsOf({});
        s.CaseBase = c.base;
        Num given = 0;
        for (const Held& h : c.held) {
            s.ClassCount[h.heirClass] = h.heads;
            s.ShareKindDenom[h.heirClass] = h.denom;
            s.ClassShares[h.heirClass] = h.each;
            given += h.each * h.heads;
        }
        s.Remainder = c.base - given;
        engine::SettleRemainder(s, shippedCalcRules());
        EXPECT_EQ(s.CaseBase, c.newBase);
        EXPECT_EQ(s.CaseKind, 2);
        EXPECT_EQ(s.ShareKindState[10], 1);
        Num total = 0;
        for (const auto& [cls, share] : c.shares) {
            EXPECT_EQ(s.ClassShares[cls], share) << "class " << cls;
            total += share * s.ClassCount[cls];
        }
        EXPECT_EQ(total, s.CaseBase);
    }
}

TEST(SettleRemainder, LeavesAnExactDivisionAlone) {
    EngineState s = entering({{4, 1, 2, 12}, {10, 1, 2, 12}});
    engine::SettleRemainder(s, shippedCalcRules());
    EXPECT_EQ(s.CaseBase, 24);
    EXPECT_EQ(s.CaseKind, 0);
}

TEST(PairTakesRemainder, CountsAMaleAsTwoHeads) {
    struct Case {
        const char* what;
        int males, females;
        Num remainder;
        Num base, male, female;
        int heads, kind;
    } cases[] = {
        {"two males, no female", 2, 0, 24, 24, 12, 0, 2, 6},
        {"one male, two females", 1, 2, 24, 24, 12, 6, 4, 6},
        {"two sons, one daughter after a wife", 2, 1, 21, 120, 42, 21, 5, 1},
        {"females alone", 0, 3, 12, 24, 0, 4, 3, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EngineState s = countsOf({{13, c.males}, {7, c.females}});
        if (c.remainder != 24) { // a wife's eighth, or a half, given before
            s.ClassCount[c.remainder == 21 ? 5 : 4] = 1;
            if (c.remainder == 12)
                s.ShareKindDenom[4] = 2;
        }
        engine::CommonBaseForKinds(s);
        ASSERT_EQ(s.Remainder, c.remainder);
        engine::PairTakesRemainder(s, 13, 7);
        EXPECT_EQ(s.CaseBase, c.base);
        EXPECT_EQ(s.ClassShares[13], c.male);
        EXPECT_EQ(s.ClassShares[7], c.female);
        EXPECT_EQ(s.ResidHeadCount, c.heads);
        EXPECT_EQ(s.CaseKind, c.kind);
        EXPECT_EQ(s.Remainder, 0);
        EXPECT_EQ(s.ResidClassMale, 13);
    }
}

} // namespace
