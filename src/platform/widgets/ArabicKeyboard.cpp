#include "platform/widgets/ArabicKeyboard.h"

#include "platform/ArabicFirstKeyMap.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include <utility>

namespace platform {

namespace {

constexpr char MappedProperty[] = "arabicKeyboard";

bool isArabic(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x0600 && u <= 0x06FF) || (u >= 0xFB50 && u <= 0xFDFF) || (u >= 0xFE70 && u <= 0xFEFF);
}

} // namespace

ArabicKeyboard::ArabicKeyboard(QObject* parent) : QObject(parent) {}

ArabicKeyboard& ArabicKeyboard::instance() {
    static QPointer<ArabicKeyboard> keyboard;
    if (!keyboard) {
        keyboard = new ArabicKeyboard(qApp);
        qApp->installEventFilter(keyboard);
    }
    return *keyboard;
}

bool ArabicKeyboard::isOn() {
    return instance().m_on;
}

void ArabicKeyboard::setOn(bool on) {
    ArabicKeyboard& keyboard = instance();
    keyboard.m_on = on;
    // Installing again puts this filter first, before the filters of windows opened since: they
    // then see the keys as the user meant them.
    if (on)
        qApp->installEventFilter(&keyboard);
}

void ArabicKeyboard::setMapped(QWidget* widget, bool mapped) {
    instance();
    widget->setProperty(MappedProperty, mapped);
}

bool ArabicKeyboard::isMapped(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant mapped = w->property(MappedProperty);
        if (mapped.isValid())
            return mapped.toBool();
    }
    return false;
}

bool ArabicKeyboard::eventFilter(QObject* watched, QEvent* event) {
    if (event == m_delivering || event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const QString typed = key->text();
    if (typed.isEmpty() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;

    QString delivered = ArabicFirstKeyMap::splitLamAlef(typed);
    if (isArabic(typed.front()))
        m_on = false;
    else if (m_on && typed.size() == 1 && isMapped(static_cast<QWidget*>(watched)))
        delivered = ArabicFirstKeyMap::layoutText(typed.front(), key->modifiers() & Qt::ShiftModifier)
                        .value_or(typed);
    if (delivered == typed)
        return false;

    QKeyEvent translated(QEvent::KeyPress, key->key(), key->modifiers(), key->nativeScanCode(),
                         key->nativeVirtualKey(), key->nativeModifiers(), delivered, key->isAutoRepeat(),
                         key->count());
    const QEvent* outer = std::exchange(m_delivering, &translated);
    QCoreApplication::sendEvent(watched, &translated);
    m_delivering = outer;
    // The translated key has gone all the way; the typed one goes no further.
    key->accept();
    return true;
}

} // namespace platform
