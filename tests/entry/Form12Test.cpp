#include "EntryFixture.h"

#include "entry/BoundTableModel.h"
#include "entry/EntryTexts.h"
#include "entry/Form12.h"
#include "entry/NameLists.h"
#include "entry/StoredCases.h"
#include "support/AltKeys.h"
#include "support/Widgets.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

using engine::EntryStage;
using entry::Form12;
using entrytest::EntryFixture;
namespace Texts = entry::Texts;

const char* const Frames[] = {"Frame_source_case", "Frame_type_case", "Frame_tariqa", "Frame_case_details",
                              "Frame_stord_case"};

class Form12Test : public EntryFixture {
protected:
    Form12& open(EntryStage stage) {
        setStage(stage);
        return reopen();
    }
    // Loads the dialogue at the stage CASE_TYPE holds.
    Form12& reopen() {
        dialog = std::make_unique<Form12>(
            db, host, entry::ExitHooks{[this] { ++cleanExits; }, [this] { ++mainMenus; }});
        return *dialog;
    }
    // On screen and active, as the user sees it; long enough for the dialogue's own timers.
    void showActive() {
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        QTest::qWait(2 * Form12::SourcePressDelay + 20);
    }
    // A modal showing as the engine does it. A dialogue that waits for the user is closed after a
    // while with -1, so a missing press fails instead of hanging.
    int execAsEngine() {
        QTimer::singleShot(3000, dialog.get(), [this] { dialog->done(-1); });
        return dialog->exec();
    }

    template <typename T> T* child(const char* name) const {
        return testsupport::namedChild<T>(dialog, name);
    }
    QPushButton* button(const char* name) const { return child<QPushButton>(name); }
    QLineEdit* edit(const char* name) const { return child<QLineEdit>(name); }
    QComboBox* combo(const char* name) const { return child<QComboBox>(name); }
    QTableView* grid() const { return child<QTableView>("DBGrid1"); }
    bool shown(const char* name) const {
        return dialog->findChild<QWidget*>(name)->isVisibleTo(dialog.get());
    }
    bool open() const { return dialog->isVisible(); }

    // Opens a grid cell's editor and types a text into it, as the user does; null when no editor
    // opened (the test has failed then).
    QLineEdit* typeIntoEditor(int row, int column, const QString& text) {
        QTableView* g = grid();
        const QModelIndex index = g->model()->index(row, column);
        g->setFocus();
        g->setCurrentIndex(index);
        g->edit(index);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        EXPECT_NE(editor, nullptr);
        if (editor) {
            editor->selectAll();
            editor->insert(text);
        }
        return editor;
    }

    // Types into a grid cell as the user does: the cell's editor, a changed text, Enter.
    void typeIntoCell(int row, int column, const QString& text) {
        QLineEdit* editor = typeIntoEditor(row, column, text);
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(editor->isModified());
        QTest::keyClick(editor, Qt::Key_Return);
        // The editor hands its text over once the key has been handled.
        QCoreApplication::processEvents();
    }

    std::unique_ptr<Form12> dialog;
    int cleanExits = 0;
    int mainMenus = 0;
};

// Stage controller ----------------------------------------------------------------------------

struct StageCase {
    EntryStage stage;
    const char* frame;
    const char* button; // enabled by the stage; nullptr when this build has no stage button
};

TEST_F(Form12Test, EachStageShowsOnlyItsFrameAndEnablesItsButton) {
    const StageCase cases[] = {
        {EntryStage::Source, "Frame_source_case", "Command_source_case"},
        {EntryStage::Type, "Frame_type_case", "Command_type_case"},
        {EntryStage::Estate, "Frame_tariqa", "Command_tariqa"},
        {EntryStage::Details, "Frame_case_details", "Command1"},
        {EntryStage::Stored, "Frame_stord_case", nullptr},
    };
    for (const StageCase& c : cases) {
        SCOPED_TRACE(c.frame);
        open(c.stage);
        EXPECT_EQ(dialog->stage(), c.stage);
        for (const char* frame : Frames)
            EXPECT_EQ(shown(frame), QString(frame) == c.frame) << frame;
        EXPECT_FALSE(shown("FrameADRESS"));
        for (const char* stageButton : {"Command_source_case", "Command_type_case", "Command_tariqa"})
            EXPECT_EQ(button(stageButton)->isEnabled(), c.button && QString(stageButton) == c.button)
                << stageButton;
    }
}

TEST_F(Form12Test, AnUnknownOrMissingStageShowsNoFrame) {
    for (const char* stage : {"تفاصيل", ""}) {
        db.execute("delete from CASE_TYPE");
        if (*stage)
            db.execute("insert into CASE_TYPE values (?)", {QString(stage)});
        reopen();
        EXPECT_FALSE(dialog->stage().has_value());
        for (const char* frame : Frames)
            EXPECT_FALSE(shown(frame)) << frame;
        EXPECT_TRUE(shown("Command7"));
        EXPECT_TRUE(shown("Command8"));
    }
}

