#include "results/ShrinkEnlargeButtons.h"
#include "results/Form14.h"
#include "results/TouchedReport.h"

#include "support/TempAppFolder.h"

#include <QLayout>
#include <QPushButton>

#include <gtest/gtest.h>

using results::ShrinkEnlargeButtons;

namespace {

// Outer geometry in pixels: 600, 10700, 13700 and 11520 twips at 15 twips per pixel.
constexpr int ShrunkHeight = 40;
constexpr int ShrunkTop = 713;
constexpr int ShrunkLeft = 913;
constexpr int FullHeight = 768;

class ShrinkEnlargeButtonsTest : public ::testing::Test {
protected:
    ShrinkEnlargeButtonsTest() {
        host.setGeometry(30, 40, 1016, 760);
        mainWindow.setGeometry(50, 60, 1016, 714);
        unrelated.setGeometry(70, 80, 300, 200);
    }

    void expectPlaced(const QWidget& w, int width, int height, int top, int left) {
        SCOPED_TRACE(w.objectName().toStdString());
        EXPECT_EQ(w.frameGeometry().height(), height);
        EXPECT_EQ(w.frameGeometry().top(), top);
        EXPECT_EQ(w.frameGeometry().left(), left);
        EXPECT_EQ(w.width(), width);
    }

    testsupport::TempAppFolder folder;
    data::Database db = folder.caseDatabase();
    engine::CaseContext context;
    results::TouchedReport touched;
    QWidget host;
    QWidget mainWindow;
    QWidget unrelated;
};

// The results screen holds a laid-out grid and rows of buttons, so its layout would keep it far
// taller than the folded strip.
TEST_F(ShrinkEnlargeButtonsTest, TheResultsScreenFoldsAndUnfoldsWithItsHostAndTheMainWindow) {
    host.setObjectName("host");
    mainWindow.setObjectName("main");
    results::Form14::Links links;
    links.windows = {&host, &mainWindow};
    results::Form14 screen(db, context, touched, links);
    screen.setGeometry(10, 20, 1016, 760);
    auto* shrink = screen.findChild<QPushButton*>("Command8");
    auto* enlarge = screen.findChild<QPushButton*>("Command7");
    ASSERT_NE(shrink, nullptr);
    ASSERT_NE(enlarge, nullptr);
    EXPECT_EQ(shrink->text(), QStringLiteral("تصغير الشاشة"));
    EXPECT_EQ(enlarge->text(), QStringLiteral("تكبير الشاشة"));
    EXPECT_TRUE(enlarge->isHidden());
    EXPECT_FALSE(shrink->isHidden());
    // The enlarge button lies in the strip that stays visible; the shrink button near the bottom.
    EXPECT_EQ(enlarge->geometry(), QRect(0, 0, 101, 37));
    screen.layout()->activate();
    EXPECT_GE(shrink->y(), 688);
    EXPECT_LE(shrink->y(), 720);

    shrink->click();
    expectPlaced(screen, 1016, ShrunkHeight, ShrunkTop, ShrunkLeft);
    expectPlaced(host, 1016, ShrunkHeight, ShrunkTop, ShrunkLeft);
    expectPlaced(mainWindow, 1016, ShrunkHeight, ShrunkTop, ShrunkLeft);
    EXPECT_FALSE(enlarge->isHidden());
    EXPECT_FALSE(shrink->isHidden());
    EXPECT_EQ(unrelated.geometry(), QRect(70, 80, 300, 200));

    // Pressing again changes nothing.
    shrink->click();
    expectPlaced(screen, 1016, ShrunkHeight, ShrunkTop, ShrunkLeft);

    enlarge->click();
    expectPlaced(screen, 1016, FullHeight, 0, 0);
    expectPlaced(host, 1016, FullHeight, 0, 0);
    expectPlaced(mainWindow, 1016, FullHeight, 0, 0);
    EXPECT_TRUE(enlarge->isHidden());
}

TEST_F(ShrinkEnlargeButtonsTest, AScreenWithoutAHostMovesOnlyItselfAndTheMainWindow) {
    QWidget quiz;
    quiz.setGeometry(0, 0, 640, 480);
    ShrinkEnlargeButtons buttons(&quiz, "Command3", "Command2", {nullptr, &mainWindow});
    buttons.shrink();
    expectPlaced(quiz, 640, ShrunkHeight, ShrunkTop, ShrunkLeft);
    expectPlaced(mainWindow, 1016, ShrunkHeight, ShrunkTop, ShrunkLeft);
    EXPECT_EQ(host.geometry(), QRect(30, 40, 1016, 760));
}

TEST_F(ShrinkEnlargeButtonsTest, AWindowClosedMeanwhileIsSkipped) {
    QWidget screen;
    auto* gone = new QWidget;
    ShrinkEnlargeButtons buttons(&screen, "Command8", "Command7", {gone, &mainWindow});
    delete gone;
    buttons.shrink();
    expectPlaced(mainWindow, 1016, ShrunkHeight, ShrunkTop, ShrunkLeft);
}

} // namespace
