#include "succession/MainMenuExit.h"

#include "platform/ProcessExit.h"
#include "platform/ProgramStarter.h"
#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class MainMenuExitTest : public ::testing::Test {
protected:
    MainMenuExitTest() { platform::ProcessExit::throwOnEnd(); }
    ~MainMenuExitTest() override {
        platform::ProgramStarter::setHandler({});
        platform::ProcessExit::setHandler({});
    }
    void startsOnly(const QStringList& available) {
        platform::ProgramStarter::setHandler([this, available](const QString& path) {
            started << QFileInfo(path).fileName();
            return available.contains(QFileInfo(path).fileName());
        });
    }
    testsupport::TempAppFolder folder;
    testsupport::CapturedMessages messages;
    QStringList started;
};

TEST_F(MainMenuExitTest, TheSiblingProgramTakesOverAndTheRunEnds) {
    startsOnly({"Vesparin_TEST"});
    EXPECT_THROW(succession::MainMenuExit::run(), platform::ProgramEnded);
    EXPECT_EQ(started, QStringList({"Vesparin_TEST"}));
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(MainMenuExitTest, WithoutTheSiblingProgramTheMainWindowComesBack) {
    const QString self = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    startsOnly({self});
    EXPECT_THROW(succession::MainMenuExit::run(), platform::ProgramEnded);
    EXPECT_EQ(started, QStringList({"Vesparin_TEST", self}));
    EXPECT_TRUE(messages.texts().isEmpty());
}

} // namespace
