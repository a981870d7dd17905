#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QTableView;

namespace entry {

class BoundTableModel;

// The keys of the heirs grid's relation column, whichever language is chosen: a character typed
// into an empty relation cell opens the relation list holding it, and Delete empties the relation
// cell.
class RelationCellKeys : public QObject {
    Q_OBJECT
public:
    RelationCellKeys(QTableView* grid, BoundTableModel* heirs, std::function<void(const QString&)> openList);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* m_grid;
    BoundTableModel* m_heirs;
    std::function<void(const QString&)> m_openList;
};

} // namespace entry
