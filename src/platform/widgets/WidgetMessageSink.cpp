#include "platform/widgets/WidgetMessageSink.h"

#include <QApplication>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSpacerItem>

#include <memory>

namespace platform {

namespace {

QMessageBox::Icon toIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QWidget* parentWindow() {
    return QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                             : QApplication::activeWindow();
}

// Runs a box and gives the focus back to the field the user was in.
int runBox(QDialog& box) {
    const QPointer<QWidget> field = QApplication::focusWidget();
    const QPointer<QWidget> window = field ? field->window() : box.parentWidget();
    const int result = box.exec();
    // The window the box stood over is made active again: without a window manager nothing else
    // does, and the keys typed next would reach no field.
    if (window && window->isVisible() && !window->isActiveWindow())
        window->activateWindow();
    if (field && field->isVisible() && field->isEnabled())
        field->setFocus(Qt::OtherFocusReason);
    return result;
}

} // namespace

int WidgetMessageSink::titleWidth(const QWidget& box) {
    const QString title =
        box.windowTitle().isEmpty() ? QGuiApplication::applicationDisplayName() : box.windowTitle();
    QFont font = box.font();
    font.setBold(true);
    // Room for the frame's icon and close button on either side of the title.
    constexpr int FrameControls = 110;
    return QFontMetrics(font).horizontalAdvance(title) + FrameControls;
}

void WidgetMessageSink::fitTitle(QMessageBox& box) {
    // A short message makes a box narrower than its title bar needs; the window system then cuts
    // the title. The box's own layout is widened, since it sets its size itself when shown.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(titleWidth(box), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

void WidgetMessageSink::show(const QString& text, MessageIcon icon) {
    QMessageBox box(toIcon(icon), QString(), text, QMessageBox::NoButton, parentWindow());
    box.setLayoutDirection(Qt::RightToLeft);
    box.addButton(QStringLiteral("موافق"), QMessageBox::AcceptRole);
    fitTitle(box);
    runBox(box);
}

bool WidgetMessageSink::askYesNo(const QString& text) {
    QMessageBox box(QMessageBox::Question, QString(), text, QMessageBox::NoButton, parentWindow());
    box.setLayoutDirection(Qt::RightToLeft);
    QPushButton* yes = box.addButton(QStringLiteral("نعم"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("لا"), QMessageBox::NoRole);
    fitTitle(box);
    runBox(box);
    return box.clickedButton() == yes;
}

QString WidgetMessageSink::input(const QString& prompt, const QString& initial) {
    QInputDialog dialog(parentWindow());
    dialog.setLayoutDirection(Qt::RightToLeft);
    dialog.setWindowTitle(QString());
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    dialog.setOkButtonText(QStringLiteral("موافق"));
    dialog.setCancelButtonText(QStringLiteral("الغاء"));
    dialog.setMinimumWidth(titleWidth(dialog));
    return runBox(dialog) == QDialog::Accepted ? dialog.textValue() : QString();
}

void WidgetMessageSink::install() {
    MessageService::setSink(std::make_shared<WidgetMessageSink>());
}

} // namespace platform