TEST_F(Form12Test, EveryLoadLeavesOneCheckRow) {
    db.execute("insert into CHECK_FILE values ('x'), ('y')");
    open(EntryStage::Estate);
    EXPECT_EQ(column("select CHECK_FILE from CHECK_FILE"), QStringList{"1"});
    open(EntryStage::Details);
    EXPECT_EQ(column("select CHECK_FILE from CHECK_FILE"), QStringList{"1"});
}

TEST_F(Form12Test, TheSourceStageAnswersAValidPresetByItself) {
    db.execute("insert into RLAS_TABLE values ('مخزونة نموذجية')");
    open(EntryStage::Source);
    EXPECT_EQ(combo(Texts::SourceComboName.toUtf8())->currentText(), "مخزونة نموذجية");
    EXPECT_EQ(execAsEngine(), QDialog::Accepted);
    EXPECT_EQ(host.Text_RLAS, "خ");
    EXPECT_EQ(host.Text_stored_case_procejer, "1");
    EXPECT_EQ(flag("ENABLED_CHECK"), "مخزونة");
}

TEST_F(Form12Test, WithoutASourcePresetBothPressesFindNoChoiceAndTheUserChooses) {
    open(EntryStage::Source);
    QComboBox* source = combo(Texts::SourceComboName.toUtf8());
    EXPECT_EQ(source->currentText(), Texts::SourceComboName);
    showActive();
    EXPECT_TRUE(open());
    EXPECT_FALSE(child<QTimer>("Timer1")->isActive()); // it has pressed once and stopped
    EXPECT_EQ(host.Text_RLAS, "");
    EXPECT_EQ(host.Text_start_new_case, "1");
    EXPECT_EQ(rows("ENABLED_CHECK"), 0);

    source->setCurrentIndex(source->findText("جديدة"));
    QTest::keyClick(button("Command_source_case"), Qt::Key_Return);
    EXPECT_FALSE(open());
    EXPECT_EQ(host.Text_RLAS, "ج");
}

TEST_F(Form12Test, TheTypeStagePressesItselfOnlyForAValidPreset) {
    const struct {
        const char* preset; // nullptr: no row
        bool pressed;
        const char* letter;
    } cases[] = {{"مفردة", true, "م"}, {"مناسخة", true, "ن"}, {nullptr, false, ""}, {"مفرده", false, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.preset ? c.preset : "no preset");
        host.Text_TYPS.clear();
        db.execute("delete from TYPS_TABLE");
        if (c.preset)
            db.execute("insert into TYPS_TABLE values (?)", {QString(c.preset)});
        open(EntryStage::Type);
        if (c.pressed) {
            EXPECT_EQ(execAsEngine(), QDialog::Accepted);
            EXPECT_EQ(host.Text_TYPS, c.letter);
            continue;
        }
        showActive();
        EXPECT_TRUE(open());
        EXPECT_EQ(combo("Combo_TYPE_CASE")->currentIndex(), -1);
        // The user's own press closes the stage even without a choice; the engine asks again.
        button("Command_type_case")->click();
        EXPECT_FALSE(open());
        EXPECT_EQ(host.Text_TYPS, "");
    }
}

TEST_F(Form12Test, TheWindowSystemCannotCloseTheDialogue) {
    open(EntryStage::Details);
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowTitleHint);
    EXPECT_EQ(dialog->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(dialog->size(), QSize(1024, 768));
    showActive();
    EXPECT_FALSE(dialog->close());
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    dialog->reject();
    EXPECT_TRUE(open());
    EXPECT_EQ(host.Text_deth_name, "");
}

TEST_F(Form12Test, ExitAndMainMenuButtonsRunTheirHooks) {
    open(EntryStage::Details);
    button("Command7")->click();
    EXPECT_EQ(cleanExits, 1);
    EXPECT_EQ(mainMenus, 0);
    // The caption is drawn whole; its access letter is a shortcut of its own.
    EXPECT_EQ(button("Command8")->text(), "القائمة الرئيسية");
    button("Command8")->click();
    EXPECT_EQ(mainMenus, 1);
    EXPECT_EQ(button("Command2")->text(), Texts::Shrink);
    EXPECT_FALSE(shown("Command5"));
}

// Case details and the run button -------------------------------------------------------------

TEST_F(Form12Test, TheDetailsStageReadsTheHeaderOfTheCaseInHand) {
    addHeirs({{"ابن", "علي"}, {"بنت", "زينب"}});
    db.execute("update WARITH set case_no = 5, deth_name = 'محمد', case_name = 'مسألة', "
               "DATA_ENTRY_NAME = 'احمد', ADRESS_ENTRY_NAME = 'المحكمة'");
    db.execute("insert into case_no values (5, '1')");
    open(EntryStage::Details);
    EXPECT_EQ(edit("Text_deth_name")->text(), "محمد");
    EXPECT_EQ(edit("Text_case_no")->text(), "5");
    EXPECT_EQ(edit("Text_case_no_appeare")->text(), "5");
    EXPECT_EQ(edit("Text_case_name")->text(), "مسألة");
    EXPECT_EQ(combo("Text_DATA_ENTRY_NAME")->currentText(), "احمد");
    EXPECT_EQ(combo("Text_ADRESS_ENTRY_NAME")->currentText(), "المحكمة");
    EXPECT_TRUE(shown("FrameADRESS"));
    EXPECT_EQ(button("Command4")->text(), Texts::RemoveIssuingBody);
    EXPECT_EQ(rows("case_no"), 0);
    showActive();
    // A stored case opens with the cursor on the heirs' names.
    EXPECT_EQ(QApplication::focusWidget(), grid());
    EXPECT_EQ(grid()->currentIndex().column(), 1);
}

