#include "EntryFixture.h"

#include "entry/Form12.h"
#include "platform/widgets/ArabicKeyboard.h"
#include "platform/widgets/FirstKeyConversion.h"
#include "support/TypedKeys.h"
#include "support/Widgets.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>

#include <memory>

namespace {

using engine::EntryStage;
using entry::Form12;
using platform::ArabicKeyboard;
using platform::FirstKeyConversion;
using testsupport::typeKeys;

// The language option and the heirs grid's keys of the case-entry dialogue.
class Form12FirstKeyTest : public entrytest::EntryFixture {
protected:
    void SetUp() override { ArabicKeyboard::setOn(false); }
    void TearDown() override {
        close();
        ArabicKeyboard::setOn(false);
    }
    void close() {
        testsupport::discardOpenCellEditor();
        dialog.reset();
    }

    void open(EntryStage stage) {
        close();
        setStage(stage);
        dialog = std::make_unique<Form12>(db, host);
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        QTest::qWait(30);
    }
    template <typename T> T* child(const char* name) const {
        return testsupport::namedChild<T>(dialog, name);
    }
    QTableView* grid() const { return child<QTableView>("DBGrid1"); }
    QComboBox* list() const { return child<QComboBox>("DBList_relation"); }
    FirstKeyConversion* conversion() const { return dialog->findChild<FirstKeyConversion*>(); }
    void goToCell(int row, int column) const {
        grid()->setFocus();
        grid()->setCurrentIndex(grid()->model()->index(row, column));
    }
    int entryRow() const { return grid()->model()->rowCount() - 1; }
    QLineEdit* cellEditor() const {
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        return editor && grid()->viewport()->isAncestorOf(editor) ? editor : nullptr;
    }
    QStringList relations() const { return column("select warith_relation from WARITH order by ar"); }
    QStringList names() const { return column("select warith_name from WARITH order by ar"); }

