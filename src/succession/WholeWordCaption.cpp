#include "succession/WholeWordCaption.h"

#include <QAbstractButton>
#include <QAction>
#include <QWidget>

namespace succession::WholeWordCaption {

QString plain(const QString& caption) {
    QString text = caption;
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text;
}

void apply(QAbstractButton* button, const QString& caption, QWidget* window) {
    button->setText(plain(caption));
    button->setProperty("caption", caption);
    const int marker = caption.indexOf(QLatin1Char('&'));
    if (marker < 0 || marker + 1 >= caption.size() || caption.at(marker + 1) == QLatin1Char('&'))
        return;
    auto* action = new QAction(window);
    action->setObjectName(button->objectName() + QStringLiteral("_key"));
    action->setShortcut(QKeySequence(QStringLiteral("Alt+") + caption.at(marker + 1)));
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action);
    QObject::connect(action, &QAction::triggered, button, [button] {
        if (button->isEnabled() && button->isVisible())
            button->click();
    });
}

} // namespace succession::WholeWordCaption
