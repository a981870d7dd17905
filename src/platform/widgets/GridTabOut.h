#pragma once

#include <QObject>

class QAbstractItemView;
class QWidget;

namespace platform {

// Tab in a grid cell being edited takes the cell as leaving it does and goes on to the control
// after the grid (Shift+Tab: before it), as Tab does from the grid itself; the view's own
// handling would go from cell to cell and never leave the grid.
class GridTabOut : public QObject {
    Q_OBJECT
public:
    explicit GridTabOut(QAbstractItemView* grid);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractItemView* m_grid;
    QWidget* m_viewport;
};

} // namespace platform
