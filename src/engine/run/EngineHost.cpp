#include "engine/run/EngineHost.h"

#include "engine/calc/ShareCalculation.h"
#include "engine/report/ReportSurface.h"
#include "engine/report/ReportTables.h"
#include "engine/run/CaseIntake.h"
#include "engine/run/CaseRun.h"
#include "engine/run/ModelCaseRun.h"
#include "engine/run/SuccessiveRunStart.h"
#include "platform/AppPaths.h"
#include "rules/ClassNameFiles.h"

namespace engine {

namespace {

// The report tables the engine appends to; the host opens each once, so a database that lacks
// one stops the program before any dialogue is shown.
const char* const reportTables[] = {"PRINT_TEXT2", "PRINT_TEXT2_CHILED", "NOTS_CHILED",
                                    "TAWHEED",     "TAWHEED_CHILED",     "PRINT_TITLE"};

const QString NewSource = QStringLiteral("ج");
const QString StoredSource = QStringLiteral("خ");
const QString SingleType = QStringLiteral("م");
const QString SuccessiveType = QStringLiteral("ن");

} // namespace

Continuation dispatchCase(const QString& source, const QString& type) {
    if (source == NewSource && type == SingleType)
        return Continuation::NewSingle;
    if (source == NewSource && type == SuccessiveType)
        return Continuation::NewSuccessive;
    return Continuation::AskTypeAgain;
}

EngineHost::EngineHost(HostKind kind, EnginePort& port) : m_kind(std::move(kind)), m_port(port) {}

EngineHost::~EngineHost() = default;

void EngineHost::Form_Load() {
    if (m_loaded)
        return;
    m_loaded = true;

    m_context.Text_first_count = QString::number(m_context.Text_first_count.toInt() + 1);

    m_db = data::Database::OpenDatabase(platform::AppPaths::appFile(QStringLiteral("TALVENO_TEST.mdb")),
                                        false, false, QStringLiteral(";pwd=velkaro"));
    for (const char* table : reportTables)
        m_db.select(QStringLiteral("select * from %1 limit 0").arg(QLatin1String(table)));

    m_db.execute(QStringLiteral("delete from CASE_TYPE"));

    m_port.showHostWindow();
    m_port.surface().clear();

    rules::ClassNameFiles classFiles;
    classFiles.openFiles();
    classFiles.readGroupNames(m_names);
    m_names.fillRelationNames();
    m_names.fillMenuTexts();
    classFiles.readClassNames(m_names);
    m_batchRunFlag = true;
    rules::ClassNameFiles::readClassList();
    loadRuleFiles();

    sourceStage();
}

void EngineHost::loadRuleFiles() {
    m_rules = rules::loadCalcRules();
}

EngineContext EngineHost::engineContext(PagePolicy paging, NoteWording wording) {
    return EngineContext{m_state, m_names, m_db, m_port, m_context, paging, wording};
}

void EngineHost::showEntryDialog(EntryStage stage) {
    m_db.transaction([&] {
        m_db.execute(QStringLiteral("delete from CASE_TYPE"));
        m_db.execute(QStringLiteral("insert into CASE_TYPE (case_type) values (?)"), {entryStageText(stage)});
    });
    m_port.showEntryDialog(stage, m_context);
}

void EngineHost::sourceStage() {
    showEntryDialog(EntryStage::Source);
    if (m_context.Text_RLAS == StoredSource) {
        m_context.Text_desabled_form7_commands_first_time = QStringLiteral("1");
        runModelCases();
        return;
    }

    m_state.Madhhab = 2;
    m_state.OutputMode = 2;
    m_state.CaseKey.clear();
    m_port.surface().clear();

    while (true) {
        showEntryDialog(EntryStage::Type);
        m_state.CaseType = m_context.Text_TYPS;
        switch (dispatchCase(m_context.Text_RLAS, m_context.Text_TYPS)) {
        case Continuation::NewSingle:
            NEW_AND_SINGLE();
            return;
        case Continuation::NewSuccessive:
            NEW_AND_DUBLE();
            return;
        case Continuation::AskTypeAgain:
            break;
        }
    }
}

void EngineHost::NEW_AND_SINGLE() {
    EngineContext ctx = engineContext();
    CaseRun run(ctx, m_rules);
    while (true) {
        // The start of the case run: the case entry, the intake.
        m_state.Madhhab = 2;
        m_state.OutputMode = 2;
        m_state.CaseKey.clear();
        m_port.surface().clear();
        showEntryDialog(EntryStage::Details);
        m_state.CaseKey = m_context.Text_case_no;
        m_state.newChain(1);
        m_state.HeirTotal = 0;
        m_state.SkippedDeceased = 0;
        ResetReport(ctx);

        const IntakeResult intake = CaseIntake(ctx);
        if (!intake.accepted()) {
            if (!intake.message.isEmpty())
                m_port.showMessage(intake.message);
            continue;
        }
        calculateAndOffer(run);
    }
}

void EngineHost::calculateAndOffer(CaseRun& run) {
    while (true) {
        try {
            run.calculate();
        } catch (const CalculationRefused& refused) {
            m_port.showMessage(refused.message());
            return;
        }
        if (run.resultsMenu() == ResultsOutcome::NewCase)
            return;
    }
}

void EngineHost::NEW_AND_DUBLE() {
    EngineContext ctx = engineContext(PagePolicy::PauseAndBreak, NoteWording::SuccessiveDeaths);
    CaseRun run(ctx, m_rules);
    while (true) {
        const ChainResult start = StartSuccessiveRun(ctx);
        if (start.step == ChainStep::ReturnToHost)
            return;
        if (start.step == ChainStep::BackToDialogue)
            continue;
        calculateAndOffer(run);
    }
}

void EngineHost::runModelCases() {
    EngineContext ctx = engineContext(PagePolicy::CountOnly, NoteWording::SuccessiveDeaths);
    ModelCaseRun run(ctx, m_rules);
    run.run();
}

} // namespace engine
