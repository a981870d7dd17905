#include "platform/ProcessExit.h"

#include <QApplication>

#include <gtest/gtest.h>

// The widget tests' main: a QApplication laid out right-to-left as the program's own, and the
// end of the program throwing instead of ending the process.
int main(int argc, char** argv) {
    // The build lists the tests by running this program, with no display and none of the test
    // environment; a platform named in the environment still wins.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    platform::ProcessExit::throwOnEnd();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
