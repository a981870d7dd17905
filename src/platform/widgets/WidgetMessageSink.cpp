#include "platform/widgets/WidgetMessageSink.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

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

} // namespace

void WidgetMessageSink::show(const QString& text, MessageIcon icon) {
    QMessageBox box(toIcon(icon), QString(), text, QMessageBox::NoButton, parentWindow());
    box.setLayoutDirection(Qt::RightToLeft);
    box.addButton(QStringLiteral("موافق"), QMessageBox::AcceptRole);
    box.exec();
}

bool WidgetMessageSink::askYesNo(const QString& text) {
    QMessageBox box(QMessageBox::Question, QString(), text, QMessageBox::NoButton, parentWindow());
    box.setLayoutDirection(Qt::RightToLeft);
    QPushButton* yes = box.addButton(QStringLiteral("نعم"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("لا"), QMessageBox::NoRole);
    box.exec();
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
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

void WidgetMessageSink::install() {
    MessageService::setSink(std::make_shared<WidgetMessageSink>());
}

} // namespace platform
