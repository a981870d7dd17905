// expected-shares [--live] [--app DIR] STORED_CASE_FILE
//
// Writes the expected-shares file for a stored-case file on standard output: for every record
// its key, then the final share of every heir slot in slot order, treasury slots included. The
// shares are those of the self-test's variant of the calculation, or with --live those of the
// program's own case run. After a deliberate change to the engine or the rule files, regenerate
// the file and read the diff before shipping it.
//
// --app names the folder holding the rule files AF, AV and AH; by default the application folder
// of this build. A record that cannot be read or calculated is reported on standard error with
// its key and left out (a NUL byte, a line that is not UTF-8 or a file ending inside a character
// included); the exit status is then 1.

#include "engine/calc/EngineState.h"
#include "engine/calc/ShareCalculation.h"
#include "engine/calc/StoredCaseCalculation.h"
#include "platform/AppPaths.h"
#include "rules/CalcRuleFiles.h"
#include "rules/ExpectedSharesFile.h"
#include "rules/StoredCaseFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

namespace {

// Byte for byte: a record is written whole or the tool fails.
bool write(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream) ==
           static_cast<std::size_t>(bytes.size());
}

int usage() {
    write(stderr, QStringLiteral("usage: expected-shares [--live] [--app DIR] STORED_CASE_FILE\n"));
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    bool live = false;
    QString appFolder = QStringLiteral(FARAID_APP_DIR);
    QString storedCases;
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (qsizetype k = 0; k < args.size(); ++k) {
        if (args[k] == QLatin1String("--live")) {
            live = true;
        } else if (args[k] == QLatin1String("--app")) {
            if (++k == args.size())
                return usage();
            appFolder = args[k];
        } else if (args[k].startsWith(QLatin1String("--")) || !storedCases.isEmpty()) {
            return usage();
        } else {
            storedCases = args[k];
        }
    }
    if (storedCases.isEmpty())
        return usage();

    platform::AppPaths::setApplicationFolder(appFolder);
    const rules::CalcRules calcRules = rules::loadCalcRules();
    const engine::CalcOptions options =
        live ? engine::CalcOptions{} : engine::CalcOptions::referenceVariant();

    rules::StoredCaseFile file(storedCases);
    using Outcome = rules::StoredCaseFile::Outcome;
    rules::StoredCaseFile::Result record = file.scanFirst();
    if (record.outcome == Outcome::Missing) {
        write(stderr, record.problem + QLatin1Char('\n'));
        return 2;
    }

    engine::EngineState state;
    int failures = 0;
    for (; record.outcome != Outcome::NotFound; record = file.scanNext()) {
        if (record.outcome != Outcome::Loaded) {
            write(stderr, record.record.key + QStringLiteral(": ") + record.problem + QLatin1Char('\n'));
            ++failures;
            continue;
        }
        engine::LoadReferenceCase(state, record.record);
        try {
            engine::CalculateStoredCase(state, calcRules, options);
        } catch (const engine::CalculationRefused& refused) {
            write(stderr, record.record.key + QStringLiteral(": ") + refused.message() + QLatin1Char('\n'));
            ++failures;
            continue;
        }
        const std::vector<engine::BigInt> shares(state.HeirShare.begin() + 1,
                                                 state.HeirShare.begin() + 1 + state.HeirTotal);
        if (!write(stdout, rules::ExpectedSharesFile::record(record.record.key, shares))) {
            write(stderr, QStringLiteral("expected-shares: cannot write the output\n"));
            return 2;
        }
    }
    if (std::fflush(stdout) != 0) {
        write(stderr, QStringLiteral("expected-shares: cannot write the output\n"));
        return 2;
    }
    return failures > 0 ? 1 : 0;
}
