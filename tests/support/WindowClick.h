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

// A key as the desktop delivers it: to the window with the focus, `gap` milliseconds after the
// input before by the clock clickThroughWindow keeps.
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

// A key pressed `gap` milliseconds after the input before and let go shortly after.
inline void tapThroughWindow(Qt::Key key, int gap, const QString& text = {}) {
    keyThroughWindow(QEvent::KeyPress, key, gap, text);
    keyThroughWindow(QEvent::KeyRelease, key, 30, text);
}

} // namespace testsupport
