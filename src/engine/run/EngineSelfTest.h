#pragma once

#include "engine/calc/EngineState.h"
#include "engine/report/ReportSurface.h"
#include "rules/CalcRuleFiles.h"
#include "rules/ExpectedSharesFile.h"

#include <QString>

#include <functional>

namespace engine {

// The known-answer test of the engine and of the rule files it reads, run at start-up. Every
// reference case of the stored-case file "STORG" is divided deceased by deceased with the
// reference variant of the calculation (CalcOptions::referenceVariant), merged, printed as one
// table per deceased and one combined table, and every heir slot's final share is compared with
// the expected-shares file "STOR". No database and no dialogue is involved.
//
// The test fails on anything that keeps it from vouching for the engine, not only on a differing
// share: a reference file that cannot be read, a stored case that is malformed or out of limits
// or that the engine refuses, and an expected-shares record whose key is not the case's key or
// whose number of values is not the case's number of slots. A passing test with nothing checked
// is reserved for a stored-case file that holds no case at all.
class EngineSelfTest {
public:
    static inline const QString FailureMessage = QStringLiteral(" هذه النسخة غير سليمة ، اضغط  لتستمر ");

    struct Result {
        bool passed = false;
        int casesChecked = 0;
        QString problem; // why the test failed, naming the case; empty after a pass
    };

    // Start-up's self-test on the files of the application folder: the rule files are read
    // first (a missing or malformed one ends the program with its own message). A pass clears
    // the surface and returns; a failure leaves the last table and the reason on the surface,
    // shows FailureMessage and ends the program. `beforeFailureMessage` runs just before the
    // message, so the window that holds the surface can be put on screen behind it.
    static void run(ReportSurface& surface, const std::function<void()>& beforeFailureMessage = {});

    // The replay itself, on given files and state; the state is left holding the last case.
    static Result replay(EngineState& state, const rules::CalcRules& rules, ReportSurface& surface,
                         const QString& storedCasesPath, const QString& expectedSharesPath);

    // How one case's expected shares compare with its computed ones.
    enum class Comparison {
        Agrees,
        KeyDiffers,    // the record's key is not the case's key, or the file ended first
        ShareDiffers,  // `slot` holds a share other than the value expected for it
        TooFewValues,  // the record ends before the case's last slot
        TooManyValues, // values follow the case's last slot where the next key is due
    };
    struct ComparisonResult {
        Comparison outcome = Comparison::Agrees;
        int slot = 0;
        QString field; // the differing value or key as the file holds it
    };
    // Reads the next record of the open file and compares it with the slots of every deceased
    // of the case in the state, in slot order; the first difference ends the reading. CaseKey
    // takes the record's key.
    static ComparisonResult CompareExpectedShares(EngineState& state, rules::ExpectedSharesFile& file,
                                                  const QString& storedKey);
};

} // namespace engine
