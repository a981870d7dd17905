#pragma once

#include "engine/calc/NameTables.h"
#include "engine/report/EngineContext.h"
#include "rules/CalcRuleFiles.h"
#include "rules/ClassNameFiles.h"
#include "support/TempAppFolder.h"

#include <stdexcept>

namespace bench {

// A port for runs whose dialogues have already answered: nothing more may be asked, and a
// refusal is a fault of the benchmark's data.
class AnsweredPort : public engine::EnginePort {
public:
    void showEntryDialog(engine::EntryStage, engine::CaseContext&) override { unexpected(); }
    void showSuccessionDialog(engine::CaseContext&) override {}
    void showResultsScreen(engine::CaseContext&) override { unexpected(); }
    void showMessage(const QString& text) override {
        throw std::runtime_error("the case was refused: " + text.toStdString());
    }
    void pause() override {}
    engine::ReportSurface& surface() override { return m_surface; }

private:
    [[noreturn]] static void unexpected() { throw std::logic_error("not part of this benchmark"); }
    engine::ReportSurface m_surface;
};

// What the engine host's load step prepares, on a real case database in a temporary folder:
// the name tables and the rule files.
struct LoadedEngine {
    testsupport::TempAppFolder folder{true};
    data::Database db = folder.caseDatabase();
    engine::NameTables names;
    rules::CalcRules rules;
    AnsweredPort port;
    engine::CaseContext context;

    LoadedEngine() {
        rules::ClassNameFiles files;
        files.openFiles();
        files.readGroupNames(names);
        names.fillRelationNames();
        names.fillMenuTexts();
        files.readClassNames(names);
        rules = rules::loadCalcRules();
    }
    engine::EngineContext contextFor(engine::EngineState& state,
                                     engine::PagePolicy paging = engine::PagePolicy::BreakOnly,
                                     engine::NoteWording wording = engine::NoteWording::SingleDeath) {
        return {state, names, db, port, context, paging, wording};
    }
};

} // namespace bench
