#pragma once

#include "engine/report/EnginePort.h"
#include "engine/report/ReportSurface.h"
#include "engine/run/EngineHost.h"
#include "results/ShrinkEnlargeButtons.h"
#include "results/TouchedReport.h"

#include <QPointer>
#include <QWidget>

#include <functional>

namespace platform {
class ReportView;
}

namespace shell {

// The engine host of real cases: the window a whole case run lives in. The engine prints its
// report on it, and it shows the run's dialogues modally in front of itself. The dialogues that
// other parts of the program provide come as factories, each of which shows its dialogue
// modally and returns when the dialogue has closed.
class Form13 : public QWidget, public engine::EnginePort {
    Q_OBJECT
public:
    using EntryDialog =
        std::function<void(engine::EntryStage, engine::CaseContext&, const results::PartnerWindows&)>;
    using SuccessionDialog = std::function<void(engine::CaseContext&, const results::PartnerWindows&)>;

    struct Dialogs {
        EntryDialog entry;
        SuccessionDialog succession;
    };

    // The main window, when given, owns the host and moves with the dialogues' window buttons.
    explicit Form13(Dialogs dialogs, QWidget* mainWindow = nullptr);
    ~Form13() override;

    // What the main window's case commands do after writing their presets: show the host and
    // run its load step, which holds the whole run in nested modal dialogues and returns only if
    // the engine procedure ever does. A host the main window already has is brought to the
    // front without loading it again. A main-menu button that brings the main window back ends
    // the run: the host closes and nullptr is returned.
    static Form13* open(Dialogs dialogs, QWidget* mainWindow);

    engine::EngineHost& host() { return m_host; }
    platform::ReportView* view() const { return m_view; }
    // This window and the main window, as the dialogues' window buttons move them.
    results::PartnerWindows partners();

    void showEntryDialog(engine::EntryStage stage, engine::CaseContext& context) override;
    void showSuccessionDialog(engine::CaseContext& context) override;
    void showResultsScreen(engine::CaseContext& context) override;
    void showMessage(const QString& text) override;
    void pause() override;
    engine::ReportSurface& surface() override { return m_surface; }
    void showHostWindow() override;

    static constexpr int ClientWidth = 1016; // 15240 twips
    static constexpr int ClientHeight = 760; // 11400 twips

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Dialogs m_dialogs;
    QPointer<QWidget> m_mainWindow;
    engine::ReportSurface m_surface;
    results::TouchedReport m_touched;
    platform::ReportView* m_view;
    engine::EngineHost m_host;
    bool m_running = false;
};

} // namespace shell
