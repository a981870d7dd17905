#include "engine/run/HeadlessCase.h"

#include "engine/calc/ShareCalculation.h"

namespace engine {

namespace {

class CollectedOutput : public IntakeOutput {
public:
    explicit CollectedOutput(QStringList& messages) : m_messages(messages) {}
    void message(const QString& text) override { m_messages << text; }

private:
    QStringList& m_messages;
};

} // namespace

BigInt HeadlessResult::shareSum() const {
    BigInt sum = 0;
    for (const HeadlessSlot& slot : heirSlots)
        sum += slot.share;
    return sum;
}

HeadlessCase::HeadlessCase(const rules::CalcRules& rules, const NameTables& names)
    : m_rules(rules), m_names(names) {}

bool HeadlessCase::enter(const std::vector<HeirRow>& heirs, const QString& deceased) {
    m_state.newChain(1);
    m_state.HeirTotal = 0;
    m_state.SkippedDeceased = 0;
    m_dropped.clear();
    CollectedOutput output(m_dropped);
    const IntakeResult intake = IntakeSingleDeath(m_state, m_names, deceased, heirs, output);
    m_accepted = intake.accepted();
    m_refusal = intake.message;
    return m_accepted;
}

bool HeadlessCase::calculate(int madhhab) {
    if (!m_accepted)
        return false;
    m_state.Madhhab = madhhab;
    m_state.DeceasedIndex = 1;
    try {
        ShareCalculation(m_state, m_rules);
        DistributeAndJoinShares(m_state);
        ReduceCase(m_state);
    } catch (const CalculationRefused& refused) {
        m_accepted = false;
        m_refusal = refused.message();
        return false;
    }
    return true;
}

HeadlessResult HeadlessCase::result() const {
    HeadlessResult r;
    r.accepted = m_accepted;
    r.refusal = m_refusal;
    r.dropped = m_dropped;
    if (!m_accepted)
        return r;
    r.base = BigInt(m_state.CaseBase.whole());
    for (int k = 1; k <= m_state.HeirTotal; ++k)
        r.heirSlots.push_back(
            {m_state.HeirName[k], m_state.HeirRelation[k], m_state.HeirClass[k], m_state.HeirShare[k]});
    return r;
}

HeadlessResult solveCase(const std::vector<HeirRow>& heirs, int madhhab, const rules::CalcRules& rules,
                         const NameTables& names) {
    HeadlessCase c(rules, names);
    if (c.enter(heirs))
        c.calculate(madhhab);
    return c.result();
}

} // namespace engine
