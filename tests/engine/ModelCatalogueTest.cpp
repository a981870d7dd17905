// The shipped model cases as the model-case run meets them: the catalogue STORDE_STANDERD that
// the stage lists, and the records of STORG that the run recalls by the catalogue's numbers.

#include "engine/run/ModelCaseRun.h"

#include "ScriptedPort.h"
#include "engine/calc/NameTables.h"
#include "engine/calc/StoredCaseLoad.h"
#include "rules/ClassNameFiles.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

using engine::ModelCaseRun;

// What the host's load step prepares, on the shipped application folder.
struct ShippedRun {
    testsupport::TempAppFolder folder{true};
    data::Database db = folder.caseDatabase();
    testsupport::ScriptedPort port{db};
    engine::EngineState state;
    engine::NameTables names;
    rules::CalcRules rules;
    engine::CaseContext context;
    engine::EngineContext ctx{state,
                              names,
                              db,
                              port,
                              context,
                              engine::PagePolicy::CountOnly,
                              engine::NoteWording::SuccessiveDeaths};

    ShippedRun() {
        rules::ClassNameFiles files;
        files.openFiles();
        files.readGroupNames(names);
        names.fillRelationNames();
        names.fillMenuTexts();
        files.readClassNames(names);
        rules = rules::loadCalcRules();
        context.Text_RLAS = QStringLiteral("خ");
    }
    std::vector<int> catalogue() const {
        std::vector<int> out;
        for (const auto& r :
             db.select(QStringLiteral("select storde_case_no from STORDE_STANDERD order by storde_case_no")))
            out.push_back(r.value(0).toInt());
        return out;
    }
};

TEST(ShippedModelCases, CatalogueAndStoredCaseFileHoldTheSameNumbers) {
    ShippedRun shipped;
    const std::vector<int> catalogue = shipped.catalogue();
    ASSERT_FALSE(catalogue.empty());
    // 999 would start a scan of the whole file instead of one case.
    EXPECT_EQ(std::count(catalogue.begin(), catalogue.end(), engine::ScanAllStoredNumber), 0);

    std::set<QString> keys;
    rules::StoredCaseFile file;
    for (auto r = file.scanFirst(); r.outcome != rules::StoredCaseFile::Outcome::NotFound;
         r = file.scanNext()) {
        ASSERT_EQ(r.outcome, rules::StoredCaseFile::Outcome::Loaded) << r.problem.toStdString();
        EXPECT_TRUE(keys.insert(r.record.key).second) << "repeated key " << r.record.key.toStdString();
    }
    std::set<QString> catalogueKeys;
    for (int n : catalogue)
        catalogueKeys.insert(rules::StoredCaseFile::keyFor(n));
    EXPECT_EQ(keys, catalogueKeys);
}

TEST(ShippedModelCases, EveryCaseRunsThroughTheRunAndItsSharesAddUpToItsBase) {
    ShippedRun shipped;
    ModelCaseRun run(shipped.ctx, shipped.rules);
    for (int n : shipped.catalogue()) {
        SCOPED_TRACE(n);
        ASSERT_EQ(run.recallAndCalculate(QString::number(n)), ModelCaseRun::Recall::Computed);
        const engine::EngineState& s = shipped.state;
        EXPECT_EQ(s.CaseKey, rules::StoredCaseFile::keyFor(n));
        engine::BigInt total = 0;
        for (int j = 1; j <= s.HeirTotal; ++j) {
            EXPECT_GE(s.HeirShare[j], 0);
            total += s.HeirShare[j];
        }
        EXPECT_EQ(total, s.CombinedBase);
        // A chain's unified table lists the same shares; a single death has none.
        const int listed = shipped.db.count(QStringLiteral("select count(*) from TAWHEED_CHILED"));
        if (s.DeceasedCount > 1) {
            engine::BigInt tableTotal = 0;
            for (const auto& r : shipped.db.select(QStringLiteral("select share from TAWHEED_CHILED")))
                tableTotal += engine::BigInt(r.value(0).toString().toStdString());
            EXPECT_EQ(tableTotal, s.CombinedBase);
        } else {
            EXPECT_EQ(listed, 0);
        }
    }
    EXPECT_TRUE(shipped.port.messages.isEmpty()) << shipped.port.messages.join('\n').toStdString();
}

} // namespace
