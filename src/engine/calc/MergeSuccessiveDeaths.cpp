#include "engine/calc/MergeSuccessiveDeaths.h"

#include "engine/calc/ShareCalculation.h"

#include <QHash>

#include <boost/multiprecision/integer.hpp>

#include <limits>
#include <stdexcept>

namespace engine {

namespace {

// The base as the 64-bit number of the engine, or 0 when it has outgrown it.
Num narrowBase(const BigInt& base) {
    if (base > std::numeric_limits<std::int64_t>::max())
        return Num(0);
    return Num(base.convert_to<std::int64_t>());
}

} // namespace

void MergeSuccessiveDeaths(EngineState& s) {
    const int n = s.DeceasedCount;
    s.ensureSlots(s.DeceasedLastHeir[n]);
    s.CombinedBase = s.DeceasedBase[1];

    for (int k = 2; k <= n; ++k) {
        const int earlierLast = s.DeceasedLastHeir[k - 1];
        const QString& name = s.DeceasedName[k];

        // (a) Everything k received from the earlier divisions, under his exact name.
        BigInt& inherited = s.DeceasedInheritedShare[k];
        inherited = 0;
        for (int j = 1; j <= earlierLast; ++j) {
            if (s.HeirName[j] == name) {
                inherited += s.HeirShare[j];
                s.HeirShare[j] = 0;
            }
        }

        if (inherited <= 0) {
            // (b) He received nothing, so he hands nothing on.
            s.SubCaseMultiplier = 0;
        } else {
            // (c) Bring his own base and what he received to a common multiple.
            const BigInt& ownBase = s.DeceasedBase[k];
            if (ownBase <= 0)
                throw std::logic_error("a later deceased who inherited has no base of his own");
            const BigInt g = boost::multiprecision::gcd(ownBase, inherited);
            s.CombinedMultiplier = ownBase / g;
            s.SubCaseMultiplier = inherited / g;
            s.CombinedBase *= s.CombinedMultiplier;
            if (s.CombinedMultiplier != 1) {
                for (int j = 1; j <= earlierLast; ++j)
                    s.HeirShare[j] *= s.CombinedMultiplier;
            }
        }

        // (d) His own heirs' shares become parts of the combined base.
        for (int j = earlierLast + 1; j <= s.DeceasedLastHeir[k]; ++j)
            s.HeirShare[j] *= s.SubCaseMultiplier;
    }

    // Every name's total ends in the first slot carrying it, whichever deceased it belongs to.
    const int last = s.DeceasedLastHeir[n];
    QHash<QString, int> firstSlot;
    firstSlot.reserve(last);
    for (int j = 1; j <= last; ++j) {
        const auto it = firstSlot.constFind(s.HeirName[j]);
        if (it == firstSlot.cend()) {
            firstSlot.insert(s.HeirName[j], j);
        } else if (s.HeirShare[j] != 0) {
            s.HeirShare[*it] += s.HeirShare[j];
            s.HeirShare[j] = 0;
        }
    }

    s.FirstSlotOfDeceased = 1;
    s.DeceasedIndex = n;
    ReduceCase(s, s.CombinedBase);
    s.CaseBase = narrowBase(s.CombinedBase);
}

void CombineDivisions(EngineState& s) {
    s.CombinedBase = s.DeceasedBase[1];
    s.CaseBase = narrowBase(s.CombinedBase);
    if (s.DeceasedCount > 1)
        MergeSuccessiveDeaths(s);
}

} // namespace engine
