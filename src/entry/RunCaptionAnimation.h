#pragma once

#include <QObject>

class QPushButton;
class QTimer;

namespace entry {

// The run button's caption types itself out, "ت" to "تنفيذ", one letter every 100 ms once the
// pointer has moved over the button (Timer16). A caption that is no stage of the word (the
// exercise dialogue's "تدقيق نتائج المسألة") stays as it is while the timer ticks.
class RunCaptionAnimation : public QObject {
    Q_OBJECT
public:
    static constexpr int Interval = 100;

    explicit RunCaptionAnimation(QPushButton* button);

    void Timer16_Timer();
    void stop();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* m_button;
    QTimer* Timer16;
};

} // namespace entry
