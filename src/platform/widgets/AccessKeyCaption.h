#pragma once

#include <QChar>
#include <QString>

class QAbstractButton;
class QShortcut;

namespace platform {

// A caption's access key without the underline. Qt draws the "&"-marked letter as a separate
// run, which breaks the joining of an Arabic word ("ال&قائمة" shows its qaf cut off from the
// rest). The caption is therefore drawn whole, without the mark, and the button gets the same
// Alt shortcut the mark gave it, which answers on the same key under a Latin layout too
// (AccessKeys).
//
// Every captioned button whose caption marks an access key sets it through `apply`:
//     platform::AccessKeyCaption::apply(button, QStringLiteral("ال&قائمة الرئيسية"));
class AccessKeyCaption {
public:
    // Sets the caption without its mark and gives the button Alt + the marked letter (active while
    // its window is, and only while the button is shown and enabled), which presses it as a click
    // does, the focus moving to it. A caption without a mark is set as it is. Two buttons of one
    // window with the same letter take turns at the focus, as marked captions do. Returns the
    // shortcut, or nullptr when the caption marks no letter.
    static QShortcut* apply(QAbstractButton* button, const QString& caption);

    // The caption as drawn: the mark removed, "&&" kept as one "&".
    static QString plainText(const QString& caption);
    // The marked letter, or a null QChar.
    static QChar accessKey(const QString& caption);

    // The object name of a button's shortcut: the button's own name followed by this.
    static constexpr const char* ShortcutSuffix = "_accessKey";
};

} // namespace platform
