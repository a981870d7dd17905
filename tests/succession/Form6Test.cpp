#include "Form6Fixture.h"

#include "support/AltKeys.h"

#include <QSignalSpy>

namespace {

using namespace form6test;

TEST_F(Form6Test, LoadOnAnEmptyTableStartsWithTheNextDeceasedList) {
    db.execute("delete from CHECK_FILE");
    open();
    QAbstractItemModelTester tester(chain(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    showActive();
    EXPECT_EQ(column("select CHECK_FILE from CHECK_FILE"), QStringList({"1"}));
    EXPECT_TRUE(child<QComboBox>("DBList_deth_name")->isVisible());
    EXPECT_TRUE(child<QComboBox>("DBList_deth_name")->hasFocus() ||
                child<QComboBox>("DBList_deth_name")->lineEdit()->hasFocus());
    EXPECT_EQ(chain()->rowCount(), 1);
    for (const char* hidden : {"DBList_relation", "DBCombo_w_name", "RichTextBox1", "RichTextBox2",
                               "Text_deth_no_ind", "Text_case_no", "Text_case_name", "Command6"})
        EXPECT_FALSE(child<QWidget>(hidden)->isVisible()) << hidden;
    EXPECT_EQ(child<QComboBox>("DBList_relation")->currentText(),
              db.scalar("select relations from relations order by au").toString());
}

TEST_F(Form6Test, LoadShowsAnUnfinishedChainAgainWithoutItsUnclaimedRows) {
    twoDeceased();
    heir("ابن", "يتيم", 0);
    db.execute(
        "update MUNASKA_TEMP set case_no = 12, DATA_ENTRY_NAME = 'O''Brien', ADRESS_ENTRY_NAME = 'محكمة'");
    open();
    showActive();
    EXPECT_EQ(chain()->storedRows(), 7);
    EXPECT_EQ(rows("MUNASKA_TEMP"), 7);
    EXPECT_EQ(child<QLineEdit>("Text_case_no")->text(), "12");
    EXPECT_EQ(child<QComboBox>("Text_DATA_ENTRY_NAME")->currentText(), "O'Brien");
    EXPECT_EQ(child<QComboBox>("Text_ADRESS_ENTRY_NAME")->currentText(), "محكمة");
    EXPECT_TRUE(child<QGroupBox>("FrameADRESS")->isVisible());
    EXPECT_FALSE(child<QComboBox>("DBList_deth_name")->isVisible());
    EXPECT_TRUE(grid()->hasFocus());
    EXPECT_EQ(child<QLineEdit>("Text_deth_name_ind")->text(), "احمد"); // the grid's first row
    EXPECT_FALSE(child<QCheckBox>("Check_add_warith")->isChecked());
}

TEST_F(Form6Test, TypingAChainThroughTheListsBuildsTheWorkingTable) {
    open();
    startChain();
    EXPECT_EQ(child<QLineEdit>("Text_deth_no_ind")->text(), "1");
    EXPECT_TRUE(child<QCheckBox>("Check_add_warith")->isChecked());
    typeIntoCell(2, Col::HeirName, "علي");
    goTo(2, Col::Relation);
    typeText(grid(), "ا");
    pick("DBList_relation", "ابن");
    // The next deceased from the candidates, opened by typing into his empty cell.
    goTo(3, Col::DeceasedName);
    typeText(grid(), "ع");
    EXPECT_TRUE(child<QComboBox>("DBList_deth_name")->isVisible());
    EXPECT_EQ(child<QComboBox>("DBList_deth_name")->currentText(), "ع");
    pick("DBList_deth_name", "علي ");
    EXPECT_EQ(child<QLineEdit>("Text_deth_no_ind")->text(), "2");
    EXPECT_EQ(child<QLineEdit>("Text_deth_name_ind")->text(), "علي");
    // A heir of the first deceased picked for the second, the relation typed with hamza.
    goTo(4, Col::HeirName);
    grid()->clicked(chain()->index(4, Col::HeirName));
    EXPECT_TRUE(child<QComboBox>("DBCombo_w_name")->isVisible());
    pick("DBCombo_w_name", "فاطمة");
    goTo(4, Col::Relation);
    typeText(grid(), "ا");
    pick("DBList_relation", "أم");
    EXPECT_EQ(chainRows(),
              QStringList({"||احمد|1", "زوجة|فاطمة||1", "ابن|علي||1", "||علي|2", "ام|فاطمة||2"}));
    EXPECT_EQ(column("select deth_status from MUNASKA_TEMP where deth_name <> '' order by arrange"),
              QStringList({"", Texts::LaterDeceased}));
    EXPECT_EQ(messages.texts(), QStringList());
}

TEST_F(Form6Test, ARefusedRowSaveIsSaidOnceAndTheCursorStaysOnTheRow) {
    open();
    startChain();
    typeIntoCell(2, Col::HeirName, "فاطمة");
    goTo(2, Col::Relation);
    typeText(grid(), "ا");
    pick("DBList_relation", "ابن");
    EXPECT_EQ(messages.texts(), QStringList({Texts::HeirTwice}));
    EXPECT_EQ(grid()->currentIndex().row(), 2);
    // A whole row that the rules refuse stays as typed, with one message.
    child<QCheckBox>("Check_add_warith")->setChecked(false);
    typeIntoCell(2, Col::HeirName, "سالم");
    EXPECT_EQ(messages.texts(), QStringList({Texts::HeirTwice, Texts::ChooseDeceasedFirst}));
    EXPECT_EQ(grid()->currentIndex().row(), 2);
    EXPECT_TRUE(chain()->hasChanges());
    // Leaving it is refused once more, and the cursor comes back to it.
    goTo(0, Col::Relation);
    // The refusal comes through queued calls; a loaded machine may need more than one pass.
    (void)QTest::qWaitFor([&] { return messages.texts().size() >= 3; }, 2000);
    QTest::qWait(10);
    EXPECT_EQ(messages.texts().size(), 3);
    EXPECT_EQ(grid()->currentIndex().row(), 2);
    EXPECT_EQ(rows("MUNASKA_TEMP"), 2);
}

TEST_F(Form6Test, TypingOpensAListForEveryPrintableCharacterAndForNoControlKey) {
    open();
    startChain();
    struct Case {
        const char* what;
        int column;
        const char* typed;
        const char* list; // null: none opens
    } cases[] = {
        {"an Arabic letter in an empty relation cell", Col::Relation, "ب", "DBList_relation"},
        {"a Latin letter in an empty relation cell", Col::Relation, "b", "DBList_relation"},
        {"a digit in an empty deceased cell", Col::DeceasedName, "7", "DBList_deth_name"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        goTo(2, c.column);
        typeText(grid(), QString::fromUtf8(c.typed));
        auto* list = child<QComboBox>(c.list);
        EXPECT_TRUE(list->isVisible());
        EXPECT_EQ(list->currentText(), QString::fromUtf8(c.typed));
        dialog->Form_KeyUp(Qt::Key_Escape);
        EXPECT_FALSE(list->isVisible());
    }
    goTo(2, Col::Relation);
    for (Qt::Key k : {Qt::Key_Backspace, Qt::Key_Tab, Qt::Key_Escape, Qt::Key_Left}) {
        QTest::keyClick(grid(), k);
        EXPECT_FALSE(child<QComboBox>("DBList_relation")->isVisible()) << k;
        goTo(2, Col::Relation);
    }
    // A filled relation cell opens nothing: the typing goes to the cell.
    goTo(1, Col::Relation);
    typeText(grid(), "ب");
    EXPECT_FALSE(child<QComboBox>("DBList_relation")->isVisible());
}

TEST_F(Form6Test, F5AndAClickOpenTheColumnsListUnderTheRowAndEscClosesThem) {
    open();
    startChain();
    goTo(1, Col::DeceasedName);
    QTest::keyClick(grid(), Qt::Key_F5);
    EXPECT_TRUE(child<QComboBox>("DBList_deth_name")->isVisible());
    EXPECT_TRUE(child<QTextBrowser>("RichTextBox2")->isVisible());
    goTo(1, Col::Status);
    QTest::keyClick(grid(), Qt::Key_F5);
    EXPECT_FALSE(child<QComboBox>("DBList_relation")->isVisible());

    const QRect cell = grid()->visualRect(chain()->index(1, Col::Relation));
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    auto* relations = child<QComboBox>("DBList_relation");
    EXPECT_TRUE(relations->isVisible());
    EXPECT_TRUE(child<QTextBrowser>("RichTextBox1")->isVisible());
    const int rowBottom = grid()->viewport()->mapTo(dialog.get(), QPoint(0, cell.bottom())).y();
    EXPECT_NEAR(relations->y(), rowBottom, 2);

    QTest::keyClick(relations->lineEdit(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_FALSE(relations->isVisible());
    EXPECT_FALSE(child<QTextBrowser>("RichTextBox1")->isVisible());
    EXPECT_FALSE(child<QTextBrowser>("RichTextBox2")->isVisible());
    EXPECT_TRUE(grid()->hasFocus());
}

TEST_F(Form6Test, ArrowsInTheRelationListMoveTheHighlightAndOnlyEnterCommits) {
    open();
    QComboBox* relations = openRelationList();
    ASSERT_TRUE(relations->isVisible());
    const int start = relations->currentIndex();
    ASSERT_GE(start, 0);
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Up, Qt::Key_PageUp}) {
        QTest::keyClick(QApplication::focusWidget(), key);
        QCoreApplication::processEvents();
        EXPECT_EQ(chain()->cell(2, Col::Relation), QString()) << QKeySequence(key).toString().toStdString();
        EXPECT_TRUE(relations->isVisible());
        EXPECT_TRUE(within(relations, QApplication::focusWidget()));
    }
    EXPECT_EQ(relations->currentText(), relations->itemText(start + 1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(chain()->cell(2, Col::Relation), relations->itemText(start + 1));
    EXPECT_FALSE(relations->isVisible());
    EXPECT_EQ(messages.texts(), QStringList());
}

// The next-deceased and heir-name lists take nothing while the user looks through them either:
// an arrow there once made the first candidate the next deceased, or wrote a name on the row.
TEST_F(Form6Test, ArrowsInTheNameListsMoveTheHighlightAndTakeNothing) {
    open();
    startChain();
    typeIntoCell(2, Col::HeirName, "علي");
    goTo(2, Col::Relation);
    typeText(grid(), "ا");
    pick("DBList_relation", "ابن");
    auto browse = [&](const char* name, int row, int column) {
        SCOPED_TRACE(name);
        const QStringList before = chainRows();
        const QString deceased = child<QLineEdit>("Text_deth_no_ind")->text();
        goTo(row, column);
        QTest::keyClick(grid(), Qt::Key_F5);
        auto* list = child<QComboBox>(name);
        ASSERT_TRUE(list->isVisible());
        ASSERT_GE(list->count(), 1);
        list->setFocus(Qt::OtherFocusReason);
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown}) {
            QTest::keyClick(QApplication::focusWidget(), key);
            QCoreApplication::processEvents();
            EXPECT_EQ(chainRows(), before) << QKeySequence(key).toString().toStdString();
            EXPECT_FALSE(chain()->hasChanges());
            EXPECT_EQ(child<QLineEdit>("Text_deth_no_ind")->text(), deceased);
            EXPECT_TRUE(list->isVisible());
        }
        dialog->Form_KeyUp(Qt::Key_Escape);
    };
    browse("DBList_deth_name", 3, Col::DeceasedName);
    goTo(3, Col::DeceasedName);
    QTest::keyClick(grid(), Qt::Key_F5);
    pick("DBList_deth_name", "علي ");
    ASSERT_EQ(child<QLineEdit>("Text_deth_no_ind")->text(), "2");
    browse("DBCombo_w_name", 4, Col::HeirName);
    EXPECT_EQ(messages.texts(), QStringList());
}

TEST_F(Form6Test, TabLeavesAnOpenListAndClosesIt) {
    open();
    QComboBox* relations = openRelationList();
    ASSERT_TRUE(relations->isVisible());
    QTest::keyClick(relations->lineEdit(), Qt::Key_Tab);
    QCoreApplication::processEvents();
    EXPECT_FALSE(relations->isVisible());
    EXPECT_FALSE(child<QTextBrowser>("RichTextBox1")->isVisible());
    EXPECT_FALSE(within(relations, QApplication::focusWidget()));
}

TEST_F(Form6Test, DeleteAndEnterInTheGrid) {
    open();
    startChain();
    // Delete in the relation column empties the cell.
    goTo(1, Col::Relation);
    QTest::keyClick(grid(), Qt::Key_Delete);
    EXPECT_EQ(chain()->cell(1, Col::Relation), QString());
    chain()->dropChanges();
    // Enter on a saved row goes on to the preparer.
    goTo(1, Col::HeirName);
    QTest::keyClick(grid(), Qt::Key_Return);
    EXPECT_TRUE(child<QComboBox>("Text_DATA_ENTRY_NAME")->lineEdit()->hasFocus());
    // A deceased with heirs is not deleted.
    grid()->selectRow(0);
    dialog->deleteRow(0);
    EXPECT_EQ(messages.last(), Texts::DeceasedHasHeirs);
    EXPECT_EQ(rows("MUNASKA_TEMP"), 2);
}

// Shift+Space selects the current row as a click on its selector does; Delete then deletes it
// under the same rules.
TEST_F(Form6Test, ShiftSpaceSelectsTheRowForDeleteAsItsSelectorDoes) {
    struct Case {
        const char* what;
        int row;
        int column;
        QStringList message;
        qint64 rowsLeft;
    };
    const Case cases[] = {
        {"a heir, from his name", 1, Col::HeirName, {}, 1},
        {"a heir, from his relation", 1, Col::Relation, {}, 1},
        {"a deceased with heirs", 0, Col::DeceasedName, {Texts::DeceasedHasHeirs}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        db.execute("delete from MUNASKA_TEMP");
        open();
        startChain();
        const qsizetype before = messages.texts().size();
        goTo(c.row, c.column);
        QTest::keyClick(grid(), Qt::Key_Space, Qt::ShiftModifier);
        QCoreApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), grid());
        EXPECT_FALSE(child<QComboBox>("DBList_relation")->isVisible());
        EXPECT_EQ(grid()->selectionModel()->selectedRows(), QModelIndexList{chain()->index(c.row, 0)});
        QTest::keyClick(grid(), Qt::Key_Delete);
        QCoreApplication::processEvents();
        EXPECT_EQ(messages.texts().mid(before), c.message);
        EXPECT_EQ(rows("MUNASKA_TEMP"), c.rowsLeft);
        dialog.reset();
    }
}

TEST_F(Form6Test, AfterARefusalTheFocusIsBackWhereTheUserWas) {
    testsupport::RealMessageBoxes boxes;
    open();
    startChain(); // a wife
    auto backInTheDialogue = [this] {
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        QTest::qWait(10);
    };
    // A husband picked from the relation list: the list stays open with the focus in it.
    goTo(2, Col::Relation);
    typeText(grid(), "ز");
    auto* relations = child<QComboBox>("DBList_relation");
    relations->setEditText("زوج");
    QTest::keyClick(relations->lineEdit(), Qt::Key_Return);
    QTest::qWait(50);
    EXPECT_EQ(boxes.texts(), QStringList{ET::HusbandAndWife});
    backInTheDialogue();
    EXPECT_TRUE(relations->isVisible());
    EXPECT_TRUE(within(relations, QApplication::focusWidget()));
    QTest::keyClick(relations->lineEdit(), Qt::Key_Escape);
    // The same relation typed into the cell: the grid has the focus, on that cell.
    typeIntoCell(2, Col::Relation, "زوج");
    QTest::qWait(50);
    EXPECT_EQ(boxes.texts(), QStringList({ET::HusbandAndWife, ET::HusbandAndWife}));
    backInTheDialogue();
    EXPECT_EQ(QApplication::focusWidget(), grid());
    EXPECT_EQ(grid()->currentIndex(), chain()->index(2, Col::Relation));
    EXPECT_EQ(chain()->cell(2, Col::Relation), QString());
}

TEST_F(Form6Test, ARelationWrittenWithHamzaIsStoredInTheListsSpelling) {
    const struct {
        const char* how;
        const char* typed;
        const char* stored;
    } cases[] = {{"list", "إبن", "ابن"}, {"cell", "أب", "اب"}, {"list", "آخ", "اخ"}, {"cell", "أخت", "اخت"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.how) + " " + c.typed);
        db.execute("delete from MUNASKA_TEMP");
        open();
        startChain();
        typeIntoCell(2, Col::HeirName, "سالم");
        if (QByteArray(c.how) == "list") {
            goTo(2, Col::Relation);
            typeText(grid(), "ا");
            pick("DBList_relation", QString::fromUtf8(c.typed));
        } else {
            typeIntoCell(2, Col::Relation, QString::fromUtf8(c.typed));
        }
        EXPECT_EQ(messages.texts(), QStringList());
        EXPECT_EQ(column("select warith_relation from MUNASKA_TEMP where warith_name = 'سالم'"),
                  QStringList{QString::fromUtf8(c.stored)});
        dialog.reset();
    }
}

TEST_F(Form6Test, ARefusedNextDeceasedLeavesTheCurrentDeceasedAsHeWas) {
    open();
    startChain();
    goTo(2, Col::Relation);
    typeText(grid(), "ا");
    pick("DBList_relation", "ابن"); // a relation on the new line, no heir name yet
    goTo(2, Col::DeceasedName);
    dialog->openColumnList(Col::DeceasedName);
    pick("DBList_deth_name", "فاطمة");
    EXPECT_EQ(messages.texts(), QStringList({Texts::DeceasedWithRelation}));
    EXPECT_EQ(child<QLineEdit>("Text_deth_no_ind")->text(), "1");
    EXPECT_EQ(child<QLineEdit>("Text_deth_name_ind")->text(), "احمد");
    EXPECT_EQ(chain()->cell(2, Col::DeceasedName), QString());
    EXPECT_EQ(rows("MUNASKA_TEMP"), 2);
}

TEST_F(Form6Test, DeletingTheCurrentDeceasedsOwnRowLeavesNoDeceasedForNewHeirs) {
    open();
    showActive();
    pick("DBList_deth_name", "احمد");
    ASSERT_EQ(rows("MUNASKA_TEMP"), 1);
    dialog->deleteRow(0);
    EXPECT_EQ(rows("MUNASKA_TEMP"), 0);
    EXPECT_EQ(child<QLineEdit>("Text_deth_no_ind")->text(), QString());
    EXPECT_EQ(child<QLineEdit>("Text_deth_name_ind")->text(), QString());
    EXPECT_FALSE(child<QCheckBox>("Check_add_warith")->isChecked());
    EXPECT_EQ(messages.texts(), QStringList());
}

TEST_F(Form6Test, AddHeirsNeedsADeceasedAndTheIndicatorFollowsTheRowOtherwise) {
    twoDeceased();
    open();
    showActive();
    auto* box = child<QCheckBox>("Check_add_warith");
    child<QLineEdit>("Text_deth_no_ind")->clear();
    box->click();
    EXPECT_EQ(messages.texts(), QStringList({Texts::ChooseDeceased}));
    EXPECT_FALSE(box->isChecked());
    goTo(4, Col::HeirName); // فاطمة under علي
    EXPECT_EQ(child<QLineEdit>("Text_deth_no_ind")->text(), "2");
    EXPECT_EQ(child<QLineEdit>("Text_deth_name_ind")->text(), "علي");
    goTo(chain()->entryRow(), Col::HeirName);
    EXPECT_EQ(child<QLineEdit>("Text_deth_no_ind")->text(), QString());
    EXPECT_EQ(child<QLineEdit>("Text_deth_name_ind")->text(), QString());
}

TEST_F(Form6Test, AHeirAddedLaterToAnEarlierDeceasedStandsUnderHimAfterRegrouping) {
    twoDeceased();
    open();
    showActive();
    goTo(1, Col::HeirName); // فاطمة under احمد: he becomes the current deceased
    child<QCheckBox>("Check_add_warith")->click();
    ASSERT_TRUE(child<QCheckBox>("Check_add_warith")->isChecked());
    typeIntoCell(chain()->entryRow(), Col::HeirName, "زينب");
    goTo(chain()->entryRow(), Col::Relation);
    typeText(grid(), "ب");
    pick("DBList_relation", "بنت");
    EXPECT_EQ(chain()->cell(7, Col::HeirName), "زينب"); // at the bottom until regrouped
    child<QPushButton>("Command5")->click();
    EXPECT_EQ(chain()->cell(4, Col::HeirName), "زينب");
    EXPECT_EQ(chain()->cell(4, Col::Arrange), "1");
    EXPECT_EQ(messages.texts(), QStringList());
}

TEST_F(Form6Test, TheHeirNameListRenamesOnlyOnAPickAndNeverOnEsc) {
    twoDeceased();
    open();
    showActive();
    dialog->findChild<QCheckBox*>("Check_add_warith")->setChecked(true);
    const int ali = 2; // ابن علي under احمد
    ASSERT_EQ(chain()->cell(ali, Col::HeirName), "علي");
    goTo(ali, Col::HeirName);
    dialog->openColumnList(Col::HeirName);
    child<QComboBox>("DBCombo_w_name")->setEditText("خالد");
    QTest::keyClick(child<QComboBox>("DBCombo_w_name")->lineEdit(), Qt::Key_Escape);
    goTo(1, Col::HeirName);
    QCoreApplication::processEvents();
    EXPECT_EQ(column("select count(*) from MUNASKA_TEMP where warith_name = 'خالد' or deth_name = 'خالد'"),
              QStringList({"0"}));
    // A pick of a name new to the chain renames the person in every row.
    goTo(ali, Col::HeirName);
    dialog->openColumnList(Col::HeirName);
    pick("DBCombo_w_name", " عمر ");
    EXPECT_EQ(column("select count(*) from MUNASKA_TEMP where warith_name = 'عمر' or deth_name = 'عمر'"),
              QStringList({"2"}));
}

TEST_F(Form6Test, RenameButtons) {
    twoDeceased();
    open();
    showActive();
    goTo(3, Col::DeceasedName); // علي's own row
    dialog->Command15_Click();
    EXPECT_EQ(messages.texts(), QStringList({Texts::FirstDeceasedOnly}));
    goTo(0, Col::DeceasedName);
    platform::MessageService::setNextInput("احمد الكبير");
    dialog->Command15_Click();
    EXPECT_EQ(chain()->cell(0, Col::DeceasedName), "احمد الكبير");
    goTo(2, Col::HeirName);
    platform::MessageService::setNextInput("حسن");
    dialog->Command14_Click();
    EXPECT_EQ(messages.last(), Texts::HeirRepeatedAmongHeirs);
}

TEST_F(Form6Test, NewCaseEmptiesTheChainButKeepsTheIssuingBody) {
    twoDeceased();
    db.execute("insert into DETH (deth_name, arrange) values ('x', 1)");
    db.execute("insert into WARITH_DUBLE (warith_name, arrange) values ('y', 1)");
    db.execute("insert into CHECK_NAME (warith_name) values ('z')");
    db.execute("update MUNASKA_TEMP set ADRESS_ENTRY_NAME = 'محكمة', DATA_ENTRY_NAME = 'المعد'");
    open();
    showActive();
    child<QPushButton>("Command_new")->click();
    for (const char* table : {"DETH", "WARITH_DUBLE", "MUNASKA_TEMP", "CHECK_NAME"})
        EXPECT_EQ(rows(table), 0) << table;
    EXPECT_EQ(chain()->storedRows(), 0);
    EXPECT_EQ(child<QComboBox>("Text_DATA_ENTRY_NAME")->currentText(), QString());
    EXPECT_EQ(child<QComboBox>("Text_ADRESS_ENTRY_NAME")->currentText(), "محكمة");
    EXPECT_TRUE(child<QComboBox>("DBList_deth_name")->isVisible());
    EXPECT_TRUE(child<QComboBox>("DBList_deth_name")->lineEdit()->hasFocus());
}

TEST_F(Form6Test, TheRunRefusesWithTheDialogueOpenAndHandsOverAnAcceptedChain) {
    twoDeceased();
    open();
    showActive();
    child<QPushButton>("Command1")->click();
    EXPECT_EQ(messages.texts(), QStringList({Texts::NoPreparer}));
    EXPECT_TRUE(dialog->isVisible());
    auto* preparer = child<QComboBox>("Text_DATA_ENTRY_NAME");
    preparer->setFocus();
    preparer->setEditText("O'Brien ");
    // The twin runs the preparer box's own steps first: the name reaches its list and the rows.
    dialog->findChild<QAction*>("Command_ALTER_run")->trigger();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(column("select DATA_ENTRY_NAME from DATA_ENTRY_NAME where DATA_ENTRY_NAME = ?", {"O'Brien"}),
              QStringList({"O'Brien"}));
    EXPECT_EQ(rows("DETH"), 2);
    EXPECT_EQ(column("select distinct DATA_ENTRY_NAME from MUNASKA_TEMP"), QStringList({"O'Brien"}));
}

// A missing preparer is said, and the user is put where he types it.
TEST_F(Form6Test, AfterNoPreparerTheFocusIsInThePreparerBox) {
    for (const char* command : {"Command1", "Command_save", "Command_edit"}) {
        SCOPED_TRACE(command);
        db.execute("delete from MUNASKA_TEMP");
        twoDeceased();
        testsupport::RealMessageBoxes boxes;
        open();
        showActive();
        QTest::mouseClick(child<QPushButton>(command), Qt::LeftButton);
        QTest::qWait(50);
        EXPECT_EQ(boxes.texts(), QStringList{Texts::NoPreparer});
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        QTest::qWait(10);
        auto* preparer = child<QComboBox>("Text_DATA_ENTRY_NAME");
        EXPECT_TRUE(within(preparer, QApplication::focusWidget()));
        typeText(QApplication::focusWidget(), "احمد");
        EXPECT_EQ(preparer->currentText(), "احمد");
        dialog.reset();
    }
}

TEST_F(Form6Test, PreparerAndIssuingBodyFeedTheirListsAndStampEveryRow) {
    twoDeceased();
    db.execute("delete from ADRESS_ENTRY_NAME");
    open();
    showActive();
    auto* preparer = child<QComboBox>("Text_DATA_ENTRY_NAME");
    auto* body = child<QComboBox>("Text_ADRESS_ENTRY_NAME");
    auto* toggle = child<QPushButton>("Command4");
    const auto listed = [&](const char* table) {
        return column(QString("select %1 from %1 order by 1").arg(table));
    };

    preparer->setFocus();
    preparer->setEditText(" O'Brien ");
    toggle->click(); // shows the issuing body and goes into it: the preparer box is left
    EXPECT_EQ(listed("DATA_ENTRY_NAME"), QStringList({"O'Brien"}));
    EXPECT_TRUE(child<QGroupBox>("FrameADRESS")->isVisible());
    EXPECT_EQ(toggle->text(), ET::RemoveIssuingBody);
    EXPECT_TRUE(body->lineEdit()->hasFocus());
    body->setEditText("محكمة الكرخ");
    grid()->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(listed("ADRESS_ENTRY_NAME"), QStringList({"محكمة الكرخ"}));
    EXPECT_EQ(column("select distinct DATA_ENTRY_NAME || '|' || ADRESS_ENTRY_NAME from MUNASKA_TEMP"),
              QStringList({"O'Brien|محكمة الكرخ"}));

    // Deleting a name takes it from the list only.
    child<QPushButton>("Command12")->click();
    EXPECT_EQ(listed("DATA_ENTRY_NAME"), QStringList());
    EXPECT_EQ(preparer->currentText(), " O'Brien ");
    child<QPushButton>("Command11")->click();
    EXPECT_EQ(listed("ADRESS_ENTRY_NAME"), QStringList());

    // Removing the issuing body leaves "-" in the box and its list, not yet on the rows.
    toggle->click();
    EXPECT_FALSE(child<QGroupBox>("FrameADRESS")->isVisible());
    EXPECT_EQ(body->currentText(), "-");
    EXPECT_EQ(listed("ADRESS_ENTRY_NAME"), QStringList({"-"}));
    EXPECT_EQ(toggle->text(), ET::AddIssuingBody);
    EXPECT_EQ(column("select distinct ADRESS_ENTRY_NAME from MUNASKA_TEMP"), QStringList({"محكمة الكرخ"}));

    entry::NameLists::add(db, entry::NameLists::List::Preparers, "أ");
    entry::NameLists::add(db, entry::NameLists::List::Preparers, "ب");
    child<QPushButton>("Command9")->click();
    EXPECT_EQ(listed("DATA_ENTRY_NAME"), QStringList());
    child<QPushButton>("Command10")->click();
    EXPECT_EQ(listed("ADRESS_ENTRY_NAME"), QStringList());
}

TEST_F(Form6Test, TheRunCaptionTypesItselfOut) {
    open();
    showActive();
    auto* run = child<QPushButton>("Command1");
    QTest::mouseMove(run);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), run->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(run, &move);
    auto* timer = dialog->findChild<QTimer*>("Timer16");
    ASSERT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), Form6::RunCaptionInterval);
    QStringList seen;
    for (int i = 0; i < 5; ++i) {
        dialog->Timer16_Timer();
        seen << run->text();
    }
    EXPECT_EQ(seen, QStringList({ET::RunStep1, ET::RunStep2, ET::RunStep3, ET::RunStep4, ET::RunCaption}));
    EXPECT_FALSE(timer->isActive());
}

