#include "EntryFixture.h"

#include "entry/EntryTexts.h"
#include "entry/Form12.h"
#include "entry/RelationSpelling.h"
#include "support/RealMessageBoxes.h"
#include "support/Widgets.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <functional>
#include <memory>

namespace {

using engine::EntryStage;
using entry::Form12;
namespace Texts = entry::Texts;

// The dialogue on screen, as the user has it, with the program's real message boxes answered by
// the user a moment after they come up.
class Form12KeyboardTest : public entrytest::EntryFixture {
protected:
    Form12& openShown(EntryStage stage) {
        setStage(stage);
        dialog = std::make_unique<Form12>(db, host, entry::ExitHooks{[] {}, [] {}});
        testsupport::showActive(dialog);
        QTest::qWait(2 * Form12::SourcePressDelay + 20);
        return *dialog;
    }
    template <typename T> T* child(const char* name) const {
        return testsupport::namedChild<T>(dialog, name);
    }
    QTableView* grid() const { return child<QTableView>("DBGrid1"); }
    QComboBox* pickList() const { return child<QComboBox>("DBList_relation"); }
    QWidget* focus() const { return QApplication::focusWidget(); }

    // Keys that carry their text, as an Arabic keyboard sends them.
    static void typeText(QWidget* target, const QString& text) {
        for (const QChar letter : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(letter));
            QCoreApplication::sendEvent(target, &press);
        }
    }
    // A cell typed into and left with Enter; the boxes that answer are waited for.
    void typeIntoCell(int row, int column, const QString& text) {
        QTableView* g = grid();
        const QModelIndex index = g->model()->index(row, column);
        g->setFocus();
        g->setCurrentIndex(index);
        g->edit(index);
        auto* editor = qobject_cast<QLineEdit*>(focus());
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        editor->insert(text);
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::qWait(50);
    }
    void openPickListAt(int row) {
        QTableView* g = grid();
        g->setFocus();
        g->setCurrentIndex(g->model()->index(row, 0));
        QTest::keyClick(g, Qt::Key_F5);
        ASSERT_EQ(focus(), pickList());
    }
    QStringList relations() const { return column("select warith_relation from WARITH order by ar"); }

    std::unique_ptr<Form12> dialog;
};

// Focus after a refusal in the heirs grid ------------------------------------------------------

