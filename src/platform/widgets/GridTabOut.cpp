#include "platform/widgets/GridTabOut.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QChildEvent>
#include <QKeyEvent>

namespace platform {

GridTabOut::GridTabOut(QAbstractItemView* grid) : QObject(grid), m_grid(grid), m_viewport(grid->viewport()) {
    m_viewport->installEventFilter(this);
}

bool GridTabOut::eventFilter(QObject* watched, QEvent* event) {
    // Kept from the start: the viewport still has events while the grid is being destroyed.
    if (watched == m_viewport) {
        // A cell's editor is made in the viewport when editing begins.
        if (event->type() == QEvent::ChildAdded)
            static_cast<QChildEvent*>(event)->child()->installEventFilter(this);
        return false;
    }
    if (event->type() == QEvent::FocusIn) {
        // The delegate's own filter, which takes Tab to the next cell, was installed after this
        // one; installed again, this one sees the keys first.
        watched->installEventFilter(this);
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    if (watched != QApplication::focusWidget())
        return false;
    // The editor loses the focus to the grid, which takes or refuses its text; the grid, which
    // does not move between cells on Tab, then hands the key on to the next control.
    m_grid->setFocus(Qt::TabFocusReason);
    QKeyEvent tab(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
    QApplication::sendEvent(m_grid, &tab);
    return true;
}

} // namespace platform
