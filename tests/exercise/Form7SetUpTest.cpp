#include "exercise/Form7.h"

#include "platform/widgets/ReportDocument.h"
#include "platform/widgets/ReportPreview.h"
#include "results/ShrinkEnlargeButtons.h"
#include "results/TouchedReport.h"
#include "support/AltKeys.h"
#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"
#include "support/Widgets.h"
#include "training/VerdictKeeper.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using exercise::Form7;

namespace {

// The exercise results screen on screen over a short division, as the exercise host shows it
// after a new question ('جديدة' in ENABLED_CHECK).
class Form7SetUpTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ReportPreview::setHandler([this](const platform::ReportDocument&) { ++previews; });
        db.execute("insert into ENABLED_CHECK (ENABLED_CHECK) values ('جديدة')");
        db.execute("insert into PRINT_TEXT (print_text) values ('   بسم الله الرحمن الرحيم ')");
        db.execute("insert into PRINT_TEXT (print_text) values ('  قسام شرعي ')");
        db.execute("insert into PRINT_TEXT (print_text) values (?)",
                   {QString("  حسب قواعد الشريعة الاسلامية وفق المذهب الحنفي   ") + QString(90, '_')});
        const char* const heirs[][4] = {
            {"     1", "عبد الرحمن بن عبد الله", "زوجة", "23"},
            {"     2", "علي", "ابن ابن", "1234567"},
        };
        for (const auto& h : heirs)
            db.execute("insert into PRINT_TEXT (case_ser, print_text, kinds, share) values (?, ?, ?, ?)",
                       {h[0], h[1], h[2], h[3]});
        db.execute("insert into PRINT_TEXT2 (serial_deth, name_deth) values (1, 'زيد')");
        db.execute(
            "insert into PRINT_TEXT2_CHILED (serial_deth, serial_deth_chiled, name_deth_chiled, Relation, "
            "share) values (1, 1, 'عبد الرحمن بن عبد الله', 'زوجة', 23)");
        host.setGeometry(5, 5, 1016, 760);
        mainWindow.setGeometry(5, 5, 1016, 714);
        openScreen();
    }
    void openScreen() {
        Form7::Links links;
        links.cleanExit = [this](const data::Database& d) { exitedOn = d.isOpen() ? 1 : -1; };
        links.mainMenu = [this] { ++mainMenus; };
        links.windows = {&host, &mainWindow};
        screen = std::make_unique<Form7>(db, context, verdicts, touched, links);
        screen->show();
        screen->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(screen.get()));
    }
    // The screen again, as the exercise host shows it after the one before has been left.
    void reopen() {
        screen.reset();
        context.Text_choos_no.clear();
        openScreen();
    }
    void TearDown() override { platform::ReportPreview::setHandler({}); }

    template <typename T> T* child(const char* name) const {
        return testsupport::namedChild<T>(screen, name);
    }

    testsupport::TempAppFolder folder;
    data::Database db = folder.caseDatabase();
    engine::CaseContext context;
    training::VerdictKeeper verdicts;
    results::TouchedReport touched;
    testsupport::CapturedMessages messages;
    QWidget host;
    QWidget mainWindow;
    int exitedOn = 0;
    int mainMenus = 0;
    int previews = 0;
    std::unique_ptr<Form7> screen;
};

