#include "platform/ProcessExit.h"
#include "platform/widgets/ProgramStyle.h"

#include <QApplication>

#include <gtest/gtest.h>

// The widget tests' main: a QApplication laid out right-to-left and drawn as the program's own, and
// the end of the program throwing instead of ending the process.
int main(int argc, char** argv) {
    // The build lists the tests by running this program, with no display and none of the test
    // environment; a platform named in the environment still wins. Off screen, the windows meet
    // the smallest screen they are made for, 1024 x 768, and a wide one of 1366 x 768 apart from it
    // (not beside it, where a window partly over the edge would count as on the other screen).
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM",
                "offscreen:configfile=" FARAID_TESTS_DIR "/support/offscreen-screens.json");
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    platform::ProgramStyle::install();
    platform::ProcessExit::throwOnEnd();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
