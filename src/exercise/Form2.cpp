#include "exercise/Form2.h"

#include "exercise/Form5.h"
#include "exercise/Form7.h"
#include "platform/AppPaths.h"
#include "platform/widgets/MainMenuReturn.h"
#include "results/TouchedReport.h"
#include "succession/Form6.h"

#include <QPushButton>

namespace exercise {

namespace {

data::Database caseDatabase() {
    return data::Database::OpenDatabase(platform::AppPaths::appFile(QStringLiteral("TALVENO_TEST.mdb")));
}

} // namespace

Form2::Form2(Dialogs dialogs, Exits exits, QWidget* mainWindow)
    : EngineHostWindow(engine::HostKind::exercises(), std::move(dialogs), mainWindow),
      m_exits(std::move(exits)) {}

Form2::Dialogs Form2::exerciseDialogs(const Exits& exits) {
    Dialogs dialogs;
    dialogs.entry = [exits](engine::EntryStage, engine::CaseContext& context,
                            const results::PartnerWindows& partners) {
        const data::Database db = caseDatabase();
        entry::ExitHooks hooks{[db, exits] {
                                   if (exits.cleanExit)
                                       exits.cleanExit(db);
                               },
                               exits.mainMenu};
        Form5 dialog(db, context, hooks, partners.host);
        dialog.attachWindowButtons(partners);
        dialog.exec();
    };
    dialogs.succession = [exits](engine::CaseContext& context, const results::PartnerWindows& partners) {
        const data::Database db = caseDatabase();
        succession::ExitHooks hooks{[db, exits] {
                                        if (exits.cleanExit)
                                            exits.cleanExit(db);
                                    },
                                    exits.mainMenu};
        // The dialogue answers, and moves, the host that shows it: this one.
        succession::Form6 dialog(db, context, hooks, partners.host);
        new results::ShrinkEnlargeButtons(&dialog, dialog.findChild<QPushButton*>(QStringLiteral("Command8")),
                                          dialog.findChild<QPushButton*>(QStringLiteral("Command7")),
                                          partners);
        dialog.exec();
    };
    return dialogs;
}

Form2* Form2::open(Dialogs dialogs, Exits exits, QWidget* mainWindow) {
    if (mainWindow) {
        if (auto* loaded = mainWindow->findChild<Form2*>(QString(), Qt::FindDirectChildrenOnly)) {
            loaded->showHostWindow();
            return loaded;
        }
    }
    auto* window = new Form2(std::move(dialogs), std::move(exits), mainWindow);
    return runLoadStep(window) ? window : nullptr;
}

void Form2::showEntryDialog(engine::EntryStage stage, engine::CaseContext& context) {
    EngineHostWindow::showEntryDialog(stage, context);
    // The details stage closes only by handing an answer in; the calculation that follows is the
    // one the next verdict belongs to.
    if (stage == engine::EntryStage::Details)
        m_verdicts.handedIn();
    // A case begun at the source stage, or a model case chosen, has no answer of the learner's
    // behind it until the details stage or Form6 hands one in.
    else if (stage == engine::EntryStage::Source || stage == engine::EntryStage::Stored)
        m_verdicts.nothingHandedIn();
}

void Form2::showSuccessionDialog(engine::CaseContext& context) {
    EngineHostWindow::showSuccessionDialog(context);
    m_verdicts.handedIn();
}

void Form2::showResultsScreen(engine::CaseContext& context) {
    Form7::Links links{m_exits.cleanExit, m_exits.mainMenu, partners()};
    Form7 screen(caseDatabase(), context, m_verdicts, results::TouchedReport::ofProgram(), std::move(links),
                 this);
    screen.exec();
    platform::MainMenuReturn::throwIfRequested();
}

} // namespace exercise
