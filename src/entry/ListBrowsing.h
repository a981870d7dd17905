#pragma once

#include <QObject>

class QComboBox;

namespace entry {

// A pick list's arrows, Page Up and Page Down and the wheel, while its list is closed, move the
// item shown in its box and pick nothing: the box's own handling reports every step as a pick,
// so a user looking through the list would have each item taken on the way. Enter, a click in
// the open list, or whatever the dialogue takes as a pick still picks the item shown.
class ListBrowsing : public QObject {
    Q_OBJECT
public:
    explicit ListBrowsing(QComboBox* list);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void step(int by);

    QComboBox* m_list;
};

} // namespace entry
