#pragma once

#include <QString>

#include <deque>
#include <memory>

namespace platform {

enum class MessageIcon { None, Information, Warning, Critical, Question };

// Message boxes (without titles), yes/no questions and the input box go through here, so the
// engine can ask without widgets and tests can answer without blocking.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void show(const QString& text, MessageIcon icon) = 0;
    virtual bool askYesNo(const QString& text) = 0;
    virtual QString input(const QString& prompt, const QString& initial) = 0;
};

class MessageService {
public:
    static void show(const QString& text, MessageIcon icon = MessageIcon::None);
    static bool askYesNo(const QString& text);
    static QString input(const QString& prompt, const QString& initial = {});

    // The GUI installs its message boxes; without one, messages go to standard error.
    static void setSink(std::shared_ptr<MessageSink> sink);
    static MessageSink& sink();

    // Test hooks: answers given in advance are used before the sink is asked.
    static void setNextAnswer(bool yes);
    static void setNextInput(const QString& text);
    static void clearAnswers();
};

} // namespace platform
