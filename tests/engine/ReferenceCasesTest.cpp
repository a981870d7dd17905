// The reference cases shipped in appdata/STORG, with their expected final shares in appdata/STOR
// and their titles in the model-case catalogue STORDE_STANDERD. The start-up self-test replays
// them and stops the program at the first difference, so a wrong expected share, a record that
// no longer lines up with its shares, or a case on a path the self-test calculates differently
// would stop every start. Every expected share was worked out by hand; reference/reference-cases.md
// holds the working and the same shares, and these tests hold the files to it and to the live
// calculation.

#include "CalcFixture.h"

#include "engine/calc/CalcOptions.h"
#include "engine/calc/ShareCalculation.h"
#include "engine/calc/StoredCaseCalculation.h"
#include "rules/StoredCaseFile.h"

#include <QFile>
#include <QRegularExpression>

#include <boost/multiprecision/integer.hpp>

#include <map>
#include <set>

#include <gtest/gtest.h>

namespace {

using engine::BigInt;
using engine::EngineState;
using rules::StoredCase;
using rules::StoredCaseFile;

QString appFile(const char* name) {
    return testsupport::appdataDir() + QLatin1Char('/') + QString::fromUtf8(name);
}

QString readText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(f.readAll());
}

// What one deceased's division left behind, read before the class totals are cleared.
struct DivisionMarks {
    int caseKind = 0;
    int specialCaseMark = 0;
    int grandfatherOption = 0;
    bool returnBesideSpouse = false;
    bool blessedRelative = false;
    long long base = 0;
};

// One record of STORG calculated as the self-test calculates it: every deceased in order of
// death, then the merge (a single death is merged too, which changes none of its shares).
struct CalculatedCase {
    std::vector<DivisionMarks> divisions;
    std::vector<BigInt> shares; // slots 1..HeirTotal, treasury slots included
    BigInt base;
    QString refusal;
};

CalculatedCase calculate(const StoredCase& record, const engine::CalcOptions& options) {
    CalculatedCase out;
    EngineState s;
    engine::LoadReferenceCase(s, record);
    try {
        engine::CalculateStoredCase(s, testsupport::shippedCalcRules(), options, [&](int) {
            out.divisions.push_back({s.CaseKind, s.SpecialCaseMark, s.GrandfatherOption,
                                     s.ShareKindState[10] == 1, s.ShareKindState[3] == 1,
                                     s.CaseBase.whole()});
        });
    } catch (const engine::CalculationRefused& refused) {
        out.refusal = refused.message();
        return out;
    }
    out.base = s.CombinedBase;
    for (int j = 1; j <= s.HeirTotal; ++j)
        out.shares.push_back(s.HeirShare[j]);
    return out;
}

struct ReferenceRecord {
    StoredCase record;
    CalculatedCase live;    // the engine's own calculation, as a model case runs
    CalculatedCase variant; // the self-test's variant
};

struct ExpectedRecord {
    QString key;
    std::vector<QString> values; // as the file writes them
};

// The working of reference-cases.md: its title and "expected: base = shares" line per case.
struct NotedCase {
    QString title;
    long long base = 0;
    std::vector<long long> shares;
};

struct ReferenceSet {
    std::vector<ReferenceRecord> cases;
    std::vector<ExpectedRecord> expected; // read from STOR as the self-test reads it
    QStringList storFieldsLeft;           // fields of STOR that no record reads
    QStringList storgProblems;            // records the reader refused
    std::map<int, NotedCase> notes;
};

