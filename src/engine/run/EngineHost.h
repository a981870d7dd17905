#pragma once

#include "data/Database.h"
#include "engine/calc/EngineState.h"
#include "engine/calc/NameTables.h"
#include "engine/report/CaseContext.h"
#include "engine/report/EngineContext.h"
#include "engine/report/EnginePort.h"
#include "rules/CalcRuleFiles.h"

#include <QString>

namespace engine {

// Which host a run lives in: the real-case host or the exercise host. Both have the same load
// step and the same engine procedures; what differs is data.
struct HostKind {
    QString name;  // "Form13" or "Form2"
    bool exercise; // the exercise host uses the exercise variants of the dialogues

    static HostKind real() { return {QStringLiteral("Form13"), false}; }
    static HostKind exercises() { return {QStringLiteral("Form2"), true}; }
};

// What follows the type stage, by the answers of the source and type stages.
enum class Continuation { NewSingle, NewSuccessive, AskTypeAgain };
Continuation dispatchCase(const QString& source, const QString& type);

// The engine host: the window a whole case run lives in. Its load step connects to the case
// database, loads the name tables and rule files, settles the case source and type with the
// entry dialogue and hands the case to the engine procedure that fits it. The run goes on
// inside that procedure until the program ends.
class EngineHost {
public:
    EngineHost(HostKind kind, EnginePort& port);
    virtual ~EngineHost();

    EngineHost(const EngineHost&) = delete;
    EngineHost& operator=(const EngineHost&) = delete;

    // The load step; runs once per host (a second call does nothing).
    void Form_Load();

    const HostKind& kind() const { return m_kind; }
    CaseContext& context() { return m_context; }
    EngineState& state() { return m_state; }
    const NameTables& names() const { return m_names; }
    const rules::CalcRules& calcRules() const { return m_rules; }
    // The bundle every engine step of this host's run works with.
    EngineContext engineContext(PagePolicy paging = PagePolicy::BreakOnly,
                                NoteWording wording = NoteWording::SingleDeath);
    const data::Database& database() const { return m_db; }
    EnginePort& port() { return m_port; }
    bool batchRunFlag() const { return m_batchRunFlag; }
    bool loaded() const { return m_loaded; }

    // DialogRoundTrip with the case-entry dialogue: writes the stage into CASE_TYPE, then shows
    // the dialogue modally.
    void showEntryDialog(EntryStage stage);

    // The engine procedures the dispatch calls.
    virtual void NEW_AND_SINGLE();
    virtual void NEW_AND_DUBLE();
    // The run of stored model cases, reached from the source stage.
    virtual void runModelCases();

protected:
    // Calculates the case in the engine state and runs the results loop, again for the commands
    // that repeat the calculation. Returns when the case goes back to its entry: the user asked
    // for a new case, or a division could not be given exactly (after its message).
    void calculateAndOffer(class CaseRun& run);

    // Steps of the load step after the tables are loaded.
    virtual void loadRuleFiles();
    void sourceStage();

private:
    HostKind m_kind;
    EnginePort& m_port;
    CaseContext m_context;
    EngineState m_state;
    NameTables m_names;
    rules::CalcRules m_rules;
    data::Database m_db;
    bool m_batchRunFlag = false;
    bool m_loaded = false;
};

} // namespace engine
