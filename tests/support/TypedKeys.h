#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QString>
#include <QTest>

namespace testsupport {

// The key code a keyboard sends with a character: Latin keys by their key, Arabic ones unknown.
inline Qt::Key keyCodeOf(QChar c) {
    switch (c.unicode()) {
    case u'\b':
        return Qt::Key_Backspace;
    case u'\r':
        return Qt::Key_Return;
    case u'\t':
        return Qt::Key_Tab;
    case 0x1b:
        return Qt::Key_Escape;
    default:
        return c.unicode() < 0x80 ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
    }
}

// Presses and releases each character's key where the focus is at that moment, as the system
// delivers keys: a press that moves the focus sends its release to the new focus.
inline void typeKeys(const QString& keys) {
    for (const QChar c : keys) {
        const Qt::Key code = keyCodeOf(c);
        QTest::sendKeyEvent(QTest::Press, QApplication::focusWidget(), code, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, QApplication::focusWidget(), code, QString(c), Qt::NoModifier);
    }
}

inline void pressKey(Qt::Key code, const QString& text = {}) {
    QTest::sendKeyEvent(QTest::Press, QApplication::focusWidget(), code, text, Qt::NoModifier);
}

inline void releaseKey(Qt::Key code, const QString& text = {}) {
    QTest::sendKeyEvent(QTest::Release, QApplication::focusWidget(), code, text, Qt::NoModifier);
}

// Closes a grid cell that is still being edited, unsaved: a dialogue being destroyed cannot run
// the checks of a taken cell.
inline void discardOpenCellEditor() {
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QWidget* viewport = editor ? editor->parentWidget() : nullptr;
    if (viewport && qobject_cast<QAbstractItemView*>(viewport->parentWidget()))
        QTest::keyClick(editor, Qt::Key_Escape);
}

} // namespace testsupport
