#pragma once

#include <exception>

namespace platform {

// The way back from a case run to the main window, for the main-menu buttons of the dialogues
// when the application folder holds no tutorial program to hand over to. Nothing is lost: the
// dialogues close without answering, the work tables keep the case in hand, and the program goes
// on with its main window.
//
// How the pieces use it:
// - a main-menu button: `MainMenuReturn::request()` (shell::ExitPaths::MainMenuButton does it);
// - an engine host, after each dialogue it showed returns: `MainMenuReturn::throwIfRequested()`,
//   which unwinds the engine run with `MainMenuReturn::Unwind`;
// - the code that started the run catches `Unwind`, closes the host and shows the main window
//   (shell::Form13::open does it for every host dialogue, the successive-deaths one included).
class MainMenuReturn {
public:
    struct Unwind : std::exception {
        const char* what() const noexcept override { return "back to the main window"; }
    };

    // Closes every open modal dialogue without an answer; the engine host that showed them then
    // unwinds.
    static void request();
    static bool requested();
    // Throws Unwind when a return has been requested; the request is then spent.
    static void throwIfRequested();
    static void clear();
};

} // namespace platform
