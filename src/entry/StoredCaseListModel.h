#pragma once

#include "data/Database.h"
#include "entry/StoredCaseList.h"

#include <QStandardItemModel>

namespace entry {

// A read-only list of stored cases: column 0 the name, column 1 the number.
class StoredCaseListModel : public QStandardItemModel {
    Q_OBJECT
public:
    StoredCaseListModel(const QString& nameCaption, const QString& numberCaption, QObject* parent = nullptr);

    void requery(const data::Database& db, const StoredCaseList& list);
    // The number on the line, 0 for a line that does not exist.
    qint64 numberAt(int row) const;
};

} // namespace entry
