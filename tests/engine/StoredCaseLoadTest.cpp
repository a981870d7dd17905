#include "engine/calc/StoredCaseLoad.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using engine::EngineState;
using Outcome = rules::StoredCaseFile::Outcome;

namespace {

const char* const storedCases = "ت/ 4\n"
                                " 2, 1, 2,م\n"
                                "احمد, 2\n"
                                "فاطمة,زوجة, 5\n"
                                "علي,ابن, 13\n"
                                "ت/ 12\n"
                                " 1, 2, 4,ن\n"
                                "خالد, 2\n"
                                "سالم,ابن, 13\n"
                                "حسن,جد, 96\n"
                                "سالم, 4\n"
                                "هند,ام, 2\n"
                                "عمر,ابن, 13\n"
                                "ت/ 13\n"
                                " 2, 1, 1,م\n"
                                "زيد, 2\n"
                                "عمر,ابن, 13\n";

class StoredCaseLoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        QFile f(dir.filePath(QStringLiteral("STORG")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(storedCases);
    }
    // A state left behind by an earlier case of another school with more slots.
    EngineState earlierCase() {
        EngineState s;
        s.Madhhab = 2;
        s.OutputMode = 2;
        s.CaseKey = QStringLiteral("ت/ 99");
        s.newChain(3);
        s.ensureSlots(7);
        for (int j = 1; j <= 7; ++j) {
            s.HeirName[j] = QStringLiteral("قديم");
            s.HeirShare[j] = j;
        }
        s.HeirTotal = 7;
        return s;
    }

    QTemporaryDir dir;
    rules::StoredCaseFile file{dir.filePath(QStringLiteral("STORG"))};
};

TEST_F(StoredCaseLoadTest, ACaseFoundInTheMiddleReplacesTheCaseInHand) {
    EngineState s = earlierCase();
    const auto r = engine::ReadStoredCase(s, file, 12);
    ASSERT_EQ(r.outcome, Outcome::Loaded) << r.problem.toStdString();

    EXPECT_EQ(s.StoredCaseNo, 12);
    EXPECT_EQ(s.CaseKey, QStringLiteral("ت/ 12"));
    EXPECT_EQ(s.Madhhab, 1);
    EXPECT_EQ(s.CaseType, QStringLiteral("ن"));
    EXPECT_EQ(s.DeceasedCount, 2);
    EXPECT_EQ(s.HeirTotal, 4);
    EXPECT_EQ(s.DeceasedName, (std::vector<QString>{"", "خالد", "سالم"}));
    EXPECT_EQ(s.DeceasedLastHeir, (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(s.DeceasedBase.size(), 3u);
    EXPECT_EQ(s.HeirName[2], QStringLiteral("حسن"));
    EXPECT_EQ(s.HeirRelation[2], QStringLiteral("جد"));
    EXPECT_EQ(s.HeirClass[2], 96);
    EXPECT_EQ(s.HeirName[4], QStringLiteral("عمر"));
    EXPECT_EQ(s.HeirClass[3], 2);

    // What the calculation sets for itself is left alone.
    EXPECT_EQ(s.OutputMode, 2);
    EXPECT_EQ(s.HeirName[5], QStringLiteral("قديم"));
    EXPECT_EQ(s.HeirShare[1], 1);
}

TEST_F(StoredCaseLoadTest, AMissingOrMalformedCaseLeavesTheCaseInHand) {
    EngineState s = earlierCase();
    EXPECT_EQ(engine::ReadStoredCase(s, file, 7).outcome, Outcome::NotFound);
    // Record 13 says its deceased's last slot is 2 but brings one heir line.
    const auto bad = engine::ReadStoredCase(s, file, 13);
    EXPECT_EQ(bad.outcome, Outcome::Malformed);
    EXPECT_TRUE(bad.problem.contains(QStringLiteral("ت/ 13")));
    EXPECT_EQ(s.CaseKey, QStringLiteral("ت/ 99"));
    EXPECT_EQ(s.DeceasedCount, 3);
    EXPECT_EQ(s.HeirTotal, 7);
}

TEST_F(StoredCaseLoadTest, NumberNineHundredNinetyNineRunsThroughEveryCase) {
    EngineState s = earlierCase();
    auto r = engine::ReadStoredCase(s, file, engine::ScanAllStoredNumber);
    ASSERT_EQ(r.outcome, Outcome::Loaded);
    EXPECT_EQ(s.CaseKey, QStringLiteral("ت/ 4"));
    EXPECT_EQ(s.HeirTotal, 2);
    EXPECT_TRUE(file.scanning());

    r = engine::ContinueStoredScan(s, file);
    ASSERT_EQ(r.outcome, Outcome::Loaded);
    EXPECT_EQ(s.CaseKey, QStringLiteral("ت/ 12"));

    r = engine::ContinueStoredScan(s, file);
    EXPECT_EQ(r.outcome, Outcome::Malformed);
    r = engine::ContinueStoredScan(s, file);
    EXPECT_EQ(r.outcome, Outcome::NotFound);
    EXPECT_FALSE(file.scanning());
    EXPECT_EQ(s.CaseKey, QStringLiteral("ت/ 12"));
}

} // namespace
