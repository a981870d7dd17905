#pragma once

#include <functional>

class QEvent;
class QLineEdit;

namespace entry {

// The number box over a list of stored cases: its whole text is selected when it gets the focus, each
// key released in it filters the list (`keyUp`), and Enter loads the case of that number (`enter`).
class StoredNumberBox {
public:
    // An event reaching `box`; true when it was taken and must go no further.
    static bool event(QLineEdit* box, QEvent* event, const std::function<void(int key)>& keyUp,
                      const std::function<void(int key)>& enter);
};

} // namespace entry
