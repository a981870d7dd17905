#include "results/EngineHostWindow.h"

#include "platform/MessageService.h"
#include "platform/ProcessExit.h"
#include "platform/widgets/MainMenuReturn.h"
#include "platform/widgets/ReportView.h"
#include "platform/widgets/ScreenPlacement.h"

#include <QCloseEvent>
#include <QVBoxLayout>

namespace results {

EngineHostWindow::EngineHostWindow(engine::HostKind kind, Dialogs dialogs, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_dialogs(std::move(dialogs)), m_mainWindow(mainWindow), m_view(new platform::ReportView(this)),
      m_host(kind, *this) {
    setObjectName(kind.name);
    setLayoutDirection(Qt::RightToLeft);
    resize(ClientWidth, ClientHeight);
    platform::ScreenPlacement::keepOnScreen(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    m_surface.setListener([this] { m_view->setLines(m_surface.lines()); });
}

EngineHostWindow::~EngineHostWindow() {
    m_surface.setListener({});
}

bool EngineHostWindow::runLoadStep(EngineHostWindow* window) {
    QPointer<QWidget> mainWindow = window->m_mainWindow;
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
            // Back at the size it had before a case screen folded it, and centred, as it opened:
            // the case screens' enlarge rule would put it in the screen's top left corner.
            if (ShrinkEnlargeButtons::isFolded(mainWindow))
                ShrinkEnlargeButtons::unfoldWindow(mainWindow);
            mainWindow->show();
            platform::ScreenPlacement::place(mainWindow, mainWindow->size());
            mainWindow->raise();
            mainWindow->activateWindow();
        }
        return false;
    }
    window->m_running = false;
    return true;
}

PartnerWindows EngineHostWindow::partners() {
    return {this, m_mainWindow};
}

void EngineHostWindow::showEntryDialog(engine::EntryStage stage, engine::CaseContext& context) {
    // Without its dialogue the engine would ask again and again; this build cannot run the case.
    if (!m_dialogs.entry)
        platform::ProcessExit::fail(QStringLiteral("شاشة ادخال المسألة غير متوفرة في هذه النسخة"));
    m_dialogs.entry(stage, context, partners());
    platform::MainMenuReturn::throwIfRequested();
}

void EngineHostWindow::showSuccessionDialog(engine::CaseContext& context) {
    if (!m_dialogs.succession)
        platform::ProcessExit::fail(QStringLiteral("شاشة المسائل المناسخة غير متوفرة في هذه النسخة"));
    m_dialogs.succession(context, partners());
    platform::MainMenuReturn::throwIfRequested();
}

void EngineHostWindow::showMessage(const QString& text) {
    platform::MessageService::show(text);
}

void EngineHostWindow::pause() {
    platform::MessageService::show(engine::PauseText);
}

void EngineHostWindow::showHostWindow() {
    show();
    raise();
    activateWindow();
}

void EngineHostWindow::closeEvent(QCloseEvent* event) {
    // While the run is on, the engine waits inside this window's load step.
    if (m_running)
        event->ignore();
    else
        event->accept();
}

} // namespace results
