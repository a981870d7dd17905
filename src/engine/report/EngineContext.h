#pragma once

#include "data/Database.h"
#include "engine/calc/EngineState.h"
#include "engine/calc/NameTables.h"
#include "engine/report/CaseContext.h"
#include "engine/report/EnginePort.h"
#include "engine/report/ReportSurface.h"

namespace engine {

// How a deceased's report is divided into pages of 30 counted lines.
enum class PagePolicy {
    BreakOnly,     // a new case of one death: the window is cleared at every page, nobody waits
    PauseAndBreak, // successive deaths: the user reads each full page before it is cleared
    CountOnly,     // the model-case run: lines are counted, the report is never broken
};

// Three of the fixed-share notes carry other blanks in the successive-deaths run; the printed
// report reproduces them, so the wording is chosen per run rather than normalised.
enum class NoteWording { SingleDeath, SuccessiveDeaths };

// Everything an engine step works with, bundled so the run loop hands one value to each step.
// The references outlive the context: the host owns them.
struct EngineContext {
    EngineState& state;
    const NameTables& names;
    data::Database db;
    EnginePort& port;
    CaseContext& context;
    PagePolicy paging = PagePolicy::BreakOnly;
    NoteWording wording = NoteWording::SingleDeath;

    ReportSurface& surface() const { return port.surface(); }
};

} // namespace engine
