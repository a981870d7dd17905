#pragma once

#include <QString>

class QAbstractButton;
class QWidget;

namespace succession::WholeWordCaption {

// The caption without its access-key marker: an underlined letter is drawn apart from its
// neighbours, which breaks an Arabic word into unjoined letters.
QString plain(const QString& caption);

// Shows the caption as whole words and keeps its access key (Alt with the marked letter) as a
// shortcut of the window that presses the button.
void apply(QAbstractButton* button, const QString& caption, QWidget* window);

} // namespace succession::WholeWordCaption
