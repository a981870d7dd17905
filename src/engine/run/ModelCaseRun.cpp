#include "engine/run/ModelCaseRun.h"

#include "data/Numbers.h"
#include "engine/report/AmountCommands.h"
#include "engine/run/CaseRun.h"
#include "engine/report/DeceasedReport.h"
#include "engine/report/DivisionNotes.h"
#include "engine/report/HostUnifiedReport.h"
#include "engine/calc/ShareCalculation.h"
#include "engine/calc/StoredCaseCalculation.h"
#include "engine/calc/StoredCaseLoad.h"
#include "platform/ProcessExit.h"

#include <limits>

namespace engine {

namespace {

void clearClassEntries(EngineState& s, int i) {
    for (int k = s.DeceasedLastHeir[i - 1] + 1; k <= s.DeceasedLastHeir[i]; ++k) {
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

} // namespace

ModelCaseRun::ModelCaseRun(EngineContext& ctx, const rules::CalcRules& rules) : m_ctx(ctx), m_rules(rules) {}

ModelCaseRun::ModelCaseRun(EngineContext& ctx, const rules::CalcRules& rules, const QString& storedCasePath)
    : m_ctx(ctx), m_rules(rules), m_file(storedCasePath) {}

void ModelCaseRun::run() {
    EngineState& s = m_ctx.state;
    for (;;) {
        m_ctx.port.showResultsScreen(m_ctx.context);
        s.MenuChoice = CaseRun::menuChoice(m_ctx.context.Text_choos_no);
        // Before the first case only command 8 has something to act on.
        if (s.MenuChoice != 8 && !m_haveCase)
            continue;
        switch (s.MenuChoice) {
        case 2:
            s.OutputMode = 2;
            calculate();
            break;
        case 3:
            ShowPercentages(m_ctx);
            break;
        case 4:
            DivideGivenEstate(m_ctx);
            break;
        case 8:
            storedCaseCommand();
            break;
        case 9:
            s.OutputMode = 2;
            s.Madhhab = s.Madhhab == 1 ? 2 : 1;
            calculate();
            break;
        default:
            break; // the results screen again
        }
    }
}

void ModelCaseRun::showStage() {
    m_ctx.db.transaction([&] {
        m_ctx.db.execute(QStringLiteral("delete from CASE_TYPE"));
        m_ctx.db.execute(QStringLiteral("insert into CASE_TYPE (case_type) values (?)"),
                         {entryStageText(EntryStage::Stored)});
    });
    m_ctx.port.showEntryDialog(EntryStage::Stored, m_ctx.context);
}

void ModelCaseRun::storedCaseCommand() {
    for (;;) {
        if (m_file.scanning()) {
            if (take(ContinueStoredScan(m_ctx.state, m_file)) == Recall::Computed)
                return;
            // A malformed record has had its message; the scan goes on with the next one, and
            // after the last record the file is closed and the stage asks again.
            continue;
        }
        showStage();
        if (recallAndCalculate(m_ctx.context.Text_stord_case) == Recall::Computed)
            return;
    }
}

ModelCaseRun::Recall ModelCaseRun::recallAndCalculate(const QString& numberText) {
    const data::Rational value = data::leadingNumber(numberText);
    // Keys hold whole numbers: a fraction, like a number beyond any key, is never found.
    if (value == 0 || boost::multiprecision::denominator(value) != 1 ||
        boost::multiprecision::abs(value) > std::numeric_limits<int>::max())
        return Recall::AskAgain;
    const int number = static_cast<int>(boost::multiprecision::numerator(value));
    m_ctx.state.StoredCaseNo = number;
    if (number == ScanAllStoredNumber)
        return take(m_file.scanFirst());
    return take(m_file.find(number));
}

ModelCaseRun::Recall ModelCaseRun::take(rules::StoredCaseFile::Result result) {
    using Outcome = rules::StoredCaseFile::Outcome;
    switch (result.outcome) {
    case Outcome::Missing:
        platform::ProcessExit::fail(result.problem);
    case Outcome::NotFound:
        return Recall::AskAgain;
    case Outcome::Malformed:
        m_ctx.port.showMessage(result.problem);
        return Recall::Refused;
    case Outcome::Loaded:
        break;
    }
    // Every recall replaces the whole case, its school included; slots a longer case left behind
    // are emptied.
    LoadReferenceCase(m_ctx.state, result.record);
    return calculate() ? Recall::Computed : Recall::Refused;
}

bool ModelCaseRun::calculate() {
    EngineState& s = m_ctx.state;
    s.SkippedDeceased = 0;
    s.AmountTableFlag = 0;
    // The heir rows of a model case carry no unit, whatever the amounts commands left.
    s.AmountUnit.clear();
    try {
        // One transaction: a division refused part-way leaves no half report behind.
        m_ctx.db.transaction([&] {
            for (int i = 1; i <= s.DeceasedCount; ++i) {
                s.DeceasedIndex = i;
                ShareCalculation(s, m_rules);
                if (s.HeirTotal > MaxHeirSlots)
                    throw CalculationRefused(QStringLiteral("عدد الورثة مع الخزينة العامة يتجاوز ") +
                                             QString::number(MaxHeirSlots));
                WriteNotes(m_ctx);
                DistributeAndJoinShares(s);
                ReduceCase(s);
                DeceasedReport(m_ctx);
                clearClassEntries(s, i);
            }
            CaseUnification(m_ctx);
        });
    } catch (const CalculationRefused& refused) {
        m_haveCase = false;
        m_ctx.port.showMessage(refused.message());
        return false;
    }
    m_haveCase = true;
    return true;
}

} // namespace engine
