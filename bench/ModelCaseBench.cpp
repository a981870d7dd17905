// Every shipped model case through the model-case run, from the number the stage hands over to
// the filled report tables: the recall from STORG, each deceased's division, notes and report,
// the merge and, for a chain, the unified table.

#include "EngineFixture.h"
#include "engine/run/ModelCaseRun.h"

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <vector>

namespace {

void BM_EveryShippedModelCase(benchmark::State& bench) {
    bench::LoadedEngine engine;
    engine.context.Text_RLAS = QStringLiteral("خ");
    std::vector<QString> numbers;
    for (const auto& r : engine.db.select(
             QStringLiteral("select storde_case_no from STORDE_STANDERD order by storde_case_no")))
        numbers.push_back(r.value(0).toString());
    if (numbers.empty())
        throw std::runtime_error("no model cases shipped");

    engine::EngineState state;
    engine::EngineContext ctx =
        engine.contextFor(state, engine::PagePolicy::CountOnly, engine::NoteWording::SuccessiveDeaths);
    engine::ModelCaseRun run(ctx, engine.rules);
    for (auto _ : bench) {
        for (const QString& number : numbers) {
            if (run.recallAndCalculate(number) != engine::ModelCaseRun::Recall::Computed)
                throw std::runtime_error("model case not computed: " + number.toStdString());
        }
        engine.port.surface().clear();
    }
    // Seconds per case, shown in the counter column.
    bench.counters["per_case"] =
        benchmark::Counter(static_cast<double>(numbers.size()),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    bench.counters["cases"] = static_cast<double>(numbers.size());
}
BENCHMARK(BM_EveryShippedModelCase)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace
