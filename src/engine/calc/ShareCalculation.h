#pragma once

#include "engine/calc/CalcOptions.h"
#include "engine/calc/EngineState.h"
#include "rules/CalcRuleFiles.h"

#include <QString>

#include <stdexcept>

namespace engine {

using rules::CalcRules;

// A calculation that cannot give a division the user can rely on: a number beyond the engine's
// exact range, or shares that do not add up to the base. The run shows the message and goes back
// to the case entry; no share of it is ever shown.
class CalculationRefused : public std::runtime_error {
public:
    explicit CalculationRefused(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

    static QString tooLarge() { return QStringLiteral("المسألة اكبر من ان تحسب بدقة ، يرجى مراجعة الورثة"); }
    static QString notWhole() { return QStringLiteral("تعذر اكمال حساب المسألة بدقة ، لم تعتمد النتيجة"); }

private:
    QString m_message;
};

// The division of deceased DeceasedIndex (steps 1 to 7 of the per-deceased loop): the census of
// his heir slots, the exclusions, every heir stage, the settling of the remainder with the
// residuary walk and the treasury, the shares handed to the heir classes that stand on slots,
// and the origin of the case. Leaves ClassShares (per head, parts of CaseBase), CaseBase, CaseKind
// and the other values the notes read; opens the treasury slot when the remainder goes to it.
// Throws CalculationRefused.
void ShareCalculation(EngineState& state, const CalcRules& rules, const CalcOptions& options = {});

// Step 9 of the per-deceased loop: every heir slot of the deceased takes its class's share, then
// the slots that carry one name are joined into the first of them.
void DistributeAndJoinShares(EngineState& state);
void DistributeClassShares(EngineState& state);
// The same-name join. It keeps what it changes in JoinedSlots and undoes it first, so a second
// calculation of the same deceased joins the names and relations as they were entered.
void JoinSameNameHeirs(EngineState& state);

// Divides the base and the shares of slots FirstSlotOfDeceased .. DeceasedLastHeir(DeceasedIndex)
// by their greatest common divisor: CaseBase after one deceased's calculation, or a wider base
// (the merge's combined base) given by the caller.
void ReduceCase(EngineState& state);
void ReduceCase(EngineState& state, BigInt& base);

} // namespace engine
