#include "entry/EntryFixture.h"

#include "entry/Form12.h"
#include "exercise/Form2.h"
#include "exercise/Form5.h"
#include "exercise/Form7.h"
#include "results/Form14.h"
#include "results/TouchedReport.h"
#include "shell/Form1.h"
#include "shell/Form11.h"
#include "shell/Form13.h"
#include "succession/Form6.h"
#include "training/Form15.h"
#include "training/VerdictKeeper.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <cstdlib>
#include <functional>
#include <memory>

using engine::EntryStage;

namespace {

class WindowPlacementTest : public entrytest::EntryFixture {
protected:
    results::TouchedReport touched;
    training::VerdictKeeper verdicts;
};

// Every window of the program, on the 1024 x 768 screen and on the 1366 x 768 one: whole on the
// screen with its frame, so its title bar can be reached, and centred.
TEST_F(WindowPlacementTest, EveryWindowOpensWholeAndCentredOnItsScreen) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2);
    ASSERT_EQ(screens[0]->availableGeometry().size(), QSize(1024, 768));
    ASSERT_EQ(screens[1]->availableGeometry().size(), QSize(1366, 768));

    const struct {
        const char* what;
        std::function<std::unique_ptr<QWidget>()> open;
    } windows[] = {
        {"main window", [&] { return std::make_unique<shell::Form1>(db, shell::Form1::Screens{}); }},
        {"engine host", [] { return std::make_unique<shell::Form13>(shell::Form13::Dialogs{}); }},
        {"exercise host",
         [] {
             return std::make_unique<exercise::Form2>(exercise::Form2::Dialogs{}, exercise::Form2::Exits{});
         }},
        {"case entry",
         [&] {
             setStage(EntryStage::Details);
             return std::make_unique<entry::Form12>(db, host);
         }},
        {"exercise case entry",
         [&] {
             setStage(EntryStage::Details);
             return std::make_unique<exercise::Form5>(db, host, entry::ExitHooks{});
         }},
        {"successive deaths", [&] { return std::make_unique<succession::Form6>(db, host); }},
        {"results",
         [&] { return std::make_unique<results::Form14>(db, host, touched, results::Form14::Links{}); }},
        {"exercise results",
         [&] {
             return std::make_unique<exercise::Form7>(db, host, verdicts, touched, exercise::Form7::Links{});
         }},
        {"quiz", [&] { return std::make_unique<training::Form15>(db, training::Form15::Links{}); }},
        {"help", [] { return std::make_unique<shell::Form11>(); }},
    };
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
