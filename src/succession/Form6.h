#pragma once

#include "data/Database.h"
#include "engine/report/CaseContext.h"
#include "entry/Form12.h"
#include "entry/NameLists.h"
#include "platform/widgets/CommandOnlyDialog.h"
#include "succession/ChainRow.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTextBrowser;
class QTimer;

namespace platform {
class LanguageOptionFrame;
}
namespace entry {
class StoredCaseListModel;
struct StoredCaseList;
} // namespace entry

namespace succession {

class ChainGridModel;
class DeceasedNameBox;

// The ways out of the dialogue, handed in by whoever shows it, as for the case entry: here the
// exit button is Command2 and the main-menu button Command3.
using ExitHooks = entry::ExitHooks;

// The successive-deaths dialogue: the chain of deceased in the order of their deaths, each with
// his heirs, typed into the working table MUNASKA_TEMP and handed to the engine by the run
// button. Like the case-entry dialogue it has no close button and ignores Esc as a way out: it is
// left only by a successful run, the exit button or the main-menu button.
//
// The window-size buttons Command8 and Command7 are laid out here; what they move is connected
// by whoever shows the dialogue.
class Form6 : public platform::CommandOnlyDialog {
    Q_OBJECT
public:
    Form6(data::Database db, engine::CaseContext& host, ExitHooks hooks = {}, QWidget* parent = nullptr);
    ~Form6() override;

    ChainGridModel* chain() const { return m_chain; }
    static constexpr int RunCaptionInterval = 100;

    // The dialogue's commands, as its buttons, lists and keys run them.
    void Command_new_Click();
    void Check_add_warith_Click();
    void Command13_Click();
    void Command1_Click();
    void Command5_Click();
    void Command6_Click();
    void Command14_Click();
    void Command15_Click();
    void Command4_Click();
    void Command9_Click();
    void Command10_Click();
    void Command11_Click();
    void Command12_Click();
    void Timer16_Timer();
    void Form_KeyUp(int key);
    void GET_NAMES_TO_DBLIST_WARITH_NAMES();
    void GET_NAMES_TO_DBLIST_WARITH_NAMES_WARITH();
    void ADD_RELATION();
    void DBList_deth_name_Accept();
    void DBCombo_w_name_Accept();
    void Text_DATA_ENTRY_NAME_LostFocus();
    void Text_ADRESS_ENTRY_NAME_LostFocus();

    // Stored chains: store, edit, delete, load from the list and the search boxes.
    void Command_save_Click();
    void Command_edit_Click();
    void Command_delete_Click();
    void DBGrid_put_DblClick();
    void DBGrid_put_KeyUp(int key);
    void Text_case_no_appeare_KeyUp(int key);
    void Text_case_no_appeare_KeyDown(int key);
    void Text_serch_case_name_KeyUp(int key);
    // Opens the pick list of a grid column (1 relation, 2 heir name, 3 deceased name).
    void openColumnList(int column);
    // Deletes the grid's row under the row rules.
    void deleteRow(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildWidgets();
    void buildTwins();
    void Form_Load();
    void leave();

    int currentRow() const;
    ChainRow currentLine() const;
    void goTo(int row, int column);
    void nextLine();
    bool saveCurrentRow();
    bool cellAccepted(int row, int column, QString& text);
    bool rowAccepted(ChainRow& row);
    void afterCellWritten(int row);
    void followRow(int row);
    bool gridKey(QKeyEvent* event);
    bool typedInCell(int column, const QString& text);
    void refuse(const QString& message, QWidget* back);
    // Where the focus goes after a refused run, store or edit: the preparer box when the preparer
    // is what is missing, else back where the user was.
    QWidget* focusAfter(const QString& refusal, QWidget* userWasIn) const;
    void placeLists(const QPoint& viewportPos);
    void showList(QComboBox* list);
    void hideLists();
    void requeryPreparers();
    void requeryIssuingBodies();
    void keepHeader(entry::NameLists::List list, const QString& name);
    void onFocusChanged(QWidget* old, QWidget* now);
    void offerStoredChains();
    void restoreStoredChain(qint64 caseNo);
    bool storedChainEvent(QObject* watched, QEvent* event);
    void requeryStoredChains(const entry::StoredCaseList& list);
    void forgetCurrentDeceased();
    // Takes a typed or picked name as the next deceased, on the grid's current row.
    void acceptDeceased(const QString& typed, QWidget* back);
    void updateDeceasedBox();

    data::Database m_db;
    engine::CaseContext& m_host;
    ExitHooks m_hooks;
    ChainGridModel* m_chain = nullptr;
    QStringList m_relations;
    QString PreviousHeirName;
    bool m_settlingRow = false;
    int m_cellRefusals = 0;
    int m_listTop = -1;
    QWidget* m_focusOnShow = nullptr;

    platform::LanguageOptionFrame* Frame2 = nullptr;
    QTableView* DBGrid3 = nullptr;
    QLineEdit* Text_deth_no_ind = nullptr;
    QLineEdit* Text_deth_name_ind = nullptr;
    QCheckBox* Check_add_warith = nullptr;
    QLineEdit* Text_case_no = nullptr;
    QLineEdit* Text_case_name = nullptr;
    QLineEdit* Text_case_no_appeare = nullptr;
    QLineEdit* Text_serch_case_name = nullptr;
    QComboBox* Text_DATA_ENTRY_NAME = nullptr;
    QGroupBox* FrameADRESS = nullptr;
    QComboBox* Text_ADRESS_ENTRY_NAME = nullptr;
    QComboBox* DBList_deth_name = nullptr;
    QComboBox* DBCombo_w_name = nullptr;
    QComboBox* DBList_relation = nullptr;
    QTextBrowser* RichTextBox1 = nullptr;
    QTextBrowser* RichTextBox2 = nullptr;
    QTableView* DBGrid_put = nullptr;
    entry::StoredCaseListModel* m_storedChains = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Command7 = nullptr;
    QPushButton* Command8 = nullptr;
    QPushButton* Command9 = nullptr;
    QPushButton* Command10 = nullptr;
    QPushButton* Command11 = nullptr;
    QPushButton* Command12 = nullptr;
    QPushButton* Command13 = nullptr;
    QPushButton* Command14 = nullptr;
    QPushButton* Command15 = nullptr;
    QPushButton* Command_new = nullptr;
    QPushButton* Command_save = nullptr;
    QPushButton* Command_edit = nullptr;
    QPushButton* Command_delete = nullptr;
    QTimer* Timer16 = nullptr;
    DeceasedNameBox* m_deceasedBox = nullptr;
};

} // namespace succession
