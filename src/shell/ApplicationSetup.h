#pragma once

class QApplication;

namespace shell {

// The program's name as the desktop shows it. A window or message box without a title of its
// own is titled with the application's name by the platform, and the executable's Latin name
// would otherwise stand there.
inline constexpr const char16_t* ProgramName = u"فرائض - قسمة المواريث";

// What the program sets before the application is made: the dates and the file types that the
// platform's dialogues show in Arabic, whatever the user's language. Numbers keep the form of
// the user's environment, which is the form the program reads and writes.
void prepareLocale();

// What the program sets on the application before its first window: its name, right-to-left
// layout, its style (the focus always shown, Arabic captions drawn as whole words), the second
// click of a double-click kept off the screen its first click opened, and Qt's own dialogues
// (print preview, file choosers, text menus) in Arabic where the translations are installed, with
// the few texts Qt's Arabic catalogue lacks from our own.
void prepareApplication(QApplication& app);

} // namespace shell
