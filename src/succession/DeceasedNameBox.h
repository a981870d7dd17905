#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLineEdit;

namespace succession {

// The side box "اسم المتوفي" beside the chain grid. It shows the current deceased; while the chain
// has no deceased yet it is also where the first one is typed, and Enter hands the typed name on.
// Otherwise it takes no typing and looks it, so that it does not invite any.
class DeceasedNameBox : public QObject {
    Q_OBJECT
public:
    DeceasedNameBox(QLineEdit* box, std::function<void(const QString&)> entered);

    void setTypeable(bool typeable);
    bool typeable() const { return m_typeable; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_box;
    std::function<void(const QString&)> m_entered;
    bool m_typeable = false;
};

} // namespace succession
