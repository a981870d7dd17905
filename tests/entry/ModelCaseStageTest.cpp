#include "EntryFixture.h"

#include "entry/EntryTexts.h"
#include "entry/Form12.h"
#include "entry/ModelCaseQueue.h"
#include "support/Widgets.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

using engine::EntryStage;
using entry::Form12;
namespace Texts = entry::Texts;

// Form12 at the model-case stage over a small library numbered 1 to 5.
class ModelCaseStageTest : public entrytest::EntryFixture {
protected:
    void SetUp() override {
        db.execute("delete from STORDE_STANDERD");
        db.execute("delete from STORDE_STANDERD_FROM_TO");
        db.execute("delete from STORDE_STANDERD_TEMP");
        const char* titles[] = {"الزوج مع الابن", "العول الى سبعة", "الرد على البنت", "العمرية الاولى",
                                "ابن d'Arc"};
        // Stored out of number order: the list and the queue order by number themselves.
        for (int n : {4, 2, 5, 1, 3})
            db.execute("insert into STORDE_STANDERD (storde_case_no, storde_case_name) values (?, ?)",
                       {n, QString::fromUtf8(titles[n - 1])});
    }
    Form12& open() {
        setStage(EntryStage::Stored);
        dialog = std::make_unique<Form12>(db, host);
        return *dialog;
    }
    template <typename T> T* child(const char* name) const {
        return testsupport::namedChild<T>(dialog, name);
    }
    QPushButton* button(const char* name) const { return child<QPushButton>(name); }
    QLineEdit* edit(const char* name) const { return child<QLineEdit>(name); }
    QTableView* list() const { return child<QTableView>("DBGrid3"); }
    QStringList listed(int column) const {
        QStringList out;
        const QAbstractItemModel* m = list()->model();
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->index(r, column).data().toString();
        return out;
    }
    QStringList numbers(const char* table) const {
        return column(QString("select storde_case_no from %1 order by storde_case_no").arg(table));
    }
    bool handedOver() const { return dialog->result() == QDialog::Accepted; }
    // A modal showing as the engine does it; a dialogue that waits for the user is closed after a
    // while with -1, so a missing press fails instead of hanging.
    int execAsEngine() {
        QTimer::singleShot(1500, dialog.get(), [this] { dialog->done(-1); });
        return dialog->exec();
    }

    std::unique_ptr<Form12> dialog;
};

TEST_F(ModelCaseStageTest, TheFrameShowsTheLibraryByNumberUnderItsCaptions) {
    open();
    EXPECT_TRUE(child<QWidget>("Frame_stord_case")->isVisibleTo(dialog.get()));
    EXPECT_EQ(listed(1), QStringList({"1", "2", "3", "4", "5"}));
    const QAbstractItemModel* m = list()->model();
    EXPECT_EQ(m->headerData(0, Qt::Horizontal).toString(), Texts::ModelTitleColumn);
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), Texts::ModelNumberColumn);
    EXPECT_FALSE(list()->verticalHeader()->isVisibleTo(dialog.get())) << "the list numbers its cases itself";
    // The caption is drawn whole; its access key stays with the button.
    EXPECT_EQ(button("Command_stord_case")->text(), "تنفيذ مفرد");
    auto* key = button("Command_stord_case")->findChild<QShortcut*>("Command_stord_case_accessKey");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->key(), QKeySequence(QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(0x062A))));
    EXPECT_TRUE(button("Command_stord_case")->isEnabled());
    EXPECT_EQ(button("Command_AUTO_GET_CASE_NO_STORED_CASES")->text(), "تنفيذ متسلسل");
    EXPECT_NE(button("Command_AUTO_RUN_STORED_CASES"), nullptr);
}

TEST_F(ModelCaseStageTest, TheSearchBoxNarrowsTheListToANumberOrToTheTitlesContainingItsText) {
    open();
    const struct {
        const char* text;
        QStringList numbers;
    } cases[] = {
        {"", {"1", "2", "3", "4", "5"}},
        {"3", {"3"}},
        {" +3.0e0 ", {"3"}},
        {"9", {}},
        {"ال", {"3", "1", "4", "2"}}, // by title
        {"d'Arc", {"5"}},             // an apostrophe is only a character
        {"لا يوجد", {}},
        {"3ab", {}}, // not a number: a title search
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        edit("Text1")->setText(QString::fromUtf8(c.text));
        EXPECT_EQ(listed(1), c.numbers);
    }
}

TEST_F(ModelCaseStageTest, TheSingleRunHandsOverTheCurrentLineAndLeavesTheQueueAlone) {
    open();
    db.execute("insert into STORDE_STANDERD_TEMP select * from STORDE_STANDERD where storde_case_no = 5");
    edit("Text1")->setText("العمرية");
    button("Command_stord_case")->click();
    EXPECT_TRUE(handedOver());
    EXPECT_EQ(host.Text_stord_case, "4");
    EXPECT_EQ(numbers("STORDE_STANDERD_TEMP"), QStringList({"5"}));
}

TEST_F(ModelCaseStageTest, TheSingleRunWithoutACurrentLineDoesNothing) {
    open();
    host.Text_stord_case = "2";
    edit("Text1")->setText("لا يوجد");
    button("Command_stord_case")->click();
    EXPECT_FALSE(handedOver());
    EXPECT_EQ(host.Text_stord_case, "2");
}

