#pragma once

#include <QObject>

class QEvent;
class QWidget;

namespace platform {

// The program's own Arabic keyboard. While it is on, a key arrives in the Arabic-entry windows as
// what the standard Arabic (101) layout types on it, Shift included, as if the system keyboard had
// been switched; keys that both layouts type alike arrive unchanged. It is set on by a first-key conversion
// and off by the language option "EN" or by a key that already types an Arabic character (the system keyboard
// is Arabic). A lam-alef ligature arrives as its two letters, whether the mode is on or off.
class ArabicKeyboard : public QObject {
    Q_OBJECT
public:
    static bool isOn();
    static void setOn(bool on);

    // Marks a widget and what it holds as taking Arabic text or, with false, as keeping the keys
    // as typed (fields that take numbers). Unmarked windows are never mapped.
    static void setMapped(QWidget* widget, bool mapped);
    static bool isMapped(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ArabicKeyboard(QObject* parent);
    static ArabicKeyboard& instance();

    bool m_on = false;
    const QEvent* m_delivering = nullptr; // a translated key on its way passes unchanged
};

} // namespace platform
