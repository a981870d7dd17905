#include "platform/widgets/FocusReturn.h"

#include <QAbstractItemView>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace platform {

void FocusReturn::to(QWidget* field) {
    if (!field)
        return;
    QTimer::singleShot(0, field, [field] {
        if (field->isVisible() && field->isEnabled())
            field->setFocus(Qt::OtherFocusReason);
    });
}

void FocusReturn::toCell(QAbstractItemView* grid, int row, int column) {
    if (!grid)
        return;
    QTimer::singleShot(0, grid, [grid, row, column] {
        if (!grid->isVisible() || !grid->model())
            return;
        grid->setFocus(Qt::OtherFocusReason);
        const QModelIndex cell = grid->model()->index(row, column);
        if (cell.isValid())
            grid->setCurrentIndex(cell);
    });
}

} // namespace platform
