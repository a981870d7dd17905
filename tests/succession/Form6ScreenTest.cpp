#include "Form6Fixture.h"

#include "support/TypedKeys.h"

#include <QScreen>

namespace {

using namespace form6test;

class Form6ScreenTest : public Form6Test {
protected:
    static QString focusName() {
        QWidget* w = QApplication::focusWidget();
        if (!w)
            return "none";
        QString n = w->objectName();
        for (QWidget* p = w->parentWidget(); p && n.isEmpty(); p = p->parentWidget())
            n = QString("%1<-%2").arg(w->metaObject()->className(), p->objectName());
        return n + (w->isVisible() ? "" : "(hidden)");
    }
    // احمد, and علي his son, typed in.
    void sonOfTheFirstDeceased() {
        showActive();
        pick("DBList_deth_name", "احمد");
        typeIntoCell(1, Col::HeirName, "علي");
        goTo(1, Col::Relation);
        typeText(grid(), "ا");
        pick("DBList_relation", "ابن");
    }
};

TEST_F(Form6ScreenTest, AfterARefusedHeirNameTheNextKeysGoIntoTheRefusedCell) {
    open();
    sonOfTheFirstDeceased();
    ASSERT_EQ(chainRows(), QStringList({"||احمد|1", "ابن|علي||1"}));
    testsupport::RealMessageBoxes boxes;
    goTo(2, Col::HeirName);
    testsupport::typeKeys(QStringLiteral("علي\r"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.texts().isEmpty(); }, 2000));
    // Nothing but the program gives the dialogue its activation back.
    (void)QTest::qWaitFor([&] { return QApplication::focusWidget() == grid(); }, 1000);
    EXPECT_EQ(boxes.texts(), QStringList{Texts::HeirTwice});
    // The box is gone and the user types on without touching the mouse.
    EXPECT_EQ(QApplication::activeWindow(), dialog.get());
    EXPECT_EQ(QApplication::focusWidget(), grid()) << focusName().toStdString();
    EXPECT_EQ(grid()->currentIndex(), chain()->index(2, Col::HeirName));
    testsupport::typeKeys(QStringLiteral("سعيد\r"));
    QTest::qWait(20);
    EXPECT_EQ(chain()->cell(2, Col::HeirName), "سعيد");
    EXPECT_EQ(chain()->cell(2, Col::Relation), QString());
}

TEST_F(Form6ScreenTest, TheFirstDeceasedIsTypedInTheSideBoxAndEnterKeepsHim) {
    open();
    showActive();
    auto* box = child<QLineEdit>("Text_deth_name_ind");
    ASSERT_FALSE(box->isReadOnly());
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return); // nothing typed, nothing taken
    EXPECT_EQ(rows("MUNASKA_TEMP"), 0);
    testsupport::typeKeys(QStringLiteral(" احمد\r"));
    EXPECT_EQ(chainRows(), QStringList{"||احمد|1"});
    EXPECT_EQ(box->text(), "احمد");
    EXPECT_TRUE(child<QCheckBox>("Check_add_warith")->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), grid());
    EXPECT_EQ(grid()->currentIndex(), chain()->index(1, Col::Relation));
    // With a deceased in the chain the box only shows who the current deceased is.
    EXPECT_TRUE(box->isReadOnly());
    box->setFocus();
    testsupport::typeKeys(QStringLiteral("علي\r"));
    EXPECT_EQ(box->text(), "احمد");
    EXPECT_EQ(chainRows(), QStringList{"||احمد|1"});
    EXPECT_EQ(messages.texts(), QStringList());
    // A new case opens it again.
    child<QPushButton>("Command_new")->click();
    EXPECT_FALSE(box->isReadOnly());
    EXPECT_EQ(box->text(), QString());
}

TEST_F(Form6ScreenTest, TheSideBoxIsOnlyTheIndicatorOfALoadedChain) {
    twoDeceased();
    open();
    showActive();
    EXPECT_TRUE(child<QLineEdit>("Text_deth_name_ind")->isReadOnly());
    // Deleting the only deceased of a chain opens it again.
    child<QPushButton>("Command_new")->click();
    pick("DBList_deth_name", "احمد");
    EXPECT_TRUE(child<QLineEdit>("Text_deth_name_ind")->isReadOnly());
    dialog->deleteRow(0);
    EXPECT_EQ(rows("MUNASKA_TEMP"), 0);
    EXPECT_FALSE(child<QLineEdit>("Text_deth_name_ind")->isReadOnly());
}

