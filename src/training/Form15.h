#pragma once

#include "data/Database.h"
#include "training/QuizSession.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableView;
class QTimer;

namespace results {
class ShrinkEnlargeButtons;
}

namespace training {

// The share-type quiz: the learner draws a question from the bank, names each heir's kind of
// share with the options, and checks the answers; after three wrong checks of one question the
// right answers are shown. It stands beside the main window, not modal, and has no window-close
// control: it is left through its own buttons.
class Form15 : public QWidget {
    Q_OBJECT
public:
    struct Links {
        // The exit button: ends the program at once.
        std::function<void()> exitProgram;
        // Moved with the quiz by the window buttons.
        QPointer<QWidget> mainWindow;
    };

    // Builds the window and runs its set-up on its own connection to the case database.
    Form15(data::Database db, Links links, QWidget* parent = nullptr);
    ~Form15() override;

    // The quiz of the main window's command: the one quiz window, created and set up when there is
    // none, then shown and brought to the front. A second window would empty the first one's
    // question, since both would live in QUESTUNS_TEMP.
    static Form15* open(Links links);
    static Form15* current();

    QuizSession& session() { return m_session; }
    QTableView* grid() const { return m_grid; }

    static const QString Title;

public slots:
    void Command6_Click();
    void Command1_Click();
    void Command5_Click();
    void Command7_Click();
    void Command8_Click();
    void RESET();
    void Timer2_Timer();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void optionClicked(QRadioButton* option);
    void answer(const QString& text);
    void sync();
    void fitColumns();

    data::Database m_db;
    Links m_links;
    QuizSession m_session;
    bool m_leaving = false;

    QTableView* m_grid = nullptr;
    QGroupBox* m_frame1 = nullptr;
    QLabel* m_label6 = nullptr;
    QPushButton* m_command5 = nullptr;
    QPushButton* m_command1 = nullptr;
    QGroupBox* m_frame2 = nullptr;
    QGroupBox* m_frameSahib = nullptr;
    QGroupBox* m_frameAsaba = nullptr;
    QTimer* m_timer2 = nullptr;
    results::ShrinkEnlargeButtons* m_windowButtons = nullptr;
    // The option buttons and the text each writes into the answer (none for the two kinds
    // that only open a panel).
    std::map<QRadioButton*, QString> m_answerTexts;
    std::vector<QRadioButton*> m_options;
};

} // namespace training
