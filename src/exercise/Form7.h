#pragma once

#include "data/Database.h"
#include "engine/report/CaseContext.h"
#include "results/ShrinkEnlargeButtons.h"

#include "platform/widgets/CommandOnlyDialog.h"

#include <functional>
#include <map>
#include <vector>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QShortcut;
class QSqlQueryModel;
class QTableView;

namespace results {
class TouchedReport;
}

namespace training {
class VerdictKeeper;
struct FinalScore;
} // namespace training

namespace exercise {

// The results screen of the exercise path. It grades the learner's answer against the engine's
// division when it first shows after a hand-in, and offers another attempt, the rest of the batch,
// the final score, a new group of questions and the engine's result. The commands of the normal
// results screen that are not shown here (percentages, a given estate, the other school, the
// print) answer to their Latin letters. A command that leaves writes its code into the host's
// Text_choos_no; like the normal results screen it cannot be closed otherwise.
class Form7 : public platform::CommandOnlyDialog {
    Q_OBJECT
public:
    struct Links {
        std::function<void(const data::Database&)> cleanExit;
        std::function<void()> mainMenu;
        results::PartnerWindows windows;
    };

    // `verdicts` and `touched` belong to the host: the host tells the one of every hand-in, and
    // the other keeps the set-up from working twice over the same report lines.
    Form7(data::Database db, engine::CaseContext& hostContext, training::VerdictKeeper& verdicts,
          results::TouchedReport& touched, Links links, QWidget* parent = nullptr);
    ~Form7() override;

    static constexpr unsigned Red = 0xFF0000;
    static constexpr unsigned Green = 0x00C000;

    // The control that has the focus when the screen is shown: the first one in tab order that
    // is shown and enabled.
    QWidget* firstFocusControl() const;
    std::vector<QWidget*> tabOrder() const { return m_tabOrder; }

public slots:
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command_return_to_case_Click();
    void Command_start_new_Click();
    void Command_show_case_Click();
    void Command_percent_Click();
    void Command_share_Click();
    void Command_stored_case_Click();
    void Command_methahib_Click();
    void Command_print_Click();
    void Command_endprogram_Click();
    void Command1_Click();
    void Combo1_Click();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void Form_Load();
    void setCommandEnabled(QPushButton* button, bool enabled);
    void applyTabOrder();
    void pressModelCase();
    void refreshGrid();
    void fitColumns();
    void showResult(const QString& text, unsigned colour);
    void showFinalScore(const training::FinalScore& score);
    void handBack(const char* code);
    QPushButton* command(const char* name) const;
    int questionNo() const;

    data::Database m_db;
    engine::CaseContext& m_context;
    training::VerdictKeeper& m_verdicts;
    results::TouchedReport& m_touched;
    Links m_links;

    QTableView* m_grid = nullptr;
    QSqlQueryModel* m_model = nullptr;
    QComboBox* m_fontSize = nullptr;
    QFrame* m_resultFrame = nullptr;
    QLabel* m_result = nullptr;
    QGroupBox* m_errorFrame = nullptr;
    QListWidget* m_errors = nullptr;
    results::ShrinkEnlargeButtons* m_windowButtons = nullptr;
    std::map<QPushButton*, QShortcut*> m_twins;
    std::vector<QWidget*> m_tabOrder;
};

} // namespace exercise
