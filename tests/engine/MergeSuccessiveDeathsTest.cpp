#include "engine/calc/MergeSuccessiveDeaths.h"

#include <boost/multiprecision/cpp_int.hpp>

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

using engine::BigInt;
using engine::EngineState;
using Rational = boost::multiprecision::cpp_rational;

namespace {

struct Heir {
    std::string name;
    long long share;
};
struct Deceased {
    std::string name;
    long long base;
    std::vector<Heir> heirs;
};
using Chain = std::vector<Deceased>;

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// The state as the per-deceased loop leaves it: every deceased's division reduced on its own base,
// and CaseBase set to the first deceased's base.
void setUpChain(EngineState& s, const Chain& chain) {
    s.newChain(static_cast<int>(chain.size()));
    int slot = 0;
    for (std::size_t i = 0; i < chain.size(); ++i) {
        const int k = static_cast<int>(i) + 1;
        s.DeceasedName[k] = q(chain[i].name);
        s.DeceasedBase[k] = chain[i].base;
        for (const Heir& h : chain[i].heirs) {
            ++slot;
            s.ensureSlots(slot);
            s.HeirName[slot] = q(h.name);
            s.HeirRelation[slot] = QStringLiteral("ابن");
            s.HeirClass[slot] = 13;
            s.HeirShare[slot] = h.share;
        }
        s.DeceasedLastHeir[k] = slot;
    }
    s.HeirTotal = slot;
    s.CaseBase = chain[0].base;
}

// The non-zero shares after the merge, in slot order.
std::vector<std::pair<std::string, std::string>> listed(const EngineState& s) {
    std::vector<std::pair<std::string, std::string>> out;
    for (int j = 1; j <= s.HeirTotal; ++j)
        if (s.HeirShare[j] != 0)
            out.emplace_back(s.HeirName[j].toStdString(), s.HeirShare[j].str());
    return out;
}

struct GoldenMerge {
    const char* title;
    Chain chain;
    const char* combinedBase;
    std::vector<std::pair<std::string, std::string>> shares; // non-zero, in slot order
    std::vector<long long> inherited;                        // DeceasedInheritedShare(2..N)
};

const GoldenMerge goldenMerges[] = {
    {"the worked example: X inherits from both deceased",
     {{"الاول", 4, {{"X", 1}, {"Y", 3}}}, {"Y", 2, {{"X", 1}, {"Z", 1}}}},
     "8",
     {{"X", "5"}, {"Z", "3"}},
     {3}},
    {"a later deceased who was an heir of two earlier deceased collects both shares",
     {{"D", 3, {{"A", 1}, {"B", 1}, {"C", 1}}},
      {"B", 2, {{"C", 1}, {"E", 1}}},
      {"C", 4, {{"F", 3}, {"A", 1}}}},
     "24",
     {{"A", "11"}, {"E", "4"}, {"F", "9"}},
     {1, 3}},
    {"the bases share a factor: only the cofactor enlarges the combined base",
     {{"D", 6, {{"A", 1}, {"B", 3}, {"C", 2}}}, {"B", 9, {{"E", 4}, {"F", 5}}}},
     "18",
     {{"A", "3"}, {"C", "6"}, {"E", "4"}, {"F", "5"}},
     {3}},
    {"a later deceased who is nobody's heir hands nothing on, nor does one who inherits only from him",
     {{"D", 2, {{"A", 1}, {"B", 1}}}, {"Q", 3, {{"R", 1}, {"S", 2}}}, {"R", 1, {{"T", 1}}}},
     "2",
     {{"A", "1"}, {"B", "1"}},
     {0, 0}},
    {"a later deceased whose only slot was blocked inherited nothing",
     {{"D", 1, {{"F", 1}, {"G", 0}}}, {"G", 2, {{"H", 1}, {"I", 1}}}},
     "1",
     {{"F", "1"}},
     {0}},
    {"a trailing blank makes another person: not passed on, not summed",
     {{"D", 2, {{"سالم", 1}, {"هند", 1}}}, {"سالم", 2, {{"هند ", 1}, {"عمر", 1}}}, {"عمر ", 1, {{"زيد", 1}}}},
     "4",
     {{"هند", "2"}, {"هند ", "1"}, {"عمر", "1"}},
     {1, 0}},
    {"the treasury slot of two divisions is summed like any name",
     {{"D", 2, {{"كمال", 1}, {"الخزينة العامة", 1}}}, {"كمال", 4, {{"امينة", 1}, {"الخزينة العامة", 3}}}},
     "8",
     {{"الخزينة العامة", "7"}, {"امينة", "1"}},
     {1}},
    {"the summed division is brought to lowest terms",
     {{"D", 3, {{"A", 1}, {"B", 1}, {"C", 1}}}, {"B", 2, {{"A", 1}, {"C", 1}}}},
     "2",
     {{"A", "1"}, {"C", "1"}},
     {1}},
};

void PrintTo(const GoldenMerge& g, std::ostream* os) {
    *os << g.title;
}

class GoldenMergeTest : public ::testing::TestWithParam<GoldenMerge> {};

TEST_P(GoldenMergeTest, GivesTheCombinedDivision) {
    const GoldenMerge& g = GetParam();
    EngineState s;
    setUpChain(s, g.chain);
    const EngineState before = s;

    engine::MergeSuccessiveDeaths(s);

    EXPECT_EQ(s.CombinedBase.str(), g.combinedBase);
    EXPECT_EQ(s.CaseBase, engine::Num(std::stoll(g.combinedBase)));
    EXPECT_EQ(listed(s), g.shares);
    for (std::size_t k = 2; k <= g.chain.size(); ++k)
        EXPECT_EQ(s.DeceasedInheritedShare[k], g.inherited[k - 2]) << "deceased " << k;

    // Every division here is complete, so the combined one is too.
    BigInt total = 0;
    for (int j = 1; j <= s.HeirTotal; ++j)
        total += s.HeirShare[j];
    EXPECT_EQ(total, s.CombinedBase);

    // The chain itself stays, so the divisions can be computed again.
    EXPECT_EQ(s.HeirName, before.HeirName);
    EXPECT_EQ(s.HeirClass, before.HeirClass);
    EXPECT_EQ(s.DeceasedBase, before.DeceasedBase);
    EXPECT_EQ(s.DeceasedLastHeir, before.DeceasedLastHeir);
    EXPECT_EQ(s.FirstSlotOfDeceased, 1);
    EXPECT_EQ(s.DeceasedIndex, s.DeceasedCount);
}

INSTANTIATE_TEST_SUITE_P(Chains, GoldenMergeTest, ::testing::ValuesIn(goldenMerges),
                         [](const ::testing::TestParamInfo<GoldenMerge>& info) {
                             return "case" + std::to_string(info.index + 1);
                         });

TEST(MergeFactors, AreThoseOfTheLastMergedDeceased) {
    EngineState s;
    setUpChain(s, goldenMerges[0].chain);
    engine::MergeSuccessiveDeaths(s);
    EXPECT_EQ(s.CombinedMultiplier, 2);
    EXPECT_EQ(s.SubCaseMultiplier, 3);

    EngineState nobody;
    setUpChain(nobody, goldenMerges[3].chain);
    engine::MergeSuccessiveDeaths(nobody);
    EXPECT_EQ(nobody.SubCaseMultiplier, 0);
}

TEST(CombineDivisions, LeavesASingleDeathAsItIs) {
    EngineState s;
    // Not in lowest terms on purpose: a single death is neither merged nor reduced again.
    setUpChain(s, {{"D", 6, {{"A", 2}, {"B", 4}}}});
    engine::CombineDivisions(s);
    EXPECT_EQ(s.CombinedBase, 6);
    EXPECT_EQ(s.CaseBase, engine::Num(6));
    EXPECT_EQ(listed(s), (std::vector<std::pair<std::string, std::string>>{{"A", "2"}, {"B", "4"}}));
}

TEST(CombineDivisions, MergesAChain) {
    EngineState s;
    setUpChain(s, goldenMerges[0].chain);
    s.CaseBase = 999; // whatever the last deceased left there
    engine::CombineDivisions(s);
    EXPECT_EQ(s.CombinedBase, 8);
    EXPECT_EQ(s.CaseBase, engine::Num(8));
}

// A chain of thirty deceased, each an heir of the one before; some also inherit from the one
// before that, and five people inherit from many of them. The bases are distinct primes, so the
// combined base is the product of most of them and passes 2^128.
Chain thirtyDeceased() {
    const long long primes[30] = {29, 31,  37,  41,  43,  47,  53,  59,  61,  67,  71,  73,  79,  83,  89,
                                  97, 101, 103, 107, 109, 113, 127, 131, 137, 139, 149, 151, 157, 163, 167};
    Chain chain;
    for (int k = 1; k <= 30; ++k) {
        Deceased d{"م" + std::to_string(k), primes[k - 1], {}};
        long long used = 0;
        auto give = [&](const std::string& name, long long share) {
            d.heirs.push_back({name, share});
            used += share;
        };
        if (k < 30)
            give("م" + std::to_string(k + 1), 1 + k % 3);
        if (k + 2 <= 30 && k % 4 == 0)
            give("م" + std::to_string(k + 2), 2);
        give("P" + std::to_string(k % 5), 3);
        give("X" + std::to_string(k), d.base - used - 3);
        give("Y" + std::to_string(k), 3);
        chain.push_back(d);
    }
    return chain;
}

// The same chain worked out person by person as fractions of the first estate: what each
// deceased leaves is what he received, and each heir takes his fraction of it.
std::map<std::string, Rational> fractionsOfTheFirstEstate(const Chain& chain) {
    std::map<std::string, int> deceasedIndex;
    for (std::size_t i = 0; i < chain.size(); ++i)
        deceasedIndex[chain[i].name] = static_cast<int>(i);
    std::vector<Rational> estate(chain.size(), Rational(0));
    estate[0] = 1;
    std::map<std::string, Rational> kept;
    for (std::size_t i = 0; i < chain.size(); ++i) {
        for (const Heir& h : chain[i].heirs) {
            const Rational value = estate[i] * Rational(h.share, chain[i].base);
            const auto later = deceasedIndex.find(h.name);
            if (later != deceasedIndex.end() && later->second > static_cast<int>(i))
                estate[static_cast<std::size_t>(later->second)] += value;
            else
                kept[h.name] += value;
        }
    }
    return kept;
}

TEST(MergeExactness, AChainOfThirtyMatchesRationalArithmetic) {
    const Chain chain = thirtyDeceased();
    const auto fractions = fractionsOfTheFirstEstate(chain);

    Rational sum = 0;
    BigInt expectedBase = 1;
    for (const auto& [name, value] : fractions) {
        sum += value;
        expectedBase = boost::multiprecision::lcm(expectedBase, boost::multiprecision::denominator(value));
    }
    ASSERT_EQ(sum, Rational(1));

    EngineState s;
    setUpChain(s, chain);
    engine::MergeSuccessiveDeaths(s);

    EXPECT_GT(s.CombinedBase, BigInt(1) << 128);
    EXPECT_EQ(s.CombinedBase, expectedBase);
    EXPECT_EQ(s.CaseBase, engine::Num(0)) << "a base past 64 bits must not be kept as a wrong small number";

    std::map<std::string, Rational> merged;
    for (int j = 1; j <= s.HeirTotal; ++j) {
        if (s.HeirShare[j] == 0)
            continue;
        const std::string name = s.HeirName[j].toStdString();
        EXPECT_EQ(merged.count(name), 0u) << name << " is listed twice";
        merged[name] = Rational(s.HeirShare[j], s.CombinedBase);
    }
    EXPECT_EQ(merged, fractions);
}

} // namespace
