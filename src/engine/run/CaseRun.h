#pragma once

#include "engine/report/EngineContext.h"
#include "rules/CalcRuleFiles.h"

namespace engine {

// What the results loop hands back to the procedure that runs it.
enum class ResultsOutcome {
    Recalculate, // commands 2 and 9: the divisions again, over the heir slots as they stand
    NewCase,     // command 10: back to the start of the case run
};

// The part of a case run that single deaths and successive deaths share: every deceased's
// division, notes and report in chain order, the merge, the closing lines and the results loop.
class CaseRun {
public:
    CaseRun(EngineContext& ctx, const rules::CalcRules& rules) : m_ctx(ctx), m_rules(rules) {}

    // The per-deceased loop, the merge decision and the closing lines. Throws
    // CalculationRefused when a division cannot be given exactly.
    void calculate();

    // Shows the results screen until the user asks for something that leaves it: runs the
    // percentage and estate commands itself and hands back the rest.
    ResultsOutcome resultsMenu();

    // Reads a results code as the engine does: the number at the start of the text, rounded to
    // a whole number, halves to the even one; 0 when there is none.
    static int menuChoice(const QString& text);

private:
    void calculateAll();
    void calculateDeceased(int index);
    void clearClassEntries(int index);

    EngineContext& m_ctx;
    const rules::CalcRules& m_rules;
};

} // namespace engine
