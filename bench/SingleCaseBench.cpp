// A whole single-death case on a real case database: the heirs read from WARITH, every step of
// the division, the notes and the report written into the report tables and on the window.

#include "EngineFixture.h"
#include "engine/report/ReportTables.h"
#include "engine/run/CaseIntake.h"
#include "engine/run/CaseRun.h"

#include <benchmark/benchmark.h>

namespace {

struct Heir {
    const char* name;
    const char* relation;
};

// A family that goes through most steps of a division: spouses, parents, descendants of two
// levels, siblings who are blocked, and a note for nearly every one of them.
const Heir family[] = {
    {"فاطمة", "زوجة"},   {"زينب", "زوجة"}, {"خديجة", "ام"},     {"عمر", "اب"},
    {"علي", "ابن"},      {"حسن", "ابن"},   {"عائشة", "بنت"},    {"مريم", "بنت"},
    {"سلمى", "بنت ابن"}, {"خالد", "اخ"},   {"سعاد", "اخت لام"}, {"بكر", "عم"},
};

void BM_SingleCaseToReportTables(benchmark::State& bench) {
    bench::LoadedEngine engine;
    engine.db.execute(QStringLiteral("delete from WARITH"));
    for (const Heir& h : family)
        engine.db.execute(QStringLiteral("insert into WARITH (warith_name, warith_relation) values (?, ?)"),
                          {QString::fromUtf8(h.name), QString::fromUtf8(h.relation)});
    engine.context.Text_deth_name = QStringLiteral("زيد");

    for (auto _ : bench) {
        engine::EngineState state;
        state.Madhhab = 2;
        state.OutputMode = 2;
        state.newChain(1);
        engine::EngineContext ctx = engine.contextFor(state);
        engine::ResetReport(ctx);
        if (!engine::CaseIntake(ctx).accepted())
            throw std::runtime_error("the case was refused");
        engine::CaseRun run(ctx, engine.rules);
        run.calculate();
        benchmark::DoNotOptimize(state.CaseBase);
    }
}
BENCHMARK(BM_SingleCaseToReportTables)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace
