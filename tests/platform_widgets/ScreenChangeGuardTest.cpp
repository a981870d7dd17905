#include "platform/widgets/ScreenChangeGuard.h"

#include "support/WindowClick.h"

#include <QApplication>
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
    QMenu menu;
    QAction* item = menu.addAction("item");
    int nextClicks = 0;
    int itemRuns = 0;

    explicit TwoScreens(bool toMenu) {
        first.setGeometry(100, 100, 300, 200);
        open->setGeometry(100, 80, 100, 30);
        second.setGeometry(100, 100, 300, 200);
        next->setGeometry(100, 80, 100, 30);
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
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&first));
    }
};

TEST(ScreenChangeGuardTest, OnlyTheSecondClickOfADoubleClickThatOpenedAnotherScreenIsHeldBack) {
    platform::ScreenChangeGuard::install();
    platform::ScreenChangeGuard::install(); // a second install adds no second filter
    const struct {
        const char* what;
        int gap;
        int clicks;
    } cases[] = {
        {"a double-click", 120, 0},
        {"a click just inside the double-click time", 390, 0},
        {"a click after the double-click time", 600, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TwoScreens screens(false);
        testsupport::clickThroughWindow(screens.open, QTest::mouseDoubleClickInterval);
        ASSERT_TRUE(screens.second.isVisible());
        testsupport::clickThroughWindow(screens.next, c.gap);
        EXPECT_EQ(screens.nextClicks, c.clicks);
        // The click after it always counts.
        testsupport::clickThroughWindow(screens.next, 700);
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

} // namespace
