#include "platform/widgets/ScreenPlacement.h"

#include <QEvent>
#include <QLayout>
#include <QScreen>
#include <QTimer>
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

// The frame the window manager gave the window; none while it has not framed it yet.
QMargins realFrame(const QWidget* window) {
    const QWindow* handle = window->windowHandle();
    const QMargins margins = handle ? handle->frameMargins() : QMargins();
    if (!margins.isNull() && !asksForNoFrame(window))
        guessedTitledFrame = margins;
    return margins;
}

// The frame the window has, or the one it will most likely get.
QMargins expectedFrame(const QWidget* window) {
    const QMargins real = realFrame(window);
    if (!real.isNull())
        return real;
    return asksForNoFrame(window) ? QMargins() : guessedTitledFrame;
}

QRect availableArea(const QWidget* window) {
    const QScreen* screen = window->screen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

bool placedByTheUser(const QWidget* window) {
    return window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized);
}

void placeNow(QWidget* window, QSize wanted) {
    const QMargins frame = expectedFrame(window);
    if (QLayout* layout = window->layout())
        layout->activate();
    const QRect client = ScreenPlacement::fit(wanted, window->minimumSize(), frame, availableArea(window));
    // By its client area: a move() would take the frame's corner for the client's while the
    // window manager has not told the frame yet, and the title bar would end above the screen.
    window->setGeometry(client);
}

// Places its window at the first showing, and again once the window manager has framed it: the
// frame becomes known a moment after the window is on the screen, and no event tells when.
class Placer : public QObject {
public:
    explicit Placer(QWidget* window) : QObject(window), m_window(window) {
        window->installEventFilter(this);
        m_frameCheck.setInterval(FrameCheckInterval);
        connect(&m_frameCheck, &QTimer::timeout, this, [this] {
            if (++m_checks >= FrameChecks)
                m_frameCheck.stop();
            placeAgainOnceFramed();
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window && event->type() == QEvent::Show && !m_shown) {
            m_shown = true;
            m_wanted = m_window->size();
            m_frame = expectedFrame(m_window);
            if (!placedByTheUser(m_window))
                placeNow(m_window, m_wanted);
            if (realFrame(m_window).isNull())
                m_frameCheck.start();
        }
        return false;
    }

private:
    static constexpr int FrameCheckInterval = 50; // milliseconds
    static constexpr int FrameChecks = 40;

    void placeAgainOnceFramed() {
        const QMargins frame = realFrame(m_window);
        if (frame.isNull())
            return;
        m_frameCheck.stop();
        if (frame != m_frame && !placedByTheUser(m_window))
            placeNow(m_window, m_wanted);
    }

    QWidget* m_window;
    QSize m_wanted;
    QMargins m_frame;
    QTimer m_frameCheck;
    int m_checks = 0;
    bool m_shown = false;
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