TEST_F(Form12Test, NoIssuingBodyKeepsItsFrameHidden) {
    for (const char* body : {"-", ""}) {
        SCOPED_TRACE(body);
        db.execute("delete from WARITH");
        addHeirs({{"ابن", "علي"}});
        db.execute("update WARITH set ADRESS_ENTRY_NAME = ?", {QString(body)});
        open(EntryStage::Details);
        EXPECT_FALSE(shown("FrameADRESS"));
        EXPECT_EQ(button("Command4")->text(), Texts::AddIssuingBody);
        EXPECT_EQ(edit("Text_case_no")->text(), "");
    }
}

TEST_F(Form12Test, TheRunButtonRefusesInOrderAndTheDialogueStaysOpen) {
    open(EntryStage::Details);
    showActive();
    QPushButton* run = button("Command1");
    EXPECT_EQ(run->text(), Texts::RunCaption);
    edit("Text_deth_name")->setText("محمد");
    combo("Text_DATA_ENTRY_NAME")->setEditText("احمد");
    run->click();
    addHeirs({{"ابن", "علي"}});
    edit("Text_deth_name")->clear();
    run->click();
    edit("Text_deth_name")->setText("محمد");
    combo("Text_DATA_ENTRY_NAME")->setEditText("");
    run->click();
    combo("Text_DATA_ENTRY_NAME")->setEditText("احمد");
    edit("Text_deth_name")->setText("محمـد");
    run->click();
    edit("Text_deth_name")->setText("محمد");
    addHeirs("ابن", 50);
    run->click();
    db.execute("delete from WARITH where ar > (select min(ar) from WARITH)");
    addHeirs({{"بنت", ""}});
    run->click();
    EXPECT_EQ(messages.texts(), QStringList({Texts::Incomplete, Texts::Incomplete, Texts::NoPreparer,
                                             Texts::StretchedDeceasedName, Texts::TooManyHeirs + "50",
                                             Texts::EmptyHeirName + "2"}));
    EXPECT_TRUE(open());
    EXPECT_EQ(host.Text_deth_name, "");
    EXPECT_EQ(rows("DATA_ENTRY_NAME_REPORT"), 0);
}

TEST_F(Form12Test, TheRunButtonHandsTheCaseOver) {
    addHeirs({{"زوجة", "فاطمة"}, {"ابن", "O'Neil"}});
    db.execute("insert into REPORT_DESTRIBUTER values ('تركة')");
    open(EntryStage::Details);
    edit("Text_deth_name")->setText("عبد الله 'الكبير'");
    combo("Text_DATA_ENTRY_NAME")->setEditText("O'Brien");
    button("Command4")->click();
    combo("Text_ADRESS_ENTRY_NAME")->setEditText("دار 'الفتوى'");
    host.Text_case_no = "9";
    button("Command1")->click();

    EXPECT_EQ(messages.texts(), QStringList());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(host.Text_deth_name, "عبد الله 'الكبير'");
    EXPECT_EQ(host.Text_case_no, "");
    EXPECT_EQ(
        column("select distinct deth_name || '|' || DATA_ENTRY_NAME || '|' || ADRESS_ENTRY_NAME from WARITH"),
        QStringList{"عبد الله 'الكبير'|O'Brien|دار 'الفتوى'"});
    EXPECT_EQ(column("select warith_name from WARITH order by ar"), QStringList({"فاطمة", "O'Neil"}));
    EXPECT_EQ(rows("REPORT_DESTRIBUTER"), 0);
    EXPECT_EQ(column("select DATA_ENTRY_NAME from DATA_ENTRY_NAME_REPORT"), QStringList{"O'Brien"});
    EXPECT_EQ(column("select ADRESS_ENTRY_NAME from ADRESS_ENTRY_NAME_REPORT"), QStringList{"دار 'الفتوى'"});
}

// The user types into a cell and presses the run button without leaving the cell first.
class RunWithACellOpen : public Form12Test {
protected:
    void typeWithoutLeaving(int row, int column, const QString& text) {
        QTableView* g = grid();
        g->setFocus();
        g->setCurrentIndex(g->model()->index(row, column));
        g->edit(g->currentIndex());
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        editor->insert(text);
    }
    void completeCase() {
        edit("Text_deth_name")->setText("محمد");
        combo("Text_DATA_ENTRY_NAME")->setEditText("احمد");
    }
};