const ReferenceSet& referenceSet() {
    static const ReferenceSet set = [] {
        ReferenceSet r;
        StoredCaseFile storg(appFile("STORG"));
        for (auto got = storg.scanFirst(); got.outcome != StoredCaseFile::Outcome::NotFound;
             got = storg.scanNext()) {
            if (got.outcome != StoredCaseFile::Outcome::Loaded) {
                r.storgProblems << got.problem;
                if (got.outcome == StoredCaseFile::Outcome::Missing)
                    break;
                continue;
            }
            r.cases.push_back({got.record, calculate(got.record, {}),
                               calculate(got.record, engine::CalcOptions::referenceVariant())});
        }

        // STOR is a run of fields: a key, then one value per slot of the case as the self-test
        // calculates it.
        rules::RuleFile stor = rules::RuleFile::fromText(readText(appFile("STOR")), QStringLiteral("STOR"));
        QStringList fields;
        while (!stor.atEnd())
            fields << stor.readText();
        qsizetype next = 0;
        for (const ReferenceRecord& c : r.cases) {
            ExpectedRecord e;
            if (next < fields.size())
                e.key = fields[next++];
            for (std::size_t k = 0; k < c.variant.shares.size() && next < fields.size(); ++k)
                e.values.push_back(fields[next++]);
            r.expected.push_back(e);
        }
        r.storFieldsLeft = fields.mid(next);

        static const QRegularExpression heading(QStringLiteral("^## (\\d+)\\. (.+)$"));
        static const QRegularExpression expected(QStringLiteral("^expected: (\\d+) = ([\\d ]+)$"));
        int current = 0;
        for (const QString& line :
             readText(testsupport::testsDir() + QStringLiteral("/engine/reference/reference-cases.md"))
                 .split(QLatin1Char('\n'))) {
            if (const auto m = heading.match(line); m.hasMatch()) {
                current = m.captured(1).toInt();
                r.notes[current].title = m.captured(2).trimmed();
            } else if (const auto m = expected.match(line); m.hasMatch() && current > 0) {
                NotedCase& n = r.notes[current];
                n.base = m.captured(1).toLongLong();
                for (const QString& v : m.captured(2).split(QLatin1Char(' '), Qt::SkipEmptyParts))
                    n.shares.push_back(v.toLongLong());
            }
        }
        return r;
    }();
    return set;
}

std::vector<long long> asNumbers(const std::vector<BigInt>& values) {
    std::vector<long long> out;
    for (const BigInt& v : values)
        out.push_back(v.convert_to<long long>());
    return out;
}

// ---------------------------------------------------------------------------- the files as a set

TEST(ReferenceCaseFiles, EveryRecordLoadsAndIsFoundUnderItsOwnNumber) {
    const ReferenceSet& set = referenceSet();
    EXPECT_TRUE(set.storgProblems.isEmpty()) << set.storgProblems.join(QLatin1Char('\n')).toStdString();
    ASSERT_FALSE(set.cases.empty());
    for (std::size_t k = 0; k < set.cases.size(); ++k) {
        const int number = static_cast<int>(k) + 1;
        EXPECT_EQ(set.cases[k].record.key, StoredCaseFile::keyFor(number));
        // The model-case run asks for one number at a time.
        StoredCaseFile storg(appFile("STORG"));
        const auto found = storg.find(number);
        ASSERT_EQ(found.outcome, StoredCaseFile::Outcome::Loaded) << number;
        EXPECT_EQ(found.record.heirCount, set.cases[k].record.heirCount) << number;
    }
}

TEST(ReferenceCaseFiles, ExpectedSharesLineUpWithTheStoredCasesToTheLastField) {
    const ReferenceSet& set = referenceSet();
    ASSERT_EQ(set.expected.size(), set.cases.size());
    for (std::size_t k = 0; k < set.cases.size(); ++k) {
        EXPECT_EQ(set.expected[k].key, set.cases[k].record.key);
        EXPECT_EQ(set.expected[k].values.size(), set.cases[k].variant.shares.size())
            << set.cases[k].record.key.toStdString();
    }
    EXPECT_TRUE(set.storFieldsLeft.isEmpty()) << set.storFieldsLeft.join(QLatin1Char(',')).toStdString();
}

