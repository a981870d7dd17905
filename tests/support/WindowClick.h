#pragma once

#include <QPushButton>
#include <QTest>
#include <QWidget>

namespace testsupport {

// A click as the desktop delivers it: to the window under the pointer, at the widget's place in
// it, `gap` milliseconds after the click before (by the clock the events carry).
inline void clickThroughWindow(QWidget* widget, int gap) {
    QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval - gap;
    QTest::mouseClick(widget->window()->windowHandle(), Qt::LeftButton, {},
                      widget->mapTo(widget->window(), widget->rect().center()));
}

} // namespace testsupport
