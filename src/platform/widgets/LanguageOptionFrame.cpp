#include "platform/widgets/LanguageOptionFrame.h"

#include <QHBoxLayout>
#include <QRadioButton>

namespace platform {

LanguageOptionFrame::LanguageOptionFrame(QWidget* parent)
    : QGroupBox(QStringLiteral("نوع اللغة"), parent), Option_AR(new QRadioButton(QStringLiteral("AR"), this)),
      Option2(new QRadioButton(QStringLiteral("EN"), this)) {
    setObjectName(QStringLiteral("Frame2"));
    Option_AR->setObjectName(QStringLiteral("Option_AR"));
    Option2->setObjectName(QStringLiteral("Option2"));
    // Said where a message names the choice: the captions are the layouts' Latin marks.
    Option_AR->setAccessibleName(QStringLiteral("اللغة العربية"));
    Option2->setAccessibleName(QStringLiteral("اللغة الإنجليزية"));
    Option_AR->setChecked(true);
    auto* row = new QHBoxLayout(this);
    row->addWidget(Option_AR);
    row->addWidget(Option2);
}

} // namespace platform