TEST_F(RunWithACellOpen, TheTypedTextIsTakenBeforeTheCaseIsHandedOver) {
    addHeirs({{"ابن", "علي"}});
    open(EntryStage::Details);
    showActive();
    completeCase();
    typeWithoutLeaving(0, 1, "عمر");
    button("Command1")->click();
    EXPECT_EQ(messages.texts(), QStringList());
    EXPECT_FALSE(open());
    EXPECT_EQ(column("select warith_relation || '|' || warith_name from WARITH"), QStringList{"ابن|عمر"});
}

TEST_F(RunWithACellOpen, ARefusedTextStopsTheRunAndTheDialogueStaysOpen) {
    struct Case {
        const char* name;
        int row;
        int column;
        QString text;
        QString message;
    };
    const Case cases[] = {
        {"unknown relation over a stored one", 0, 0, "ابنن", Texts::BadTypedRelation},
        {"a second father", 1, 0, "اب", Texts::MoreThanOne + "اب"},
        {"a wife beside the husband", 1, 0, "زوجة", Texts::HusbandAndWife},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        db.execute("delete from WARITH");
        addHeirs({{"اب", "علي"}, {"ابن", "عمر"}, {"زوج", "زيد"}});
        host = {};
        const qsizetype before = messages.texts().size();
        open(EntryStage::Details);
        showActive();
        completeCase();
        typeWithoutLeaving(c.row, c.column, c.text);
        button("Command1")->click();
        EXPECT_EQ(messages.texts().mid(before), QStringList{c.message});
        EXPECT_TRUE(open());
        EXPECT_EQ(host.Text_deth_name, "");
        EXPECT_EQ(column("select warith_relation from WARITH order by ar"),
                  QStringList({"اب", "ابن", "زوج"}));
        dialog.reset();
    }
}

TEST_F(Form12Test, TheRunTwinIsAltJAndDoesWhatTheRunButtonDoes) {
    open(EntryStage::Details);
    auto* twin = child<QAction>("Command_ALTER_run");
    EXPECT_EQ(twin->shortcut(), QKeySequence(Qt::ALT | Qt::Key_J));
    EXPECT_EQ(child<QAction>("Command_ALTER_NEW")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_BracketLeft));
    showActive();
    QTest::keyClick(dialog.get(), Qt::Key_J, Qt::AltModifier);
    EXPECT_EQ(messages.texts(), QStringList{Texts::Incomplete});

    addHeirs({{"ابن", "علي"}});
    edit("Text_deth_name")->setText("محمد");
    combo("Text_DATA_ENTRY_NAME")->setEditText("احمد");
    QTest::keyClick(dialog.get(), Qt::Key_J, Qt::AltModifier);
    EXPECT_FALSE(open());
    EXPECT_EQ(host.Text_deth_name, "محمد");
}

// Alt and a button's Arabic access letter, or the Latin letter on its key, presses the button
// shown at each stage under either layout; "ت" is on J at every stage.
TEST_F(Form12Test, EveryAccessKeyPressesItsButtonUnderEitherLayout) {
    const struct {
        EntryStage stage;
        const char* button;
        Qt::Key latin;
        char16_t arabic;
    } keys[] = {
        {EntryStage::Type, "Command_type_case", Qt::Key_J, 0x062A},
        {EntryStage::Estate, "Command_tariqa", Qt::Key_J, 0x062A},
        {EntryStage::Estate, "Command3", Qt::Key_G, 0x0644},
        {EntryStage::Stored, "Command_stord_case", Qt::Key_J, 0x062A},
        {EntryStage::Details, "Command_new", Qt::Key_BracketLeft, 0x062C},
        {EntryStage::Details, "Command_save", Qt::Key_O, 0x062E},
        {EntryStage::Details, "Command_edit", Qt::Key_U, 0x0639},
        {EntryStage::Details, "Command_delete", Qt::Key_P, 0x062D},
        {EntryStage::Details, "Command8", Qt::Key_R, 0x0642},
    };
    for (const testsupport::KeyboardLayout layout : testsupport::BothLayouts) {
        for (const auto& k : keys) {
            SCOPED_TRACE(std::string(testsupport::nameOf(layout)) + " " + k.button);
            open(k.stage);
            showActive();
            QSignalSpy pressed(button(k.button), &QPushButton::clicked);
            testsupport::altKey(dialog.get(), layout, k.latin, k.arabic);
            EXPECT_EQ(pressed.count(), 1);
            dialog.reset();
        }
        // The run button marks no letter: its twin's key runs it at the details stage.
        SCOPED_TRACE(testsupport::nameOf(layout));
        open(EntryStage::Details);
        showActive();
        const qsizetype shownBefore = messages.texts().size();
        testsupport::altKey(dialog.get(), layout, Qt::Key_J, 0x062A);
        EXPECT_EQ(messages.texts().mid(shownBefore), QStringList{Texts::Incomplete});
        dialog.reset();
    }
}

TEST_F(Form12Test, TheRunTwinDoesNothingAtAnotherStage) {
    addHeirs({{"ابن", "علي"}});
    open(EntryStage::Estate);
    child<QAction>("Command_ALTER_run")->trigger();
    EXPECT_EQ(messages.texts(), QStringList{});
    EXPECT_EQ(host.Text_deth_name, "");
}

