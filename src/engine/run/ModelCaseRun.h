#pragma once

#include "engine/report/EngineContext.h"
#include "rules/CalcRuleFiles.h"
#include "rules/StoredCaseFile.h"

#include <QString>

namespace engine {

// The engine host's run of stored model cases, from the main window's model-case command until
// the program ends. It starts at the results screen, before any case; every request for a model
// case (results command 8) asks the entry dialogue for its number at the stage "مسألة مخزونة",
// recalls that case from the stored-case file, computes it deceased by deceased, merges it and
// comes back to the results screen, where commands 2, 3, 4 and 9 act on the case in hand.
//
// The reports are never broken into pages or paused (the context's paging is CountOnly), the
// notes use the successive-deaths wording, and no closing texts follow a case.
//
// Number 999 runs every record of the file in turn: the first at once, and each further command
// 8 the next one without asking, as a queue does; after the last record the file is closed and
// command 8 asks again. The file is never opened a second time while a scan holds it.
class ModelCaseRun {
public:
    // What became of a number given at the stage.
    enum class Recall {
        Computed, // the case is in hand, reported and merged
        AskAgain, // no case with that number (0, not a number, not in the file): the stage again
        Refused,  // the record is malformed or its division cannot be given: after a message
    };

    ModelCaseRun(EngineContext& ctx, const rules::CalcRules& rules);
    ModelCaseRun(EngineContext& ctx, const rules::CalcRules& rules, const QString& storedCasePath);

    // The results loop. It never returns: the run ends with the program.
    [[noreturn]] void run();

    // Results command 8: the stage (or the next record of a scan) until a case is computed.
    void storedCaseCommand();
    // The number the stage handed over (Text_stord_case), recalled and computed.
    Recall recallAndCalculate(const QString& numberText);
    // Commands 2 and 9 come here: the case in hand computed again from its heir slots.
    bool calculate();

    bool haveCase() const { return m_haveCase; }
    bool scanning() const { return m_file.scanning(); }

private:
    void showStage();
    Recall take(rules::StoredCaseFile::Result result);

    EngineContext& m_ctx;
    const rules::CalcRules& m_rules;
    rules::StoredCaseFile m_file;
    bool m_haveCase = false;
};

} // namespace engine