TEST_F(Form7SetUpTest, OpensOnTheRevealWithTheGridHiddenAndTheModelCaseLetterOff) {
    EXPECT_EQ(QApplication::focusWidget(), child<QPushButton>("Command_show_case"));
    EXPECT_FALSE(child<QTableView>("DBGrid1")->isVisible());
    auto* sizes = child<QComboBox>("Combo1");
    EXPECT_FALSE(sizes->isVisible());
    EXPECT_EQ(sizes->currentText(), "8.25");
    EXPECT_DOUBLE_EQ(child<QTableView>("DBGrid1")->font().pointSizeF(), 8.25);
    EXPECT_TRUE(child<QPushButton>("Command9")->isVisible());
    EXPECT_FALSE(child<QPushButton>("Command10")->isVisible());
    for (const char* hidden : {"Command_stored_case", "Command_percent", "Command_share", "Command_methahib",
                               "Command_print", "Command3", "Command5"})
        EXPECT_FALSE(child<QWidget>(hidden)->isVisible()) << hidden;
    EXPECT_FALSE(child<QPushButton>("Command_stored_case")->isEnabled());
    EXPECT_FALSE(child<QShortcut>("Command_ALTER_stored_case")->isEnabled());
    for (const char* twin :
         {"Command_ALTER_show_case", "Command_ALTER_percent", "Command_ALTER_share", "Command_ALTER_methahib",
          "Command_ALTER_start_new", "Command_ALTER_print", "Command_ALTER_endprogram"})
        EXPECT_TRUE(child<QShortcut>(twin)->isEnabled()) << twin;
}

TEST_F(Form7SetUpTest, TabVisitsTheShownCommandsInTheirOrderAndLeavesTheGrid) {
    const char* const order[] = {
        "Command_show_case", "Command_start_new", "Command1", "Command_return_to_case", "Command_endprogram",
        "Command4",          "Command6",          "Command9", "Command_show_case"};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget()->objectName(), order[i]) << "after " << order[i - 1];
    }

    child<QPushButton>("Command_show_case")->click();
    auto* grid = child<QTableView>("DBGrid1");
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 0));
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), child<QPushButton>("Command_endprogram"));
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), child<QPushButton>("Command_return_to_case"));
}

// However long the title lines, the shares, relations and serials stay wholly in sight.
TEST_F(Form7SetUpTest, TheRevealedGridShowsEveryColumnWhollyAtEveryFontSize) {
    child<QPushButton>("Command_show_case")->click();
    auto* grid = child<QTableView>("DBGrid1");
    auto* sizes = child<QComboBox>("Combo1");
    QAbstractItemModel* model = grid->model();
    ASSERT_EQ(model->rowCount(), 4); // the deed term's own line went into the rules line
    for (int i = sizes->count() - 1; i >= 0; --i) {
        sizes->setCurrentIndex(i);
        QCoreApplication::processEvents();
        SCOPED_TRACE(sizes->currentText().toStdString());
        const QFontMetrics metrics(grid->font());
        const int margins = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
        EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0);
        for (int col = 0; col < model->columnCount(); ++col) {
            EXPECT_GE(grid->columnViewportPosition(col), 0) << "column " << col;
            EXPECT_LE(grid->columnViewportPosition(col) + grid->columnWidth(col), grid->viewport()->width())
                << "column " << col;
            if (col == 2)
                continue; // the text column: its long title lines give way
            for (int row = 0; row < model->rowCount(); ++row) {
                const QString text = model->index(row, col).data().toString();
                if (text.trimmed().isEmpty())
                    continue;
                EXPECT_GE(grid->columnWidth(col), metrics.horizontalAdvance(text) + margins)
                    << "row " << row << " column " << col;
            }
        }
    }
}

TEST_F(Form7SetUpTest, AltLPrintsAndTheModeReachesTheReportDatabase) {
    QTest::keyClick(screen.get(), Qt::Key_L, Qt::AltModifier);
    EXPECT_EQ(previews, 1) << messages.texts().join(" | ").toStdString();
    EXPECT_TRUE(context.Text_choos_no.isEmpty());
    EXPECT_TRUE(screen->isVisible());
    const data::Database report = data::Database::OpenDatabase(folder.file("TALVENO_TEST_REPORT.mdb"));
    EXPECT_EQ(report.scalar("select group_concat(REPORT_DESTRIBUTER) from REPORT_DESTRIBUTER").toString(),
              "بدون توحيد");
    EXPECT_EQ(db.scalar("select and_text from PRINT_TEXT2").toString(), "توفي المدعو");
}

