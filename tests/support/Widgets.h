#pragma once

#include <QObject>
#include <QString>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace testsupport {

// A control of a screen, found by its objectName; a missing one fails the test that asked.
template <typename T> T* namedChild(const QObject* parent, const char* name) {
    T* w = parent->findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// Shows a window and waits until it is the active one, as a window the user opened is.
inline void showActive(QWidget* window) {
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
}

template <typename T, typename W> T* namedChild(const std::unique_ptr<W>& parent, const char* name) {
    return namedChild<T>(parent.get(), name);
}
template <typename W> void showActive(const std::unique_ptr<W>& window) {
    showActive(window.get());
}

} // namespace testsupport
