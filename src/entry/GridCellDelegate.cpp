#include "entry/GridCellDelegate.h"

#include "entry/NameText.h"
#include "platform/widgets/FocusReturn.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyle>

namespace entry {

GridCellDelegate::GridCellDelegate(int buttonColumn, QObject* parent)
    : QStyledItemDelegate(parent), m_buttonColumn(buttonColumn) {}

QRect GridCellDelegate::buttonRect(const QStyleOptionViewItem& option) {
    const QRect cell = option.rect;
    const int side = qMin(cell.height(), 18);
    const QRect trailing(cell.right() - side + 1, cell.top() + (cell.height() - side) / 2, side, side);
    return QStyle::visualRect(option.direction, cell, trailing);
}

QWidget* GridCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line || !m_nameColumns.contains(index.column()))
        return editor;
    // A message box may close the editor; the user then comes back to the cell.
    const QPointer<QAbstractItemView> view = qobject_cast<QAbstractItemView*>(parent->parentWidget());
    const QPointer<QLineEdit> open = line;
    const int row = index.row();
    const int column = index.column();
    NameText::guard(line, [view, open, row, column] {
        if (open && open->isVisible())
            platform::FocusReturn::to(open);
        else
            platform::FocusReturn::toCell(view, row, column);
    });
    return editor;
}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    if (index.column() != m_buttonColumn)
        return;
    QStyleOptionButton button;
    button.rect = buttonRect(option);
    button.state = QStyle::State_Enabled | QStyle::State_Raised;
    button.direction = option.direction;
    button.text = QStringLiteral("…");
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_PushButton, &button, painter, widget);
}

void GridCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    if (auto* line = qobject_cast<QLineEdit*>(editor); line && !line->isModified())
        return;
    QStyledItemDelegate::setModelData(editor, model, index);
}

bool GridCellDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                   const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (index.column() == m_buttonColumn && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && buttonRect(option).contains(mouse->position().toPoint())) {
            emit buttonClicked(index);
            return true;
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

} // namespace entry