TEST_F(Form12KeyboardTest, ARefusedCellHasTheFocusBackAndTheNextKeysGoIntoIt) {
    struct Case {
        const char* what;
        int row;
        QString typed;
        QString message;
    };
    const Case cases[] = {
        {"unknown relation", 2, "ابنن", Texts::BadTypedRelation},
        {"a second husband", 2, "زوج", Texts::MoreThanOne + "زوج"},
        {"a wife beside the husband", 2, "زوجة", Texts::HusbandAndWife},
        {"a second husband over the son's row", 1, "زوج", Texts::MoreThanOne + "زوج"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        db.execute("delete from WARITH");
        addHeirs({{"زوج", "زيد"}, {"ابن", "عمر"}});
        testsupport::RealMessageBoxes boxes;
        openShown(EntryStage::Details);
        child<QLineEdit>("Text_deth_name")->setText("هند");
        typeIntoCell(c.row, 0, c.typed);
        EXPECT_EQ(boxes.texts(), QStringList{c.message});
        // The window system gives the dialogue back its activation once the box is gone.
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        EXPECT_EQ(focus(), grid());
        EXPECT_EQ(grid()->currentIndex(), grid()->model()->index(c.row, 0));
        // What the user types next lands in the grid, never in the deceased's name.
        QTest::keyClick(focus(), Qt::Key_Escape);
        typeText(focus(), "ب");
        EXPECT_EQ(child<QLineEdit>("Text_deth_name")->text(), "هند");
        dialog.reset();
    }
}

TEST_F(Form12KeyboardTest, TabInACellBeingEditedTakesItAndLeavesTheGrid) {
    addHeirs({{"ابن", "عمر"}});
    openShown(EntryStage::Details);
    QTableView* g = grid();
    const QModelIndex name = g->model()->index(0, 1);
    g->setFocus();
    g->setCurrentIndex(name);
    g->edit(name);
    auto* editor = qobject_cast<QLineEdit*>(focus());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    editor->insert("خالد");
    QTest::keyClick(editor, Qt::Key_Tab);
    QTest::qWait(20);
    EXPECT_NE(focus(), nullptr);
    EXPECT_FALSE(focus() == g || g->isAncestorOf(focus()));
    EXPECT_EQ(name.data().toString(), "خالد");
}

TEST_F(Form12KeyboardTest, ARefusedPickKeepsTheFocusInThePickList) {
    addHeirs({{"زوج", "زيد"}});
    testsupport::RealMessageBoxes boxes;
    openShown(EntryStage::Details);
    openPickListAt(1);
    pickList()->setEditText("زوجة");
    QTest::keyClick(focus(), Qt::Key_Return);
    QTest::qWait(50);
    EXPECT_EQ(boxes.texts(), QStringList{Texts::HusbandAndWife});
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    EXPECT_TRUE(pickList()->isVisible());
    EXPECT_TRUE(pickList()->isAncestorOf(focus()) || focus() == pickList());
}

// The pick list ---------------------------------------------------------------------------------

TEST_F(Form12KeyboardTest, ThePickListOpensOverItsOwnCell) {
    addHeirs({{"", "هند"}, {"", "علي"}, {"", "عمر"}});
    openShown(EntryStage::Details);
    QTableView* g = grid();
    auto cellTop = [&](int row) {
        return g->viewport()->mapTo(pickList()->parentWidget(), QPoint(0, g->rowViewportPosition(row))).y();
    };
    // A click on the first row, then the list opened from the third by the keyboard.
    const QPoint firstRow(g->columnViewportPosition(0) + 5, g->rowViewportPosition(0) + 3);
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, firstRow);
    openPickListAt(2);
    EXPECT_EQ(pickList()->geometry().top(), cellTop(2));
    // Closed and opened on the first row by its cell button.
    QTest::keyClick(focus(), Qt::Key_Escape);
    openPickListAt(0);
    EXPECT_EQ(pickList()->geometry().top(), cellTop(0));
}

TEST_F(Form12KeyboardTest, TabAndEnterInThePickListTakeTheTypedTextAsAPickAndPressNoButton) {
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Return, Qt::Key_Enter}) {
        SCOPED_TRACE(QKeySequence(key).toString().toStdString());
        db.execute("delete from WARITH");
        addHeirs({{"زوجة", "هند"}, {"", "علي"}});
        int clicks = 0;
        openShown(EntryStage::Details);
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            QObject::connect(b, &QPushButton::clicked, [&clicks] { ++clicks; });
        child<QLineEdit>("Text_deth_name")->setText("سالم");
        openPickListAt(1);
        typeText(focus(), "ابن");
        QTest::keyClick(focus(), key);
        QTest::qWait(20);
        EXPECT_EQ(relations(), QStringList({"زوجة", "ابن"}));
        EXPECT_FALSE(pickList()->isVisible());
        EXPECT_EQ(focus(), grid());
        // The heir had his name: on to the next heir's.
        EXPECT_EQ(grid()->currentIndex(), grid()->model()->index(2, 1));
        EXPECT_EQ(clicks, 0);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(messages.texts(), QStringList());
        dialog.reset();
    }
}

// A user browsing the closed list with the arrows sees each relation in turn; none is written
// until the user commits the one shown.
TEST_F(Form12KeyboardTest, ArrowsInThePickListMoveTheHighlightAndCommitNothing) {
    for (const Qt::Key commit : {Qt::Key_Return, Qt::Key_Tab}) {
        SCOPED_TRACE(QKeySequence(commit).toString().toStdString());
        db.execute("delete from WARITH");
        addHeirs({{"", "علي"}});
        openShown(EntryStage::Details);
        child<QLineEdit>("Text_deth_name")->setText("سالم");
        openPickListAt(0);
        QComboBox* list = pickList();
        const int start = list->currentIndex();
        ASSERT_GE(start, 0);
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Up, Qt::Key_PageUp}) {
            QTest::keyClick(focus(), key);
            EXPECT_EQ(relations(), QStringList{""}) << QKeySequence(key).toString().toStdString();
            EXPECT_TRUE(list->isVisible());
            EXPECT_TRUE(focus() == list || list->isAncestorOf(focus()));
        }
        EXPECT_EQ(list->currentIndex(), start + 1);
        EXPECT_EQ(list->currentText(), list->itemText(start + 1));
        // What is typed after browsing replaces the relation shown.
        EXPECT_EQ(list->lineEdit()->selectedText(), list->itemText(start + 1));
        QTest::keyClick(focus(), commit);
        QTest::qWait(20);
        EXPECT_EQ(relations(), QStringList{list->itemText(start + 1)});
        EXPECT_FALSE(list->isVisible());
        EXPECT_EQ(messages.texts(), QStringList());
        dialog.reset();
    }
}

