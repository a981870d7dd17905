#include "platform/widgets/WidgetMessageSink.h"

#include "platform/MessageService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A message box is wide enough for the program's name in its title bar, however short its text.
TEST(MessageBoxTitle, AShortMessageStillShowsTheWholeTitle) {
    const QString name = QApplication::applicationDisplayName();
    QApplication::setApplicationDisplayName(QStringLiteral("فرائض - قسمة المواريث"));
    platform::WidgetMessageSink::install();
    int width = 0;
    int needed = 0;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            width = box->width();
            needed = platform::WidgetMessageSink::titleWidth(*box);
            box->buttons().front()->click();
        }
    });
    user.start(5);
    platform::MessageService::show(QStringLiteral("لا"));
    platform::MessageService::setSink(nullptr);
    QApplication::setApplicationDisplayName(name);
    EXPECT_GT(needed,
              QFontMetrics(QApplication::font()).horizontalAdvance(QStringLiteral("فرائض - قسمة المواريث")));
    EXPECT_GE(width, needed);
}

} // namespace