TEST(ReferenceCaseFiles, TheCatalogueNamesEveryCaseOnceUnderItsNumber) {
    const ReferenceSet& set = referenceSet();
    testsupport::TempAppFolder folder;
    const data::Database db = folder.caseDatabase();
    std::vector<int> numbers;
    std::set<QString> titles;
    for (const auto& row : db.select(QStringLiteral(
             "select storde_case_no, storde_case_name from STORDE_STANDERD order by storde_case_no"))) {
        numbers.push_back(row.value(0).toInt());
        const QString title = row.value(1).toString();
        EXPECT_FALSE(title.trimmed().isEmpty()) << numbers.back();
        EXPECT_TRUE(titles.insert(title).second) << "repeated title " << title.toStdString();
        ASSERT_TRUE(set.notes.count(numbers.back())) << numbers.back();
        EXPECT_EQ(title, set.notes.at(numbers.back()).title) << numbers.back();
    }
    std::vector<int> wanted;
    for (std::size_t k = 1; k <= set.cases.size(); ++k)
        wanted.push_back(static_cast<int>(k));
    EXPECT_EQ(numbers, wanted);
}

// The set exercises every stage of the calculation in both schools. A case taken out or changed
// must not leave a stage without one.
TEST(ReferenceCaseFiles, CoverEveryStageOfTheCalculation) {
    const ReferenceSet& set = referenceSet();
    std::set<int> schools, chainLengths, awlBases, caseKinds, specialMarks, grandfatherOptions1,
        grandfatherOptions2;
    std::set<int> classes;
    bool returnWithSpouse = false, returnWithoutSpouse = false, blessed = false, sameName = false;
    for (const ReferenceRecord& c : set.cases) {
        schools.insert(c.record.school);
        chainLengths.insert(c.record.deceasedCount);
        for (const auto& d : c.record.deceased)
            for (const auto& h : d.heirs)
                classes.insert(h.classCode);
        for (const DivisionMarks& d : c.live.divisions) {
            caseKinds.insert(d.caseKind);
            specialMarks.insert(d.specialCaseMark);
            if (d.caseKind == 3)
                awlBases.insert(static_cast<int>(d.base));
            if (d.caseKind == 2)
                (d.returnBesideSpouse ? returnWithSpouse : returnWithoutSpouse) = true;
            blessed = blessed || d.blessedRelative;
            (c.record.school == 1 ? grandfatherOptions1 : grandfatherOptions2).insert(d.grandfatherOption);
        }
        for (const auto& d : c.record.deceased) {
            std::set<QString> names;
            for (const auto& h : d.heirs)
                sameName = sameName || !names.insert(h.name).second;
        }
    }
    EXPECT_EQ(schools, (std::set<int>{1, 2}));
    for (int n : {1, 2, 3, 5})
        EXPECT_TRUE(chainLengths.count(n)) << "a chain of " << n;
    for (int base : {7, 8, 9, 10, 13, 15, 17, 27})
        EXPECT_TRUE(awlBases.count(base)) << "'awl to " << base;
    EXPECT_TRUE(returnWithSpouse);
    EXPECT_TRUE(returnWithoutSpouse);
    EXPECT_TRUE(blessed);
    EXPECT_TRUE(sameName);
    // 1 residue after shares, 2 return, 3 'awl, 4 the father's remainder, 6 the whole to a
    // residuary, 7 the treasury, 8 the mushtaraka, 9 and 10 the womb relatives beside a spouse
    // and alone, 11 the split between the father's and the mother's side.
    for (int kind : {1, 2, 3, 4, 6, 7, 8, 9, 10, 11})
        EXPECT_TRUE(caseKinds.count(kind)) << "CaseKind " << kind;
    // The gharrawayn and the akdariyya.
    for (int mark : {1, 2})
        EXPECT_TRUE(specialMarks.count(mark)) << "SpecialCaseMark " << mark;
    // School 1: sharing, a third of the whole, a third of the rest; school 2: sharing, the sixth.
    for (int option : {2, 5, 9})
        EXPECT_TRUE(grandfatherOptions1.count(option)) << "school 1 option " << option;
    for (int option : {3, 10})
        EXPECT_TRUE(grandfatherOptions2.count(option)) << "school 2 option " << option;
    // Every group of heirs.
    const std::pair<const char*, std::vector<int>> groups[] = {
        {"spouses", {4, 5}},
        {"parents", {1, 2}},
        {"grandfathers", {96, 97}},
        {"grandmothers", {18, 19, 20, 21, 23}},
        {"descendants", {7, 8, 13, 14, 15}},
        {"siblings", {10, 11, 12, 16, 17}},
        {"brothers' sons, uncles and their sons", {27, 31, 33, 37}},
        {"the emancipator's line", {41, 42}},
        {"daughters' children", {46, 47, 48, 50}},
        {"non-inheriting grandparents", {52, 54, 55}},
        {"siblings' children", {58, 59}},
        {"aunts and uncles of both sides", {69, 72, 74, 75}},
        {"their children", {81, 90}},
        {"the father's aunts and uncles", {101, 106, 112}},
    };
    for (const auto& [group, members] : groups)
        for (int cls : members)
            EXPECT_TRUE(classes.count(cls)) << group << ": class " << cls;
}

