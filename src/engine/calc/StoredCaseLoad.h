#pragma once

#include "engine/calc/EngineState.h"
#include "rules/StoredCaseFile.h"

namespace engine {

// A checked stored case put into the engine state the way the calculation expects it after an
// intake: school, case type, key, the deceased chain and the heir slots with their classes. Nothing
// else is touched: shares, the output mode and slots beyond the case keep what they held, since the
// calculation sets what it needs.
void loadStoredCase(EngineState& state, const rules::StoredCase& record);

// The stored-case reader as the model-case run and the self-test use it. `number` is the case
// number; 999 asks for every case in turn: the first record is loaded and the file stays open, and
// ContinueStoredScan loads the ones after it. The state is changed only when a record is loaded;
// for Malformed and Missing, `problem` of the result says why (the record's key included).
rules::StoredCaseFile::Result ReadStoredCase(EngineState& state, rules::StoredCaseFile& file, int number);
rules::StoredCaseFile::Result ContinueStoredScan(EngineState& state, rules::StoredCaseFile& file);

inline constexpr int ScanAllStoredNumber = 999;

} // namespace engine