TEST_F(Form12Test, AHoverRetypesTheRunCaptionLetterByLetter) {
    open(EntryStage::Details);
    showActive();
    QPushButton* run = button("Command1");
    auto* timer = child<QTimer>("Timer16");
    QStringList captions;
    QObject::connect(timer, &QTimer::timeout, [&] { captions << run->text(); });
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), run->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(run, &move);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), Form12::RunCaptionInterval);
    QTest::qWait(8 * Form12::RunCaptionInterval);
    EXPECT_EQ(captions, QStringList({"ت", "تن", "تنف", "تنفي", "تنفيذ"}));
    EXPECT_FALSE(timer->isActive());
}

TEST_F(Form12Test, ANewCaseEmptiesTheHeirsAndTheBoxes) {
    addHeirs({{"ابن", "علي"}});
    db.execute("update WARITH set case_no = 4, deth_name = 'محمد', DATA_ENTRY_NAME = 'احمد'");
    open(EntryStage::Details);
    button("Command_new")->click();
    EXPECT_EQ(rows("WARITH"), 0);
    EXPECT_EQ(grid()->model()->rowCount(), 1);
    for (const char* box : {"Text_deth_name", "Text_case_no", "Text_case_no_appeare", "Text_case_name"})
        EXPECT_EQ(edit(box)->text(), "") << box;
    EXPECT_EQ(combo("Text_DATA_ENTRY_NAME")->currentText(), "");
}

// Heirs grid ----------------------------------------------------------------------------------

TEST_F(Form12Test, TheGridShowsRelationAndNameInEntryOrder) {
    addHeirs({{"ابن", "علي"}, {"بنت", "زينب"}});
    open(EntryStage::Details);
    QAbstractItemModelTester tester(grid()->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    QAbstractItemModel* m = grid()->model();
    EXPECT_EQ(m->columnCount(), 2);
    EXPECT_EQ(m->headerData(0, Qt::Horizontal).toString(), "الصلة");
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), "اسم الوارث");
    EXPECT_EQ(m->index(1, 1).data().toString(), "زينب");
    EXPECT_EQ(grid()->toolTip(), Texts::GridTip);
    EXPECT_FALSE(grid()->tabKeyNavigation());
}

TEST_F(Form12Test, ATypedRelationIsCheckedBeforeItIsTaken) {
    addHeirs("زوجة", 3);
    open(EntryStage::Details);
    showActive();
    edit("Text_deth_name")->setText("محمد");
    typeIntoCell(3, 0, "زوجة");
    EXPECT_EQ(messages.texts(), QStringList());
    EXPECT_EQ(rows("WARITH"), 4);

    typeIntoCell(4, 0, "زوجة");
    typeIntoCell(4, 0, "زوجات");
    EXPECT_EQ(messages.texts(), QStringList({Texts::FifthWife, Texts::BadTypedRelation}));
    EXPECT_EQ(rows("WARITH"), 4);
    EXPECT_EQ(grid()->model()->index(4, 0).data().toString(), "");
}

TEST_F(Form12Test, ANameChangeCountsTheRowsRelationAgain) {
    addHeirs("اب", 2);
    addHeirs({{"زوجة", "فاطمة"}});
    open(EntryStage::Details);
    showActive();
    typeIntoCell(2, 1, "عائشة");
    EXPECT_EQ(messages.texts(), QStringList());
    typeIntoCell(0, 1, "عمر");
    EXPECT_EQ(messages.texts(), QStringList{Texts::MoreThanOne + "اب"});
    EXPECT_EQ(column("select warith_name from WARITH order by ar"),
              QStringList({"وارث 1", "وارث 2", "عائشة"}));
}

