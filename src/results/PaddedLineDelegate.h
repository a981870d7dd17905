#pragma once

#include <QStyledItemDelegate>

namespace results {

// The report's lines are centred and aligned with blanks for the printed page. In a grid column
// too narrow for a line at a large font, its blanks give way before its words: the trailing ones
// first, then as many leading ones as it takes; only words that do not fit even so are elided.
class PaddedLineDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace results
