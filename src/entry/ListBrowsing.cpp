#include "entry/ListBrowsing.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

namespace entry {

ListBrowsing::ListBrowsing(QComboBox* list) : QObject(list), m_list(list) {
    list->installEventFilter(this);
}

bool ListBrowsing::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_list || m_list->view()->isVisible())
        return false;
    if (event->type() == QEvent::Wheel) {
        const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (delta != 0)
            step(delta > 0 ? -1 : 1);
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    // With Alt or Ctrl the keys are the box's: Alt+Down opens the list.
    if (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier))
        return false;
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        step(-1);
        return true;
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        step(1);
        return true;
    default:
        return false;
    }
}

void ListBrowsing::step(int by) {
    if (m_list->count() == 0)
        return;
    const int next = qBound(0, m_list->currentIndex() + by, m_list->count() - 1);
    m_list->setCurrentIndex(next);
    // A text typed over the item is replaced by the item stepped to.
    m_list->setEditText(m_list->itemText(next));
    // The item shown stays the one typed over.
    if (m_list->lineEdit())
        m_list->lineEdit()->selectAll();
}

} // namespace entry