// Three divisions the program once got wrong stay among the cases the self-test replays at every
// start: the grandfather excluding his mother in school 1, no akdariyya beside a second sibling,
// and the father's uterine maternal uncle and aunt sharing 2:1.
TEST(ReferenceCaseFiles, GuardTheDivisionsOnceGotWrong) {
    bool grandfathersMother = false, noAkdariyya = false, wombPair = false;
    for (const ReferenceRecord& c : referenceSet().cases) {
        if (c.record.deceasedCount != 1 || !c.live.refusal.isEmpty())
            continue;
        std::map<int, std::vector<long long>> sharesOf; // class -> shares in slot order
        const auto& heirs = c.record.deceased.front().heirs;
        for (std::size_t k = 0; k < heirs.size() && k < c.live.shares.size(); ++k)
            sharesOf[heirs[k].classCode].push_back(c.live.shares[k].convert_to<long long>());
        const auto has = [&](int cls) { return sharesOf.count(cls) > 0; };
        if (c.record.school == 1 && has(96) && has(23) && !has(1) && !has(2)) {
            EXPECT_EQ(sharesOf[23], std::vector<long long>{0}) << c.record.key.toStdString();
            grandfathersMother = true;
        }
        if (c.record.school == 1 && has(4) && has(2) && has(96) && has(10) && (has(11) || has(17))) {
            EXPECT_NE(c.live.divisions.front().specialCaseMark, 2) << c.record.key.toStdString();
            noAkdariyya = true;
        }
        if (has(111) && has(112) && sharesOf[111].size() == 1 && sharesOf[112].size() == 1) {
            EXPECT_EQ(sharesOf[111].front(), 2 * sharesOf[112].front()) << c.record.key.toStdString();
            EXPECT_GT(sharesOf[112].front(), 0) << c.record.key.toStdString();
            wombPair = true;
        }
    }
    EXPECT_TRUE(grandfathersMother);
    EXPECT_TRUE(noAkdariyya);
    EXPECT_TRUE(wombPair);
}

// ---------------------------------------------------------------------------- case by case

class ReferenceCase : public ::testing::TestWithParam<std::size_t> {
protected:
    const ReferenceRecord& reference() const { return referenceSet().cases.at(GetParam()); }
    const ExpectedRecord& expected() const { return referenceSet().expected.at(GetParam()); }
};

// Equality as the self-test has it: the value of a plain number, nothing else.
std::vector<long long> expectedNumbers(const ExpectedRecord& e) {
    static const QRegularExpression number(QStringLiteral("^\\d+$"));
    std::vector<long long> out;
    for (const QString& v : e.values) {
        EXPECT_TRUE(number.match(v).hasMatch()) << "not a plain number: " << v.toStdString();
        out.push_back(v.toLongLong());
    }
    return out;
}

