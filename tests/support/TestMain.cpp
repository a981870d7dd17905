#include "platform/ProcessExit.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

// Every test program runs with an application object and right-to-left layout, and the end of
// the program throws instead of ending the process.
// (GUI test programs have a main of their own with a QApplication.)
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    platform::ProcessExit::throwOnEnd();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
