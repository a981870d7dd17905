#pragma once

#include <QChar>
#include <QObject>

class QKeyEvent;
class QWidget;

namespace platform {

// Alt and a key reach the same command whichever keyboard layout the system has. An Arabic access
// letter and the Latin letter on its key (the standard Arabic layout: ت and J, ج and [) are one
// key, whether the key reports the Arabic letter, the Latin one or both. On that key a button on
// screen whose caption marks the letter answers first; the window's other Alt shortcuts on the
// key (the hidden Latin twins of the commands) answer when no such button is shown. Several
// answers on one key share it as duplicate access keys do: the focus takes turns among them.
class AccessKeys : public QObject {
    Q_OBJECT
public:
    // Once for the application; AccessKeyCaption does it with the first caption.
    static void install();

    // The key of an Alt+key event as a Latin layout names it unshifted ("j" for J and for ت), or a
    // null character when the event is no Alt and a key of the Arabic layout.
    static QChar keyOf(const QKeyEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit AccessKeys(QObject* parent);
    // The shortcuts and actions of `window` that answer `key` now, the captions' alone if any.
    static QList<QObject*> answering(QWidget* window, QChar key);
    void activate(const QList<QObject*>& answers);

    int m_turn = 0; // the next of several answers on one key
};

} // namespace platform
