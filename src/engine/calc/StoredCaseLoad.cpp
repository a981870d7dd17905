#include "engine/calc/StoredCaseLoad.h"

namespace engine {

// The reader checks records against its own copy of the limits (it knows nothing of the engine);
// they must be the engine's, or a checked record could still overrun the state.
static_assert(rules::StoredCaseFile::MaxDeceased == MaxDeceased);
static_assert(rules::StoredCaseFile::MaxHeirSlots == MaxHeirSlots);
static_assert(rules::StoredCaseFile::MaxHeirsPerDeceased == MaxHeirsPerDeceased);
static_assert(rules::StoredCaseFile::ClassTop == ClassTop);

void loadStoredCase(EngineState& state, const rules::StoredCase& record) {
    state.CaseKey = record.key;
    state.Madhhab = record.school;
    state.CaseType = record.caseType;
    state.HeirTotal = record.heirCount;
    state.newChain(record.deceasedCount);
    state.ensureSlots(record.heirCount);
    int slot = 0;
    for (int i = 1; i <= record.deceasedCount; ++i) {
        const rules::StoredDeceased& d = record.deceased[static_cast<std::size_t>(i - 1)];
        state.DeceasedName[i] = d.name;
        state.DeceasedLastHeir[i] = d.lastSlot;
        for (const rules::StoredHeir& h : d.heirs) {
            ++slot;
            state.HeirName[slot] = h.name;
            state.HeirRelation[slot] = h.relation;
            state.HeirClass[slot] = static_cast<std::int16_t>(h.classCode);
        }
    }
}

namespace {

rules::StoredCaseFile::Result loadIfFound(EngineState& state, rules::StoredCaseFile::Result r) {
    if (r.outcome == rules::StoredCaseFile::Outcome::Loaded)
        loadStoredCase(state, r.record);
    return r;
}

} // namespace

rules::StoredCaseFile::Result ReadStoredCase(EngineState& state, rules::StoredCaseFile& file, int number) {
    state.StoredCaseNo = number;
    if (number == ScanAllStoredNumber)
        return loadIfFound(state, file.scanFirst());
    return loadIfFound(state, file.find(number));
}

rules::StoredCaseFile::Result ContinueStoredScan(EngineState& state, rules::StoredCaseFile& file) {
    return loadIfFound(state, file.scanNext());
}

} // namespace engine
