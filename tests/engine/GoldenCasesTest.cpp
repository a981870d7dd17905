#include "CalcFixture.h"
#include "golden/GoldenCaseFile.h"

#include <boost/multiprecision/integer.hpp>

#include <gtest/gtest.h>

namespace {

using engine::BigInt;
using golden::GoldenCase;

QString goldenFile() {
    return testsupport::testsDir() + QStringLiteral("/engine/golden/cases.txt");
}

struct SchoolCase {
    GoldenCase c;
    int school = 0;
};

void PrintTo(const SchoolCase& c, std::ostream* os) {
    *os << c.c.title.toStdString() << " (school " << c.school << ")";
}

std::vector<SchoolCase> allSchoolCases() {
    std::vector<SchoolCase> out;
    for (const GoldenCase& c : golden::readGoldenCases(goldenFile())) {
        for (const auto& entry : c.bySchool)
            out.push_back({c, entry.first});
    }
    return out;
}

std::vector<engine::HeirRow> rowsOf(const GoldenCase& c) {
    std::vector<engine::HeirRow> rows;
    for (const golden::Heir& h : c.heirs)
        rows.push_back({h.name, h.relation});
    return rows;
}

long long stateValue(const engine::EngineState& s, const QString& member) {
    if (member == QLatin1String("CaseKind"))
        return s.CaseKind;
    if (member == QLatin1String("GrandfatherOption"))
        return s.GrandfatherOption;
    if (member == QLatin1String("SpecialCaseMark"))
        return s.SpecialCaseMark;
    if (member == QLatin1String("SisterRemainderCode"))
        return s.SisterRemainderCode;
    ADD_FAILURE() << "unknown member " << member.toStdString();
    return -1;
}

// Exclusions every school of the program follows, written apart from the calculation: whoever a
// present heir of the first list excludes must end with nothing.
struct Exclusion {
    std::vector<int> by;
    std::vector<std::pair<int, int>> excluded; // class ranges
};
const Exclusion Exclusions[] = {
    // a son: the son's children, the siblings, the male residuaries, the relatives of the womb
    {{13}, {{8, 9}, {10, 12}, {14, 17}, {27, 95}, {99, 111}}},
    // any male descendant: the siblings, the male residuaries, the relatives of the womb
    {{13, 14, 15}, {{10, 12}, {16, 17}, {27, 95}, {99, 111}}},
    // any descendant: the maternal siblings
    {{7, 8, 9, 13, 14, 15}, {{12, 12}}},
    // the father: the grandfathers, the grandmothers of his side, everybody of the siblings' line on
    {{1}, {{10, 12}, {16, 17}, {21, 26}, {27, 95}, {96, 98}, {99, 111}}},
    // the mother: every grandmother
    {{2}, {{18, 26}}},
    // a true grandfather: the maternal siblings
    {{96, 97, 98}, {{12, 12}}},
    // a full brother: the consanguine siblings, the male residuaries, the relatives of the womb
    {{16}, {{11, 11}, {17, 17}, {27, 95}, {99, 111}}},
};

class GoldenCaseTest : public ::testing::TestWithParam<SchoolCase> {};

TEST_P(GoldenCaseTest, GivesTheExpectedDivision) {
    const GoldenCase& c = GetParam().c;
    const int school = GetParam().school;
    const golden::Division& expected = c.bySchool.at(school);
    SCOPED_TRACE("cases.txt line " + std::to_string(c.line));

    engine::HeadlessCase hc(testsupport::shippedCalcRules(), testsupport::relationNames());
    ASSERT_TRUE(hc.enter(rowsOf(c))) << hc.result().refusal.toStdString();
    ASSERT_TRUE(hc.calculate(school)) << hc.result().refusal.toStdString();
    const engine::HeadlessResult r = hc.result();
    EXPECT_TRUE(r.dropped.isEmpty());

    std::vector<long long> shares;
    for (const engine::HeadlessSlot& slot : r.heirSlots)
        shares.push_back(slot.share.convert_to<long long>());
    EXPECT_EQ(r.base.convert_to<long long>(), expected.base);
    EXPECT_EQ(shares, expected.shares);

    if (c.stateBySchool.count(school)) {
        for (const auto& [member, value] : c.stateBySchool.at(school))
            EXPECT_EQ(stateValue(hc.state(), member), value) << member.toStdString();
    }
}

// What must hold for every division, whatever the case.
TEST_P(GoldenCaseTest, KeepsTheRulesOfEveryDivision) {
    const GoldenCase& c = GetParam().c;
    const int school = GetParam().school;
    SCOPED_TRACE("cases.txt line " + std::to_string(c.line));

    engine::HeadlessCase hc(testsupport::shippedCalcRules(), testsupport::relationNames());
    ASSERT_TRUE(hc.enter(rowsOf(c)));
    ASSERT_TRUE(hc.calculate(school));
    const engine::HeadlessResult first = hc.result();

    // The shares make up the whole base, in lowest terms.
    EXPECT_EQ(first.shareSum(), first.base);
    BigInt divisor = first.base;
    for (const engine::HeadlessSlot& slot : first.heirSlots) {
        EXPECT_GE(slot.share, 0);
        if (slot.share > 0)
            divisor = boost::multiprecision::gcd(divisor, slot.share);
    }
    EXPECT_EQ(divisor, 1);

    // Heirs excluded by a present heir hold nothing.
    std::vector<int> present;
    for (const engine::HeadlessSlot& slot : first.heirSlots)
        present.push_back(slot.heirClass);
    auto isPresent = [&](int cls) { return std::find(present.begin(), present.end(), cls) != present.end(); };
    for (const Exclusion& rule : Exclusions) {
        if (std::none_of(rule.by.begin(), rule.by.end(), isPresent))
            continue;
        for (const engine::HeadlessSlot& slot : first.heirSlots) {
            for (const auto& [low, high] : rule.excluded) {
                if (slot.heirClass >= low && slot.heirClass <= high) {
                    EXPECT_EQ(slot.share, 0)
                        << slot.relation.toStdString() << " beside class " << rule.by.front();
                }
            }
        }
    }

    // Showing the case again, and the other school there and back, give the same division.
    for (int again : {school, 3 - school, school}) {
        ASSERT_TRUE(hc.calculate(again));
        if (again != school)
            continue;
        const engine::HeadlessResult r = hc.result();
        EXPECT_EQ(r.base, first.base);
        ASSERT_EQ(r.heirSlots.size(), first.heirSlots.size());
        for (std::size_t k = 0; k < r.heirSlots.size(); ++k) {
            EXPECT_EQ(r.heirSlots[k].share, first.heirSlots[k].share);
            EXPECT_EQ(r.heirSlots[k].name, first.heirSlots[k].name);
            EXPECT_EQ(r.heirSlots[k].relation, first.heirSlots[k].relation);
        }
    }
}

std::string caseName(const ::testing::TestParamInfo<SchoolCase>& info) {
    return "line" + std::to_string(info.param.c.line) + "_school" + std::to_string(info.param.school);
}

INSTANTIATE_TEST_SUITE_P(Golden, GoldenCaseTest, ::testing::ValuesIn(allSchoolCases()), caseName);

TEST(GoldenCaseFile, ReadsItsLayoutAndRefusesMistakes) {
    const auto cases =
        golden::parseGoldenCases(QStringLiteral("case a\n# note\nheir ابن\nheir هند | \"اب اب ام \"\n"
                                                "school 1 2 : 3 = 2 1\nstate 2 : CaseKind=6\nend\n"));
    ASSERT_EQ(cases.size(), 1u);
    EXPECT_EQ(cases[0].heirs[1].name, QStringLiteral("هند"));
    EXPECT_EQ(cases[0].heirs[1].relation, QStringLiteral("اب اب ام "));
    EXPECT_EQ(cases[0].bySchool.at(1).shares, (std::vector<long long>{2, 1}));
    EXPECT_EQ(cases[0].stateBySchool.at(2).at(QStringLiteral("CaseKind")), 6);
    for (const char* bad : {"case a\nheir ابن\nend\n", "case a\nheir ابن\nschool 3 : 1 = 1\nend\n",
                            "case a\nheir ابن\nschool 1 : 1 = x\nend\n", "heir ابن\n", "case a\nheir ابن\n"})
        EXPECT_THROW(golden::parseGoldenCases(QString::fromUtf8(bad)), std::runtime_error) << bad;
}

} // namespace
