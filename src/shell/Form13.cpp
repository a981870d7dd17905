#include "shell/Form13.h"

#include "platform/AppPaths.h"
#include "platform/MessageService.h"
#include "platform/ProcessExit.h"
#include "platform/widgets/MainMenuReturn.h"
#include "platform/widgets/ReportView.h"
#include "results/Form14.h"
#include "shell/ExitPaths.h"

#include <QCloseEvent>
#include <QVBoxLayout>

namespace shell {

Form13::Form13(Dialogs dialogs, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_dialogs(std::move(dialogs)), m_mainWindow(mainWindow), m_view(new platform::ReportView(this)),
      m_host(engine::HostKind::real(), *this) {
    setObjectName(QStringLiteral("Form13"));
    setLayoutDirection(Qt::RightToLeft);
    resize(ClientWidth, ClientHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    m_surface.setListener([this] { m_view->setLines(m_surface.lines()); });
}

Form13::~Form13() {
    m_surface.setListener({});
}

Form13* Form13::open(Dialogs dialogs, QWidget* mainWindow) {
    if (mainWindow) {
        if (auto* loaded = mainWindow->findChild<Form13*>(QString(), Qt::FindDirectChildrenOnly)) {
            loaded->showHostWindow();
            return loaded;
        }
    }
    auto* window = new Form13(std::move(dialogs), mainWindow);
    platform::MainMenuReturn::clear();
    window->m_running = true;
    try {
        window->m_host.Form_Load();
    } catch (const platform::MainMenuReturn::Unwind&) {
        // The run is over; its case stays in the work tables for the next command.
        window->m_running = false;
        window->hide();
        window->setParent(nullptr);
        window->deleteLater();
        if (mainWindow) {
            results::ShrinkEnlargeButtons::unfoldWindow(mainWindow);
            mainWindow->show();
            mainWindow->raise();
            mainWindow->activateWindow();
        }
        return nullptr;
    }
    window->m_running = false;
    return window;
}

results::PartnerWindows Form13::partners() {
    return {this, m_mainWindow};
}

void Form13::showEntryDialog(engine::EntryStage stage, engine::CaseContext& context) {
    // Without its dialogue the engine would ask again and again; this build cannot run the case.
    if (!m_dialogs.entry)
        platform::ProcessExit::fail(QStringLiteral("شاشة ادخال المسألة غير متوفرة في هذه النسخة"));
    m_dialogs.entry(stage, context, partners());
    platform::MainMenuReturn::throwIfRequested();
}

void Form13::showSuccessionDialog(engine::CaseContext& context) {
    if (!m_dialogs.succession)
        platform::ProcessExit::fail(QStringLiteral("شاشة المسائل المناسخة غير متوفرة في هذه النسخة"));
    m_dialogs.succession(context, partners());
    platform::MainMenuReturn::throwIfRequested();
}

void Form13::showResultsScreen(engine::CaseContext& context) {
    results::Form14::Links links;
    links.cleanExit = [](const data::Database& db) { ExitPaths::CleanExit(db); };
    links.mainMenu = [] { ExitPaths::MainMenuButton(); };
    links.windows = partners();
    results::Form14 screen(
        data::Database::OpenDatabase(platform::AppPaths::appFile(QStringLiteral("TALVENO_TEST.mdb"))),
        context, m_touched, std::move(links), this);
    screen.exec();
    platform::MainMenuReturn::throwIfRequested();
}

void Form13::showMessage(const QString& text) {
    platform::MessageService::show(text);
}

void Form13::pause() {
    platform::MessageService::show(engine::PauseText);
}

void Form13::showHostWindow() {
    show();
    raise();
    activateWindow();
}

void Form13::closeEvent(QCloseEvent* event) {
    // While the run is on, the engine waits inside this window's load step.
    if (m_running)
        event->ignore();
    else
        event->accept();
}

} // namespace shell
