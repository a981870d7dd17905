#pragma once

// The main-menu button of the successive-deaths dialogue: the sibling tutorial program takes
// over, or, where it is missing, the program starts again at its main window; either way this
// run ends without the cleanup of the exit button.
namespace succession::MainMenuExit {

[[noreturn]] void run();

} // namespace succession::MainMenuExit
