#pragma once

#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <QWindow>

#include <vector>

namespace platform {

// Holds back the second click of a double-click whose first click brought up another window. A
// command that opens the next screen (a new case, the next stage) does so on the first click; the
// second would otherwise land on whatever control of the new screen stands under the pointer. A
// press counts as such a second click when it reaches a window shown since the last press, that
// last press went to another window, and it follows within the desktop's double-click interval.
// Its release goes with it. A key press counts the same way, whether the press before it was a
// key or a click, so Enter or Space struck twice on a focused button does not press the new
// screen's focused control; a key held down through the change does not repeat into the new
// screen. Menus and tooltips are never held back: they open under a press by design.
class ScreenChangeGuard : public QObject {
    Q_OBJECT
public:
    // Watches every window of the application; once is enough, a second call does nothing.
    static void install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ScreenChangeGuard(QObject* parent);
    bool shownSinceLastPress(const QWindow* window) const;
    bool isSecondPress(const QWindow* window, quint64 time) const;
    void notePress(QWindow* window, quint64 time);
    bool holdsBackKey(QWindow* window, const QKeyEvent* key);

    bool m_pressed = false;
    QPointer<QWindow> m_lastPressWindow;
    quint64 m_lastPressTime = 0;
    std::vector<QPointer<QWindow>> m_shownSincePress;
    QPointer<QWindow> m_heldBack; // the window whose press was held back, until its release
    int m_lastKey = 0;            // the last key pressed afresh, not repeated, and its window
    QPointer<QWindow> m_lastKeyWindow;
    bool m_keyHeldBack = false;
};

} // namespace platform