TEST_F(Form6Test, OnlyItsOwnButtonsLeaveTheDialogue) {
    open();
    showActive();
    dialog->close();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    dialog->reject();
    EXPECT_TRUE(dialog->isVisible());
    child<QPushButton>("Command2")->click();
    dialog->findChild<QAction*>("Command_ALTER_endprogram")->trigger();
    child<QPushButton>("Command3")->click();
    EXPECT_EQ(cleanExits, 2);
    EXPECT_EQ(mainMenus, 1);
}

TEST_F(Form6Test, CaptionsAreWholeWordsWithTheirAccessKeysKept) {
    open();
    showActive();
    EXPECT_EQ(child<QPushButton>("Command3")->text(), "القائمة الرئيسية");
    EXPECT_EQ(child<QPushButton>("Command_new")->text(), "مسألة جديدة");
    twoDeceased();
    // Alt and the marked letter, as an Arabic keyboard layout reports them, presses the button.
    QTest::sendKeyEvent(QTest::Click,
                        QApplication::focusWidget() ? QApplication::focusWidget() : dialog.get(),
                        static_cast<Qt::Key>(0x062C), QStringLiteral("ج"), Qt::AltModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(rows("MUNASKA_TEMP"), 0);
    EXPECT_TRUE(child<QComboBox>("DBList_deth_name")->isVisible());
}

// Alt and a caption's Arabic letter or the Latin letter on its key presses the button under either
// layout; the run and exit buttons mark no letter and answer on their twins' keys.
TEST_F(Form6Test, EveryAccessKeyPressesItsButtonUnderEitherLayout) {
    const struct {
        const char* button;
        Qt::Key latin;
        char16_t arabic;
    } keys[] = {
        {"Command3", Qt::Key_R, 0x0642},       {"Command_new", Qt::Key_BracketLeft, 0x062C},
        {"Command_save", Qt::Key_O, 0x062E},   {"Command_edit", Qt::Key_U, 0x0639},
        {"Command_delete", Qt::Key_P, 0x062D},
    };
    for (const testsupport::KeyboardLayout layout : testsupport::BothLayouts) {
        SCOPED_TRACE(testsupport::nameOf(layout));
        for (const auto& k : keys) {
            SCOPED_TRACE(k.button);
            open();
            showActive();
            QSignalSpy pressed(child<QPushButton>(k.button), &QPushButton::clicked);
            testsupport::altKey(dialog.get(), layout, k.latin, k.arabic);
            EXPECT_EQ(pressed.count(), 1);
            dialog.reset();
        }
        open();
        showActive();
        const qsizetype shownBefore = messages.texts().size();
        testsupport::altKey(dialog.get(), layout, Qt::Key_J, 0x062A);
        EXPECT_GT(messages.texts().size(), shownBefore);
        const int exits = cleanExits;
        testsupport::altKey(dialog.get(), layout, Qt::Key_K, 0x0646);
        EXPECT_EQ(cleanExits, exits + 1);
        dialog.reset();
    }
}

TEST_F(Form6Test, TheChainGridsColumnsFitInItsWidth) {
    twoDeceased();
    open();
    showActive();
    EXPECT_LE(grid()->horizontalHeader()->length(), grid()->viewport()->width());
    // A long name widens its column; the grid then scrolls rather than cut it.
    db.execute(
        "update MUNASKA_TEMP set warith_name = 'عبد الرحمن بن عبد الله بن محمد' where warith_name = 'حسن'");
    chain()->reload();
    QCoreApplication::processEvents();
    const int longName = grid()->fontMetrics().horizontalAdvance("عبد الرحمن بن عبد الله بن محمد");
    EXPECT_GE(grid()->columnWidth(Col::HeirName), longName);
    for (int c : {int(Col::Relation), int(Col::HeirName), int(Col::DeceasedName)})
        EXPECT_GE(grid()->columnWidth(c), grid()->horizontalHeader()->sectionSizeHint(c)) << c;
}

TEST_F(Form6Test, ShrinkAndEnlargeMoveTheDialogue) {
    open();
    results::ShrinkEnlargeButtons buttons(dialog.get(), child<QPushButton>("Command8"),
                                          child<QPushButton>("Command7"), {});
    showActive();
    child<QPushButton>("Command8")->click();
    EXPECT_TRUE(child<QPushButton>("Command7")->isVisible());
    EXPECT_EQ(dialog->frameGeometry().height(), results::ShrinkEnlargeButtons::toPixels(600));
    child<QPushButton>("Command7")->click();
    EXPECT_FALSE(child<QPushButton>("Command7")->isVisible());
}

// A name typed straight into the deceased-name cell (F2, a double-click) would otherwise save under
// the current deceased's place, and a stored chain would then give both deceased every heir.
TEST_F(Form6Test, ADeceasedTypedIntoHisCellEntersOnlyThroughTheNextDeceasedList) {
    open();
    startChain();
    typeIntoCell(2, Col::HeirName, "علي");
    goTo(2, Col::Relation);
    typeText(grid(), "ا");
    pick("DBList_relation", "ابن");
    ASSERT_TRUE(child<QCheckBox>("Check_add_warith")->isChecked());

    typeIntoCell(3, Col::DeceasedName, "سالم");
    (void)QTest::qWaitFor([&] { return !messages.texts().isEmpty(); }, 2000);
    EXPECT_EQ(messages.texts(), QStringList({Texts::NotAmongHeirs}));
    EXPECT_TRUE(child<QComboBox>("DBList_deth_name")->isVisible());
    EXPECT_EQ(child<QComboBox>("DBList_deth_name")->currentText(), "سالم");
    EXPECT_EQ(rows("MUNASKA_TEMP"), 3);

    typeIntoCell(3, Col::DeceasedName, "علي");
    (void)QTest::qWaitFor([&] { return rows("MUNASKA_TEMP") == 4; }, 2000);
    EXPECT_EQ(child<QLineEdit>("Text_deth_no_ind")->text(), "2");
    EXPECT_EQ(child<QLineEdit>("Text_deth_name_ind")->text(), "علي");
    EXPECT_FALSE(child<QComboBox>("DBList_deth_name")->isVisible());
    typeIntoCell(4, Col::HeirName, "فاطمة");
    goTo(4, Col::Relation);
    typeText(grid(), "ا");
    pick("DBList_relation", "ام");
    EXPECT_EQ(chainRows(),
              QStringList({"||احمد|1", "زوجة|فاطمة||1", "ابن|علي||1", "||علي|2", "ام|فاطمة||2"}));
    EXPECT_EQ(column("select deth_status from MUNASKA_TEMP where deth_name <> '' order by arrange"),
              QStringList({"", Texts::LaterDeceased}));
    EXPECT_EQ(messages.texts(), QStringList({Texts::NotAmongHeirs}));
}

} // namespace
