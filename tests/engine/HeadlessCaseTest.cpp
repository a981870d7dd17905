#include "CalcFixture.h"
#include "engine/calc/CalcSteps.h"

#include <boost/multiprecision/integer.hpp>

#include <gtest/gtest.h>

#include <array>
#include <random>

namespace {

using engine::BigInt;
using engine::HeirRow;
using testsupport::relationNames;
using testsupport::shippedCalcRules;

TEST(HeadlessCase, HandsBackTheIntakesRefusalsAndDrops) {
    const engine::HeadlessResult refused = engine::solveCase(
        {{QStringLiteral("أ"), QStringLiteral("ابن")}, {QStringLiteral("ب"), QStringLiteral("جار")}}, 2,
        shippedCalcRules(), relationNames());
    EXPECT_FALSE(refused.accepted);
    EXPECT_EQ(refused.refusal, engine::IntakeText::badRelation(QStringLiteral("جار")));
    EXPECT_TRUE(refused.heirSlots.empty());

    const engine::HeadlessResult dropped = engine::solveCase({{QStringLiteral("أ"), QStringLiteral("جد")},
                                                              {QStringLiteral("ب"), QStringLiteral("اب اب")},
                                                              {QStringLiteral("ج"), QStringLiteral("اخ")}},
                                                             2, shippedCalcRules(), relationNames());
    ASSERT_TRUE(dropped.accepted);
    EXPECT_EQ(dropped.dropped, QStringList{engine::IntakeText::Repeated});
    ASSERT_EQ(dropped.heirSlots.size(), 2u);
    EXPECT_EQ(dropped.base, 2);
    EXPECT_EQ(dropped.heirSlots[0].share, 1);
    EXPECT_EQ(dropped.heirSlots[1].share, 1);
    EXPECT_EQ(dropped.heirSlots[1].heirClass, 16);
}

// Families drawn at random from every relation the intake knows, both schools: each is divided
// whole, the shares make up the base in lowest terms, and the same case gives the same division
// when it is calculated again.
TEST(HeadlessCase, DividesEveryFamilyWhole) {
    QStringList relations;
    for (int k = 1; k <= 127; ++k) {
        const QString text = relationNames().RelationNames[k];
        if (text != QString::fromUtf16(engine::NameTables::PlaceholderText) &&
            k != engine::NameTables::DropMark && relationNames().relationCode(text) == k)
            relations << text;
    }
    // The near family comes up far more often, so the heir stages meet each other.
    const QStringList near =
        testsupport::rel({"زوج", "زوجة", "اب", "ام", "جد", "ابن", "بنت", "بنت ابن", "ابن ابن", "اخ", "اخت",
                          "اخ لاب", "اخت لاب", "اخ لام", "اخت لام", "ام ام", "ام اب"});
    std::mt19937 random(20240611);
    for (int n = 0; n < 3000; ++n) {
        std::vector<HeirRow> heirs;
        const int count = 1 + static_cast<int>(random() % 9);
        for (int k = 0; k < count; ++k) {
            const QStringList& pool = random() % 3 == 0 ? relations : near;
            heirs.push_back(
                {QStringLiteral("و") + QString::number(random() % 12), pool[random() % pool.size()]});
        }
        for (int school : {1, 2}) {
            engine::HeadlessCase hc(shippedCalcRules(), relationNames());
            if (!hc.enter(heirs))
                continue; // an empty family after the drops
            ASSERT_TRUE(hc.calculate(school)) << hc.result().refusal.toStdString();
            const engine::HeadlessResult r = hc.result();
            ASSERT_EQ(r.shareSum(), r.base);
            BigInt divisor = r.base;
            for (const engine::HeadlessSlot& slot : r.heirSlots) {
                if (slot.share > 0)
                    divisor = boost::multiprecision::gcd(divisor, slot.share);
            }
            ASSERT_EQ(divisor, 1);
            ASSERT_TRUE(hc.calculate(3 - school));
            ASSERT_TRUE(hc.calculate(school));
            const engine::HeadlessResult again = hc.result();
            ASSERT_EQ(again.base, r.base);
            for (std::size_t k = 0; k < r.heirSlots.size(); ++k)
                ASSERT_EQ(again.heirSlots[k].share, r.heirSlots[k].share);
        }
    }
}

} // namespace

