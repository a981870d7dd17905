#include "entry/GridCellDelegate.h"

#include "entry/NameText.h"
#include "platform/widgets/FocusReturn.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegularExpression>
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

void GridCellDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    // A number reads left to right even in a right-to-left grid, its sign on its left; it still
    // ends on the cell's right, as the grid's words begin there.
    static const QRegularExpression number(QStringLiteral("^\\s*[-+]?\\d+([.,]\\d+)?\\s*$"));
    if (option->direction == Qt::RightToLeft && number.match(option->text).hasMatch()) {
        option->direction = Qt::LeftToRight;
        option->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
    }
}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    if (index.column() != m_buttonColumn) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    // The cell's background runs to its edges; its text keeps a margin from its leading edge,
    // where the row selector's grey would otherwise touch the first letter, and from the button.
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, widget);
    const int side = buttonRect(option).width();
    cell.rect = QStyle::visualRect(option.direction, option.rect,
                                   option.rect.adjusted(TextMargin, 0, -(side + 2), 0));
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

    QStyleOptionButton button;
    button.rect = buttonRect(option);
    button.state = QStyle::State_Enabled | QStyle::State_Raised;
    button.direction = option.direction;
    button.text = QStringLiteral("…");
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
