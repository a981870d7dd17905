#include "platform/MessageService.h"

#include <cstdio>

namespace platform {

namespace {

class StderrSink : public MessageSink {
public:
    void show(const QString& text, MessageIcon) override {
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    }
    bool askYesNo(const QString& text) override {
        show(text, MessageIcon::Question);
        return false;
    }
    QString input(const QString& prompt, const QString& initial) override {
        show(prompt, MessageIcon::Question);
        return initial;
    }
};

struct State {
    std::shared_ptr<MessageSink> sink = std::make_shared<StderrSink>();
    std::deque<bool> answers;
    std::deque<QString> inputs;
};

State& state() {
    static State s;
    return s;
}

} // namespace

void MessageService::show(const QString& text, MessageIcon icon) {
    state().sink->show(text, icon);
}

bool MessageService::askYesNo(const QString& text) {
    auto& s = state();
    if (!s.answers.empty()) {
        bool answer = s.answers.front();
        s.answers.pop_front();
        return answer;
    }
    return s.sink->askYesNo(text);
}

QString MessageService::input(const QString& prompt, const QString& initial) {
    auto& s = state();
    if (!s.inputs.empty()) {
        QString answer = s.inputs.front();
        s.inputs.pop_front();
        return answer;
    }
    return s.sink->input(prompt, initial);
}

void MessageService::setSink(std::shared_ptr<MessageSink> sink) {
    state().sink = sink ? std::move(sink) : std::make_shared<StderrSink>();
}

MessageSink& MessageService::sink() {
    return *state().sink;
}

void MessageService::setNextAnswer(bool yes) {
    state().answers.push_back(yes);
}

void MessageService::setNextInput(const QString& text) {
    state().inputs.push_back(text);
}

void MessageService::clearAnswers() {
    state().answers.clear();
    state().inputs.clear();
}

} // namespace platform
