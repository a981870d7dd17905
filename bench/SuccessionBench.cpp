// The successive-deaths dialogue on a chain of thirty deceased and 200 heirs: a row saved with its
// checks and the grid's rows read again, and the run from the copy into the hand-over tables to
// the header stamps that end it.

#include "succession/ChainRelations.h"
#include "succession/ChainRow.h"
#include "succession/ChainRowRules.h"
#include "succession/ChainRun.h"
#include "succession/ChainTable.h"
#include "support/TempAppFolder.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

constexpr int Deceased = 30;
constexpr int Heirs = 200;

// Thirty deceased, each the son of the one before, with a wife, a mother from the second on and
// daughters up to 200 heirs in all.
void typeChain(const data::Database& db) {
    db.execute(QStringLiteral("delete from MUNASKA_TEMP"));
    const QString heir =
        QStringLiteral("insert into MUNASKA_TEMP (warith_relation, warith_name, arrange) values (?, ?, ?)");
    int written = 0;
    for (int k = 1; k <= Deceased; ++k) {
        db.execute(
            QStringLiteral("insert into MUNASKA_TEMP (deth_name, deth_status, arrange) values (?, ?, ?)"),
            {QStringLiteral("متوفى %1").arg(k), k == 1 ? QStringLiteral("") : QStringLiteral("ثم توفي"), k});
        db.execute(heir, {QStringLiteral("زوجة"), QStringLiteral("زوجة %1").arg(k), k});
        ++written;
        if (k > 1) {
            db.execute(heir, {QStringLiteral("ام"), QStringLiteral("زوجة %1").arg(k - 1), k});
            ++written;
        }
        if (k < Deceased) {
            db.execute(heir, {QStringLiteral("ابن"), QStringLiteral("متوفى %1").arg(k + 1), k});
            ++written;
        }
    }
    for (int d = 0; written < Heirs; ++d, ++written)
        db.execute(heir, {QStringLiteral("بنت"), QStringLiteral("بنت %1").arg(d), 1 + d % Deceased});
}

struct Chain {
    testsupport::TempAppFolder folder;
    data::Database db = folder.caseDatabase();
    Chain() { typeChain(db); }
};

// Made and dropped inside main: the connection must not outlive the application object.
Chain* theChain = nullptr;

Chain& chain() {
    return *theChain;
}

void BM_RowSave(benchmark::State& state) {
    const data::Database& db = chain().db;
    for (auto _ : state) {
        succession::ChainRow row;
        row.relation = QStringLiteral("بنت");
        row.heirName = QStringLiteral("بنت جديدة");
        if (!succession::ChainRelations::check(db, row.relation, 30).accepted() ||
            !succession::ChainRowRules::beforeHeirName(db, row, row.heirName, {}, QStringLiteral("30"))
                 .isEmpty() ||
            !succession::ChainRowRules::beforeUpdate(db, row, true, QStringLiteral("30")).isEmpty())
            throw std::runtime_error("the row was refused");
        succession::ChainTable::insert(db, row);
        benchmark::DoNotOptimize(succession::ChainTable::rows(db));
        state.PauseTiming();
        succession::ChainTable::remove(db, row.ar);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RowSave)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_Run(benchmark::State& state) {
    const data::Database& db = chain().db;
    const succession::ChainHeader header{QString(), QString(), QStringLiteral("المعد"), QStringLiteral("-")};
    for (auto _ : state) {
        engine::CaseContext host;
        if (!succession::ChainRun::run(db, header, host).isEmpty())
            throw std::runtime_error("the chain was refused");
    }
}
BENCHMARK(BM_Run)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    {
        Chain c;
        theChain = &c;
        benchmark::RunSpecifiedBenchmarks();
        theChain = nullptr;
    }
    benchmark::Shutdown();
    return 0;
}
