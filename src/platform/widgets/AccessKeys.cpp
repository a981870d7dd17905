#include "platform/widgets/AccessKeys.h"

#include "platform/ArabicFirstKeyMap.h"
#include "platform/widgets/AccessKeyCaption.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QShortcut>
#include <QWidget>
#include <QWindow>

namespace platform {

namespace {

QChar keyOfCode(int code) {
    if (code >= 'A' && code <= 'Z')
        return QChar(code).toLower();
    if (code < 0x80)
        return ArabicFirstKeyMap::isTrigger(QChar(code)) ? QChar(code) : QChar();
    if (code <= 0xFFFF)
        return ArabicFirstKeyMap::keyOf(QChar(char16_t(code)));
    return {};
}

QChar keyOfSequences(const QList<QKeySequence>& sequences) {
    for (const QKeySequence& sequence : sequences)
        if (sequence.count() == 1 && sequence[0].keyboardModifiers() == Qt::AltModifier)
            if (const QChar key = keyOfCode(sequence[0].key()); !key.isNull())
                return key;
    return {};
}

// Whether a shortcut of `owner` in this context answers in `window` now, as Qt's own rule has it.
bool answersIn(Qt::ShortcutContext context, const QWidget* owner, const QWidget* window) {
    if (!owner || owner->window() != window || !owner->isVisible() || !owner->isEnabled())
        return false;
    const QWidget* focus = QApplication::focusWidget();
    switch (context) {
    case Qt::WidgetShortcut:
        return focus == owner;
    case Qt::WidgetWithChildrenShortcut:
        return focus && (focus == owner || owner->isAncestorOf(focus));
    default:
        return true;
    }
}

bool isCaptionKey(const QShortcut* shortcut) {
    return qobject_cast<QAbstractButton*>(shortcut->parent()) &&
           shortcut->objectName().endsWith(QLatin1String(AccessKeyCaption::ShortcutSuffix));
}

QWidget* windowOf(QObject* watched) {
    if (watched->isWidgetType())
        return static_cast<QWidget*>(watched)->window();
    if (watched->isWindowType())
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->windowHandle() == watched)
                return w;
    return nullptr;
}

} // namespace

AccessKeys::AccessKeys(QObject* parent) : QObject(parent) {}

void AccessKeys::install() {
    static QPointer<AccessKeys> keys;
    if (!keys) {
        keys = new AccessKeys(qApp);
        qApp->installEventFilter(keys);
    }
}

QChar AccessKeys::keyOf(const QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier);
    if (modifiers != Qt::AltModifier)
        return {};
    const QChar key = keyOfCode(event->key());
    if (!key.isNull() || event->text().size() != 1)
        return key;
    return keyOfCode(event->text().front().unicode());
}

QList<QObject*> AccessKeys::answering(QWidget* window, QChar key) {
    QList<QObject*> captions;
    QList<QObject*> others;
    for (QShortcut* shortcut : window->findChildren<QShortcut*>()) {
        if (!shortcut->isEnabled() || keyOfSequences(shortcut->keys()) != key ||
            !answersIn(shortcut->context(), qobject_cast<QWidget*>(shortcut->parent()), window))
            continue;
        (isCaptionKey(shortcut) ? captions : others) << shortcut;
    }
    QList<QAction*> actions = window->findChildren<QAction*>();
    for (QAction* action : window->actions())
        if (!actions.contains(action))
            actions << action;
    for (QAction* action : actions) {
        if (!action->isEnabled() || !action->isVisible() || keyOfSequences(action->shortcuts()) != key)
            continue;
        const QList<QObject*> owners = action->associatedObjects();
        if (std::any_of(owners.begin(), owners.end(), [&](QObject* owner) {
                return answersIn(action->shortcutContext(), qobject_cast<QWidget*>(owner), window);
            }))
            others << action;
    }
    return captions.isEmpty() ? others : captions;
}

void AccessKeys::activate(const QList<QObject*>& answers) {
    if (answers.size() == 1) {
        m_turn = 0;
        if (auto* shortcut = qobject_cast<QShortcut*>(answers.front()))
            emit shortcut->activated();
        else if (auto* action = qobject_cast<QAction*>(answers.front()))
            action->trigger();
        return;
    }
    m_turn %= answers.size();
    if (auto* shortcut = qobject_cast<QShortcut*>(answers.at(m_turn++)))
        emit shortcut->activatedAmbiguously();
}

bool AccessKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto* press = static_cast<QKeyEvent*>(event);
    const QChar key = keyOf(press);
    QWidget* window = key.isNull() ? nullptr : windowOf(watched);
    if (!window)
        return false;
    const QList<QObject*> answers = answering(window, key);
    if (answers.isEmpty())
        return false;
    // Taken here, the key goes to no shortcut of Qt's own: under a layout that reports both
    // letters those would see two shortcuts on one key and press neither.
    press->accept();
    if (event->type() == QEvent::KeyPress)
        activate(answers);
    return true;
}

} // namespace platform
