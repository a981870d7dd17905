#include "ScreensFixture.h"

#include "exercise/Form2.h"
#include "shell/Form11.h"
#include "shell/Form13.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

namespace {

class WindowPlacementTest : public shelltest::ScreensFixture {};

// Every window of the program, on the 1024 x 768 screen and on the 1366 x 768 one: whole on the
// screen with its frame, so its title bar can be reached, and centred.
TEST_F(WindowPlacementTest, EveryWindowOpensWholeAndCentredOnItsScreen) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2);
    ASSERT_EQ(screens[0]->availableGeometry().size(), QSize(1024, 768));
    ASSERT_EQ(screens[1]->availableGeometry().size(), QSize(1366, 768));

    std::vector<shelltest::ScreenOpener> windows = workingScreens();
    windows.push_back(
        {"engine host", [] { return std::make_unique<shell::Form13>(shell::Form13::Dialogs{}); }});
    windows.push_back({"exercise host", [] {
                           return std::make_unique<exercise::Form2>(exercise::Form2::Dialogs{},
                                                                    exercise::Form2::Exits{});
                       }});
    windows.push_back({"help", [] { return std::make_unique<shell::Form11>(); }});
    for (QScreen* screen : screens) {
        const QRect area = screen->availableGeometry();
        for (const auto& w : windows) {
            SCOPED_TRACE(std::string(w.what) + " on " + screen->name().toStdString());
            const std::unique_ptr<QWidget> window = w.open();
            // A window opens on the screen where it stands.
            window->move(area.topLeft());
            window->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
            QTest::qWait(10);
            const QRect outer = window->frameGeometry();
            EXPECT_TRUE(area.contains(outer))
                << outer.x() << "," << outer.y() << " " << outer.width() << "x" << outer.height();
            EXPECT_LE(std::abs(outer.center().x() - area.center().x()), 1);
            EXPECT_LE(std::abs(outer.center().y() - area.center().y()), 1);
        }
    }
}

} // namespace
