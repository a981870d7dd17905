#pragma once

#include "data/Database.h"
#include "engine/report/CaseContext.h"
#include "engine/report/EntryStage.h"
#include "entry/CaseHandOver.h"
#include "entry/EntryStageFrames.h"
#include "entry/NameLists.h"
#include "entry/RelationRules.h"
#include "entry/RunCaptionAnimation.h"
#include "entry/StoredCaseList.h"
#include "platform/widgets/CommandOnlyDialog.h"

#include <QDialog>

#include <functional>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QBoxLayout;
class QTableView;
class QTextBrowser;
class QTimer;

namespace platform {
class FirstKeyConversion;
class LanguageOptionFrame;
} // namespace platform

namespace entry {

class BoundTableModel;
class StoredCaseListModel;
class ModelCaseStage;

// The ways out of the dialogue that end the program. The screens that know how the program ends
// live above this library, so whoever shows the dialogue hands them in.
struct ExitHooks {
    std::function<void()> cleanExit; // the exit button Command7
    std::function<void()> mainMenu;  // the main-menu button Command8
};

// The case-entry dialogue of real cases. The engine host writes the stage into CASE_TYPE and
// shows it modally; the load step shows that stage's frame, and the stage's command writes the
// answer straight into the host's fields and closes the dialogue. It has no close button and
// ignores Esc as a way out: the engine would take an unanswered stage for an answer.
//
// The window-size buttons Command2 and Command5 are laid out here; what they move (this dialogue,
// the host, the main window) is connected by whoever shows it.
class Form12 : public platform::CommandOnlyDialog {
    Q_OBJECT
public:
    Form12(data::Database db, engine::CaseContext& host, ExitHooks hooks = {}, QWidget* parent = nullptr);
    ~Form12() override;

    // The stage found in CASE_TYPE by the load step; none for a missing row or an unknown text.
    std::optional<engine::EntryStage> stage() const { return m_stage; }
    BoundTableModel* heirs() const { return m_heirs; }
    CaseHeader header() const;

    // Sizes are given in twips of a 1024 x 768 screen.
    static constexpr int twips(int t) { return t / 15; }
    static constexpr int RunCaptionInterval = RunCaptionAnimation::Interval;
    static constexpr int SourcePressDelay = EntryStageFrames::SourcePressDelay;

    // The dialogue's commands, as its buttons and keys run them.
    void Command_source_case_Click();
    void Command_type_case_Click();
    void Command1_Click();
    void Command_tariqa_Click();
    void Command3_Click();
    void Command4_Click();
    void Command6_Click();
    void Command9_Click();
    void Command10_Click();
    void Command11_Click();
    void Command_new_Click();
    void ADD_RELATION();
    void load_currency_list();
    void Timer1_Timer();
    void Timer16_Timer();
    void Text_DATA_ENTRY_NAME_LostFocus();
    void Text_ADRESS_ENTRY_NAME_LostFocus();
    void Form_KeyUp(int key);

    // Stored cases: store, edit, delete, load from the list and the search boxes.
    void Command_save_Click();
    void Command_edit_Click();
    void Command_delete_Click();
    void DBGrid_put_DblClick();
    void Text_case_no_appeare_KeyUp(int key);
    void Text_case_no_appeare_KeyDown(int key);
    void Text_deth_name_KeyDown(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildWidgets();
    QGroupBox* buildDetailsFrame();
    QGroupBox* buildStoredFrame();
    void buildTwins();

    void Form_Load();
    void prepareSourceStage();
    void prepareTypeStage();
    void prepareEstateStage();
    void prepareDetailsStage();
    void prepareStoredStage();

    // Closes the dialogue after an accepted answer; the only way it closes.
    void leave();

    bool gridKey(QKeyEvent* event);
    void moveToHeirs();
    void showPickList();
    void openPickListWith(const QString& typed);
    void hidePickList();
    void placePickList(const QPoint& viewportPos);
    void onFocusChanged(QWidget* old, QWidget* now);
    bool typedCellAccepted(int row, int column, const QString& text);
    void requeryPreparers();
    // The preparer or issuing body just left: into its list, and onto the heir rows.
    void keepHeader(NameLists::List list, const QString& name);
    // Where the focus goes after a refused run, store or edit: the preparer box when the preparer
    // is what is missing, else back where the user was.
    QWidget* focusAfter(const QString& refusal, QWidget* userWasIn) const;
    void requeryIssuingBodies();
    void showIssuingBody(bool shown);
    void buildStoredCases(QBoxLayout* into);
    bool storedCaseEvent(QObject* watched, QEvent* event);
    void requeryStoredCases(const StoredCaseList& list);

    data::Database m_db;
    engine::CaseContext& m_host;
    ExitHooks m_hooks;
    std::optional<engine::EntryStage> m_stage;
    QWidget* m_focusOnShow = nullptr;
    bool m_heirsOnShow = false;

    EntryStageFrames* m_frames = nullptr;
    RunCaptionAnimation* m_caption = nullptr;

    QGroupBox* Frame_case_details = nullptr;
    QLineEdit* Text_deth_name = nullptr;
    QLineEdit* Text_case_no_appeare = nullptr;
    QLineEdit* Text_case_name = nullptr;
    QLineEdit* Text_case_no = nullptr;
    QComboBox* Text_DATA_ENTRY_NAME = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Command9 = nullptr;
    QPushButton* Command4 = nullptr;
    QGroupBox* FrameADRESS = nullptr;
    QComboBox* Text_ADRESS_ENTRY_NAME = nullptr;
    QPushButton* Command11 = nullptr;
    QPushButton* Command10 = nullptr;
    QPushButton* Command_new = nullptr;
    QTableView* DBGrid1 = nullptr;
    BoundTableModel* m_heirs = nullptr;
    QComboBox* DBList_relation = nullptr;
    QTextBrowser* RichTextBox1 = nullptr;
    QPushButton* Command1 = nullptr;
    platform::LanguageOptionFrame* Frame2 = nullptr;
    platform::FirstKeyConversion* m_firstKey = nullptr;
    int m_pickListTop = -1;
    int m_cellRefusals = 0; // cell edits refused so far
    QPushButton* Command_save = nullptr;
    QPushButton* Command_edit = nullptr;
    QPushButton* Command_delete = nullptr;
    QTableView* DBGrid_put = nullptr;
    StoredCaseListModel* m_storedCases = nullptr;

    QGroupBox* Frame_stord_case = nullptr;
    ModelCaseStage* m_modelCases = nullptr;
    QLineEdit* Text_from = nullptr;
    QLineEdit* Text_to = nullptr;

    QPushButton* Command7 = nullptr;
    QPushButton* Command8 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command5 = nullptr;
};

} // namespace entry
