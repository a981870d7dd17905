#pragma once

#include "platform/MessageService.h"

class QMessageBox;
class QWidget;

namespace platform {

// Message boxes, questions and the input box as real dialogues: no title of their own,
// right to left, Arabic buttons, wide enough to show the program's name in the title bar whole.
// After a box the focus goes back to the field the user was in.
class WidgetMessageSink : public MessageSink {
public:
    void show(const QString& text, MessageIcon icon) override;
    bool askYesNo(const QString& text) override;
    QString input(const QString& prompt, const QString& initial) override;

    // Makes these the program's message boxes.
    static void install();

    // Widens a box so that the window system has room for its whole title.
    static void fitTitle(QMessageBox& box);
    // The width a window needs to show its title (the program's name when it has none).
    static int titleWidth(const QWidget& window);
};

} // namespace platform
