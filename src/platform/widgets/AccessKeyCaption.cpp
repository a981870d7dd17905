#include "platform/widgets/AccessKeyCaption.h"

#include "platform/widgets/AccessKeys.h"

#include <QAbstractButton>
#include <QKeySequence>
#include <QShortcut>

namespace platform {

QString AccessKeyCaption::plainText(const QString& caption) {
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&'))
                text += caption[++i];
            continue;
        }
        text += caption[i];
    }
    return text;
}

QChar AccessKeyCaption::accessKey(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        if (caption[i + 1].isSpace())
            return {};
        return caption[i + 1];
    }
    return {};
}

QShortcut* AccessKeyCaption::apply(QAbstractButton* button, const QString& caption) {
    button->setText(plainText(caption));
    AccessKeys::install();
    const QChar key = accessKey(caption);
    if (key.isNull())
        return nullptr;
    // The key a keyboard reports for a letter is its upper case (an Arabic letter is its own).
    const int code = static_cast<int>(key.toUpper().unicode());
    auto* shortcut =
        new QShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(code))), button);
    shortcut->setObjectName(button->objectName() + QLatin1String(ShortcutSuffix));
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
        if (!button->isVisible() || !button->isEnabled())
            return;
        // As a click does, the focus goes to the button first: the box the user leaves runs
        // its leaving step before the command.
        if (button->focusPolicy() & Qt::TabFocus)
            button->setFocus(Qt::ShortcutFocusReason);
        button->click();
    });
    QObject::connect(shortcut, &QShortcut::activatedAmbiguously, button, [button] {
        if (button->isVisible() && button->isEnabled())
            button->setFocus(Qt::ShortcutFocusReason);
    });
    return shortcut;
}

} // namespace platform
