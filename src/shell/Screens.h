#pragma once

#include "data/Database.h"
#include "shell/Form1.h"
#include "shell/Form13.h"

namespace shell {

// The dialogues the engine host of real cases shows, as this build has them.
Form13::Dialogs realCaseDialogs();

// The windows the main window's mode commands show, as this build has them; a mode whose
// screens are not built yet has none, and its command stays disabled.
Form1::Screens mainWindowScreens(QWidget* mainWindow);

} // namespace shell