// Alt and a caption's Arabic letter or the Latin letter on its key: the same under either layout.
// The commands not shown answer through their twins' keys; on the main menu's key, which the
// hidden percentages' twin shares, the button on screen answers.
TEST_F(Form7SetUpTest, EveryAccessKeyRunsItsCommandUnderEitherLayout) {
    const struct {
        Qt::Key latin;
        char16_t arabic;
        const char* code;
    } handBacks[] = {
        {Qt::Key_V, 0x0631, "4"},
        {Qt::Key_P, 0x062D, "9"},
        {Qt::Key_S, 0x0633, "10"},
    };
    for (const testsupport::KeyboardLayout layout : testsupport::BothLayouts) {
        SCOPED_TRACE(testsupport::nameOf(layout));
        for (const auto& k : handBacks) {
            SCOPED_TRACE(k.code);
            reopen();
            testsupport::altKey(screen.get(), layout, k.latin, k.arabic);
            EXPECT_EQ(context.Text_choos_no, QString(k.code));
        }
        reopen();
        testsupport::altKey(screen.get(), layout, Qt::Key_I, 0x0647);
        EXPECT_TRUE(child<QTableView>("DBGrid1")->isVisible());
        const int printed = previews;
        testsupport::altKey(screen.get(), layout, Qt::Key_L, 0x0645);
        EXPECT_EQ(previews, printed + 1);
        const int menus = mainMenus;
        testsupport::altKey(screen.get(), layout, Qt::Key_R, 0x0642);
        EXPECT_EQ(mainMenus, menus + 1);
        EXPECT_TRUE(context.Text_choos_no.isEmpty());
        testsupport::altKey(screen.get(), layout, Qt::Key_K, 0x0646);
        EXPECT_EQ(exitedOn, 1);
        exitedOn = 0;
    }
}

TEST_F(Form7SetUpTest, TheWindowButtonsMoveTheHostAndTheMainWindowAndTheExitsLeave) {
    child<QPushButton>("Command9")->click();
    EXPECT_TRUE(results::ShrinkEnlargeButtons::isFolded(screen.get()));
    EXPECT_TRUE(results::ShrinkEnlargeButtons::isFolded(&host));
    EXPECT_TRUE(results::ShrinkEnlargeButtons::isFolded(&mainWindow));
    EXPECT_TRUE(child<QPushButton>("Command10")->isVisible());
    child<QPushButton>("Command10")->click();
    EXPECT_FALSE(results::ShrinkEnlargeButtons::isFolded(&host));
    EXPECT_FALSE(child<QPushButton>("Command10")->isVisible());
    EXPECT_EQ(host.width(), 1016);

    child<QPushButton>("Command1")->click();
    EXPECT_EQ(mainMenus, 1);
    emit child<QShortcut>("Command_ALTER_endprogram")->activated();
    EXPECT_EQ(exitedOn, 1);
    EXPECT_TRUE(context.Text_choos_no.isEmpty());
}

// The first results screen of a model-case run, should the learner choose model cases by hand at
// the source stage: the automatic press asks for the first model case. The first shown command
// this screen has enabled then is the main-menu button, which it must not press.
TEST(Form7ModelCaseRun, TheAutomaticPressAsksForAModelCaseAndNeverLeaves) {
    testsupport::TempAppFolder folder;
    const data::Database db = folder.caseDatabase();
    db.execute("insert into ENABLED_CHECK (ENABLED_CHECK) values ('مخزونة')");
    engine::CaseContext context;
    context.Text_RLAS = QStringLiteral("خ");
    context.Text_desabled_form7_commands_first_time = QStringLiteral("1");
    context.Text_stord_standerd_case_keyup = QStringLiteral("1");
    training::VerdictKeeper verdicts;
    results::TouchedReport touched;
    int mainMenus = 0;
    Form7 screen(db, context, verdicts, touched, {{}, [&] { ++mainMenus; }, {}});
    screen.show();
    EXPECT_FALSE(screen.findChild<QPushButton*>("Command_show_case")->isEnabled());
    QTest::qWait(20);
    EXPECT_EQ(context.Text_choos_no, "8");
    EXPECT_EQ(mainMenus, 0);
    EXPECT_FALSE(screen.isVisible());
}

} // namespace
