#pragma once

#include <QWidget>

class QTextBrowser;

namespace shell {

// The help window: three topics, each covering the whole window and hidden until its menu
// command shows it. A topic once shown stays visible until the window is closed.
class Form11 : public QWidget {
    Q_OBJECT
public:
    explicit Form11(QWidget* parent = nullptr);

    // objectName of the topic: "RichTextBox_helper", "RichTextBox_iat", "RichTextBox_ijtyhadat".
    void showTopic(const QString& topic);
    QTextBrowser* topic(const QString& name) const;

    // The file under the application folder that holds a topic's text.
    static QString topicFile(const QString& topic);
};

} // namespace shell
