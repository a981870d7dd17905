#include "platform/widgets/CommandOnlyDialog.h"

#include "platform/widgets/ScreenPlacement.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace platform {

CommandOnlyDialog::CommandOnlyDialog(QWidget* parent) : QDialog(parent) {
    ScreenPlacement::keepOnScreen(this);
}

void CommandOnlyDialog::reject() {}

void CommandOnlyDialog::closeEvent(QCloseEvent* event) {
    if (!m_leaving)
        event->ignore();
}

void CommandOnlyDialog::keyPressEvent(QKeyEvent* event) {
    // Esc is the dialogue's own key-up handling, never a way out.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        if (auto* b = qobject_cast<QPushButton*>(focusWidget()); b && b->isEnabled())
            b->click();
        return;
    }
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void CommandOnlyDialog::leaveDialogue() {
    m_leaving = true;
    accept();
}

} // namespace platform
