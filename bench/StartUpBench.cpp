// The program's start as a user waits for it: from the start of the main window's load step
// (the path database on drive D:, the case database, the engine self-test over every shipped
// reference case, the resets) to the main window's first show event, on the offscreen platform.
//
// Every start finds CHECK_FILE empty, so the self-test runs each time, as after a clean exit.

#include "engine/run/EngineSelfTest.h"
#include "platform/ProcessExit.h"
#include "shell/Form1.h"
#include "support/TempAppFolder.h"

#include <QApplication>
#include <QEvent>
#include <QFile>

#include <benchmark/benchmark.h>

#include <chrono>
#include <optional>

namespace {

using Clock = std::chrono::steady_clock;

// Notes when the watched window is first shown.
class FirstShow : public QObject {
public:
    std::optional<Clock::time_point> at;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show && !at)
            at = Clock::now();
        return false;
    }
};

void BM_StartUpToFirstShow(benchmark::State& state) {
    const QString appdata = testsupport::appdataDir() + QLatin1Char('/');
    if (!QFile::exists(appdata + QStringLiteral("STORG")) ||
        !QFile::exists(appdata + QStringLiteral("STOR"))) {
        state.SkipWithError("the reference cases are not in appdata");
        return;
    }
    testsupport::TempAppFolder folder(true);
    for (auto _ : state) {
        FirstShow shown;
        const Clock::time_point start = Clock::now();
        std::unique_ptr<shell::Form1> window;
        try {
            window = shell::Form1::load({});
        } catch (const platform::ProgramEnded&) {
            state.SkipWithError("the self-test failed on the shipped reference cases");
            return;
        }
        window->installEventFilter(&shown);
        window->show();
        QCoreApplication::processEvents();
        if (!shown.at) {
            state.SkipWithError("the main window was never shown");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(*shown.at - start).count());
    }
}

BENCHMARK(BM_StartUpToFirstShow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// The self-test alone, for telling its share of the start apart.
void BM_SelfTestOverTheReferenceCases(benchmark::State& state) {
    const QString appdata = testsupport::appdataDir() + QLatin1Char('/');
    if (!QFile::exists(appdata + QStringLiteral("STORG")) ||
        !QFile::exists(appdata + QStringLiteral("STOR"))) {
        state.SkipWithError("the reference cases are not in appdata");
        return;
    }
    testsupport::TempAppFolder folder(true);
    const rules::CalcRules rules = rules::loadCalcRules();
    for (auto _ : state) {
        engine::EngineState engineState;
        engine::ReportSurface surface;
        const auto result = engine::EngineSelfTest::replay(engineState, rules, surface, folder.file("STORG"),
                                                           folder.file("STOR"));
        if (!result.passed) {
            state.SkipWithError("the self-test failed on the shipped reference cases");
            return;
        }
        benchmark::DoNotOptimize(result.casesChecked);
    }
}

BENCHMARK(BM_SelfTestOverTheReferenceCases)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    // A failing self-test must not end the benchmark without a word.
    platform::ProcessExit::throwOnEnd();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
