#pragma once

#include <QStyledItemDelegate>

namespace entry {

// The cells of the entry grids: a value is handed to the model only when the user changed it
// (opening and leaving a cell is no edit), the cells of one column may carry a small button, and
// the name columns hold their editors to the rule of names.
class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // -1: no column has a button.
    explicit GridCellDelegate(int buttonColumn = -1, QObject* parent = nullptr);

    void setNameColumns(QList<int> columns) { m_nameColumns = std::move(columns); }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

    // Where the button of a cell is drawn: at the cell's trailing edge.
    static QRect buttonRect(const QStyleOptionViewItem& option);

signals:
    void buttonClicked(const QModelIndex& index);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    // Pixels between a button cell's leading edge and its text.
    static constexpr int TextMargin = 4;

    int m_buttonColumn;
    QList<int> m_nameColumns;
};

} // namespace entry