TEST_F(Form6ScreenTest, AHeirTypedBeforeAnyDeceasedIsNoTrap) {
    open();
    showActive();
    typeIntoCell(0, Col::HeirName, "علي");
    goTo(0, Col::Relation);
    typeText(grid(), "ا");
    pick("DBList_relation", "ابن");
    EXPECT_EQ(messages.texts(), QStringList{Texts::ChooseDeceasedFirst});
    // Buttons that need no saved row act; those that do say why once per press.
    child<QPushButton>("Command13")->click();
    EXPECT_TRUE(child<QTextBrowser>("RichTextBox2")->isVisible());
    child<QPushButton>("Command5")->click();
    EXPECT_EQ(messages.texts(), QStringList({Texts::ChooseDeceasedFirst, Texts::ChooseDeceasedFirst}));
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), grid());
    // Choosing the deceased, as the message asks, takes him and then the heir who waited.
    auto* box = child<QLineEdit>("Text_deth_name_ind");
    box->setFocus();
    testsupport::typeKeys(QStringLiteral("احمد\r"));
    EXPECT_EQ(chainRows(), QStringList({"||احمد|1", "ابن|علي||1"}));
    EXPECT_EQ(messages.texts().size(), 2);
    EXPECT_EQ(grid()->currentIndex().row(), 2);
}

TEST_F(Form6ScreenTest, EscInTheGridGivesUpARowTheRulesRefuse) {
    twoDeceased();
    open();
    showActive();
    goTo(1, Col::HeirName);
    child<QCheckBox>("Check_add_warith")->setChecked(false);
    typeIntoCell(1, Col::HeirName, "سلمى");
    // The row is saved, and refused, through a queued call.
    (void)QTest::qWaitFor([&] { return !messages.texts().isEmpty(); }, 2000);
    QTest::qWait(20);
    EXPECT_EQ(messages.texts(), QStringList{Texts::ChooseDeceasedFirst});
    ASSERT_EQ(grid()->currentIndex().row(), 1);
    ASSERT_EQ(QApplication::focusWidget(), grid());
    QTest::keyClick(grid(), Qt::Key_Escape);
    EXPECT_FALSE(chain()->hasChanges());
    EXPECT_EQ(chain()->cell(1, Col::HeirName), "فاطمة");
    // Nothing holds the user any longer.
    goTo(3, Col::HeirName);
    child<QPushButton>("Command5")->click();
    EXPECT_EQ(messages.texts(), QStringList{Texts::ChooseDeceasedFirst});
    EXPECT_EQ(column("select warith_name from MUNASKA_TEMP where ar = 2"), QStringList{"فاطمة"});
}

TEST_F(Form6ScreenTest, EveryColumnOfTheChainGridTheUserSeesHasAHeading) {
    open();
    auto* grid = child<QTableView>("DBGrid3");
    for (int c = 0; c < grid->model()->columnCount(); ++c) {
        if (grid->isColumnHidden(c))
            continue;
        EXPECT_FALSE(grid->model()->headerData(c, Qt::Horizontal).toString().trimmed().isEmpty()) << c;
    }
}

TEST_F(Form6ScreenTest, TheStoredChainsListHasArabicHeadingsThatFitAtEveryFontSize) {
    db.execute("insert into DETH_GENERAL (case_no, case_name, deth_name, arrange) values "
               "(123456, 'مسألة احمد بن علي بن حسن الطويلة', 'احمد', 1)");
    open();
    auto* put = child<QTableView>("DBGrid_put");
    for (int points : {9, 14, 20}) {
        SCOPED_TRACE(points);
        QFont font = dialog->font();
        font.setPointSize(points);
        dialog->setFont(font);
        showActive();
        QTest::qWait(10);
        const QFontMetrics metrics(put->horizontalHeader()->font());
        for (int c : {0, 1}) {
            const QString heading = put->model()->headerData(c, Qt::Horizontal).toString();
            EXPECT_EQ(heading, c == 0 ? ET::ModelTitleColumn : ET::ModelNumberColumn);
            EXPECT_GE(put->columnWidth(c), metrics.horizontalAdvance(heading)) << c;
        }
        EXPECT_GE(put->columnWidth(1), QFontMetrics(put->font()).horizontalAdvance("123456"));
    }
}

