#pragma once

#include "platform/MessageService.h"
#include "platform/widgets/WidgetMessageSink.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace testsupport {

// The program's real message boxes, each answered by a user a moment after it is up: the focus
// moves into the box and back as it does on a desktop. `whileShown` runs while a box is up, to
// look at what stands behind it.
class RealMessageBoxes {
public:
    explicit RealMessageBoxes(std::function<void(QMessageBox&)> whileShown = {})
        : m_whileShown(std::move(whileShown)) {
        platform::WidgetMessageSink::install();
        m_user.setInterval(5);
        QObject::connect(&m_user, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || box->property("answered").toBool())
                return;
            box->setProperty("answered", true);
            m_texts << box->text();
            if (m_whileShown)
                m_whileShown(*box);
            if (!box->buttons().isEmpty())
                box->buttons().front()->click();
            else
                box->accept();
        });
        m_user.start();
    }
    ~RealMessageBoxes() {
        m_user.stop();
        platform::MessageService::setSink(nullptr);
        platform::MessageService::clearAnswers();
    }
    const QStringList& texts() const { return m_texts; }

private:
    std::function<void(QMessageBox&)> m_whileShown;
    QStringList m_texts;
    QTimer m_user;
};

} // namespace testsupport
