// A stored chain of thirty deceased and 200 heirs: loaded into the working table and the chain
// grid's rows read again, and stored again by edit under its number.

#include "succession/ChainRun.h"
#include "succession/ChainTable.h"
#include "succession/StoredChains.h"
#include "support/TempAppFolder.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

constexpr int Deceased = 30;
constexpr int Heirs = 200;

// Each deceased the son of the one before, with a wife, and daughters up to 200 heirs in all.
void typeChain(const data::Database& db) {
    const QString heir =
        QStringLiteral("insert into MUNASKA_TEMP (warith_relation, warith_name, arrange) values (?, ?, ?)");
    int written = 0;
    for (int k = 1; k <= Deceased; ++k) {
        db.execute(
            QStringLiteral("insert into MUNASKA_TEMP (deth_name, deth_status, arrange) values (?, ?, ?)"),
            {QStringLiteral("متوفى %1").arg(k), k == 1 ? QStringLiteral("") : QStringLiteral("ثم توفي"), k});
        db.execute(heir, {QStringLiteral("زوجة"), QStringLiteral("زوجة %1").arg(k), k});
        ++written;
        if (k < Deceased) {
            db.execute(heir, {QStringLiteral("ابن"), QStringLiteral("متوفى %1").arg(k + 1), k});
            ++written;
        }
    }
    for (int d = 0; written < Heirs; ++d, ++written)
        db.execute(heir, {QStringLiteral("بنت"), QStringLiteral("بنت %1").arg(d), 1 + d % Deceased});
}

struct Library {
    testsupport::TempAppFolder folder;
    data::Database db = folder.caseDatabase();
    qint64 caseNo = 0;
    Library() {
        typeChain(db);
        const auto o = succession::StoredChains::store(
            db, {QString(), QString(), QStringLiteral("المعد"), QStringLiteral("محكمة")});
        if (o.kind != succession::StoredChains::Outcome::Kind::Done)
            throw std::runtime_error("the chain was refused");
        caseNo = o.caseNo;
    }
};

Library* theLibrary = nullptr;

void BM_LoadChain(benchmark::State& state) {
    const Library& lib = *theLibrary;
    for (auto _ : state) {
        if (!succession::StoredChains::load(lib.db, lib.caseNo))
            throw std::runtime_error("nothing loaded");
        benchmark::DoNotOptimize(succession::ChainTable::rows(lib.db));
    }
}
BENCHMARK(BM_LoadChain)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_EditChain(benchmark::State& state) {
    const Library& lib = *theLibrary;
    succession::StoredChains::load(lib.db, lib.caseNo);
    const succession::ChainHeader header{QStringLiteral("متوفى 1"), QString::number(lib.caseNo),
                                         QStringLiteral("المعد"), QStringLiteral("محكمة")};
    for (auto _ : state)
        if (succession::StoredChains::edit(lib.db, header).kind !=
            succession::StoredChains::Outcome::Kind::Done)
            throw std::runtime_error("the edit was refused");
}
BENCHMARK(BM_EditChain)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    {
        Library lib;
        theLibrary = &lib;
        benchmark::RunSpecifiedBenchmarks();
        theLibrary = nullptr;
    }
    benchmark::Shutdown();
    return 0;
}
