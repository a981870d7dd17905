#pragma once

#include "engine/calc/EngineState.h"
#include "engine/calc/HeirIntake.h"
#include "engine/calc/NameTables.h"
#include "rules/CalcRuleFiles.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace engine {

// A single-death case without database, windows or reports: heirs as (name, relation text) in
// entry order and a school in; every slot's share, class and the base out. Tests, benchmarks and
// tools use it. The heirs pass the intake's checks (drops with their messages, refusals), then the
// calculation of the per-deceased loop: the division, the shares to the slots with the same-name
// join, and the reduction to lowest terms.
struct HeadlessSlot {
    QString name;     // empty in a slot joined into an earlier one of the same name
    QString relation; // joined relations read "زوج و ابن عم"
    int heirClass = 0;
    BigInt share;
};

struct HeadlessResult {
    bool accepted = false;
    QString refusal;     // why the case was refused, when it was
    QStringList dropped; // the message of every heir the intake dropped, in reading order
    BigInt base;
    std::vector<HeadlessSlot> heirSlots; // slots 1..HeirTotal, the treasury slot included

    BigInt shareSum() const;
};

class HeadlessCase {
public:
    HeadlessCase(const rules::CalcRules& rules, const NameTables& names);

    // A new case: the chain of one deceased and his heirs read as the intake reads them.
    bool enter(const std::vector<HeirRow>& heirs, const QString& deceased = QStringLiteral("المتوفى"));
    // Calculates the entered case in school `madhhab` (1 or 2); may be repeated, as the results
    // commands "show again" and "other school" repeat it over the slots as they stand.
    bool calculate(int madhhab);

    HeadlessResult result() const;
    EngineState& state() { return m_state; }
    const EngineState& state() const { return m_state; }

private:
    const rules::CalcRules& m_rules;
    const NameTables& m_names;
    EngineState m_state;
    bool m_accepted = false;
    QString m_refusal;
    QStringList m_dropped;
};

// Enters and calculates one case.
HeadlessResult solveCase(const std::vector<HeirRow>& heirs, int madhhab, const rules::CalcRules& rules,
                         const NameTables& names);

} // namespace engine
