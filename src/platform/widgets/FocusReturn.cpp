#include "platform/widgets/FocusReturn.h"

#include <QAbstractItemView>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace platform {

namespace {

// A window left inactive by a closed message box takes no keys, whatever its focus widget.
void activate(QWidget* field) {
    QWidget* window = field->window();
    if (window->isVisible() && !window->isActiveWindow())
        window->activateWindow();
}

} // namespace

void FocusReturn::to(QWidget* field) {
    if (!field)
        return;
    QTimer::singleShot(0, field, [field] {
        if (!field->isVisible() || !field->isEnabled())
            return;
        activate(field);
        field->setFocus(Qt::OtherFocusReason);
    });
}

void FocusReturn::toCell(QAbstractItemView* grid, int row, int column) {
    if (!grid)
        return;
    QTimer::singleShot(0, grid, [grid, row, column] {
        if (!grid->isVisible() || !grid->model())
            return;
        activate(grid);
        grid->setFocus(Qt::OtherFocusReason);
        const QModelIndex cell = grid->model()->index(row, column);
        if (cell.isValid())
            grid->setCurrentIndex(cell);
    });
}

} // namespace platform
