#pragma once

#include "platform/MessageService.h"

namespace platform {

// Message boxes, questions and the input box as real dialogues: no title of their own,
// right to left, Arabic buttons.
class WidgetMessageSink : public MessageSink {
public:
    void show(const QString& text, MessageIcon icon) override;
    bool askYesNo(const QString& text) override;
    QString input(const QString& prompt, const QString& initial) override;

    // Makes these the program's message boxes.
    static void install();
};

} // namespace platform
