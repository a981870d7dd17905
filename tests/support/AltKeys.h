#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace testsupport {

// Alt and a key as a Latin and as an Arabic keyboard layout report it: the Latin letter's key code
// and text, or the Arabic letter on the same key as code and text.
enum class KeyboardLayout { Latin, Arabic };

inline const KeyboardLayout BothLayouts[] = {KeyboardLayout::Latin, KeyboardLayout::Arabic};

inline const char* nameOf(KeyboardLayout layout) {
    return layout == KeyboardLayout::Latin ? "Latin layout" : "Arabic layout";
}

// Sent where the focus is, or to `window` when nothing has it.
inline void altKey(QWidget* window, KeyboardLayout layout, Qt::Key latin, char16_t arabic) {
    QWidget* to = QApplication::focusWidget() ? QApplication::focusWidget() : window;
    if (layout == KeyboardLayout::Latin)
        QTest::sendKeyEvent(QTest::Click, to, latin, QString(QChar(latin).toLower()), Qt::AltModifier);
    else
        QTest::sendKeyEvent(QTest::Click, to, static_cast<Qt::Key>(arabic), QString(QChar(arabic)),
                            Qt::AltModifier);
}

} // namespace testsupport
