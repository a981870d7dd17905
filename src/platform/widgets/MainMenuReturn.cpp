#include "platform/widgets/MainMenuReturn.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QWidget>

namespace platform {

namespace {
bool& pending() {
    static bool p = false;
    return p;
}
} // namespace

void MainMenuReturn::request() {
    pending() = true;
    // Only the run's dialogues, which are modal; a window beside the main window stays open. A
    // dialogue that refuses to close (the case screens ignore close requests, as the engine
    // would take an unanswered stage for an answer) still ends its modal run through done().
    QList<QPointer<QDialog>> open;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible() && d->windowModality() != Qt::NonModal)
            open << d;
    for (const QPointer<QDialog>& d : open)
        if (d)
            d->done(QDialog::Rejected);
}

bool MainMenuReturn::requested() {
    return pending();
}

void MainMenuReturn::throwIfRequested() {
    if (!pending())
        return;
    pending() = false;
    throw Unwind{};
}

void MainMenuReturn::clear() {
    pending() = false;
}

} // namespace platform
