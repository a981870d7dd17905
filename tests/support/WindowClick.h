#pragma once

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace testsupport {

// A click as the desktop delivers it: to the window under the pointer, at the widget's place in
// it, `gap` milliseconds after the click before (by the clock the events carry).
inline void clickThroughWindow(QWidget* widget, int gap) {
    QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval - gap;
    QTest::mouseClick(widget->window()->windowHandle(), Qt::LeftButton, {},
                      widget->mapTo(widget->window(), widget->rect().center()));
}

// A key as the desktop delivers it: to the window with the focus, `gap` milliseconds on by the
// clock clickThroughWindow keeps (which stands a double-click time after the last press).
inline void keyThroughWindow(QEvent::Type type, Qt::Key key, int gap, const QString& text = {},
                             bool autoRepeat = false) {
    QCoreApplication::processEvents(); // the desktop has made the newest screen the active one
    QWindow* window = QGuiApplication::focusWindow();
    if (!window)
        return;
    QTest::lastMouseTimestamp += gap;
    QKeyEvent event(type, key, Qt::NoModifier, text, autoRepeat);
    event.setTimestamp(static_cast<quint64>(QTest::lastMouseTimestamp));
    QCoreApplication::sendEvent(window, &event);
}

// A key pressed `gap` milliseconds after the press before, a click's or a key's, and let go
// shortly after, as clickThroughWindow clicks.
inline void tapThroughWindow(Qt::Key key, int gap, const QString& text = {}) {
    constexpr int held = 30;
    keyThroughWindow(QEvent::KeyPress, key, gap - QTest::mouseDoubleClickInterval, text);
    keyThroughWindow(QEvent::KeyRelease, key, held, text);
    QTest::lastMouseTimestamp += QTest::mouseDoubleClickInterval - held;
}

} // namespace testsupport
