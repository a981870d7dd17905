#include "results/ShrinkEnlargeButtons.h"
#include "results/Form14.h"
#include "results/TouchedReport.h"

#include "support/TempAppFolder.h"

#include <QGuiApplication>
#include <QLayout>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

#include <algorithm>

using results::ShrinkEnlargeButtons;

namespace {

// Outer geometry in pixels: 600, 10700, 13700 and 11520 twips at 15 twips per pixel.
constexpr int ShrunkHeight = 40;
constexpr int FullHeight = 768;

// The strip stands at 913, 713 from the corner of its screen, as on a 1024 x 768 screen, but
// never so far that less than 120 pixels of it are left on a smaller screen.
QRect screenArea() {
    return QGuiApplication::primaryScreen()->geometry();
}
int stripLeft() {
    return std::min(screenArea().left() + 913, screenArea().right() + 1 - 120);
}
int stripTop() {
    return std::min(screenArea().top() + 713, screenArea().bottom() + 1 - ShrunkHeight);
}

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
    expectPlaced(screen, 1016, ShrunkHeight, stripTop(), stripLeft());
    expectPlaced(host, 1016, ShrunkHeight, stripTop(), stripLeft());
    expectPlaced(mainWindow, 1016, ShrunkHeight, stripTop(), stripLeft());
    EXPECT_FALSE(enlarge->isHidden());
    EXPECT_FALSE(shrink->isHidden());
    EXPECT_EQ(unrelated.geometry(), QRect(70, 80, 300, 200));

    // Pressing again changes nothing.
    shrink->click();
    expectPlaced(screen, 1016, ShrunkHeight, stripTop(), stripLeft());

    // Each window goes back where it stood before the first press.
    enlarge->click();
    expectPlaced(screen, 1016, 760, 20, 10);
    expectPlaced(host, 1016, 760, 40, 30);
    expectPlaced(mainWindow, 1016, 714, 60, 50);
    EXPECT_TRUE(enlarge->isHidden());
}

TEST_F(ShrinkEnlargeButtonsTest, TheStripStaysOnTheScreenItsWindowIsOn) {
    QWidget screen;
    screen.setGeometry(10, 20, 640, 480);
    ShrinkEnlargeButtons buttons(&screen, "Command8", "Command7", {&host, &mainWindow});
    buttons.shrink();
    for (const QWidget* w : {&screen, &host, &mainWindow}) {
        const QRect visible = w->frameGeometry().intersected(screenArea());
        EXPECT_GE(visible.width(), 120);
        EXPECT_EQ(visible.height(), w->frameGeometry().height());
    }
}

TEST_F(ShrinkEnlargeButtonsTest, AWindowFoldedByOneScreenIsUnfoldedByAnotherWhereItWas) {
    QWidget entry;
    QWidget results;
    ShrinkEnlargeButtons entryButtons(&entry, "Command2", "Command5", {&host, &mainWindow});
    ShrinkEnlargeButtons resultsButtons(&results, "Command8", "Command7", {&host, &mainWindow});
    entryButtons.shrink();
    EXPECT_TRUE(ShrinkEnlargeButtons::isFolded(&mainWindow));
    resultsButtons.enlarge();
    expectPlaced(host, 1016, 760, 40, 30);
    expectPlaced(mainWindow, 1016, 714, 60, 50);
    EXPECT_FALSE(ShrinkEnlargeButtons::isFolded(&mainWindow));
    // A window never folded goes to full height at its screen's corner.
    results.setGeometry(200, 100, 500, 300);
    resultsButtons.enlarge();
    expectPlaced(results, 500, FullHeight, screenArea().top(), screenArea().left());
}

TEST_F(ShrinkEnlargeButtonsTest, AScreenWithoutAHostMovesOnlyItselfAndTheMainWindow) {
    QWidget quiz;
    quiz.setGeometry(0, 0, 640, 480);
    ShrinkEnlargeButtons buttons(&quiz, "Command3", "Command2", {nullptr, &mainWindow});
    buttons.shrink();
    expectPlaced(quiz, 640, ShrunkHeight, stripTop(), stripLeft());
    expectPlaced(mainWindow, 1016, ShrunkHeight, stripTop(), stripLeft());
    EXPECT_EQ(host.geometry(), QRect(30, 40, 1016, 760));
}

TEST_F(ShrinkEnlargeButtonsTest, AWindowClosedMeanwhileIsSkipped) {
    QWidget screen;
    auto* gone = new QWidget;
    ShrinkEnlargeButtons buttons(&screen, "Command8", "Command7", {gone, &mainWindow});
    delete gone;
    buttons.shrink();
    expectPlaced(mainWindow, 1016, ShrunkHeight, stripTop(), stripLeft());
}

} // namespace
