// Another program keeps the case database locked while the user works in the chain dialogue.
#include "Form6Fixture.h"

#include "entry/EntryTexts.h"
#include "entry/EntryWidgets.h"
#include "entry/NameLists.h"
#include "entry/StoredCases.h"
#include "platform/MessageService.h"
#include "support/LockingProgram.h"

#include <functional>

namespace {

using namespace form6test;
using testsupport::LockingProgram;

class Form6LockedTest : public Form6Test {
protected:
    // The one message of a command refused for the lock: Arabic, naming the action and the file.
    void expectLockedMessage(const QString& action, int count = 1) const {
        ASSERT_EQ(messages.texts().size(), count) << messages.texts().join('\n').toStdString();
        testsupport::expectLockedMessage(messages.last(), action, folder.casePath());
        EXPECT_TRUE(dialog->isVisible());
    }
};

// Enter in the cell is refused whole: the name stays in the cell's editor, and Enter takes it
// once the other program lets go.
TEST_F(Form6LockedTest, ARowTypedWhileLockedStaysInItsCellAndIsTakenOnceFree) {
    open();
    startChain();
    QLineEdit* editor = nullptr;
    {
        LockingProgram other(folder.casePath());
        typeIntoCell(2, Col::HeirName, "علي");
        expectLockedMessage(testsupport::commandIn(entry::Texts::HeirNameColumn));
        editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->text(), "علي");
        EXPECT_EQ(rows("MUNASKA_TEMP"), 2);
    }
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    goTo(2, Col::Relation);
    typeText(grid(), "ا");
    pick("DBList_relation", "ابن");
    goTo(1, Col::Relation); // leaving the row saves it
    EXPECT_EQ(messages.texts().size(), 1);
    EXPECT_FALSE(chain()->hasChanges());
    EXPECT_EQ(chainRows(), QStringList({"||احمد|1", "زوجة|فاطمة||1", "ابن|علي||1"}));
}

TEST_F(Form6LockedTest, ARowDeletedWhileLockedStaysAndGoesOnceFree) {
    open();
    startChain();
    const auto deleteHeirRow = [&] {
        goTo(1, Col::Relation);
        entry::EntryWidgets::selectWholeRow(grid(), 1);
        QTest::keyClick(grid(), Qt::Key_Delete);
    };
    {
        LockingProgram other(folder.casePath());
        deleteHeirRow();
        expectLockedMessage(testsupport::commandIn(entry::Texts::RelationColumn));
        EXPECT_EQ(chain()->cell(1, Col::HeirName), "فاطمة");
        EXPECT_EQ(chainRows(), QStringList({"||احمد|1", "زوجة|فاطمة||1"}));
    }
    deleteHeirRow();
    EXPECT_EQ(messages.texts().size(), 1);
    EXPECT_EQ(chainRows(), QStringList({"||احمد|1"}));
}

// Both the list's opening and the acceptance write the chain's working tables: F5 is refused
// whole and opens nothing.
TEST_F(Form6LockedTest, TheNextDeceasedWhileLockedLeavesTheChainAsItWasAndIsTakenOnceFree) {
    open();
    startChain();
    {
        LockingProgram other(folder.casePath());
        goTo(2, Col::DeceasedName);
        QTest::keyClick(grid(), Qt::Key_F5);
        expectLockedMessage(testsupport::commandIn(Texts::DeceasedColumn));
        EXPECT_FALSE(child<QComboBox>("DBList_deth_name")->isVisible());
        EXPECT_EQ(child<QLineEdit>("Text_deth_name_ind")->text(), "احمد");
        EXPECT_EQ(child<QLineEdit>("Text_deth_no_ind")->text(), "1");
        EXPECT_FALSE(chain()->hasChanges());
        EXPECT_EQ(rows("MUNASKA_TEMP"), 2);
    }
    QTest::keyClick(grid(), Qt::Key_F5);
    pick("DBList_deth_name", "فاطمة");
    EXPECT_EQ(messages.texts().size(), 1);
    EXPECT_EQ(child<QLineEdit>("Text_deth_name_ind")->text(), "فاطمة");
    EXPECT_EQ(chainRows(), QStringList({"||احمد|1", "زوجة|فاطمة||1", "||فاطمة|2"}));
}

TEST_F(Form6LockedTest, ThePreparerLeftWhileLockedStaysInItsBoxAndIsKeptOnceFree) {
    twoDeceased();
    open();
    showActive();
    auto* preparer = child<QComboBox>("Text_DATA_ENTRY_NAME");
    const auto leavePreparer = [&] {
        preparer->setFocus();
        QCoreApplication::processEvents();
        grid()->setFocus();
        QCoreApplication::processEvents();
    };
    {
        LockingProgram other(folder.casePath());
        preparer->setFocus();
        preparer->setEditText("سالم");
        grid()->setFocus();
        QCoreApplication::processEvents();
        expectLockedMessage(entry::StoredCases::KeepTypedAction);
        EXPECT_EQ(preparer->currentText(), "سالم");
    }
    leavePreparer();
    EXPECT_EQ(messages.texts().size(), 1);
    EXPECT_EQ(column("select DATA_ENTRY_NAME from DATA_ENTRY_NAME"), QStringList({"سالم"}));
    EXPECT_EQ(column("select distinct DATA_ENTRY_NAME from MUNASKA_TEMP"), QStringList({"سالم"}));
}

