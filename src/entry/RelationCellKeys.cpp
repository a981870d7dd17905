#include "entry/RelationCellKeys.h"

#include "entry/BoundTableModel.h"

#include <QKeyEvent>
#include <QTableView>

namespace entry {

namespace {

constexpr int RelationColumn = 0;

} // namespace

RelationCellKeys::RelationCellKeys(QTableView* grid, BoundTableModel* heirs,
                                   std::function<void(const QString&)> openList)
    : QObject(grid), m_grid(grid), m_heirs(heirs), m_openList(std::move(openList)) {
    grid->installEventFilter(this);
}

bool RelationCellKeys::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched != m_grid || (type != QEvent::KeyPress && type != QEvent::KeyRelease))
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QModelIndex current = m_grid->currentIndex();
    const bool inRelation = current.isValid() && current.column() == RelationColumn;

    if (type == QEvent::KeyRelease) {
        if (key->key() == Qt::Key_Delete && !key->isAutoRepeat() && inRelation &&
            !m_heirs->isEntryRow(current.row()))
            m_heirs->writeCell(current.row(), RelationColumn, QStringLiteral(""));
        return false;
    }
    // Keys that the open editor of a cell leaves reach the grid too; they are the editor's.
    if (!m_grid->hasFocus())
        return false;
    const QString text = key->text();
    // Control characters (Enter, Backspace, Esc, Tab) open nothing; Latin and Arabic letters do.
    if (text.isEmpty() || !text.front().isPrint() ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    if (!inRelation || !m_heirs->cell(current.row(), RelationColumn).isEmpty())
        return false;
    m_openList(text);
    return true;
}

} // namespace entry
