// A chain of thirty deceased through the successive-deaths run: the start of the run (title block,
// the chain read from DETH and WARITH_DUBLE with its checks), then the run's calculation: every
// deceased's division, notes and report, the merge, the unified table and the closing lines. The
// merge is also timed alone.

#include "EngineFixture.h"
#include "engine/calc/MergeSuccessiveDeaths.h"
#include "engine/report/ReportSurface.h"
#include "engine/run/CaseRun.h"
#include "engine/run/SuccessiveRunStart.h"

#include <benchmark/benchmark.h>

#include <numeric>
#include <stdexcept>
#include <string>

namespace {

// Thirty deceased, each the son of the one before: every deceased leaves a wife, his mother (the
// wife of the one before, so she inherits twice) and a few sons and daughters, their number
// varying so the bases differ.
void handOverChain(const data::Database& db) {
    db.execute(QStringLiteral("delete from DETH"));
    db.execute(QStringLiteral("delete from WARITH_DUBLE"));
    const QString insertHeir =
        QStringLiteral("insert into WARITH_DUBLE (warith_name, warith_relation, arrange) values (?, ?, ?)");
    for (int k = 1; k <= 30; ++k) {
        const QString name = QStringLiteral("متوفى %1").arg(k);
        db.execute(QStringLiteral("insert into DETH (deth_name, arrange) values (?, ?)"), {name, k});
        db.execute(insertHeir, {QStringLiteral("زوجة %1").arg(k), QStringLiteral("زوجة"), k});
        if (k > 1)
            db.execute(insertHeir, {QStringLiteral("زوجة %1").arg(k - 1), QStringLiteral("ام"), k});
        if (k < 30)
            db.execute(insertHeir, {QStringLiteral("متوفى %1").arg(k + 1), QStringLiteral("ابن"), k});
        for (int s = 0; s < k % 3; ++s)
            db.execute(insertHeir, {QStringLiteral("ابن %1 %2").arg(k).arg(s), QStringLiteral("ابن"), k});
        for (int d = 0; d < 1 + k % 4; ++d)
            db.execute(insertHeir, {QStringLiteral("بنت %1 %2").arg(k).arg(d), QStringLiteral("بنت"), k});
    }
}

// The loaded engine with the chain handed over.
struct LoadedEngine : bench::LoadedEngine {
    LoadedEngine() { handOverChain(db); }
    engine::EngineContext context_for(engine::EngineState& state) {
        return contextFor(state, engine::PagePolicy::PauseAndBreak, engine::NoteWording::SuccessiveDeaths);
    }
};

void BM_ThirtyDeceasedToUnifiedTable(benchmark::State& bench) {
    LoadedEngine engine;
    engine::BigInt combinedBase;
    for (auto _ : bench) {
        engine::EngineState state;
        engine::EngineContext ctx = engine.context_for(state);
        if (engine::StartSuccessiveRun(ctx).step != engine::ChainStep::Calculate)
            throw std::runtime_error("the chain was not taken");
        engine::CaseRun run(ctx, engine.rules);
        run.calculate();
        combinedBase = state.CombinedBase;
        benchmark::DoNotOptimize(combinedBase);
    }
    bench.counters["combined_base_bits"] = static_cast<double>(boost::multiprecision::msb(combinedBase) + 1);
}
BENCHMARK(BM_ThirtyDeceasedToUnifiedTable)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// The start of the run alone: the title block and the chain read and checked.
void BM_StartOfTheRun(benchmark::State& bench) {
    LoadedEngine engine;
    for (auto _ : bench) {
        engine::EngineState state;
        engine::EngineContext ctx = engine.context_for(state);
        if (engine::StartSuccessiveRun(ctx).step != engine::ChainStep::Calculate)
            throw std::runtime_error("the chain was not taken");
        benchmark::DoNotOptimize(state.HeirTotal);
    }
}
BENCHMARK(BM_StartOfTheRun)->Unit(benchmark::kMillisecond);

// The divisions these families get, as the per-deceased loop leaves them before the merge: the
// wife an eighth, the mother a sixth, the rest to the children, a son twice a daughter; each in
// lowest terms.
void divideDeceased(engine::EngineState& s, int k) {
    const int first = s.DeceasedLastHeir[k - 1] + 1;
    const int last = s.DeceasedLastHeir[k];
    long m = 0;
    for (int j = first; j <= last; ++j)
        m += s.HeirClass[j] == engine::Son ? 2 : s.HeirClass[j] == engine::Daughter ? 1 : 0;
    const long base = 24 * m;
    long g = base;
    for (int j = first; j <= last; ++j) {
        const int c = s.HeirClass[j];
        const long share = c == engine::Wife     ? 3 * m
                           : c == engine::Mother ? 4 * m
                           : c == engine::Son    ? 34
                                                 : 17;
        s.HeirShare[j] = share;
        g = std::gcd(g, share);
    }
    for (int j = first; j <= last; ++j)
        s.HeirShare[j] /= g;
    s.DeceasedBase[k] = base / g;
}

// The merge alone.
void BM_MergeOfThirtyDeceased(benchmark::State& bench) {
    LoadedEngine engine;
    engine::EngineState divided;
    engine::EngineContext ctx = engine.context_for(divided);
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
