#pragma once

class QApplication;

namespace shell {

// The program's name as the desktop shows it. A window or message box without a title of its
// own is titled with the application's name by the platform, and the executable's Latin name
// would otherwise stand there.
inline constexpr const char16_t* ProgramName = u"فرائض - قسمة المواريث";

// What the program sets on the application before its first window: its name, right-to-left
// layout, the second click of a double-click kept off the screen its first click opened, and
// Qt's own dialogues (print preview, file choosers, text menus) in Arabic where the translations
// are installed.
void prepareApplication(QApplication& app);

} // namespace shell