TEST_F(Form12Test, LeavingACellUnchangedIsNoEdit) {
    addHeirs({{"اب", "عمر"}});
    open(EntryStage::Details);
    showActive();
    QTableView* g = grid();
    g->setFocus();
    g->setCurrentIndex(g->model()->index(0, 0));
    g->edit(g->currentIndex());
    ASSERT_NE(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(messages.texts(), QStringList());
    // Typing the same relation over itself is an edit, and the row counts itself.
    typeIntoCell(0, 0, "اب");
    EXPECT_EQ(messages.texts(), QStringList{Texts::MoreThanOne + "اب"});
}

TEST_F(Form12Test, ARelationWithAnApostropheIsTakenFromTheTable) {
    const QString quoted = "ابن 'العم'";
    db.execute("insert into relations (relations, au) values (?, 200)", {quoted});
    open(EntryStage::Details);
    showActive();
    typeIntoCell(0, 1, "O'Neil");
    typeIntoCell(0, 0, quoted);
    EXPECT_EQ(messages.texts(), QStringList());
    EXPECT_EQ(column("select warith_relation || '|' || warith_name from WARITH"),
              QStringList{quoted + "|O'Neil"});
}

TEST_F(Form12Test, F5OpensThePickListOnTheRelationColumnOnly) {
    addHeirs({{"ابن", "علي"}});
    open(EntryStage::Details);
    showActive();
    QTableView* g = grid();
    g->setFocus();
    g->setCurrentIndex(g->model()->index(0, 1));
    QTest::keyClick(g, Qt::Key_F5);
    EXPECT_FALSE(shown("DBList_relation"));
    g->setCurrentIndex(g->model()->index(0, 0));
    QTest::keyClick(g, Qt::Key_F5);
    EXPECT_TRUE(shown("DBList_relation"));
    EXPECT_TRUE(shown("RichTextBox1"));
    EXPECT_TRUE(child<QTextBrowser>("RichTextBox1")->toPlainText().contains(Texts::NoteHeading));
    EXPECT_EQ(QApplication::focusWidget(), combo("DBList_relation"));

    // Esc closes it and gives the grid back its cursor; the cell is unchanged.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(shown("DBList_relation"));
    EXPECT_FALSE(shown("RichTextBox1"));
    EXPECT_EQ(QApplication::focusWidget(), g);
    EXPECT_EQ(g->model()->index(0, 0).data().toString(), "ابن");
}

TEST_F(Form12Test, APickFromTheListIsCheckedThenWrittenAndStampsTheDeceased) {
    addHeirs({{"زوج", "زيد"}});
    open(EntryStage::Details);
    QComboBox* list = combo("DBList_relation");
    EXPECT_EQ(list->count(), rows("relations"));
    EXPECT_EQ(list->currentText(), "اب"); // the first in the table's order
    showActive();
    edit("Text_deth_name")->setText("هند");
    QTableView* g = grid();
    g->setFocus();
    g->setCurrentIndex(g->model()->index(1, 0));
    QTest::keyClick(g, Qt::Key_F5);

    list->setEditText("زوجة");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    list->setEditText("زوجات");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(messages.texts(), QStringList({Texts::HusbandAndWife, Texts::BadPickedRelation}));
    EXPECT_TRUE(shown("DBList_relation"));
    EXPECT_EQ(rows("WARITH"), 1);

    list->setEditText("ابن");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(shown("DBList_relation"));
    EXPECT_EQ(column("select warith_relation from WARITH order by ar"), QStringList({"زوج", "ابن"}));
    EXPECT_EQ(column("select distinct deth_name from WARITH"), QStringList{"هند"});
    // The new heir's name, on his own row.
    EXPECT_EQ(g->currentIndex(), g->model()->index(1, 1));
    EXPECT_EQ(QApplication::focusWidget(), g);
}

// The list opens on the text it last held; what the user types replaces that text.
TEST_F(Form12Test, TypingIntoTheOpenedPickListReplacesItsText) {
    addHeirs({{"", "هند"}, {"", "علي"}, {"", "عمر"}});
    open(EntryStage::Details);
    showActive();
    edit("Text_deth_name")->setText("سالم");
    QTableView* g = grid();
    // "اخ" begins "اخت", which the list holds before it.
    for (const auto& [row, relation] :
         {std::pair{0, QString("زوجة")}, std::pair{1, QString("ابن")}, std::pair{2, QString("اخ")}}) {
        SCOPED_TRACE(relation.toStdString());
        g->setFocus();
        g->setCurrentIndex(g->model()->index(row, 0));
        QTest::keyClick(g, Qt::Key_F5);
        ASSERT_EQ(QApplication::focusWidget(), combo("DBList_relation"));
        // Arabic letters, as an Arabic keyboard sends them: keys that carry their text.
        for (const QChar letter : relation) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(letter));
            QCoreApplication::sendEvent(QApplication::focusWidget(), &press);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    EXPECT_EQ(messages.texts(), QStringList());
    EXPECT_EQ(column("select warith_relation from WARITH order by ar"), QStringList({"زوجة", "ابن", "اخ"}));
}

// What the user types into a box with a list stays what was typed, although the list holds a
// longer name that begins the same way.
TEST_F(Form12Test, ABoxWithAListKeepsTheTextAsTyped) {
    struct Case {
        EntryStage stage;
        const char* box;
        const char* listed; // put into the box's table before the dialogue opens
        QString typed;
    };
    db.execute("insert into DATA_ENTRY_NAME values ('احمد علي')");
    db.execute("insert into ADRESS_ENTRY_NAME values ('محكمة بداءة')");
    const Case cases[] = {
        {EntryStage::Details, "Text_DATA_ENTRY_NAME", "احمد علي", "احمد"},
        {EntryStage::Details, "Text_ADRESS_ENTRY_NAME", "محكمة بداءة", "محكمة"},
        {EntryStage::Estate, "Text_tariqa_currency", "ليرة سورية", "ليرة"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        open(c.stage);
        showActive();
        QComboBox* box = combo(c.box);
        ASSERT_GE(box->findText(QString::fromUtf8(c.listed)), 0);
        box->setEditText(QString());
        box->show();
        box->setFocus();
        for (const QChar letter : c.typed) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(letter));
            QCoreApplication::sendEvent(box, &press);
        }
        EXPECT_EQ(box->currentText(), c.typed);
        dialog.reset();
    }
}

