#include "succession/ChainCellKeys.h"

#include "succession/TypedKey.h"

#include <QKeyEvent>
#include <QTableView>

namespace succession {

ChainCellKeys::ChainCellKeys(QTableView* grid, std::function<bool(int, const QString&)> typed)
    : QObject(grid), m_grid(grid), m_typed(std::move(typed)) {
    grid->installEventFilter(this);
}

bool ChainCellKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_grid || event->type() != QEvent::KeyPress)
        return false;
    // Keys that the open editor of a cell leaves reach the grid too; they are the editor's.
    if (!m_grid->hasFocus())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!TypedKey::printable(key->text()) ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid())
        return false;
    return m_typed(current.column(), key->text());
}

} // namespace succession
