#pragma once

#include <QDialog>

namespace platform {

// A dialogue that neither the window system nor Esc closes: it is left only through its own
// commands, which call leaveDialogue(). Enter presses the button that has the focus and nothing
// else, so that Enter typed in a field never runs a command by surprise. It opens whole and
// centred on its screen (ScreenPlacement).
class CommandOnlyDialog : public QDialog {
    Q_OBJECT
public:
    explicit CommandOnlyDialog(QWidget* parent = nullptr);

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    void leaveDialogue();
    bool leaving() const { return m_leaving; }

private:
    bool m_leaving = false;
};

} // namespace platform