// Each heir is one row, whichever cell the user fills first.
TEST_F(Form12KeyboardTest, ANameTypedAfterTheRelationLandsOnTheSameRow) {
    struct Case {
        const char* what;
        std::vector<entrytest::Heir> before;
    };
    const Case cases[] = {
        {"the first heir", {}},
        {"a heir after others", {{"زوجة", "هند"}, {"بنت", "زينب"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        db.execute("delete from WARITH");
        addHeirs(c.before);
        openShown(EntryStage::Details);
        child<QLineEdit>("Text_deth_name")->setText("سالم");
        const int row = int(c.before.size());
        grid()->setFocus();
        grid()->setCurrentIndex(grid()->model()->index(row, 0));
        // The relation's first letter opens the list; Enter takes it.
        for (const QChar letter : QString("ابن"))
            typeText(focus(), letter);
        QTest::keyClick(focus(), Qt::Key_Return);
        QTest::qWait(20);
        EXPECT_EQ(grid()->currentIndex(), grid()->model()->index(row, 1));
        for (const QChar letter : QString("علي"))
            typeText(focus(), letter);
        QTest::keyClick(focus(), Qt::Key_Return);
        QTest::qWait(20);
        QStringList expected;
        for (const auto& [relation, name] : c.before)
            expected << relation + "|" + name;
        expected << "ابن|علي";
        EXPECT_EQ(column("select warith_relation || '|' || warith_name from WARITH order by ar"), expected);
        EXPECT_EQ(messages.texts(), QStringList());
        dialog.reset();
    }
}

// Hamza spellings -------------------------------------------------------------------------------

TEST_F(Form12KeyboardTest, ARelationWithHamzaIsStoredInTheListsSpelling) {
    struct Case {
        QString typed;
        QString stored;
    };
    const Case cases[] = {
        {"أم", "ام"}, {"أخت لأب", "اخت لاب"}, {"إبن", "ابن"}, {"أب", "اب"}, {"آبن", "ابن"},
    };
    for (const bool picked : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE((c.typed + (picked ? " picked" : " typed")).toStdString());
            db.execute("delete from WARITH");
            addHeirs({{"", "علي"}});
            openShown(EntryStage::Details);
            if (picked) {
                openPickListAt(0);
                typeText(focus(), c.typed);
                QTest::keyClick(focus(), Qt::Key_Return);
            } else {
                typeIntoCell(0, 0, c.typed);
            }
            EXPECT_EQ(relations(), QStringList{c.stored});
            dialog.reset();
        }
    }
    EXPECT_EQ(messages.texts(), QStringList());
}

TEST_F(Form12KeyboardTest, AHamzaSpellingCountsAsTheRelationItSpells) {
    addHeirs({{"ام", "فاطمة"}, {"", "زينب"}});
    openShown(EntryStage::Details);
    typeIntoCell(1, 0, "أم");
    EXPECT_EQ(messages.texts(), QStringList{Texts::MoreThanOne + "ام"});
    EXPECT_EQ(relations(), QStringList({"ام", ""}));
}

TEST_F(Form12KeyboardTest, ListSpellingLeavesWhatNamesNoRelationAsTyped) {
    const std::pair<QString, QString> cases[] = {
        {"ام", "ام"}, {"أم", "ام"}, {"إبن ابن", "ابن ابن"}, {"أمم", "أمم"}, {"", ""}, {"ٱبن", "ابن"},
    };
    for (const auto& [typed, spelled] : cases)
        EXPECT_EQ(entry::RelationSpelling::listSpelling(db, typed), spelled) << typed.toStdString();
}

// The run twin and the name boxes --------------------------------------------------------------

TEST_F(Form12KeyboardTest, TheRunTwinKeepsANewPreparerAndIssuingBodyAsAClickDoes) {
    struct Case {
        const char* box;
        const char* table;
    };
    for (const Case c : {Case{"Text_DATA_ENTRY_NAME", "DATA_ENTRY_NAME"},
                         Case{"Text_ADRESS_ENTRY_NAME", "ADRESS_ENTRY_NAME"}}) {
        SCOPED_TRACE(c.box);
        db.execute("delete from WARITH");
        addHeirs({{"ابن", "علي"}});
        host = {};
        openShown(EntryStage::Details);
        child<QLineEdit>("Text_deth_name")->setText("محمد");
        child<QComboBox>("Text_DATA_ENTRY_NAME")->setEditText("احمد");
        if (QString(c.box) == "Text_ADRESS_ENTRY_NAME")
            child<QPushButton>("Command4")->click();
        QComboBox* box = child<QComboBox>(c.box);
        box->setFocus();
        box->setEditText("اسم جديد");
        QTest::keyClick(dialog.get(), Qt::Key_J, Qt::AltModifier);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(host.Text_deth_name, "محمد");
        EXPECT_EQ(db.count(QString("select count(*) from %1 where %1 = ?").arg(c.table), {"اسم جديد"}), 1);
        dialog.reset();
    }
}

TEST_F(Form12KeyboardTest, TheIssuingBodyBoxSelectsItsTextOnFocus) {
    openShown(EntryStage::Details);
    QComboBox* body = child<QComboBox>("Text_ADRESS_ENTRY_NAME");
    child<QPushButton>("Command4")->click(); // shows the box and gives it the focus
    body->setEditText("محكمة بداءة");
    child<QLineEdit>("Text_deth_name")->setFocus();
    // A click or a program's move into the box, not only Tab.
    body->lineEdit()->setFocus(Qt::MouseFocusReason);
    QTest::qWait(10);
    EXPECT_EQ(body->lineEdit()->selectedText(), "محكمة بداءة");
}

// A missing preparer is said, and the user is put where he types it.
TEST_F(Form12KeyboardTest, AfterNoPreparerTheFocusIsInThePreparerBox) {
    struct Case {
        const char* what;
        std::function<void()> press;
    };
    const Case cases[] = {
        {"run, clicked", [this] { QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton); }},
        {"run, by its key from the grid",
         [this] {
             grid()->setFocus();
             QTest::keyClick(grid(), Qt::Key_J, Qt::AltModifier);
         }},
        {"store, clicked", [this] { QTest::mouseClick(child<QPushButton>("Command_save"), Qt::LeftButton); }},
        {"edit, clicked", [this] { QTest::mouseClick(child<QPushButton>("Command_edit"), Qt::LeftButton); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        db.execute("delete from WARITH");
        addHeirs({{"ابن", "علي"}});
        testsupport::RealMessageBoxes boxes;
        openShown(EntryStage::Details);
        child<QLineEdit>("Text_deth_name")->setText("محمد");
        c.press();
        QTest::qWait(50);
        EXPECT_EQ(boxes.texts(), QStringList{Texts::NoPreparer});
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        QTest::qWait(10);
        QComboBox* preparer = child<QComboBox>("Text_DATA_ENTRY_NAME");
        EXPECT_TRUE(focus() == preparer || preparer->isAncestorOf(focus()));
        typeText(focus(), "احمد");
        EXPECT_EQ(preparer->currentText(), "احمد");
        dialog.reset();
    }
}

// The estate stage ------------------------------------------------------------------------------

TEST_F(Form12KeyboardTest, TheEstateStageRefusesAnAmountWhileItStaysOnScreen) {
    bool stageShownBehind = false;
    testsupport::RealMessageBoxes boxes([&](QMessageBox&) {
        stageShownBehind = dialog->isVisible() && child<QWidget>("Frame_tariqa")->isVisible();
    });
    openShown(EntryStage::Estate);
    QLineEdit* amount = child<QLineEdit>("Text_tariqa_ammount");
    for (const QString& typed : {QString(), QString("abc"), QString("-5"), QString("0")}) {
        SCOPED_TRACE(typed.toStdString());
        stageShownBehind = false;
        const qsizetype before = boxes.texts().size();
        amount->setText(typed);
        child<QPushButton>("Command_tariqa")->click();
        QTest::qWait(20);
        EXPECT_EQ(boxes.texts().mid(before), QStringList{"المبلغ غير صحيح"});
        EXPECT_TRUE(stageShownBehind);
        EXPECT_TRUE(dialog->isVisible());
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        EXPECT_EQ(focus(), amount);
        EXPECT_EQ(host.Text_tariqa_ammount, "");
    }
    amount->setText("1200");
    child<QPushButton>("Command_tariqa")->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(host.Text_tariqa_ammount, "1200");
}

// However the currency box is reached, a currency typed there replaces the preset.
TEST_F(Form12KeyboardTest, ACurrencyTypedIntoTheBoxReplacesThePreset) {
    const char* const ways[] = {"Enter", "Tab", "click"};
    for (const char* way : ways) {
        SCOPED_TRACE(way);
        openShown(EntryStage::Estate);
        QLineEdit* amount = child<QLineEdit>("Text_tariqa_ammount");
        QComboBox* currency = child<QComboBox>("Text_tariqa_currency");
        ASSERT_EQ(focus(), amount);
        typeText(amount, "500");
        if (QString(way) == "Enter")
            QTest::keyClick(amount, Qt::Key_Return);
        else if (QString(way) == "Tab")
            QTest::keyClick(amount, Qt::Key_Tab);
        else
            QTest::mouseClick(currency->lineEdit(), Qt::LeftButton, {},
                              currency->lineEdit()->rect().center());
        QTest::qWait(10);
        ASSERT_TRUE(focus() == currency || currency->isAncestorOf(focus()));
        typeText(focus(), "ريال");
        EXPECT_EQ(currency->currentText(), "ريال");
        QTest::keyClick(child<QPushButton>("Command_tariqa"), Qt::Key_Space);
        EXPECT_EQ(host.Text_tariqa_currency, "ريال");
        dialog.reset();
    }
}

// A press that cannot be taken says what is missing: the focus is in the empty box, with the
// amount's refusal when the amount is the one missing.
TEST_F(Form12KeyboardTest, TheEstateCommandShowsTheEmptyBox) {
    struct Case {
        const char* what;
        QString amount;
        bool currencyEmptied; // by the currency table closed with Esc
        const char* focused;
        QStringList said;
    };
    const Case cases[] = {
        {"no currency", "1200", true, "Text_tariqa_currency", {}},
        {"no amount", "", false, "Text_tariqa_ammount", {"المبلغ غير صحيح"}},
        {"neither", "", true, "Text_tariqa_ammount", {"المبلغ غير صحيح"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host = {};
        testsupport::RealMessageBoxes boxes;
        openShown(EntryStage::Estate);
        QComboBox* currency = child<QComboBox>("Text_tariqa_currency");
        if (c.currencyEmptied) {
            QTest::keyClick(child<QPushButton>("Command3"), Qt::Key_Space);
            QTest::keyClick(focus(), Qt::Key_Escape);
            ASSERT_EQ(currency->currentText(), "");
        }
        child<QLineEdit>("Text_tariqa_ammount")->setText(c.amount);
        QPushButton* run = child<QPushButton>("Command_tariqa");
        run->setFocus();
        QTest::keyClick(run, Qt::Key_Space);
        QTest::qWait(50);
        EXPECT_EQ(boxes.texts(), c.said);
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        QTest::qWait(10);
        QWidget* box = child<QWidget>(c.focused);
        EXPECT_TRUE(focus() == box || box->isAncestorOf(focus()))
            << (focus() ? focus()->objectName().toStdString() : "");
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(host.Text_tariqa_currency, "");
        // Typed now, the missing currency is taken.
        if (QString(c.focused) == "Text_tariqa_currency") {
            typeText(focus(), "دولار");
            QTest::keyClick(run, Qt::Key_Space);
            EXPECT_EQ(host.Text_tariqa_currency, "دولار");
        }
        dialog.reset();
    }
}

} // namespace
