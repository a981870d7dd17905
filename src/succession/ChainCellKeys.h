#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QTableView;

namespace succession {

// The chain grid's typed characters, whichever language is chosen: a printable character typed
// while the grid has the focus is handed to `typed` with the current column, which opens that
// column's list holding it and says whether the key was taken. Installed on the grid before the
// first-key conversion is attached, so that the conversion sees each key first.
class ChainCellKeys : public QObject {
    Q_OBJECT
public:
    ChainCellKeys(QTableView* grid, std::function<bool(int column, const QString& text)> typed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* m_grid;
    std::function<bool(int, const QString&)> m_typed;
};

} // namespace succession
