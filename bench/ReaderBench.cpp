// The readers of the stored-case and expected-shares files on a field of n digits: a field of
// thousands of digits is given up as soon as it is seen, so the time grows with the line, not
// with its square.
#include "rules/ExpectedSharesFile.h"
#include "rules/StoredCaseFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString writeFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QString::fromUtf8(name));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

void BM_StoredCaseLongClassField(benchmark::State& state) {
    QTemporaryDir dir;
    const QByteArray digits(state.range(0), '9');
    const QString path =
        writeFile(dir, "STORG", QByteArray("ت/ 1\n 2, 1, 1,م\nاحمد, 1\nعلي,ابن, ") + digits + "\n");
    rules::StoredCaseFile file(path);
    for (auto _ : state) {
        const auto r = file.scanFirst();
        if (r.outcome != rules::StoredCaseFile::Outcome::Malformed)
            state.SkipWithError("the long class was not refused");
        file.close();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_StoredCaseLongClassField)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity();

void BM_ExpectedShareLongField(benchmark::State& state) {
    QTemporaryDir dir;
    const QByteArray digits(state.range(0), '7');
    const QString path = writeFile(dir, "STOR", QByteArray("ت/ 1\n") + digits + "\n");
    rules::ExpectedSharesFile file(path);
    for (auto _ : state) {
        file.open();
        file.next();
        const auto value = rules::ExpectedSharesFile::value(*file.next());
        if (value)
            state.SkipWithError("the long share was taken for a number");
        file.close();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ExpectedShareLongField)->RangeMultiplier(10)->Range(10000, 1000000)->Complexity();

} // namespace
