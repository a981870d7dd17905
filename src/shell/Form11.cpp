#include "shell/Form11.h"

#include "platform/AppPaths.h"
#include "platform/widgets/ScreenPlacement.h"

#include <QFile>
#include <QResizeEvent>
#include <QTextBrowser>

namespace shell {

namespace {
const char* const topics[] = {"RichTextBox_helper", "RichTextBox_iat", "RichTextBox_ijtyhadat"};

// Every topic covers the client area, as the topics lie on top of each other.
class TopicLayout : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            auto* window = static_cast<QWidget*>(watched);
            for (auto* child : window->findChildren<QTextBrowser*>(QString(), Qt::FindDirectChildrenOnly))
                child->setGeometry(window->rect());
        }
        return false;
    }
};
} // namespace

QString Form11::topicFile(const QString& topic) {
    return platform::AppPaths::appFile(QStringLiteral("help/") + topic + QStringLiteral(".html"));
}

Form11::Form11(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form11"));
    setAttribute(Qt::WA_DeleteOnClose);
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(QStringLiteral("المساعد"));
    resize(720, 560);
    platform::ScreenPlacement::keepOnScreen(this);
    installEventFilter(new TopicLayout(this));
    for (const char* name : topics) {
        auto* browser = new QTextBrowser(this);
        browser->setObjectName(QLatin1String(name));
        browser->setOpenExternalLinks(false);
        QFile file(topicFile(QLatin1String(name)));
        if (file.open(QIODevice::ReadOnly))
            browser->setHtml(QString::fromUtf8(file.readAll()));
        else
            browser->setPlainText(QStringLiteral("نص المساعدة غير موجود: ") + file.fileName());
        browser->setGeometry(rect());
        browser->hide();
    }
}

QTextBrowser* Form11::topic(const QString& name) const {
    return findChild<QTextBrowser*>(name);
}

void Form11::showTopic(const QString& name) {
    if (QTextBrowser* t = topic(name)) {
        t->setGeometry(rect());
        t->show();
        t->raise();
    }
}

} // namespace shell