    std::unique_ptr<Form12> dialog;
};

TEST_F(Form12FirstKeyTest, TheLanguageFrameOffersArAndEnWithArChosenAtEveryLoad) {
    open(EntryStage::Details);
    auto* frame = child<QGroupBox>("Frame2");
    EXPECT_EQ(frame->title(), "نوع اللغة");
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(child<QRadioButton>("Option_AR")->text(), "AR");
    EXPECT_EQ(child<QRadioButton>("Option2")->text(), "EN");
    EXPECT_TRUE(child<QRadioButton>("Option_AR")->isChecked());
    child<QRadioButton>("Option2")->setChecked(true);
    open(EntryStage::Details);
    EXPECT_TRUE(child<QRadioButton>("Option_AR")->isChecked());
    EXPECT_FALSE(child<QRadioButton>("Option2")->isChecked());
}

// "." is a trigger; the boxes that take numbers neither convert nor take Arabic keys.
TEST_F(Form12FirstKeyTest, TheNumberBoxesKeepTheirKeys) {
    const std::pair<EntryStage, const char*> boxes[] = {{EntryStage::Estate, "Text_tariqa_ammount"},
                                                        {EntryStage::Details, "Text_case_no_appeare"},
                                                        {EntryStage::Stored, "Text_from"},
                                                        {EntryStage::Stored, "Text_to"}};
    for (const auto& [stage, name] : boxes) {
        SCOPED_TRACE(name);
        open(stage);
        for (const bool on : {false, true}) {
            ArabicKeyboard::setOn(on);
            auto* box = child<QLineEdit>(name);
            box->clear();
            box->setFocus();
            typeKeys(".2.5");
            EXPECT_EQ(box->text(), ".2.5");
            EXPECT_EQ(ArabicKeyboard::isOn(), on);
        }
    }
}

// Each conversion sets the keyboard on; none switches it away from Arabic.
TEST_F(Form12FirstKeyTest, ASecondFieldBegunInArabicLeavesTheKeyboardArabic) {
    open(EntryStage::Details);
    child<QLineEdit>("Text_deth_name")->setFocus();
    typeKeys("a");
    child<QComboBox>("Text_DATA_ENTRY_NAME")->setFocus();
    typeKeys("a");
    EXPECT_EQ(child<QLineEdit>("Text_deth_name")->text(), "ش");
    EXPECT_EQ(child<QComboBox>("Text_DATA_ENTRY_NAME")->currentText(), "ش");
    EXPECT_TRUE(ArabicKeyboard::isOn());
}

TEST_F(Form12FirstKeyTest, ANameBegunInLatinIsStoredInArabic) {
    addHeirs({{"ابن", "علي"}});
    open(EntryStage::Details);
    goToCell(entryRow(), 1);
    typeKeys("hpl]");
    ASSERT_NE(cellEditor(), nullptr);
    typeKeys("\r");
    QCoreApplication::processEvents();
    EXPECT_EQ(names(), QStringList({"علي", "احمد"}));
}

// A name with a hamza begun on a Latin layout: the first key converts by its own table, the rest
// follow the Arabic layout, Shift included.
TEST_F(Form12FirstKeyTest, ShiftedKeysAfterTheFirstTypeTheArabicLayoutsShiftedLetters) {
    open(EntryStage::Details);
    QLineEdit* name = child<QLineEdit>("Text_deth_name");
    name->setFocus();
    typeKeys("uf] hg");
    QTest::keyClick(name, Qt::Key_Y, Qt::ShiftModifier);
    typeKeys("gi");
    EXPECT_EQ(name->text(), "عبد الإله");
    name->clear();
    ArabicKeyboard::setOn(false);
    // "H" first is the table's alef; Shift and H after it is alef with hamza.
    QTest::keyClick(name, Qt::Key_H, Qt::ShiftModifier);
    QTest::keyClick(name, Qt::Key_H, Qt::ShiftModifier);
    QTest::keyClick(name, Qt::Key_N, Qt::ShiftModifier);
    EXPECT_EQ(name->text(), "اأآ");
}

// Relation cell: the list opens on the typed character --------------------------------------

TEST_F(Form12FirstKeyTest, APrintableCharacterInAnEmptyRelationCellOpensTheList) {
    struct Case {
        bool arabicOption;
        bool keyboardOn;
        QString key;
        QString listText;
    };
    const Case cases[] = {
        {true, false, "z", "z"}, // the list's own conversion does not see that key
        {false, false, "z", "z"}, {true, false, "ا", "ا"}, {true, false, "Q", "Q"},
        {true, true, "h", "ا"}, // the Arabic keyboard is on: the key arrives in Arabic
        {true, false, "1", "1"},
    };
    addHeirs({{"ابن", "علي"}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key.toStdString());
        open(EntryStage::Details);
        (c.arabicOption ? child<QRadioButton>("Option_AR") : child<QRadioButton>("Option2"))
            ->setChecked(true);
        ArabicKeyboard::setOn(c.keyboardOn);
        goToCell(entryRow(), 0);
        typeKeys(c.key);
        EXPECT_EQ(QApplication::focusWidget(), list());
        EXPECT_TRUE(list()->isVisible());
        EXPECT_TRUE(child<QTextBrowser>("RichTextBox1")->isVisible());
        EXPECT_EQ(list()->currentText(), c.listText);
        EXPECT_EQ(list()->lineEdit()->cursorPosition(), 1);
        EXPECT_FALSE(list()->lineEdit()->hasSelectedText());
        EXPECT_EQ(conversion()->firstKeyPending(), 0);
        EXPECT_EQ(relations(), QStringList({"ابن"}));
    }
}

TEST_F(Form12FirstKeyTest, ControlKeysAndAFilledRelationCellOpenNoList) {
    addHeirs({{"ابن", "علي"}});
    for (const QString key : {"\r", "\b", "\x1b", "\t"}) {
        SCOPED_TRACE(int(key.front().unicode()));
        open(EntryStage::Details);
        goToCell(entryRow(), 0);
        typeKeys(key);
        EXPECT_FALSE(list()->isVisible());
    }
    open(EntryStage::Details);
    goToCell(0, 0);
    typeKeys("z");
    EXPECT_FALSE(list()->isVisible());
    // The cell is edited instead.
    EXPECT_NE(cellEditor(), nullptr);
}

TEST_F(Form12FirstKeyTest, DeleteEmptiesTheRelationCellUnderEitherOption) {
    for (const char* option : {"Option_AR", "Option2"}) {
        SCOPED_TRACE(option);
        db.execute("delete from WARITH");
        addHeirs({{"ابن", "علي"}, {"بنت", "هند"}});
        open(EntryStage::Details);
        child<QRadioButton>(option)->setChecked(true);
        goToCell(1, 0);
        QTest::keyClick(grid(), Qt::Key_Delete);
        EXPECT_EQ(relations(), QStringList({"ابن", ""}));
        EXPECT_EQ(names(), QStringList({"علي", "هند"}));
        EXPECT_EQ(grid()->model()->index(1, 0).data().toString(), QString());
        // In the name column Delete leaves the cell.
        goToCell(0, 1);
        QTest::keyClick(grid(), Qt::Key_Delete);
        EXPECT_EQ(relations(), QStringList({"ابن", ""}));
        EXPECT_EQ(names(), QStringList({"علي", "هند"}));
    }
}

// Deleting a selected row with Delete is no emptying of the row that takes its place.
TEST_F(Form12FirstKeyTest, DeletingASelectedRowEmptiesNoRelation) {
    addHeirs({{"ابن", "علي"}, {"بنت", "زينب"}, {"اخ", "عمر"}});
    open(EntryStage::Details);
    grid()->setFocus();
    emit grid()->verticalHeader()->sectionClicked(1);
    QTest::keyClick(grid(), Qt::Key_Delete);
    EXPECT_EQ(relations(), QStringList({"ابن", "اخ"}));
}

// Delete while the relation cell is being edited is the editor's: one character goes.
TEST_F(Form12FirstKeyTest, DeleteInAnOpenRelationCellDeletesOneCharacter) {
    addHeirs({{"ابن", "علي"}});
    open(EntryStage::Details);
    goToCell(0, 0);
    grid()->edit(grid()->currentIndex());
    QLineEdit* editor = cellEditor();
    ASSERT_NE(editor, nullptr);
    editor->setCursorPosition(0);
    testsupport::pressKey(Qt::Key_Delete);
    testsupport::releaseKey(Qt::Key_Delete);
    EXPECT_EQ(editor->text(), "بن");
    EXPECT_EQ(relations(), QStringList({"ابن"}));
}

// Grid replacement: only the cell typed into, only the key typed -----------------------------

TEST_F(Form12FirstKeyTest, AKeyTakenByTheListLeavesNoReplacementForAnotherCell) {
    addHeirs({{"ابن", "علي"}});
    open(EntryStage::Details);
    goToCell(entryRow(), 0);
    typeKeys("z");
    ASSERT_EQ(QApplication::focusWidget(), list());
    // The relation is put right and taken; the grid moves on to the new row's name.
    list()->setEditText("بنت");
    typeKeys("\r");
    ASSERT_EQ(relations(), QStringList({"ابن", "بنت"}));
    ASSERT_EQ(QApplication::focusWidget(), grid());
    // An arrow released over a filled cell.
    goToCell(0, 1);
    testsupport::pressKey(Qt::Key_Left);
    testsupport::releaseKey(Qt::Key_Left);
    EXPECT_EQ(names(), QStringList({"علي", ""}));
    EXPECT_EQ(grid()->model()->index(0, 1).data().toString(), "علي");
    EXPECT_EQ(conversion()->firstKeyPending(), 0);
}

TEST_F(Form12FirstKeyTest, LeavingTheCellBeforeTheReleaseDropsTheReplacement) {
    addHeirs({{"ابن", "علي"}});
    open(EntryStage::Details);
    goToCell(entryRow(), 1);
    testsupport::pressKey(Qt::Key_M, "m");
    ASSERT_EQ(conversion()->firstKeyPending(), 1);
    goToCell(0, 1);
    EXPECT_EQ(conversion()->firstKeyPending(), 0);
    testsupport::releaseKey(Qt::Key_M, "m");
    EXPECT_EQ(grid()->model()->index(0, 1).data().toString(), "علي");
    EXPECT_FALSE(ArabicKeyboard::isOn());
}

// Another field's key between the press and the release does not change what the cell gets.
TEST_F(Form12FirstKeyTest, TheReplacementKeepsItsOwnKey) {
    open(EntryStage::Details);
    goToCell(entryRow(), 1);
    testsupport::pressKey(Qt::Key_M, "m");
    QTest::sendKeyEvent(QTest::Press, child<QLineEdit>("Text_deth_name"), Qt::Key_1, "1", Qt::NoModifier);
    ASSERT_EQ(conversion()->lastLatinKey(), "1");
    testsupport::releaseKey(Qt::Key_M, "m");
    ASSERT_NE(cellEditor(), nullptr);
    EXPECT_EQ(cellEditor()->text(), "ة");
    EXPECT_EQ(cellEditor()->cursorPosition(), 1);
}

// A second key typed before the first is released is kept; only the first is replaced.
TEST_F(Form12FirstKeyTest, TheReplacementTakesOutOnlyTheTypedKey) {
    open(EntryStage::Details);
    goToCell(entryRow(), 1);
    testsupport::pressKey(Qt::Key_M, "m");
    testsupport::pressKey(Qt::Key_2, "2");
    testsupport::releaseKey(Qt::Key_M, "m");
    testsupport::releaseKey(Qt::Key_2, "2");
    ASSERT_NE(cellEditor(), nullptr);
    EXPECT_EQ(cellEditor()->text(), "ة2");
    EXPECT_EQ(cellEditor()->cursorPosition(), 2);
}

// While "EN" is chosen the release makes no replacement.
TEST_F(Form12FirstKeyTest, WithEnTheReleaseReplacesNothing) {
    open(EntryStage::Details);
    goToCell(entryRow(), 1);
    testsupport::pressKey(Qt::Key_M, "m");
    child<QRadioButton>("Option2")->setChecked(true);
    testsupport::releaseKey(Qt::Key_M, "m");
    ASSERT_NE(cellEditor(), nullptr);
    EXPECT_EQ(cellEditor()->text(), "m");
    EXPECT_FALSE(ArabicKeyboard::isOn());
}

} // namespace
