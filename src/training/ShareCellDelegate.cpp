#include "training/ShareCellDelegate.h"

#include "platform/MessageService.h"
#include "training/AnswerSums.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QTimer>

namespace training {

ShareCellDelegate::ShareCellDelegate(int shareColumn, QAbstractItemView* view)
    : entry::GridCellDelegate(-1, view), m_shareColumn(shareColumn), m_view(view) {}

void ShareCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (index.column() != m_shareColumn || !line) {
        entry::GridCellDelegate::setModelData(editor, model, index);
        return;
    }
    if (!line->isModified())
        return;
    qint64 share = 0;
    if (!AnswerSums::parseShare(line->text(), share)) {
        platform::MessageService::show(AnswerSums::refusedShare(), platform::MessageIcon::Critical);
        emit const_cast<ShareCellDelegate*>(this)->refused();
        // Back to the cell once the editor that is closing has gone.
        const QPersistentModelIndex cell(index);
        QPointer<QAbstractItemView> view = m_view;
        QTimer::singleShot(0, view, [view, cell] {
            if (view && cell.isValid()) {
                view->setCurrentIndex(cell);
                view->setFocus();
                view->edit(cell);
            }
        });
        return;
    }
    model->setData(index, share, Qt::EditRole);
}

} // namespace training
