#include "platform/widgets/ScreenChangeGuard.h"

#include "support/WindowClick.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A screen whose button opens the next one (or a menu) on its first click, as a case command does.
struct TwoScreens {
    QWidget first;
    QPushButton* open = new QPushButton("open", &first);
    QWidget second;
    QPushButton* next = new QPushButton("next", &second);
    QLineEdit* text = new QLineEdit(&second);
    QMenu menu;
    QAction* item = menu.addAction("item");
    int nextClicks = 0;
    int itemRuns = 0;

    explicit TwoScreens(bool toMenu) {
        first.setGeometry(100, 100, 300, 200);
        open->setGeometry(100, 80, 100, 30);
        second.setGeometry(100, 100, 300, 200);
        next->setGeometry(100, 80, 100, 30);
        text->setGeometry(100, 130, 100, 30);
        open->setAutoDefault(true); // Enter presses a focused button, as in a dialogue
        next->setAutoDefault(true);
        QObject::connect(open, &QPushButton::clicked, [this, toMenu] {
            if (toMenu) {
                menu.popup(open->mapToGlobal(QPoint(0, 0)));
                return;
            }
            first.hide();
            second.show();
        });
        QObject::connect(next, &QPushButton::clicked, [this] { ++nextClicks; });
        QObject::connect(item, &QAction::triggered, [this] { ++itemRuns; });
        first.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&first));
        open->setFocus();
    }
};

// A click, or Enter or Space on the focused button, as the desktop delivers it, `gap`
// milliseconds after the press before.
void strike(Qt::Key key, QPushButton* button, int gap) {
    if (key == Qt::Key_unknown)
        testsupport::clickThroughWindow(button, gap);
    else
        testsupport::tapThroughWindow(key, gap);
}

// The second press of a double-click, or of Enter or Space struck twice on a focused button, that
// opened another screen reaches the new screen's button and is held back, with its release.
TEST(ScreenChangeGuardTest, OnlyTheSecondPressOfADoubleStrikeThatOpenedAnotherScreenIsHeldBack) {
    platform::ScreenChangeGuard::install();
    platform::ScreenChangeGuard::install(); // a second install adds no second filter
    constexpr Qt::Key Click = Qt::Key_unknown;
    const struct {
        const char* what;
        Qt::Key first;
        Qt::Key second;
        int gap;
        int clicks;
    } cases[] = {
        {"a double-click", Click, Click, 120, 0},
        {"a click just inside the double-click time", Click, Click, 390, 0},
        {"a click after the double-click time", Click, Click, 600, 1},
        {"Enter twice fast", Qt::Key_Return, Qt::Key_Return, 50, 0},
        {"Enter again just inside the double-click time", Qt::Key_Return, Qt::Key_Return, 390, 0},
        {"Enter again after the double-click time", Qt::Key_Return, Qt::Key_Return, 600, 1},
        {"Space twice fast", Qt::Key_Space, Qt::Key_Space, 50, 0},
        {"Space again after the double-click time", Qt::Key_Space, Qt::Key_Space, 600, 1},
        {"a click, then Enter fast", Click, Qt::Key_Return, 100, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TwoScreens screens(false);
        strike(c.first, screens.open, QTest::mouseDoubleClickInterval);
        ASSERT_TRUE(screens.second.isVisible());
        strike(c.second, screens.next, c.gap);
        ASSERT_EQ(QGuiApplication::focusWindow(), screens.second.windowHandle());
        ASSERT_TRUE(screens.next->hasFocus());
        EXPECT_FALSE(screens.next->isDown());
        EXPECT_EQ(screens.nextClicks, c.clicks);
        // The press after it always counts.
        strike(c.second, screens.next, 700);
        EXPECT_EQ(screens.nextClicks, c.clicks + 1);
    }
}

TEST(ScreenChangeGuardTest, AMenuOpenedByAClickAndADoubleClickOnOneScreenAreNeverHeldBack) {
    platform::ScreenChangeGuard::install();
    {
        TwoScreens screens(true);
        testsupport::clickThroughWindow(screens.open, QTest::mouseDoubleClickInterval);
        ASSERT_TRUE(screens.menu.isVisible());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&screens.menu));
        const QPoint at = screens.menu.actionGeometry(screens.item).center();
        QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval - 120;
        QTest::mouseClick(screens.menu.windowHandle(), Qt::LeftButton, {}, at);
        EXPECT_EQ(screens.itemRuns, 1);
    }
    TwoScreens screens(false);
    int clicks = 0;
    QObject::disconnect(screens.open, nullptr, nullptr, nullptr);
    QObject::connect(screens.open, &QPushButton::clicked, [&] { ++clicks; });
    testsupport::clickThroughWindow(screens.open, QTest::mouseDoubleClickInterval);
    testsupport::clickThroughWindow(screens.open, 120);
    EXPECT_EQ(clicks, 2);
}

// Enter held down through the change repeats into the new screen; those repeats are held back,
// however long the key is held, and the next fresh press acts.
TEST(ScreenChangeGuardTest, AKeyHeldDownThroughAScreenChangeDoesNotRepeatIntoTheNewScreen) {
    platform::ScreenChangeGuard::install();
    TwoScreens screens(false);
    testsupport::keyThroughWindow(QEvent::KeyPress, Qt::Key_Return, QTest::mouseDoubleClickInterval);
    ASSERT_TRUE(screens.second.isVisible());
    testsupport::keyThroughWindow(QEvent::KeyRelease, Qt::Key_Return, 600, {}, true);
    testsupport::keyThroughWindow(QEvent::KeyPress, Qt::Key_Return, 0, {}, true);
    for (int repeat = 0; repeat < 3; ++repeat) {
        testsupport::keyThroughWindow(QEvent::KeyRelease, Qt::Key_Return, 33, {}, true);
        testsupport::keyThroughWindow(QEvent::KeyPress, Qt::Key_Return, 0, {}, true);
    }
    testsupport::keyThroughWindow(QEvent::KeyRelease, Qt::Key_Return, 33);
    ASSERT_TRUE(screens.next->hasFocus());
    EXPECT_EQ(screens.nextClicks, 0);
    testsupport::tapThroughWindow(Qt::Key_Return, 700);
    EXPECT_EQ(screens.nextClicks, 1);
}

// Typing on the new screen: only what follows the opening key within the double-click time is
// dropped; after that every key arrives, however fast the typing.
TEST(ScreenChangeGuardTest, TypingOnTheNewScreenAfterTheDoubleClickTimeLosesNoKey) {
    platform::ScreenChangeGuard::install();
    TwoScreens screens(false);
    testsupport::tapThroughWindow(Qt::Key_Return, QTest::mouseDoubleClickInterval);
    ASSERT_TRUE(screens.second.isVisible());
    screens.text->setFocus();
    testsupport::tapThroughWindow(Qt::Key_X, 50, "x");
    testsupport::tapThroughWindow(Qt::Key_B, 600, "b");
    testsupport::tapThroughWindow(Qt::Key_C, 40, "c");
    testsupport::tapThroughWindow(Qt::Key_D, 40, "d");
    EXPECT_EQ(screens.text->text(), "bcd");
}

} // namespace
