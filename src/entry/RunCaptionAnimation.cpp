#include "entry/RunCaptionAnimation.h"

#include "entry/EntryTexts.h"

#include <QEvent>
#include <QPushButton>
#include <QTimer>

namespace entry {

RunCaptionAnimation::RunCaptionAnimation(QPushButton* button) : QObject(button), m_button(button) {
    Timer16 = new QTimer(button->window());
    Timer16->setObjectName(QStringLiteral("Timer16"));
    connect(Timer16, &QTimer::timeout, this, &RunCaptionAnimation::Timer16_Timer);
    button->setMouseTracking(true);
    button->installEventFilter(this);
}

void RunCaptionAnimation::Timer16_Timer() {
    static const QStringList steps = {Texts::RunCaption, Texts::RunStep1, Texts::RunStep2, Texts::RunStep3,
                                      Texts::RunStep4};
    const qsizetype at = steps.indexOf(m_button->text());
    if (at < 0)
        return;
    if (at + 1 < steps.size()) {
        m_button->setText(steps[at + 1]);
    } else {
        m_button->setText(Texts::RunCaption);
        Timer16->stop();
    }
}

void RunCaptionAnimation::stop() {
    Timer16->stop();
}

bool RunCaptionAnimation::eventFilter(QObject* watched, QEvent* event) {
    // A movement during a cycle leaves its timing alone.
    if (watched == m_button && event->type() == QEvent::MouseMove && !Timer16->isActive())
        Timer16->start(Interval);
    return QObject::eventFilter(watched, event);
}

} // namespace entry
