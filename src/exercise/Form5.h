#pragma once

#include "data/Database.h"
#include "engine/report/CaseContext.h"
#include "engine/report/EntryStage.h"
#include "entry/Form12.h"
#include "results/ShrinkEnlargeButtons.h"

#include <QDialog>

#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QComboBox;
class QRadioButton;
class QStandardItemModel;
class QTableView;
class QTimer;

namespace entry {
class BoundTableModel;
class EntryStageFrames;
class ModelCaseStage;
class RunCaptionAnimation;
} // namespace entry

namespace training {
struct LoadedQuestion;
}

namespace exercise {

// The case-entry dialogue of the exercise path. The exercise host writes the stage into
// CASE_TYPE and shows it modally, as the real-case host shows Form12: the source, type, estate
// and model-case stages are Form12's own frames; at the details stage the learner draws a batch
// of questions of a level, steps through them, types each heir's share into the grid and hands
// the answer in. The answer is left in WARITH and PRACTIC_SINGLE for the host's calculation and
// grading; handedIn() tells the host that a new answer is there to be graded.
//
// What makes it differ from Form12 where they share code:
// - the model-case stage is ModelCaseQueue::Owner::Exercise: its range is the whole library, and
//   neither the stage nor its range run touch the report header, the name lists or the last range;
// - at the details stage the question in hand is judged by training::ExerciseResume (Form12 keeps
//   WARITH and restores the header from its first row), and the number box holds the focus;
// - the level, the question list and the stepper are set from the exercise tables on every load;
// - the grid's first column is the learner's share, refused unless a whole number; it has no
//   relation pick list and no heading row, and rows are added but never deleted.
//
// The dialogue keeps one size (1024 x 768 pixels, or as much of it as the screen leaves free,
// centred); it has no close button and Esc only hides its lists. The window-size buttons
// Command9 and Command10 are laid out here; what they move is connected by whoever shows it.
class Form5 : public QDialog {
    Q_OBJECT
public:
    Form5(data::Database db, engine::CaseContext& context, entry::ExitHooks hooks, QWidget* host = nullptr);
    ~Form5() override;

    // The stage found in CASE_TYPE by the load step; none for a missing row or an unknown text.
    std::optional<engine::EntryStage> stage() const { return m_stage; }
    entry::BoundTableModel* heirs() const { return m_heirs; }

    static constexpr int twips(int t) { return t / 15; }
    static constexpr int FixedWidthTwips = 15360;
    static constexpr int FixedHeightTwips = 11520;
    static constexpr int IdleDrawInterval = 1;

    // The window buttons Command9 (shrink) and Command10 (enlarge) move this dialogue's partners
    // with it: the exercise host and the main window.
    void attachWindowButtons(const results::PartnerWindows& partners);

    // The dialogue's commands, as its buttons, twins and keys run them.
    void Command_source_case_Click();
    void Command_type_case_Click();
    void Command_tariqa_Click();
    void Command3_Click();
    void load_currency_list();

    void Option_1_LEVEL_MouseUp();
    void Option_2_LEVEL_MouseUp();
    void Option_3_LEVEL_MouseUp();
    void Command_put_Click();
    void Command6_Click();
    void DBGrid_put_DblClick();

    void GET_SUM();
    void RELATION_SUM();
    void Command1_Click();

    void Command_save_Click();
    void Command_edit_Click();
    void Command_delete_Click();
    void Command_new_Click();

    void Timer1_Timer();
    void Timer2_Timer();
    int drawnQuestionNo() const { return DrawnQuestionNo; }
    void Timer16_Timer();
    void Form_KeyUp(int key);

signals:
    // An answer has just been handed in; the dialogue closes right after.
    void handedIn();

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildWidgets();
    QGroupBox* buildDetailsFrame();
    QGroupBox* buildLevelsFrame();
    QGroupBox* buildQuestionListFrame();
    QGroupBox* buildTypesFrame();
    void buildTwins();

    void Form_Load();
    void prepareDetailsStage();
    void setStepper(const QString& caption);
    void showLoaded(const training::LoadedQuestion& question);
    void requeryQuestions();
    void requeryNames();
    void showIssuingBody(bool shown);
    void levelChosen(int level);
    int levelOnScreen() const;
    void keepFixedSize();
    // Takes a share still being typed; false when it was refused (its message has been shown).
    bool takeCellInHand();
    bool twinAllowed() const;
    void leave();

    data::Database m_db;
    engine::CaseContext& m_host;
    entry::ExitHooks m_hooks;
    std::optional<engine::EntryStage> m_stage;
    bool m_leaving = false;
    QWidget* m_focusOnShow = nullptr;

    entry::EntryStageFrames* m_frames = nullptr;
    entry::RunCaptionAnimation* m_caption = nullptr;
    entry::ModelCaseStage* m_modelCases = nullptr;

    QGroupBox* Frame_case_details = nullptr;
    QLineEdit* Text_case_no_appeare = nullptr;
    QLineEdit* Text_case_no = nullptr;
    QLineEdit* Text_deth_name = nullptr;
    QLineEdit* Text_case_name = nullptr;
    QLineEdit* Text2 = nullptr;
    QComboBox* Text_DATA_ENTRY_NAME = nullptr;
    QComboBox* Text_ADRESS_ENTRY_NAME = nullptr;
    QGroupBox* FrameADRESS = nullptr;
    QPushButton* Command4 = nullptr;
    QLineEdit* Text_sum = nullptr;
    QLineEdit* Text_sum1 = nullptr;
    QTableView* DBGrid1 = nullptr;
    entry::BoundTableModel* m_heirs = nullptr;
    QPushButton* Command1 = nullptr;

    QGroupBox* Frame_levels = nullptr;
    QRadioButton* Option_1_LEVEL = nullptr;
    QRadioButton* Option_2_LEVEL = nullptr;
    QRadioButton* Option_3_LEVEL = nullptr;
    QPushButton* Command_put = nullptr;
    QGroupBox* Frame_put = nullptr;
    QTableView* DBGrid_put = nullptr;
    QStandardItemModel* Data3 = nullptr;
    QPushButton* Command6 = nullptr;

    QGroupBox* Frame_SHARE_AMOUNT_ERROR = nullptr;
    QListWidget* List_SHARE_AMOUNT_ERROR = nullptr;

    QPushButton* Command_save = nullptr;
    QPushButton* Command_edit = nullptr;
    QPushButton* Command_delete = nullptr;
    QPushButton* Command_new = nullptr;

    QPushButton* Command7 = nullptr;
    QPushButton* Command8 = nullptr;
    QPushButton* Command9 = nullptr;
    QPushButton* Command10 = nullptr;
    QTimer* Timer2 = nullptr;
    int DrawnQuestionNo = 0;
    bool m_sizeQueued = false;
    int m_shareRefusals = 0;
};

} // namespace exercise
