#include "entry/StoredNumberBox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace entry {

bool StoredNumberBox::event(QLineEdit* box, QEvent* event, const std::function<void(int)>& keyUp,
                            const std::function<void(int)>& enter) {
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn) {
        // After the click that gave the focus has placed the cursor.
        QTimer::singleShot(0, box, &QLineEdit::selectAll);
        return false;
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::KeyRelease) {
        if (!key->isAutoRepeat())
            keyUp(key->key());
        return false;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        enter(key->key());
        return true;
    }
    return false;
}

} // namespace entry
