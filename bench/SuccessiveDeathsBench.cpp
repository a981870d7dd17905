// A chain of thirty deceased from the hand-over tables to the merged shares: the start of the
// successive-deaths run (title block, the chain read from DETH and WARITH_DUBLE with its checks),
// a division per deceased, and the merge. The unified table that follows the merge is not timed.

#include "engine/ChainIntake.h"
#include "engine/MergeSuccessiveDeaths.h"
#include "engine/ReportSurface.h"
#include "support/TempAppFolder.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <numeric>
#include <stdexcept>
#include <string>

namespace {

// The dialogue has already handed the chain over; nothing else may be asked.
class HandedOverPort : public engine::EnginePort {
public:
    void showEntryDialog(engine::EntryStage, engine::CaseContext&) override { unexpected(); }
    void showSuccessionDialog(engine::CaseContext&) override {}
    void showResultsScreen(engine::CaseContext&) override { unexpected(); }
    void showMessage(const QString& text) override {
        throw std::runtime_error("the chain was refused: " + text.toStdString());
    }
    void pause() override { unexpected(); }
    engine::ReportSurface& surface() override { return m_surface; }

private:
    [[noreturn]] static void unexpected() { throw std::logic_error("not part of this benchmark"); }
    engine::ReportSurface m_surface;
};

// Thirty deceased, each the son of the one before; every deceased leaves a wife and a few sons
// and daughters, their number varying so the bases differ.
void handOverChain(const data::Database& db) {
    db.execute(QStringLiteral("delete from DETH"));
    db.execute(QStringLiteral("delete from WARITH_DUBLE"));
    const QString insertHeir =
        QStringLiteral("insert into WARITH_DUBLE (warith_name, warith_relation, arrange) values (?, ?, ?)");
    for (int k = 1; k <= 30; ++k) {
        const QString name = QStringLiteral("متوفى %1").arg(k);
        db.execute(QStringLiteral("insert into DETH (deth_name, arrange) values (?, ?)"), {name, k});
        db.execute(insertHeir, {QStringLiteral("زوجة %1").arg(k), QStringLiteral("زوجة"), k});
        if (k < 30)
            db.execute(insertHeir, {QStringLiteral("متوفى %1").arg(k + 1), QStringLiteral("ابن"), k});
        for (int s = 0; s < k % 3; ++s)
            db.execute(insertHeir, {QStringLiteral("ابن %1 %2").arg(k).arg(s), QStringLiteral("ابن"), k});
        for (int d = 0; d < 1 + k % 4; ++d)
            db.execute(insertHeir, {QStringLiteral("بنت %1 %2").arg(k).arg(d), QStringLiteral("بنت"), k});
    }
}

// The division these families get: the wife an eighth, the rest to the children, a son twice a
// daughter; reduced to lowest terms as the per-deceased report leaves it.
void divideDeceased(engine::EngineState& s, int k) {
    const int first = s.DeceasedLastHeir[k - 1] + 1;
    const int last = s.DeceasedLastHeir[k];
    long parts = 0;
    for (int j = first; j <= last; ++j)
        parts += s.HeirClass[j] == engine::Son ? 2 : s.HeirClass[j] == engine::Daughter ? 1 : 0;
    long base = 8 * parts;
    long g = base;
    for (int j = first; j <= last; ++j) {
        const long share = s.HeirClass[j] == engine::Wife ? parts : s.HeirClass[j] == engine::Son ? 14 : 7;
        s.HeirShare[j] = share;
        g = std::gcd(g, share);
    }
    for (int j = first; j <= last; ++j)
        s.HeirShare[j] /= g;
    s.DeceasedBase[k] = base / g;
}

void BM_ThirtyDeceasedToMergedShares(benchmark::State& bench) {
    testsupport::TempAppFolder folder;
    const data::Database db = folder.caseDatabase();
    handOverChain(db);
    engine::NameTables names;
    names.fillRelationNames();
    names.fillMenuTexts();
    HandedOverPort port;
    engine::CaseContext context;

    engine::BigInt combinedBase;
    for (auto _ : bench) {
        engine::EngineState state;
        engine::EngineContext ctx{state, names, db, port, context};
        if (engine::StartSuccessiveRun(ctx).step != engine::ChainStep::Calculate)
            throw std::runtime_error("the chain was not taken");
        for (int k = 1; k <= state.DeceasedCount; ++k)
            divideDeceased(state, k);
        engine::CombineDivisions(state);
        combinedBase = state.CombinedBase;
        benchmark::DoNotOptimize(combinedBase);
    }
    bench.counters["combined_base_bits"] = static_cast<double>(boost::multiprecision::msb(combinedBase) + 1);
}
BENCHMARK(BM_ThirtyDeceasedToMergedShares)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// The merge alone, on the state the per-deceased loop leaves.
void BM_MergeOfThirtyDeceased(benchmark::State& bench) {
    testsupport::TempAppFolder folder;
    const data::Database db = folder.caseDatabase();
    handOverChain(db);
    engine::NameTables names;
    names.fillRelationNames();
    names.fillMenuTexts();
    HandedOverPort port;
    engine::CaseContext context;
    engine::EngineState divided;
    engine::EngineContext ctx{divided, names, db, port, context};
    engine::StartSuccessiveRun(ctx);
    for (int k = 1; k <= divided.DeceasedCount; ++k)
        divideDeceased(divided, k);

    for (auto _ : bench) {
        engine::EngineState state = divided;
        engine::CombineDivisions(state);
        benchmark::DoNotOptimize(state.CombinedBase);
    }
}
BENCHMARK(BM_MergeOfThirtyDeceased)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
