#include "engine/run/CaseRun.h"

#include "data/Numbers.h"
#include "engine/calc/MergeSuccessiveDeaths.h"
#include "engine/calc/ShareCalculation.h"
#include "engine/report/AmountCommands.h"
#include "engine/report/DeceasedReport.h"
#include "engine/report/DivisionNotes.h"
#include "engine/report/UnifiedReport.h"

#include <limits>

namespace engine {

int CaseRun::menuChoice(const QString& text) {
    const data::BigInt v = data::roundHalfEven(data::leadingNumber(text));
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
        return 0;
    return v.convert_to<int>();
}

void CaseRun::calculate() {
    // The report rows of a whole calculation are written together: one commit instead of one per
    // row, and a calculation refused part-way leaves no half report behind.
    m_ctx.db.transaction([&] { calculateAll(); });
}

void CaseRun::calculateAll() {
    EngineState& s = m_ctx.state;
    const int count = s.DeceasedCount;
    for (int i = 1; i <= count; ++i) {
        s.DeceasedIndex = i;
        calculateDeceased(i);
    }
    CombineDivisions(s);
    if (count > 1)
        UnifiedReport(m_ctx);
    ClosingLines(m_ctx);
}

void CaseRun::calculateDeceased(int index) {
    EngineState& s = m_ctx.state;
    ShareCalculation(s, m_rules);
    WriteNotes(m_ctx);
    DistributeAndJoinShares(s);
    ReduceCase(s);
    DeceasedReport(m_ctx);
    clearClassEntries(index);
}

void CaseRun::clearClassEntries(int index) {
    EngineState& s = m_ctx.state;
    for (int k = s.DeceasedLastHeir[index - 1] + 1; k <= s.DeceasedLastHeir[index]; ++k) {
        const int c = s.HeirClass[k];
        if (c >= 0 && c <= ClassTop) {
            s.ClassCount[c] = 0;
            s.ClassShares[c] = 0;
        }
    }
    for (int c : {int(GrandfatherAggregate), int(GrandmotherAggregate)}) {
        s.ClassCount[c] = 0;
        s.ClassShares[c] = 0;
    }
}

ResultsOutcome CaseRun::resultsMenu() {
    EngineState& s = m_ctx.state;
    while (true) {
        m_ctx.surface().emptyLine();
        m_ctx.surface().emptyLine();
        s.AmountTableFlag = 0;
        s.AmountUnit.clear();

        bool amountsShown = false;
        while (!amountsShown) {
            m_ctx.port.showResultsScreen(m_ctx.context);
            s.MenuChoice = 0;
            s.MenuChoice = menuChoice(m_ctx.context.Text_choos_no);
            switch (s.MenuChoice) {
            case 2:
                s.OutputMode = 2;
                return ResultsOutcome::Recalculate;
            case 3:
                ShowPercentages(m_ctx);
                ClosingLines(m_ctx);
                amountsShown = true;
                break;
            case 4:
                DivideGivenEstate(m_ctx);
                ClosingLines(m_ctx);
                amountsShown = true;
                break;
            case 9:
                s.OutputMode = 2;
                s.Madhhab = s.Madhhab == 1 ? 2 : 1;
                return ResultsOutcome::Recalculate;
            case 10:
                m_ctx.surface().clear();
                for (int k = 0; k < 3; ++k)
                    m_ctx.surface().emptyLine();
                return ResultsOutcome::NewCase;
            default:
                break; // the results screen again
            }
        }
    }
}

} // namespace engine
