#include "platform/widgets/ScreenPlacement.h"

#include <QEvent>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace platform {

namespace {

// The frame of a titled window, until a window manager has framed one: its real frame is known
// only once it is on the screen. The frame of the last window framed is the better guess.
QMargins guessedTitledFrame(11, 30, 11, 11);

bool asksForNoFrame(const QWidget* window) {
    const Qt::WindowFlags flags = window->windowFlags();
    return flags.testFlag(Qt::FramelessWindowHint) ||
           (flags.testFlag(Qt::CustomizeWindowHint) && !flags.testFlag(Qt::WindowTitleHint));
}

// The frame the window has, or the one it will most likely get.
QMargins frameOf(const QWidget* window, bool* known) {
    const QWindow* handle = window->windowHandle();
    const QMargins margins = handle ? handle->frameMargins() : QMargins();
    *known = !margins.isNull();
    if (*known) {
        if (!asksForNoFrame(window))
            guessedTitledFrame = margins;
        return margins;
    }
    return asksForNoFrame(window) ? QMargins() : guessedTitledFrame;
}

QRect availableArea(const QWidget* window) {
    const QScreen* screen = window->screen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

bool placedByTheUser(const QWidget* window) {
    return window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized);
}

QMargins placeNow(QWidget* window, QSize wanted) {
    bool known = false;
    const QMargins frame = frameOf(window, &known);
    if (QLayout* layout = window->layout())
        layout->activate();
    const QRect client = ScreenPlacement::fit(wanted, window->minimumSize(), frame, availableArea(window));
    window->resize(client.size());
    // A window's position is that of its frame.
    window->move(client.topLeft() - QPoint(frame.left(), frame.top()));
    return known ? frame : QMargins();
}

// Places its window at the first showing, and again as soon as the real frame is known.
class Placer : public QObject {
public:
    explicit Placer(QWidget* window) : QObject(window), m_window(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_window || m_settled)
            return false;
        switch (event->type()) {
        case QEvent::Show:
            if (!m_shown) {
                m_shown = true;
                m_wanted = m_window->size();
                place();
            }
            break;
        case QEvent::Move:
        case QEvent::Resize:
            if (m_shown && !m_placing)
                place();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void place() {
        if (placedByTheUser(m_window)) {
            m_settled = true;
            return;
        }
        bool known = false;
        const QMargins frame = frameOf(m_window, &known);
        if (m_placed && frame == m_frame) {
            m_settled = known;
            return;
        }
        m_placing = true;
        placeNow(m_window, m_wanted);
        m_placing = false;
        m_placed = true;
        m_frame = frame;
        m_settled = known;
    }

    QWidget* m_window;
    QSize m_wanted;
    QMargins m_frame;
    bool m_shown = false;
    bool m_placed = false;
    bool m_placing = false;
    bool m_settled = false;
};

} // namespace

QRect ScreenPlacement::fit(QSize wanted, QSize minimum, QMargins frame, QRect available) {
    const QSize frameExtra(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QSize size = wanted.boundedTo(available.size() - frameExtra).expandedTo(minimum);
    const QSize outer = size + frameExtra;
    const int left = available.left() + std::max(0, (available.width() - outer.width()) / 2);
    const int top = available.top() + std::max(0, (available.height() - outer.height()) / 2);
    return QRect(QPoint(left + frame.left(), top + frame.top()), size);
}

void ScreenPlacement::keepOnScreen(QWidget* window) {
    new Placer(window);
}

void ScreenPlacement::place(QWidget* window, QSize wanted) {
    if (!placedByTheUser(window))
        placeNow(window, wanted);
}

} // namespace platform
