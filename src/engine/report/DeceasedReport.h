#pragma once

#include "engine/calc/ExactDecimal.h"
#include "engine/report/EngineContext.h"

namespace engine {

enum class DeceasedReportResult {
    Complete, // heading, heir table, total, notes section and base line
    Skipped,  // a later deceased who inherited nothing: his heading only
};

// The report of deceased DeceasedIndex, once his division is final: the caller has reduced it
// (ReduceCase) and joined his heirs by name. Records DeceasedBase for the merge, starts the
// deceased's pages afresh and, for the first deceased, the report tables with the title block.
// A later deceased whom no earlier heir slot of exactly his name gave parts is counted in
// SkippedDeceased and gets only his heading; the merge matches names the same way, so the
// report and the combined table always agree on who inherited.
DeceasedReportResult DeceasedReport(EngineContext& ctx);

// The notes section after the total: heading, the notes as numbered lines, the reminder that
// the mother's children share equally, the notes of present heirs who take nothing.
void PrintNotes(EngineContext& ctx);

// The last line of the report: the origin of the case, the raised or returned base, and the
// number of parts the division is expressed in; numbered as the next note.
void PrintBaseLine(EngineContext& ctx);

// The base the fixed shares were raised to, and the base the return brought them down to,
// worked out exactly from the origin and the overrun or shortfall the calculation left. The
// akdariyya is always raised to 9.
Rational RaisedBase(const EngineState& state);
Rational ReturnedBase(const EngineState& state);

// One heir line of a deceased's table on the window: his slot number, name, relation, share and
// the unit of the share. The report and the self-test print their tables with it.
void PrintHeirLine(ReportSurface& out, const EngineState& state, int slot, const QString& share);

// The text of the base line as it is stored.
QString BaseLineText(const EngineState& state);

} // namespace engine