// Where Tab goes from the focus: a widget of the dialogue by its objectName (a combo's box by its
// combo's).
static QString tabFrom() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* w = QApplication::focusWidget();
    if (!w)
        return "none";
    return w->objectName().isEmpty() && w->parentWidget() ? w->parentWidget()->objectName() : w->objectName();
}

TEST_F(Form6ScreenTest, TabReachesEveryButtonAndIsNeverHeldInTheGrid) {
    twoDeceased();
    open();
    showActive();
    child<QPushButton>("Command4")->click(); // the issuing body's buttons are shown too
    for (bool editing : {false, true}) {
        SCOPED_TRACE(editing);
        const int row = editing ? chain()->entryRow() : 1;
        goTo(row, Col::HeirName);
        if (editing) {
            grid()->edit(chain()->index(row, Col::HeirName));
            qobject_cast<QLineEdit*>(QApplication::focusWidget())->insert("سلمى");
        }
        QStringList reached;
        for (int i = 0; i < 40 && (reached.isEmpty() || reached.back() != "DBGrid3"); ++i)
            reached << tabFrom();
        ASSERT_EQ(reached.back(), "DBGrid3") << reached.join(' ').toStdString();
        EXPECT_NE(reached.front(), "DBGrid3");
        for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
            if (b->isVisible() && b->isEnabled() && !b->objectName().isEmpty()) {
                EXPECT_TRUE(reached.contains(b->objectName())) << b->objectName().toStdString();
            }
        }
        EXPECT_FALSE(reached.contains("Text_deth_name_ind")); // it only shows the current deceased
        if (editing) {                                        // the cell left by Tab is taken
            EXPECT_EQ(chain()->cell(row, Col::HeirName), "سلمى");
        }
    }
}

TEST_F(Form6ScreenTest, TheNextDeceasedListOpensEmptyAfterADeceasedWasTaken) {
    open();
    sonOfTheFirstDeceased();
    goTo(2, Col::DeceasedName);
    QTest::keyClick(grid(), Qt::Key_F5);
    auto* list = child<QComboBox>("DBList_deth_name");
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->currentText(), QString());
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(list->itemText(0), "علي");
}

TEST_F(Form6ScreenTest, TheEnlargeButtonStandsInTheStripLeftOfAShrunkDialogue) {
    open();
    results::ShrinkEnlargeButtons buttons(dialog.get(), child<QPushButton>("Command8"),
                                          child<QPushButton>("Command7"), {});
    showActive();
    child<QPushButton>("Command8")->click();
    QTest::qWait(20);
    auto* enlarge = child<QPushButton>("Command7");
    const QRect strip(
        dialog->mapFromGlobal(dialog->frameGeometry().topLeft()),
        QSize(dialog->screen()->availableGeometry().right() + 1 - dialog->frameGeometry().left(),
              dialog->frameGeometry().height()));
    const QRect button(enlarge->mapTo(dialog.get(), QPoint(0, 0)), enlarge->size());
    EXPECT_GE(button.height(), enlarge->sizeHint().height());
    EXPECT_EQ(dialog->childAt(button.center()), enlarge);
    EXPECT_TRUE(strip.contains(button))
        << button.x() << "," << button.y() << " " << button.width() << "x" << button.height() << " in "
        << strip.width() << "x" << strip.height();
}

TEST_F(Form6ScreenTest, TheRunTwinOverARefusedCellSaysOnlyWhyTheCellWasRefused) {
    open();
    sonOfTheFirstDeceased();
    goTo(2, Col::HeirName);
    grid()->edit(chain()->index(2, Col::HeirName));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->insert("علي");
    dialog->findChild<QAction*>("Command_ALTER_run")->trigger();
    QTest::qWait(20);
    EXPECT_EQ(messages.texts(), QStringList{Texts::HeirTwice});
    EXPECT_EQ(QApplication::focusWidget(), grid());
    EXPECT_EQ(grid()->currentIndex(), chain()->index(2, Col::HeirName));
}

} // namespace