TEST_F(Form12Test, APickFromTheOpenListCommitsAndLeavingTheListDoesNot) {
    open(EntryStage::Details);
    showActive();
    QTableView* g = grid();
    g->setFocus();
    g->setCurrentIndex(g->model()->index(0, 0));
    QTest::keyClick(g, Qt::Key_F5);
    QComboBox* list = combo("DBList_relation");
    // A text that names a relation, then the focus elsewhere: no pick.
    list->setEditText("ابن");
    edit("Text_deth_name")->setFocus();
    EXPECT_EQ(rows("WARITH"), 0);

    g->setFocus();
    QTest::keyClick(g, Qt::Key_F5);
    list->showPopup();
    QAbstractItemView* popup = list->view();
    popup->setCurrentIndex(popup->model()->index(list->findText("بنت"), 0));
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_EQ(column("select warith_relation from WARITH"), QStringList{"بنت"});
    EXPECT_FALSE(shown("DBList_relation"));
}

TEST_F(Form12Test, EnterOnTheEmptyRowGoesOnToThePreparerAndStampsTheDeceased) {
    addHeirs({{"ابن", "علي"}, {"بنت", "زينب"}});
    open(EntryStage::Details);
    showActive();
    edit("Text_deth_name")->setText("محمد");
    QTableView* g = grid();
    g->setFocus();
    g->setCurrentIndex(g->model()->index(2, 0));
    QTest::keyClick(g, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), combo("Text_DATA_ENTRY_NAME"));
    EXPECT_EQ(column("select distinct deth_name from WARITH"), QStringList{"محمد"});
}

TEST_F(Form12Test, DeletingARowLeavesTheOthersInEntryOrder) {
    addHeirs({{"ابن", "علي"}, {"بنت", "زينب"}, {"اخ", "عمر"}});
    open(EntryStage::Details);
    showActive();
    QTableView* g = grid();
    g->setFocus();
    // A click on the record selector of the second row, as the selector column reports it.
    emit g->verticalHeader()->sectionClicked(1);
    EXPECT_EQ(g->selectionModel()->selectedRows(), QModelIndexList{g->model()->index(1, 0)});
    QTest::keyClick(g, Qt::Key_Delete);
    EXPECT_EQ(column("select warith_name from WARITH order by ar"), QStringList({"علي", "عمر"}));
    EXPECT_EQ(g->model()->index(1, 1).data().toString(), "عمر");
}

