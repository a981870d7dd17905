#pragma once

#include "support/CapturedMessages.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QString>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace testsupport {

// What a paste into an empty name field must leave there.
struct PasteCase {
    const char* what;
    QString pasted;
    QString kept;        // the field's text afterwards
    const char* refusal; // a piece of the message shown; nullptr: no message
};

inline QString repeated(const QString& piece, int times) {
    QString text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

// The texts a name field is tried with: line breaks and tabs, control characters, broken text,
// characters outside the basic plane and the length limit on both sides.
inline std::vector<PasteCase> namePasteCases() {
    const QString emoji = QStringLiteral("\U0001F600");
    return {
        {"a line break becomes a blank", "محمد\nعلي", "محمد علي", nullptr},
        {"CR LF becomes one blank", "محمد\r\nعلي", "محمد علي", nullptr},
        {"a break at either end is dropped", "\nمحمد علي\n", "محمد علي", nullptr},
        {"a tab becomes a blank", "محمد\tعلي", "محمد علي", nullptr},
        {"a NUL is refused", "محمد" + QString(QChar(0)) + "علي", "", "رموز التحكم"},
        {"another control character is refused", "محمد\aعلي", "", "رموز التحكم"},
        {"a lone surrogate is refused", "محمد" + QString(QChar(0xD800)), "", "غير صالح"},
        {"an emoji is a character like any other", emoji + " علي", emoji + " علي", nullptr},
        {"100 characters are taken", repeated("م", 100), repeated("م", 100), nullptr},
        // 200 UTF-16 units, but 100 characters.
        {"100 emoji are 100 characters", repeated(emoji, 100), repeated(emoji, 100), nullptr},
        {"101 characters are refused, not cut", repeated("م", 101), "", "100"},
    };
}

// Ctrl+V where the focus is, with the text on the clipboard; then what the paste queued.
inline void paste(const QString& text) {
    QApplication::clipboard()->setText(text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// Pastes into the focused, empty field: it holds what it must, says what it must, and keeps the
// focus for the user to mend the name.
inline void expectPasted(QLineEdit* field, const PasteCase& c, const CapturedMessages& messages) {
    const qsizetype before = messages.texts().size();
    paste(c.pasted);
    EXPECT_EQ(field->text().toStdString(), c.kept.toStdString());
    if (c.refusal) {
        EXPECT_EQ(messages.texts().size(), before + 1);
        EXPECT_TRUE(messages.last().contains(QString::fromUtf8(c.refusal))) << messages.last().toStdString();
    } else {
        EXPECT_EQ(messages.texts().size(), before) << messages.last().toStdString();
    }
    EXPECT_TRUE(field->hasFocus());
}

} // namespace testsupport
