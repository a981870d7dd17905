#include "entry/StoredCaseListModel.h"

#include <QSqlRecord>

namespace entry {

StoredCaseListModel::StoredCaseListModel(const QString& nameCaption, const QString& numberCaption,
                                         QObject* parent)
    : QStandardItemModel(0, 2, parent) {
    setHorizontalHeaderLabels({nameCaption, numberCaption});
}

void StoredCaseListModel::requery(const data::Database& db, const StoredCaseList& list) {
    removeRows(0, rowCount());
    for (const QSqlRecord& r : db.select(list.sql, list.params)) {
        auto* name = new QStandardItem(r.value(1).toString());
        auto* number = new QStandardItem(r.value(0).toString());
        name->setEditable(false);
        number->setEditable(false);
        appendRow({name, number});
    }
}

qint64 StoredCaseListModel::numberAt(int row) const {
    if (row < 0 || row >= rowCount())
        return 0;
    return item(row, 1)->text().toLongLong();
}

} // namespace entry
