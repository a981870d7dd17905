#pragma once

#include <QApplication>
#include <QPointer>

#include <functional>

namespace platform {

// The program's application object. Every command of the user's reaches the program through
// notify(): a click, a key other than typing (Enter, Tab, the arrows, Delete, an access key), a
// shortcut, a pick from a list, a window closed. Each runs under one rule (setCommandRule), so no
// command of any screen can be missed by it. The rule may refuse a command: it is then not
// delivered at all, nor the release of the key or button that gave it, and what was typed stays
// where it was.
class Application : public QApplication {
public:
    // Runs `command` or refuses it; `action` names it for a message and is asked only then. The
    // command answers whether its work goes on after it: it closed the screen the program was
    // waiting on (the run of a case hands it to the calculation), or a message within a command.
    using CommandRule =
        std::function<bool(const std::function<QString()>& action, const std::function<bool()>& command)>;

    Application(int& argc, char** argv);

    static void setCommandRule(CommandRule rule);

    bool notify(QObject* receiver, QEvent* event) override;

    // Whether the event gives a command rather than typing or the program's own traffic.
    static bool isCommand(QObject* receiver, const QEvent* event);
    // The command as a message names it: "تنفيذ «خزن»" for a button, "تنفيذ الأمر في «اسم الوارث»"
    // for a field or a grid's column.
    static QString commandName(QObject* receiver, const QEvent* event);

private:
    // Whether the event only finishes an input whose start was refused: the release of its
    // button or key, the repeats of its key.
    bool finishesRefused(const QEvent* event);
    void noteRefused(const QEvent* event);

    bool m_mouseRefused = false;
    int m_keyRefused = 0;
};

} // namespace platform
