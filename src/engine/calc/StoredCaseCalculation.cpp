#include "engine/calc/StoredCaseCalculation.h"

#include "engine/calc/MergeSuccessiveDeaths.h"
#include "engine/calc/ShareCalculation.h"
#include "engine/calc/StoredCaseLoad.h"

namespace engine {

namespace {

void clearClassTotals(EngineState& s, int i) {
    for (int j = s.DeceasedLastHeir[i - 1] + 1; j <= s.DeceasedLastHeir[i]; ++j) {
        const int c = s.HeirClass[j];
        if (c >= 0 && c <= ClassTop) {
            s.ClassCount[c] = 0;
            s.ClassShares[c] = 0;
        }
    }
    for (const int c : {int(GrandfatherAggregate), int(GrandmotherAggregate)}) {
        s.ClassCount[c] = 0;
        s.ClassShares[c] = 0;
    }
}

} // namespace

void LoadReferenceCase(EngineState& s, const rules::StoredCase& record) {
    loadStoredCase(s, record);
    for (int j = s.HeirTotal + 1; j < static_cast<int>(s.HeirName.size()); ++j) {
        s.HeirName[j].clear();
        s.HeirRelation[j].clear();
        s.HeirClass[j] = 0;
        s.HeirShare[j] = 0;
    }
}

void CalculateStoredCase(EngineState& s, const rules::CalcRules& rules, const CalcOptions& options,
                         const std::function<void(int)>& afterDeceased) {
    for (int i = 1; i <= s.DeceasedCount; ++i) {
        s.DeceasedIndex = i;
        ShareCalculation(s, rules, options);
        // Every treasury slot counts against the limit: the stored case only counted its heirs.
        if (s.HeirTotal > MaxHeirSlots)
            throw CalculationRefused(QStringLiteral("عدد الورثة مع الخزينة العامة يتجاوز ") +
                                     QString::number(MaxHeirSlots));
        DistributeAndJoinShares(s);
        ReduceCase(s);
        s.DeceasedBase[i] = BigInt(s.CaseBase.whole());
        if (afterDeceased)
            afterDeceased(i);
        clearClassTotals(s, i);
    }
    s.CaseBase = Num(s.DeceasedBase[1].convert_to<std::int64_t>());
    MergeSuccessiveDeaths(s);
}

} // namespace engine
