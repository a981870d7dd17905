#include "platform/widgets/ScreenPlacement.h"

#include <gtest/gtest.h>

using platform::ScreenPlacement;

namespace {

TEST(ScreenPlacementTest, AWindowFitsTheFreeAreaCentredWithItsTitleBarOnIt) {
    const QMargins titled(4, 24, 4, 4);
    const struct {
        const char* what;
        QSize wanted;
        QMargins frame;
        QRect available;
        QRect client; // what the window gets
    } cases[] = {
        {"a case screen the size of the small screen",
         {1024, 768},
         titled,
         {0, 0, 1024, 768},
         {4, 24, 1016, 740}},
        {"the same on a wide screen", {1024, 768}, titled, {0, 0, 1366, 768}, {171, 24, 1024, 740}},
        {"a frameless screen on a wide screen", {1016, 760}, {}, {0, 0, 1366, 768}, {175, 4, 1016, 760}},
        {"a window that fits", {1016, 714}, titled, {0, 0, 1366, 768}, {175, 37, 1016, 714}},
        {"a task bar below", {1016, 760}, titled, {0, 0, 1024, 728}, {4, 24, 1016, 700}},
        {"a panel above", {1016, 760}, titled, {0, 30, 1024, 738}, {4, 54, 1016, 710}},
        {"a second screen to the right", {800, 600}, titled, {1024, 0, 1366, 768}, {1307, 94, 800, 600}},
        {"a small window", {720, 560}, titled, {0, 0, 1024, 768}, {152, 114, 720, 560}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QRect client = ScreenPlacement::fit(c.wanted, {}, c.frame, c.available);
        EXPECT_EQ(client, c.client);
        EXPECT_TRUE(c.available.contains(client.marginsAdded(c.frame)));
    }
}

// A layout that cannot shrink as far as the screen asks: the window keeps its least size and the
// top left corner of its frame, the title bar, stays on the free area.
TEST(ScreenPlacementTest, AWindowThatCannotShrinkEnoughKeepsItsTitleBarOnTheArea) {
    const QMargins frame(4, 24, 4, 4);
    const QRect available(0, 30, 1024, 700);
    const QRect client = ScreenPlacement::fit({1024, 768}, {1000, 720}, frame, available);
    EXPECT_EQ(client.size(), QSize(1016, 720));
    EXPECT_EQ(client.marginsAdded(frame).topLeft(), QPoint(0, 30));
}

} // namespace