TEST_F(ModelCaseStageTest, ARangeRunQueuesTheLibraryCasesOfTheRangeAndHandsOverTheLowest) {
    const struct {
        const char* from;
        const char* to;
        const char* handed; // nullptr: nothing handed over, the dialogue stays
        QStringList queue;
        QStringList lastRange;
    } cases[] = {
        {"5", "3", nullptr, {}, {"1", "2", "3", "4", "5"}}, // last range as it was
        {"3", "3", "3", {}, {"3"}},
        {"", "", nullptr, {}, {}},
        {"1", "1000", "1", {"2", "3", "4", "5"}, {"1", "2", "3", "4", "5"}},
        {"2.5", "4", "3", {"4"}, {"3", "4"}},
        {" 4abc", "-1", nullptr, {}, {"1", "2", "3", "4", "5"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.from) + ".." + c.to);
        db.execute("delete from STORDE_STANDERD_FROM_TO");
        db.execute("insert into STORDE_STANDERD_FROM_TO select * from STORDE_STANDERD");
        db.execute("delete from STORDE_STANDERD_TEMP");
        host.Text_stord_case.clear();
        open();
        edit("Text_from")->setText(c.from);
        edit("Text_to")->setText(c.to);
        button("Command_AUTO_GET_CASE_NO_STORED_CASES")->click();
        EXPECT_EQ(handedOver(), c.handed != nullptr);
        EXPECT_EQ(host.Text_stord_case, c.handed ? QString(c.handed) : QString());
        EXPECT_EQ(numbers("STORDE_STANDERD_TEMP"), c.queue);
        EXPECT_EQ(numbers("STORDE_STANDERD_FROM_TO"), c.lastRange);
        EXPECT_EQ(db.count("select count(*) from DATA_ENTRY_NAME where DATA_ENTRY_NAME = ?",
                           {Texts::DefaultPreparer}),
                  1);
    }
}

TEST_F(ModelCaseStageTest, TheFromAndToBoxesShowTheLastRangeAndSelectTheirTextOnFocus) {
    db.execute("insert into STORDE_STANDERD_FROM_TO select * from STORDE_STANDERD where storde_case_no >= 2");
    open();
    EXPECT_EQ(edit("Text_from")->text(), "2");
    EXPECT_EQ(edit("Text_to")->text(), "5");

    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    for (const char* box : {"Text_from", "Text_to"}) {
        edit(box)->setFocus(Qt::TabFocusReason);
        QTest::qWait(20);
        EXPECT_EQ(edit(box)->selectedText(), edit(box)->text()) << box;
    }
}

TEST_F(ModelCaseStageTest, ReopeningWithAQueueHandsOverTheNextCaseWithoutWaiting) {
    db.execute(
        "insert into STORDE_STANDERD_TEMP select * from STORDE_STANDERD where storde_case_no in (4, 2)");
    open();
    EXPECT_EQ(execAsEngine(), QDialog::Accepted);
    EXPECT_EQ(host.Text_stord_case, "2");
    open();
    EXPECT_EQ(execAsEngine(), QDialog::Accepted);
    EXPECT_EQ(host.Text_stord_case, "4");
    EXPECT_EQ(db.count("select count(*) from STORDE_STANDERD_TEMP"), 0);

    // The queue is spent: the stage waits for the user, with the search box in focus.
    open();
    QWidget* focused = nullptr;
    QTimer::singleShot(300, dialog.get(), [&] { focused = QApplication::focusWidget(); });
    EXPECT_EQ(execAsEngine(), -1);
    EXPECT_EQ(focused, edit("Text1"));
    EXPECT_EQ(host.Text_stord_case, "4");
}

TEST_F(ModelCaseStageTest, TheStageNamesTheDefaultPreparerAndKeepsThePreparerList) {
    db.execute("insert into DATA_ENTRY_NAME (DATA_ENTRY_NAME) values ('سالم')");
    db.execute("insert into DATA_ENTRY_NAME_REPORT (DATA_ENTRY_NAME) values ('سالم')");
    db.execute("insert into ADRESS_ENTRY_NAME_REPORT (ADRESS_ENTRY_NAME) values ('دائرة')");
    open();
    EXPECT_EQ(column("select DATA_ENTRY_NAME from DATA_ENTRY_NAME order by DATA_ENTRY_NAME"),
              QStringList({"المسائل النموذجية", "سالم"}));
    EXPECT_EQ(column("select DATA_ENTRY_NAME from DATA_ENTRY_NAME_REPORT"),
              QStringList({"المسائل النموذجية"}));
    EXPECT_EQ(rows("ADRESS_ENTRY_NAME_REPORT"), 0);
    EXPECT_EQ(db.count("select count(*) from ADRESS_ENTRY_NAME where ADRESS_ENTRY_NAME = '-'"), 1);
    // A second showing adds nothing.
    open();
    EXPECT_EQ(rows("DATA_ENTRY_NAME"), 2);
}

TEST_F(ModelCaseStageTest, TabLeavesTheListForTheButtons) {
    open();
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), list());
    QStringList reached;
    for (int k = 0; k < 12; ++k) {
        reached << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_TRUE(reached.contains("Command_stord_case")) << reached.join(',').toStdString();
    EXPECT_TRUE(reached.contains("Command_AUTO_GET_CASE_NO_STORED_CASES")) << reached.join(',').toStdString();
}

} // namespace
