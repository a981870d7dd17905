#pragma once

#include "platform/MessageService.h"

#include <QStringList>

#include <memory>

namespace testsupport {

// Collects every message the program shows while the object lives; answers no to questions.
class CapturedMessages {
public:
    CapturedMessages() : m_sink(std::make_shared<Sink>()) { platform::MessageService::setSink(m_sink); }
    ~CapturedMessages() {
        platform::MessageService::setSink(nullptr);
        platform::MessageService::clearAnswers();
    }
    const QStringList& texts() const { return m_sink->texts; }
    QString last() const { return m_sink->texts.isEmpty() ? QString() : m_sink->texts.back(); }

private:
    struct Sink : platform::MessageSink {
        QStringList texts;
        void show(const QString& text, platform::MessageIcon) override { texts << text; }
        bool askYesNo(const QString& text) override {
            texts << text;
            return false;
        }
        QString input(const QString& prompt, const QString&) override {
            texts << prompt;
            return {};
        }
    };
    std::shared_ptr<Sink> m_sink;
};

} // namespace testsupport