TEST_P(ReferenceCase, StoredClassesAreTheClassesOfTheirRelations) {
    const engine::NameTables& names = testsupport::relationNames();
    for (const auto& d : reference().record.deceased) {
        for (const auto& h : d.heirs) {
            const int code = names.relationCode(h.relation);
            ASSERT_NE(code, 0) << h.relation.toStdString();
            EXPECT_EQ(h.classCode, engine::foldRelation(code))
                << h.name.toStdString() << " " << h.relation.toStdString();
        }
    }
}

TEST_P(ReferenceCase, TheLiveCalculationGivesTheExpectedShares) {
    const CalculatedCase& live = reference().live;
    ASSERT_TRUE(live.refusal.isEmpty()) << live.refusal.toStdString();
    const std::vector<long long> values = expectedNumbers(expected());
    EXPECT_EQ(asNumbers(live.shares), values);

    // The expected shares make up the whole base, in lowest terms.
    BigInt sum = 0, divisor = 0;
    for (long long v : values) {
        sum += v;
        divisor = boost::multiprecision::gcd(divisor, BigInt(v));
    }
    EXPECT_EQ(sum, live.base);
    EXPECT_EQ(divisor, 1);
}

// The self-test calculates without the step in which the grandfather takes what the sisters'
// fixed shares leave; a case reaching that step would hold a share no user ever sees.
TEST_P(ReferenceCase, TheSelfTestVariantGivesTheSameDivision) {
    const ReferenceRecord& c = reference();
    ASSERT_TRUE(c.variant.refusal.isEmpty()) << c.variant.refusal.toStdString();
    EXPECT_EQ(asNumbers(c.variant.shares), asNumbers(c.live.shares));
    EXPECT_EQ(c.variant.base, c.live.base);
}

TEST_P(ReferenceCase, TheNotesWorkOutTheSameShares) {
    const int number = static_cast<int>(GetParam()) + 1;
    ASSERT_TRUE(referenceSet().notes.count(number)) << "no working for case " << number;
    const NotedCase& noted = referenceSet().notes.at(number);
    EXPECT_EQ(noted.shares, expectedNumbers(expected()));
    EXPECT_EQ(BigInt(noted.base), reference().live.base);
}

std::string caseName(const ::testing::TestParamInfo<std::size_t>& info) {
    return "case" + std::to_string(info.param + 1);
}

std::vector<std::size_t> caseIndexes(bool singleDeathsOnly) {
    std::vector<std::size_t> out;
    const auto& cases = referenceSet().cases;
    for (std::size_t k = 0; k < cases.size(); ++k)
        if (!singleDeathsOnly || cases[k].record.deceasedCount == 1)
            out.push_back(k);
    return out;
}

INSTANTIATE_TEST_SUITE_P(Shipped, ReferenceCase, ::testing::ValuesIn(caseIndexes(false)), caseName);

// A single death typed in by a user, heirs by name and relation, reaches the same division as
// the stored record with its class codes.
class ReferenceSingleDeath : public ReferenceCase {};

TEST_P(ReferenceSingleDeath, EnteredAsHeirsItGivesTheSameDivision) {
    const ReferenceRecord& c = reference();
    std::vector<engine::HeirRow> rows;
    for (const auto& h : c.record.deceased.front().heirs)
        rows.push_back({h.name, h.relation});
    const engine::HeadlessResult r = engine::solveCase(rows, c.record.school, testsupport::shippedCalcRules(),
                                                       testsupport::relationNames());
    ASSERT_TRUE(r.accepted) << r.refusal.toStdString();
    EXPECT_TRUE(r.dropped.isEmpty()) << r.dropped.join(QLatin1Char('\n')).toStdString();
    std::vector<BigInt> shares;
    for (const engine::HeadlessSlot& slot : r.heirSlots)
        shares.push_back(slot.share);
    EXPECT_EQ(asNumbers(shares), asNumbers(c.live.shares));
    EXPECT_EQ(r.base, c.live.base);
}

INSTANTIATE_TEST_SUITE_P(Shipped, ReferenceSingleDeath, ::testing::ValuesIn(caseIndexes(true)), caseName);

} // namespace
