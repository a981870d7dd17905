#pragma once

#include "data/Database.h"

namespace shell {

// The ways the program ends. Every exit button runs CleanExit; every main-menu button of the
// dialogues runs MainMenuButton; closing the main window runs closeMainWindow.
class ExitPaths {
public:
    // Empties CHECK_FILE and LOAD_Vesparin_FORM, then ends the program at once.
    [[noreturn]] static void CleanExit(const data::Database& db);
    // Starts the sibling tutorial program of the application folder and ends the program without
    // emptying anything. Without that program (this product ships none) the dialogues close and
    // the main window comes back instead, the case in hand kept (platform::MainMenuReturn) and
    // the model-case queue and last range as a start leaves them; a program that is there but
    // cannot be started is reported first.
    static void MainMenuButton();
    // The closing step of the main window: empties the two tables; the process goes on while
    // another window is open.
    static void closeMainWindow(const data::Database& db);
    // The quiz's exit: ends without emptying anything.
    [[noreturn]] static void quizExit();

    static constexpr const char* SiblingProgram = "Vesparin_TEST";
};

} // namespace shell
