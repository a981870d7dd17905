#pragma once

#include "engine/report/EnginePort.h"
#include "engine/report/ReportSurface.h"
#include "engine/run/EngineHost.h"
#include "results/ShrinkEnlargeButtons.h"

#include <QPointer>
#include <QWidget>

#include <functional>

namespace platform {
class ReportView;
}

namespace results {

// The engine host window: the window a whole case run lives in. The engine prints its report on
// it, and it shows the run's dialogues modally in front of itself. Its two instances differ in
// data: the host kind, the dialogues (factories, each of which shows its dialogue modally and
// returns when it has closed) and the results screen, which each instance shows itself.
class EngineHostWindow : public QWidget, public engine::EnginePort {
    Q_OBJECT
public:
    using EntryDialog = std::function<void(engine::EntryStage, engine::CaseContext&, const PartnerWindows&)>;
    using SuccessionDialog = std::function<void(engine::CaseContext&, const PartnerWindows&)>;

    struct Dialogs {
        EntryDialog entry;
        SuccessionDialog succession;
    };

    // The main window, when given, owns the host and moves with the dialogues' window buttons.
    EngineHostWindow(engine::HostKind kind, Dialogs dialogs, QWidget* mainWindow);
    ~EngineHostWindow() override;

    engine::EngineHost& host() { return m_host; }
    platform::ReportView* view() const { return m_view; }
    // This window and the main window, as the dialogues' window buttons move them.
    PartnerWindows partners();

    void showEntryDialog(engine::EntryStage stage, engine::CaseContext& context) override;
    void showSuccessionDialog(engine::CaseContext& context) override;
    void showMessage(const QString& text) override;
    void pause() override;
    engine::ReportSurface& surface() override { return m_surface; }
    void showHostWindow() override;

    static constexpr int ClientWidth = 1016; // 15240 twips
    static constexpr int ClientHeight = 760; // 11400 twips

protected:
    // Shows the window and runs its load step, which holds the whole run in nested modal
    // dialogues and returns only if the engine procedure ever does. A main-menu button that
    // brings the main window back ends the run: the window is closed and deleted, the main
    // window shown, and false returned. Nothing is lost: the case stays in the work tables.
    static bool runLoadStep(EngineHostWindow* window);

    void closeEvent(QCloseEvent* event) override;

    QWidget* mainWindow() const { return m_mainWindow; }

private:
    Dialogs m_dialogs;
    QPointer<QWidget> m_mainWindow;
    engine::ReportSurface m_surface;
    platform::ReportView* m_view;
    engine::EngineHost m_host;
    bool m_running = false;
};

} // namespace results