// The keyboard's way to the same deletion: Shift+Space selects the current row as a click on its
// selector does, wherever the cursor stands in it, and Delete deletes it.
TEST_F(Form12Test, ShiftSpaceSelectsTheRowForDeleteAsItsSelectorDoes) {
    struct Case {
        const char* what;
        int row;
        int column;
        QStringList left; // names, in entry order
    };
    const Case cases[] = {
        {"from the name", 1, 1, {"علي", "عمر"}},
        {"from the relation", 1, 0, {"علي", "عمر"}},
        {"from an empty relation", 2, 0, {"علي", "زينب"}},
        {"the empty row, which stays", 3, 1, {"علي", "زينب", "عمر"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        db.execute("delete from WARITH");
        addHeirs({{"ابن", "علي"}, {"بنت", "زينب"}, {"", "عمر"}});
        open(EntryStage::Details);
        showActive();
        QTableView* g = grid();
        g->setFocus();
        g->setCurrentIndex(g->model()->index(c.row, c.column));
        QTest::keyClick(g, Qt::Key_Space, Qt::ShiftModifier);
        EXPECT_FALSE(shown("DBList_relation"));
        EXPECT_EQ(QApplication::focusWidget(), g);
        EXPECT_EQ(g->selectionModel()->selectedRows(), QModelIndexList{g->model()->index(c.row, 0)});
        QTest::keyClick(g, Qt::Key_Delete);
        EXPECT_EQ(column("select warith_name from WARITH order by ar"), c.left);
        EXPECT_EQ(column("select warith_relation from WARITH where warith_name = 'علي'"), QStringList{"ابن"});
        dialog.reset();
    }
}

// Preparer and issuing body -------------------------------------------------------------------

TEST_F(Form12Test, LeavingThePreparerAddsItOnceAndStampsTheHeader) {
    addHeirs({{"ابن", "علي"}});
    open(EntryStage::Details);
    showActive();
    edit("Text_deth_name")->setText("محمد");
    QComboBox* preparer = combo("Text_DATA_ENTRY_NAME");
    for (int i = 0; i < 2; ++i) {
        preparer->setFocus();
        preparer->setEditText("O'Brien");
        edit("Text_deth_name")->setFocus();
    }
    EXPECT_EQ(db.count("select count(*) from DATA_ENTRY_NAME where DATA_ENTRY_NAME = ?", {"O'Brien"}), 1);
    EXPECT_NE(preparer->findText("O'Brien"), -1);
    EXPECT_EQ(preparer->currentText(), "O'Brien");
    EXPECT_EQ(column("select deth_name || '|' || DATA_ENTRY_NAME from WARITH"), QStringList{"محمد|O'Brien"});
    EXPECT_EQ(messages.texts(), QStringList());
}

TEST_F(Form12Test, TheListButtonsDeleteOneNameOrAll) {
    db.execute("insert into DATA_ENTRY_NAME values ('احمد'), ('خالد')");
    db.execute("insert into ADRESS_ENTRY_NAME values ('المحكمة')");
    open(EntryStage::Details);
    QComboBox* preparer = combo("Text_DATA_ENTRY_NAME");
    preparer->setEditText("احمد");
    button("Command6")->click();
    EXPECT_EQ(column("select DATA_ENTRY_NAME from DATA_ENTRY_NAME"), QStringList{"خالد"});
    EXPECT_EQ(preparer->currentText(), "احمد");
    EXPECT_EQ(preparer->findText("احمد"), -1);
    button("Command9")->click();
    EXPECT_EQ(rows("DATA_ENTRY_NAME"), 0);
    EXPECT_EQ(preparer->count(), 0);

    combo("Text_ADRESS_ENTRY_NAME")->setEditText("-");
    button("Command11")->click();
    EXPECT_EQ(column("select ADRESS_ENTRY_NAME from ADRESS_ENTRY_NAME"), QStringList{"المحكمة"});
    button("Command10")->click();
    EXPECT_EQ(rows("ADRESS_ENTRY_NAME"), 0);
}

TEST_F(Form12Test, TheIssuingBodyToggleGoesByItsCaption) {
    open(EntryStage::Details);
    QPushButton* toggle = button("Command4");
    toggle->click();
    EXPECT_TRUE(shown("FrameADRESS"));
    EXPECT_EQ(toggle->text(), Texts::RemoveIssuingBody);
    combo("Text_ADRESS_ENTRY_NAME")->setEditText("المحكمة");
    toggle->click();
    EXPECT_FALSE(shown("FrameADRESS"));
    EXPECT_EQ(combo("Text_ADRESS_ENTRY_NAME")->currentText(), "-");
    EXPECT_EQ(toggle->text(), Texts::AddIssuingBody);
}

// Estate stage --------------------------------------------------------------------------------

TEST_F(Form12Test, TheEstateStageOffersTheCurrenciesInOrderWithTheDinarPreset) {
    db.execute("delete from currency_name");
    db.execute("insert into currency_name values ('ريال'), ('دولار'), ('جنيه')");
    open(EntryStage::Estate);
    QComboBox* currency = combo("Text_tariqa_currency");
    EXPECT_EQ(currency->currentText(), "دينار");
    QStringList items;
    for (int i = 0; i < currency->count(); ++i)
        items << currency->itemText(i);
    EXPECT_EQ(items, QStringList({"جنيه", "دولار", "ريال"}));
    EXPECT_EQ(child<QGroupBox>("Frame_tariqa")->title(), Texts::EstateFrame);
    showActive();
    EXPECT_EQ(QApplication::focusWidget(), edit("Text_tariqa_ammount"));
    QTest::keyClick(edit("Text_tariqa_ammount"), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), currency);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), edit("Text_tariqa_ammount"));
    EXPECT_TRUE(open());
}

TEST_F(Form12Test, TheEstateCommandWaitsForAnAmountThenHandsItOver) {
    db.execute("insert into TAWHEED values ('x')");
    open(EntryStage::Estate);
    button("Command_tariqa")->click();
    EXPECT_FALSE(dialog->result() == QDialog::Accepted);
    EXPECT_EQ(host.Text_tariqa_ammount, "");
    edit("Text_tariqa_ammount")->setText("1200");
    combo("Text_tariqa_currency")->setEditText("ليرة 'قديمة'");
    button("Command_tariqa")->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(host.Text_tariqa_ammount, "1200");
    EXPECT_EQ(host.Text_tariqa_currency, "ليرة 'قديمة'");
    EXPECT_EQ(db.count("select count(*) from currency_name where currency_name = ?", {"ليرة 'قديمة'"}), 1);
    EXPECT_EQ(rows("TAWHEED"), 0);
    EXPECT_EQ(column("select REPORT_DESTRIBUTER from REPORT_DESTRIBUTER"), QStringList{"تركة"});
}

TEST_F(Form12Test, EscClosesTheCurrencyGridAndReadsTheListAgain) {
    open(EntryStage::Estate);
    showActive();
    button("Command3")->click();
    auto* currencies = child<QTableView>("DBGrid2");
    EXPECT_TRUE(currencies->isVisible());
    QAbstractItemModel* m = currencies->model();
    EXPECT_EQ(m->headerData(0, Qt::Horizontal).toString(), "العملة");
    m->setData(m->index(m->rowCount() - 1, 0), "بيزو");

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(currencies->isVisible());
    QComboBox* currency = combo("Text_tariqa_currency");
    EXPECT_NE(currency->findText("بيزو"), -1);
    // The list is read afresh, preset and all: no currency until one is chosen.
    EXPECT_EQ(currency->currentText(), "");
    EXPECT_TRUE(open());
}

} // namespace
