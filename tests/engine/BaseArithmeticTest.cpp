#include "StepState.h"

#include <gtest/gtest.h>

namespace {

using engine::EngineState;
using engine::Num;
using testsupport::countsOf;
using testsupport::frac;

// A number against a whole number orders exactly as against that whole number made a Num:
// fractions on either side of it, negatives, and 0 beside fractions of every sign.
TEST(Num, OrdersAgainstWholeNumbersAsAgainstTheirNums) {
    const Num values[] = {0,          1,           -1,         2,          24,          -24,
                          frac(1, 2), frac(-1, 2), frac(3, 2), frac(9, 5), frac(-7, 3), frac(48, 2)};
    const std::int64_t wholes[] = {0, 1, -1, 2, 24, -24, 3};
    for (const Num& a : values) {
        for (const std::int64_t b : wholes) {
            EXPECT_EQ(a == b, a == Num(b)) << a.str() << " == " << b;
            EXPECT_EQ(a != b, a != Num(b)) << a.str() << " != " << b;
            EXPECT_EQ(a < b, a.compare(Num(b)) < 0) << a.str() << " < " << b;
            EXPECT_EQ(a > b, a.compare(Num(b)) > 0) << a.str() << " > " << b;
            EXPECT_EQ(a <= b, a.compare(Num(b)) <= 0) << a.str() << " <= " << b;
        }
    }
    EXPECT_TRUE(frac(48, 2) == 24);
    EXPECT_FALSE(frac(1, 2) == 0);
    EXPECT_TRUE(frac(-1, 2) < 0);
}

TEST(Gcd, EuclidWithItsGuards) {
    struct Case {
        Num a, b, expected;
    } cases[] = {
        {12, 18, 6},
        {18, 12, 6},
        {7, 1, 1},
        {1, 7, 1},
        {5, 5, 5},
        {16, 6, 2},
        {48, 7, 1},
        {0, 5, 9},
        {5, 0, 9},
        {-4, 6, 9}, // the earlier result stays
        {frac(16, 3), 4, frac(4, 3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.a.str() + " " + c.b.str());
        EngineState s;
        s.GcdResult = 9;
        s.GcdA = c.a;
        s.GcdB = c.b;
        engine::Gcd(s);
        EXPECT_EQ(s.GcdResult, c.expected);
    }
}

// The fixed shares of classes 5..12 split evenly per head on the smallest base that allows it.
TEST(CommonBaseForKinds, ExpandsTheBaseUntilEveryClassSplitsPerHead) {
    struct Case {
        const char* what;
        int femaleClass;
        int heads;
        Num denom;
        Num base, each, remainder;
    } cases[] = {
        {"two wives, an eighth", 5, 2, 8, 48, 3, 42},
        {"three daughters, two thirds", 7, 3, frac(3, 2), 72, 16, 24},
        {"four daughters", 7, 4, frac(3, 2), 24, 4, 8},
        {"six daughters", 7, 6, frac(3, 2), 72, 8, 24},
        {"five uterine siblings, a third", 12, 5, 3, 120, 8, 80},
        {"one daughter, a half", 7, 1, 2, 24, 12, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EngineState s = countsOf({{c.femaleClass, c.heads}});
        s.ShareKindDenom[c.femaleClass] = c.denom;
        engine::CommonBaseForKinds(s);
        EXPECT_EQ(s.CaseBase, c.base);
        EXPECT_EQ(s.ClassShares[c.femaleClass], c.each);
        EXPECT_EQ(s.Remainder, c.remainder);
    }
}

TEST(CommonBaseForKinds, RecomputesSharesWhoseKindChangedAfterAnExpansion) {
    // Four wives and the grandfather, no descendant: the wives' quarter grows the base to 48.
    EngineState s = countsOf({{5, 4}, {3, 1}, {10, 1}});
    s.ShareKindDenom[5] = 4;
    engine::CommonBaseForKinds(s);
    ASSERT_EQ(s.CaseBase, 48);
    ASSERT_EQ(s.Remainder, 48 - 12 - 8);
    // A sister is then given her half: the next common base must count it, although it needs
    // no expansion of its own.
    engine::AssignHalfOrTwoThirds(s, 2, 10);
    engine::CommonBaseForKinds(s);
    EXPECT_EQ(s.ClassShares[10], 24);
    EXPECT_EQ(s.Remainder, 48 - 12 - 8 - 24);
}

TEST(RescaleShareKinds, KeepsSharesOutsideTheFixedKinds) {
    EngineState s = countsOf({{1, 1}, {2, 1}, {10, 1}}, 1);
    s.ClassShares[10] = 7; // a class with heads but no fixed share keeps what it had
    s.ClassCount[3] = 1;
    s.ShareKindDenom[3] = frac(5, 2); // school 1: a denominator that is no whole number is held
    s.ShareKindDenom[13] = 48;        // as the grandfather's 48 parts of a base of 120
    s.ShareKindState[13] = 120;
    s.CaseBase = 240;
    s.Remainder = 240;
    engine::RescaleShareKinds(s);
    EXPECT_EQ(s.ClassShares[10], 7);
    EXPECT_EQ(s.ClassShares[1], 40);
    EXPECT_EQ(s.ClassShares[2], 40);
    EXPECT_EQ(s.ClassShares[3], 96);
    EXPECT_EQ(s.Remainder, 240 - 40 - 40 - 96);
    EXPECT_EQ(s.ShareKindState[8], 1);
}

TEST(ReducePair, GivesBothCofactors) {
    struct Case {
        Num a, b;
        int combined, sub;
    } cases[] = {{12, 7, 12, 7}, {24, 14, 12, 7}, {8, 1, 8, 1}, {6, 4, 3, 2}};
    for (const Case& c : cases) {
        EngineState s;
        s.GcdA = c.a;
        s.GcdB = c.b;
        engine::ReducePair(s);
        EXPECT_EQ(s.CombinedMultiplier, c.combined);
        EXPECT_EQ(s.SubCaseMultiplier, c.sub);
    }
}

// Called level by level in order of nearness, the nearest level with females takes a half or
// two thirds, the next completes two thirds after a half, and nothing is left after that.
TEST(AssignHalfOrTwoThirds, GivesEachLevelItsPart) {
    struct Case {
        const char* what;
        int daughters, sonsDaughters, sonsSonsDaughters;
        Num d7, d8, d9, state;
    } cases[] = {
        {"one daughter, two son's daughters", 1, 2, 1, 2, 6, 0, frac(3, 2)},
        {"one daughter, a son's son's daughter", 1, 0, 1, 2, 0, 6, frac(3, 2)},
        {"two daughters, a son's daughter", 2, 1, 0, frac(3, 2), 0, 0, frac(3, 2)},
        {"a son's daughter alone", 0, 1, 0, 0, 2, 0, 2},
        {"three son's son's daughters", 0, 0, 3, 0, 0, frac(3, 2), frac(3, 2)},
        {"nobody", 0, 0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EngineState s = countsOf({{7, c.daughters}, {8, c.sonsDaughters}, {9, c.sonsSonsDaughters}});
        for (int f = 7; f <= 9; ++f)
            engine::AssignHalfOrTwoThirds(s, 1, f);
        EXPECT_EQ(s.ShareKindDenom[7], c.d7);
        EXPECT_EQ(s.ShareKindDenom[8], c.d8);
        EXPECT_EQ(s.ShareKindDenom[9], c.d9);
        EXPECT_EQ(s.ShareKindState[1], c.state);
    }
}

TEST(ExpandBase, LeavesADivisibleRemainderAlone) {
    EngineState s = countsOf({{4, 1}});
    s.ShareKindDenom[4] = 2;
    s.ClassShares[4] = 999; // untouched: nothing is recomputed when the parts divide
    engine::ExpandBase(s, 12, 3);
    EXPECT_EQ(s.CaseBase, 24);
    EXPECT_EQ(s.ClassShares[4], 999);
    engine::ExpandBase(s, 12, 5);
    EXPECT_EQ(s.CaseBase, 120);
    EXPECT_EQ(s.ClassShares[4], 60);
    EXPECT_EQ(s.Remainder, 60);
}

} // namespace
