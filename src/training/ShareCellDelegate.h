#pragma once

#include "entry/GridCellDelegate.h"

#include <QPointer>

class QAbstractItemView;

namespace training {

// The share cells of the exercise answer grid: a share is a whole number, typed in Western or
// Arabic-Indic digits, and reaches the table as a number; an emptied cell holds 0. Anything else
// is refused with "الحصة غير صحيحة", the table keeps the cell's earlier value and the cell is
// opened again for the learner to correct.
class ShareCellDelegate : public entry::GridCellDelegate {
    Q_OBJECT
public:
    ShareCellDelegate(int shareColumn, QAbstractItemView* view);

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

signals:
    // A typed share was refused; its message has been shown.
    void refused();

private:
    int m_shareColumn;
    QPointer<QAbstractItemView> m_view;
};

} // namespace training