TEST_F(Form6LockedTest, TheRunWhileLockedKeepsTheDialogueAndHandsOverOnceFree) {
    twoDeceased();
    entry::NameLists::add(db, entry::NameLists::List::Preparers, "سالم");
    open();
    showActive();
    child<QComboBox>("Text_DATA_ENTRY_NAME")->setEditText("سالم");
    {
        LockingProgram other(folder.casePath());
        child<QPushButton>("Command1")->click();
        expectLockedMessage(entry::StoredCases::RunAction);
        EXPECT_NE(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(rows("MUNASKA_TEMP"), 7);
    }
    child<QPushButton>("Command1")->click();
    EXPECT_EQ(messages.texts().size(), 1);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(rows("DETH"), 2);
    EXPECT_EQ(rows("WARITH_DUBLE"), 5);
}

// A button pressed while locked leaves the database and the screen as they were; pressed again
// once the database is free, it does its work.
TEST_F(Form6LockedTest, ButtonsPressedWhileLockedChangeNothingAndWorkOnceFree) {
    using NameList = entry::NameLists::List;
    namespace ET = entry::Texts;
    struct Case {
        const char* button;
        QString action;
        const char* probe; // what the press changes
        std::function<void()> prepare;
    };
    const char* const preparers = "select DATA_ENTRY_NAME from DATA_ENTRY_NAME order by 1";
    const char* const bodies = "select ADRESS_ENTRY_NAME from ADRESS_ENTRY_NAME order by 1";
    const auto box = [this](const char* name, const QString& text) {
        child<QComboBox>(name)->setEditText(text);
    };
    const Case cases[] = {
        {"Command_new", entry::StoredCases::NewCaseAction, "select count(*) from MUNASKA_TEMP", [] {}},
        {"Command3", entry::StoredCases::KeepTypedAction, "select distinct DATA_ENTRY_NAME from MUNASKA_TEMP",
         [&] { box("Text_DATA_ENTRY_NAME", "سالم"); }},
        {"Command4", ET::RemoveIssuingBody, bodies,
         [&] {
             child<QPushButton>("Command4")->click();
             db.execute("delete from ADRESS_ENTRY_NAME where ADRESS_ENTRY_NAME = '-'");
             ASSERT_EQ(child<QPushButton>("Command4")->text(), ET::RemoveIssuingBody);
         }},
        {"Command9", ET::DeleteAllPreparers, preparers, [] {}},
        {"Command12", ET::DeletePreparer, preparers, [&] { box("Text_DATA_ENTRY_NAME", "أ"); }},
        {"Command10", ET::DeleteAllIssuingBodies, bodies, [] {}},
        {"Command11", ET::DeleteIssuingBody, bodies, [&] { box("Text_ADRESS_ENTRY_NAME", "محكمة"); }},
        {"Command14", Texts::RenameHeirAction, "select warith_name from MUNASKA_TEMP order by ar",
         [&] { goTo(1, Col::HeirName); }},
        {"Command15", Texts::RenameFirstAction, "select deth_name from MUNASKA_TEMP order by ar",
         [&] { goTo(0, Col::DeceasedName); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        for (const char* table : {"MUNASKA_TEMP", "DATA_ENTRY_NAME", "ADRESS_ENTRY_NAME"})
            db.execute(QString("delete from %1").arg(table));
        twoDeceased();
        for (const char* name : {"أ", "ب"})
            entry::NameLists::add(db, NameList::Preparers, name);
        entry::NameLists::add(db, NameList::IssuingBodies, "محكمة");
        open();
        showActive();
        mainMenus = 0;
        c.prepare();
        child<QLineEdit>("Text_case_name")->setText("مسألة الاخوة");
        const auto press = [&] {
            platform::MessageService::setNextInput("زينب");
            child<QPushButton>(c.button)->click();
            QCoreApplication::processEvents();
        };
        const QStringList before = column(c.probe);
        {
            LockingProgram other(folder.casePath());
            press();
            testsupport::expectLockedMessage(messages.last(), c.action, folder.casePath());
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(mainMenus, 0);
            EXPECT_EQ(child<QLineEdit>("Text_case_name")->text(), "مسألة الاخوة");
            EXPECT_EQ(column(c.probe), before);
        }
        const qsizetype refusals = messages.texts().size();
        press();
        EXPECT_FALSE(messages.texts().mid(refusals).join('\n').contains("تعذر"))
            << messages.last().toStdString();
        EXPECT_NE(column(c.probe), before);
    }
}

} // namespace
