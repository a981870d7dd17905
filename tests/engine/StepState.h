#pragma once

// Engine state set up for one step of the calculation, as the step's rules describe it ("entering
// with CaseBase 24, husband 12 ..."): the census defaults, then the counts and values the case
// needs.

#include "CalcFixture.h"
#include "engine/calc/CalcSteps.h"

#include <initializer_list>
#include <ostream>
#include <utility>

namespace engine {
// Readable numbers in test failures.
inline std::ostream& operator<<(std::ostream& os, const Num& n) {
    return os << n.str();
}
} // namespace engine

namespace testsupport {

inline engine::Num frac(std::int64_t n, std::int64_t d) {
    return engine::Num::fraction(n, d);
}

// A one-deceased state whose slots hold the given classes, after the census.
inline engine::EngineState censusOf(std::initializer_list<int> classes, int madhhab = 2) {
    engine::EngineState s;
    s.newChain(1);
    s.Madhhab = madhhab;
    s.DeceasedIndex = 1;
    int slot = 0;
    for (int c : classes) {
        ++slot;
        s.ensureSlots(slot);
        s.HeirName[slot] = QStringLiteral("و") + QString::number(slot);
        s.HeirClass[slot] = static_cast<std::int16_t>(c);
    }
    s.HeirTotal = slot;
    s.DeceasedLastHeir[1] = slot;
    engine::ClassCensus(s);
    return s;
}

// A bare state for the base-arithmetic steps: counts per class, no slots.
inline engine::EngineState countsOf(std::initializer_list<std::pair<int, int>> counts, int madhhab = 2) {
    engine::EngineState s = censusOf({}, madhhab);
    for (const auto& [c, n] : counts)
        s.ClassCount[c] = n;
    return s;
}

} // namespace testsupport
