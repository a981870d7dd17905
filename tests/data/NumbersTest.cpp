#include "data/Numbers.h"

#include <gtest/gtest.h>

namespace {

using data::BigInt;
using data::Rational;

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfTheText) {
    struct Case {
        const char* text;
        Rational expected;
    } cases[] = {
        {"2", 2},
        {"10", 10},
        {"12abc", 12},
        {" 3.5", Rational(7, 2)},
        {"-4", -4},
        {"+7", 7},
        {"", 0},
        {"abc", 0},
        {"خمسة", 0},
        {"0.001", Rational(1, 1000)},
        {"2.", 2},
        {"1,000", 1},
        {"  ", 0},
        {"-", 0},
        {"123456789012345678901234567890", Rational(BigInt("123456789012345678901234567890"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(data::leadingNumber(QString::fromUtf8(c.text)), c.expected);
    }
}

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbour) {
    struct Case {
        Rational value;
        int expected;
    } cases[] = {
        {Rational(5, 2), 2},     {Rational(7, 2), 4}, {Rational(-5, 2), -2}, {Rational(-7, 2), -4},
        {Rational(1, 2), 0},     {Rational(3, 2), 2}, {Rational(26, 10), 3}, {Rational(24, 10), 2},
        {Rational(-26, 10), -3}, {Rational(3), 3},    {Rational(0), 0},      {Rational(-1, 3), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.str());
        EXPECT_EQ(data::roundHalfEven(c.value), BigInt(c.expected));
    }
}

TEST(LeadingInteger, RoundsAndClampsToTheSixtyFourBitRange) {
    EXPECT_EQ(data::leadingInteger("2.5"), 2);
    EXPECT_EQ(data::leadingInteger("3.5x"), 4);
    EXPECT_EQ(data::leadingInteger("99999999999999999999999"), std::numeric_limits<qint64>::max());
    EXPECT_EQ(data::leadingInteger("-99999999999999999999999"), std::numeric_limits<qint64>::min());
}

} // namespace
