#pragma once

#include "data/Database.h"
#include "engine/report/CaseContext.h"
#include "results/ShrinkEnlargeButtons.h"

#include <QDialog>

#include <functional>

class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSqlQueryModel;
class QTableView;

namespace training {
class VerdictKeeper;
}

namespace results {

// The results screen of the exercise path. It grades the learner's answer against the engine's
// division when it first shows after a hand-in, and offers another attempt, the rest of the batch,
// the final score, a new group of questions, the engine's result and its print. A command that
// leaves writes code 10 into the host's Text_choos_no; like the normal results screen it cannot be
// closed otherwise.
class Form7 : public QDialog {
    Q_OBJECT
public:
    struct Links {
        std::function<void(const data::Database&)> cleanExit;
        std::function<void()> mainMenu;
        PartnerWindows windows;
    };

    // `verdicts` belongs to the host, which tells it of every hand-in.
    Form7(data::Database db, engine::CaseContext& hostContext, training::VerdictKeeper& verdicts, Links links,
          QWidget* parent = nullptr);
    ~Form7() override;

    static constexpr unsigned Red = 0xFF0000;
    static constexpr unsigned Green = 0x00C000;

public slots:
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command_return_to_case_Click();
    void Command_start_new_Click();
    void Command_show_case_Click();
    void Command_print_Click();
    void Command_endprogram_Click();
    void Command1_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

public:
    void reject() override;

private:
    void buildControls();
    void showResult(const QString& text, unsigned colour);
    void handBack();
    int questionNo() const;

    data::Database m_db;
    engine::CaseContext& m_context;
    training::VerdictKeeper& m_verdicts;
    Links m_links;

    QTableView* m_grid = nullptr;
    QSqlQueryModel* m_model = nullptr;
    QFrame* m_resultFrame = nullptr;
    QLabel* m_result = nullptr;
    QGroupBox* m_errorFrame = nullptr;
    QListWidget* m_errors = nullptr;
    ShrinkEnlargeButtons* m_windowButtons = nullptr;
};

} // namespace results
