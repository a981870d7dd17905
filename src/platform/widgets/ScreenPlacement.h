#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace platform {

// Where a window stands when it opens: whole inside the part of its screen that panels and task
// bars leave free, centred there, with its frame (the title bar among it) on the screen, so that
// it can always be seen and moved. A window larger than that area is made smaller; one whose
// layout cannot shrink that far keeps the top left corner of its frame on the area.
class ScreenPlacement {
public:
    // The client rectangle for a window that would like a client area of `wanted`, cannot go
    // below `minimum`, and gets `frame` round its client area from the window manager.
    static QRect fit(QSize wanted, QSize minimum, QMargins frame, QRect available);

    // Places the window by that rule when it is first shown, at the size it asked for, and once
    // more when the window manager has told the frame it really gave the window. Later moves are
    // the user's.
    static void keepOnScreen(QWidget* window);

    // Places the window by that rule now, with a client area of `wanted` at most.
    static void place(QWidget* window, QSize wanted);
};

} // namespace platform