namespace {

// Families of up to nine heirs over every relation the intake knows, the near family more often.
class RandomFamilies {
public:
    RandomFamilies() {
        for (int k = 1; k <= 127; ++k) {
            const QString text = relationNames().RelationNames[k];
            if (text != QString::fromUtf16(engine::NameTables::PlaceholderText) &&
                k != engine::NameTables::DropMark && relationNames().relationCode(text) == k)
                m_all << text;
        }
        m_near = testsupport::rel({"زوج", "زوجة", "اب", "ام", "جد", "ابن", "بنت", "بنت ابن", "ابن ابن", "اخ",
                                   "اخت", "اخ لاب", "اخت لاب", "اخ لام", "اخت لام", "ام ام", "ام اب"});
    }
    std::vector<HeirRow> next() {
        std::vector<HeirRow> heirs;
        const int count = 1 + static_cast<int>(m_random() % 9);
        for (int k = 0; k < count; ++k) {
            const QStringList& pool = m_random() % 2 == 0 ? m_all : m_near;
            heirs.push_back({QStringLiteral("و") + QString::number(m_random() % 12),
                             pool[static_cast<qsizetype>(m_random() % pool.size())]});
        }
        return heirs;
    }

private:
    QStringList m_all;
    QStringList m_near;
    std::mt19937 m_random{20261210};
};

// One engine state serves case after case, as in the program: whatever a case left behind, the
// next one starts its census from nothing and gets the division it gets on a fresh state.
TEST(HeadlessCase, EachCaseIsDividedAsIfItCameFirst) {
    RandomFamilies families;
    engine::HeadlessCase reused(shippedCalcRules(), relationNames());
    for (int n = 0; n < 3000; ++n) {
        const std::vector<HeirRow> heirs = families.next();
        const int school = 1 + n % 2;
        if (!reused.enter(heirs))
            continue;

        // The census over what the previous case left: the counts of these heirs' classes, no
        // share anywhere.
        engine::EngineState& s = reused.state();
        s.DeceasedIndex = 1;
        engine::ClassCensus(s);
        std::array<int, engine::ClassTop + 1> heads{};
        for (int k = 1; k <= s.HeirTotal; ++k)
            ++heads[static_cast<std::size_t>(s.HeirClass[k])];
        for (int c = 1; c <= engine::ClassTop; ++c) {
            ASSERT_EQ(s.ClassShares[c], 0) << "class " << c << ", case " << n;
            if (c != engine::GrandfatherAggregate) {
                ASSERT_EQ(s.ClassCount[c], heads[static_cast<std::size_t>(c)])
                    << "class " << c << ", case " << n;
            }
        }

        ASSERT_TRUE(reused.calculate(school)) << reused.result().refusal.toStdString();
        const engine::HeadlessResult r = reused.result();
        const engine::HeadlessResult alone =
            engine::solveCase(heirs, school, shippedCalcRules(), relationNames());
        ASSERT_EQ(r.base, alone.base) << "case " << n;
        ASSERT_EQ(r.heirSlots.size(), alone.heirSlots.size()) << "case " << n;
        for (std::size_t k = 0; k < r.heirSlots.size(); ++k) {
            ASSERT_EQ(r.heirSlots[k].share, alone.heirSlots[k].share) << "case " << n << ", slot " << k + 1;
            ASSERT_EQ(r.heirSlots[k].name, alone.heirSlots[k].name) << "case " << n << ", slot " << k + 1;
            ASSERT_EQ(r.heirSlots[k].relation, alone.heirSlots[k].relation)
                << "case " << n << ", slot " << k + 1;
        }
    }
}

} // namespace
