#include "succession/DeceasedNameBox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>

namespace succession {

DeceasedNameBox::DeceasedNameBox(QLineEdit* box, std::function<void(const QString&)> entered)
    : QObject(box), m_box(box), m_entered(std::move(entered)) {
    box->installEventFilter(this);
    setTypeable(false);
}

void DeceasedNameBox::setTypeable(bool typeable) {
    m_typeable = typeable;
    m_box->setReadOnly(!typeable);
    // Shown, not typed into: Tab passes it by.
    m_box->setFocusPolicy(typeable ? Qt::StrongFocus : Qt::NoFocus);
    QPalette palette = m_box->palette();
    const QPalette standard = m_box->style()->standardPalette();
    palette.setColor(QPalette::Base, standard.color(typeable ? QPalette::Base : QPalette::Window));
    m_box->setPalette(palette);
}

bool DeceasedNameBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_box || event->type() != QEvent::KeyPress || !m_typeable)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    m_entered(m_box->text());
    return true;
}

} // namespace succession
