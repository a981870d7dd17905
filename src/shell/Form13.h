#pragma once

#include "results/EngineHostWindow.h"

namespace shell {

// The engine host of real cases, the host window with the real-case kind: it shows the case-entry
// dialogue, the successive-deaths dialogue and the results screen of real cases.
class Form13 : public results::EngineHostWindow {
    Q_OBJECT
public:
    explicit Form13(Dialogs dialogs, QWidget* mainWindow = nullptr);

    // What the main window's case commands do after writing their presets: show the host and
    // run its load step. A host the main window already has is brought to the front without
    // loading it again. A main-menu button that brings the main window back ends the run: the
    // host closes and nullptr is returned.
    static Form13* open(Dialogs dialogs, QWidget* mainWindow);

    void showResultsScreen(engine::CaseContext& context) override;
};

} // namespace shell
