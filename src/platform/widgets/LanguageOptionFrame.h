#pragma once

#include <QGroupBox>

class QRadioButton;

namespace platform {

// The frame "نوع اللغة" of the data-entry dialogues: "AR" (chosen whenever the frame is made) lets
// the first key typed into an empty Arabic field be converted; "EN" lets a field begin in Latin.
class LanguageOptionFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit LanguageOptionFrame(QWidget* parent = nullptr);

    QRadioButton* arabicOption() const { return Option_AR; }
    QRadioButton* latinOption() const { return Option2; }

private:
    QRadioButton* Option_AR;
    QRadioButton* Option2;
};

} // namespace platform
