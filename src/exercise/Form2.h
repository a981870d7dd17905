#pragma once

#include "results/EngineHostWindow.h"
#include "training/VerdictKeeper.h"

#include <functional>

namespace exercise {

// The engine host of exercises, the host window with the exercise kind: it shows the exercise
// entry dialogue, the successive-deaths dialogue (which answers this host) and the exercise
// results screen. It tells its verdict keeper of every answer handed in, so the results screen
// grades once per hand-in and repeats that verdict on its later showings.
class Form2 : public results::EngineHostWindow {
    Q_OBJECT
public:
    // The program's two ways out, which the shell supplies to the dialogues' exit and main-menu
    // buttons.
    struct Exits {
        std::function<void(const data::Database&)> cleanExit;
        std::function<void()> mainMenu;
    };

    Form2(Dialogs dialogs, Exits exits, QWidget* mainWindow = nullptr);

    // The dialogues of the exercise path as this build has them.
    static Dialogs exerciseDialogs(const Exits& exits);

    // What the main window's exercise command does after its statements: show the host and run
    // its load step; a host the main window already has comes to the front. A main-menu button
    // ends the run (the host closes, the main window comes back) and nullptr is returned.
    static Form2* open(Dialogs dialogs, Exits exits, QWidget* mainWindow);

    training::VerdictKeeper& verdicts() { return m_verdicts; }

    void showEntryDialog(engine::EntryStage stage, engine::CaseContext& context) override;
    void showSuccessionDialog(engine::CaseContext& context) override;
    void showResultsScreen(engine::CaseContext& context) override;

private:
    Exits m_exits;
    training::VerdictKeeper m_verdicts;
};

} // namespace exercise
