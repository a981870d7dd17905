#include "shell/Form13.h"

#include "platform/AppPaths.h"
#include "platform/widgets/MainMenuReturn.h"
#include "results/Form14.h"
#include "results/TouchedReport.h"
#include "shell/ExitPaths.h"

namespace shell {

Form13::Form13(Dialogs dialogs, QWidget* mainWindow)
    : EngineHostWindow(engine::HostKind::real(), std::move(dialogs), mainWindow) {}

Form13* Form13::open(Dialogs dialogs, QWidget* mainWindow) {
    if (mainWindow) {
        if (auto* loaded = mainWindow->findChild<Form13*>(QString(), Qt::FindDirectChildrenOnly)) {
            loaded->showHostWindow();
            return loaded;
        }
    }
    auto* window = new Form13(std::move(dialogs), mainWindow);
    return runLoadStep(window) ? window : nullptr;
}

void Form13::showResultsScreen(engine::CaseContext& context) {
    results::Form14::Links links;
    links.cleanExit = [](const data::Database& db) { ExitPaths::CleanExit(db); };
    links.mainMenu = [] { ExitPaths::MainMenuButton(); };
    links.windows = partners();
    results::Form14 screen(
        data::Database::OpenDatabase(platform::AppPaths::appFile(QStringLiteral("TALVENO_TEST.mdb"))),
        context, results::TouchedReport::ofProgram(), std::move(links), this);
    screen.exec();
    platform::MainMenuReturn::throwIfRequested();
}

} // namespace shell
