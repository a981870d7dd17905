#include "platform/RandomGenerator.h"

#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

using platform::RandomGenerator;

namespace {

TEST(RandomGenerator, DrawsTheWholePartOfNTimesTheNextValue) {
    const struct {
        double r;
        int n;
        int expected;
    } cases[] = {
        {0.0, 40, 0},  {0.0249, 40, 0},  {0.025, 40, 1},
        {0.5, 40, 20}, {0.9999, 40, 39}, {std::nextafter(1.0, 0.0), 40, 39}, // n × r rounds up to n
        {1.0, 40, 39}, // a script past the range is brought inside it
        {7.5, 40, 39}, {-0.3, 40, 0},    {std::numeric_limits<double>::quiet_NaN(), 40, 0},
        {0.5, 0, 0},   {0.5, -3, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.r << " x " << c.n);
        testsupport::ScriptedRandom script;
        script.push(c.r);
        EXPECT_EQ(RandomGenerator::draw(c.n), c.expected);
    }
}

TEST(RandomGenerator, AScriptComesOutInOrderAndTheRealSequenceReturnsAfterIt) {
    {
        testsupport::ScriptedRandom script;
        script.push(0.25);
        script.push(0.75);
        EXPECT_EQ(RandomGenerator::next(), 0.25);
        EXPECT_EQ(RandomGenerator::next(), 0.75);
        EXPECT_EQ(script.taken(), 2);
    }
    // The real sequence: inside [0, 1), spread over the whole range, never stuck on one value.
    std::set<int> seen;
    for (int k = 0; k < 4000; ++k) {
        const double r = RandomGenerator::next();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        seen.insert(RandomGenerator::draw(40));
    }
    EXPECT_EQ(seen.size(), 40u);
}

} // namespace
