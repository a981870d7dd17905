#pragma once

class QAbstractItemView;
class QWidget;

namespace platform {

// After a message the focus goes back to the field or cell the user was in. A message box that
// closes, and a cell editor that closes after a refused value, both move the focus once the
// caller has returned, so the focus is given back after the events already queued.
//
//     platform::MessageService::show(text, platform::MessageIcon::Critical);
//     platform::FocusReturn::toCell(grid, row, column);   // or FocusReturn::to(field)
class FocusReturn {
public:
    static void to(QWidget* field);
    // The grid takes the focus with that cell current; a cell outside the grid's rows is left out.
    static void toCell(QAbstractItemView* grid, int row, int column);
};

} // namespace platform
