#include "shell/Form13.h"
#include "shell/MenuCommands.h"
#include "shell/Screens.h"

#include "entry/Form12.h"
#include "platform/widgets/ScreenChangeGuard.h"
#include "results/Form14.h"
#include "results/ShrinkEnlargeButtons.h"
#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"
#include "support/WindowClick.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlRecord>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using engine::EntryStage;
using shell::Form13;

namespace {

// A user at the real dialogues of a single-death case: each step waits for its screen to be the
// modal one on top, acts on it once, and the run goes on behind the screen as the engine decides.
class MainRoadTest : public ::testing::Test {
protected:
    struct Step {
        const char* what;
        std::function<bool(QWidget*)> ready; // the screen this step is for is on top
        std::function<void(QWidget*)> act;
    };
    struct StopRun {};

    static std::function<bool(QWidget*)> entryAt(EntryStage stage) {
        return [stage](QWidget* w) {
            auto* dialog = qobject_cast<entry::Form12*>(w);
            return dialog && dialog->stage() == stage;
        };
    }
    static bool results(QWidget* w) { return qobject_cast<results::Form14*>(w) != nullptr; }

    template <typename T> static T* child(QWidget* w, const char* name) {
        T* c = w->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static void click(QWidget* w, const char* name) { child<QPushButton>(w, name)->click(); }

    // Types a text into a grid cell and leaves the cell with Enter, as a user does.
    static void typeIntoCell(QWidget* w, int row, int column, const QString& text) {
        auto* grid = child<QTableView>(w, "DBGrid1");
        const QModelIndex index = grid->model()->index(row, column);
        grid->setFocus();
        grid->setCurrentIndex(index);
        grid->edit(index);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        editor->insert(text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    static void typeASonAndRun(QWidget* w) {
        child<QLineEdit>(w, "Text_deth_name")->setText("محمد");
        child<QComboBox>(w, "Text_DATA_ENTRY_NAME")->setEditText("سالم");
        typeIntoCell(w, 0, 1, "علي");
        typeIntoCell(w, 0, 0, "ابن");
        click(w, "Command1");
    }

    QStringList reportColumn(const char* column) const {
        QStringList values;
        for (const QSqlRecord& r : db.select(QString("select %1 from PRINT_TEXT order by rowid").arg(column)))
            values << r.value(0).toString().trimmed();
        return values;
    }

    // Runs the main window's new single-death command with the dialogues of this build, the steps
    // answering the screens, until the last step is done and the engine asks for its next input.
    void runRoad(std::vector<Step> steps) {
        shell::MenuCommands::new1(db);
        std::size_t next = 0;
        QTimer user;
        user.setInterval(5);
        QObject::connect(&user, &QTimer::timeout, [&] {
            QWidget* top = QApplication::activeModalWidget();
            if (next >= steps.size() || !top || !top->isActiveWindow() || top->property("acted").toBool())
                return;
            if (!steps[next].ready(top))
                return;
            top->setProperty("acted", true);
            SCOPED_TRACE(steps[next].what);
            steps[next++].act(top);
        });
        user.start();
        // Stop once every step is done: the engine is then back at a dialogue, which is left
        // without an answer, and the run is broken off there.
        Form13::Dialogs dialogs = shell::realCaseDialogs();
        const Form13::EntryDialog real = dialogs.entry;
        dialogs.entry = [&](EntryStage stage, engine::CaseContext& context,
                            const results::PartnerWindows& w) {
            if (next >= steps.size())
                throw StopRun{};
            stagesSeen << stage;
            real(stage, context, w);
        };
        try {
            Form13::open(dialogs, &mainWindow);
            ADD_FAILURE() << "the run ended by itself";
        } catch (const StopRun&) {
        }
        EXPECT_EQ(next, steps.size()) << "steps left undone";
    }

    testsupport::TempAppFolder folder{true};
    data::Database db = folder.caseDatabase();
    testsupport::CapturedMessages messages;
    QWidget mainWindow;
    QList<EntryStage> stagesSeen;
};

TEST_F(MainRoadTest, ACaseTypedInRunsThroughEveryResultsCommandToANewCase) {
    QString firstSchool;
    runRoad({
        {"the case typed in", entryAt(EntryStage::Details),
         [&](QWidget* w) {
             child<QLineEdit>(w, "Text_deth_name")->setText("محمد");
             child<QComboBox>(w, "Text_DATA_ENTRY_NAME")->setEditText("O'Brien");
             typeIntoCell(w, 0, 1, "فاطمة");
             typeIntoCell(w, 0, 0, "زوجة");
             typeIntoCell(w, 1, 1, "علي");
             typeIntoCell(w, 1, 0, "ابن");
             typeIntoCell(w, 2, 1, "زينب");
             typeIntoCell(w, 2, 0, "بنت");
             EXPECT_EQ(messages.texts(), QStringList());
             click(w, "Command1");
         }},
        {"the division, then the other school", results,
         [&](QWidget* w) {
             const QStringList lines = reportColumn("print_text");
             for (const char* name : {"فاطمة", "علي", "زينب"})
                 EXPECT_TRUE(lines.contains(QString::fromUtf8(name))) << name;
             firstSchool = lines.filter("وفق المذهب").value(0);
             EXPECT_FALSE(firstSchool.isEmpty());
             click(w, "Command_methahib");
         }},
        {"the other school, then percentages", results,
         [&](QWidget* w) {
             const QString school = reportColumn("print_text").filter("وفق المذهب").value(0);
             EXPECT_FALSE(school.isEmpty());
             EXPECT_NE(school, firstSchool);
             click(w, "Command_percent");
         }},
        {"percentages, then a given estate", results,
         [&](QWidget* w) {
             const QStringList shares = reportColumn("kinds");
             for (const char* percent : {"12.5", "58.333", "29.166"})
                 EXPECT_TRUE(shares.contains(QString::fromUtf8(percent)))
                     << percent << shares.join('|').toStdString();
             click(w, "Command_share");
         }},
        {"the estate and a new currency", entryAt(EntryStage::Estate),
         [&](QWidget* w) {
             child<QLineEdit>(w, "Text_tariqa_ammount")->setText("2400");
             child<QComboBox>(w, "Text_tariqa_currency")->setEditText("روبية");
             click(w, "Command_tariqa");
         }},
        {"the amounts, then a new case", results,
         [&](QWidget* w) {
             const QStringList shares = reportColumn("kinds");
             for (const char* amount : {"300", "1400", "700"})
                 EXPECT_TRUE(shares.contains(QString::fromUtf8(amount)))
                     << amount << shares.join('|').toStdString();
             EXPECT_TRUE(reportColumn("share").contains("روبية"));
             EXPECT_TRUE(db.exists("select 1 from currency_name where currency_name = 'روبية'"));
             click(w, "Command_start_new");
         }},
    });
    EXPECT_EQ(stagesSeen, QList<EntryStage>({EntryStage::Source, EntryStage::Type, EntryStage::Details,
                                             EntryStage::Estate}));
    EXPECT_EQ(db.count("select count(*) from WARITH"), 0);
    EXPECT_EQ(messages.texts(), QStringList());
}

// A fast double-click on "البدأ بمسألة جديدة": the first click opens the new case, the second lands
// where the new screen has its shrink button and is held back; a click made after that acts.
TEST_F(MainRoadTest, TheSecondClickOfADoubleClickThatStartedANewCaseLeavesTheNewScreenAlone) {
    platform::ScreenChangeGuard::install();
    runRoad({
        {"a case", entryAt(EntryStage::Details), [](QWidget* w) { typeASonAndRun(w); }},
        {"the division, then a new case at a double-click", results,
         [](QWidget* w) {
             testsupport::clickThroughWindow(child<QPushButton>(w, "Command_start_new"),
                                             QTest::mouseDoubleClickInterval);
         }},
        {"the new case", entryAt(EntryStage::Details),
         [this](QWidget* w) {
             auto* shrink = child<QPushButton>(w, "Command2");
             testsupport::clickThroughWindow(shrink, 120);
             EXPECT_FALSE(results::ShrinkEnlargeButtons::isFolded(w));
             EXPECT_FALSE(results::ShrinkEnlargeButtons::isFolded(&mainWindow));
             EXPECT_TRUE(child<QPushButton>(w, "Command5")->isHidden());

             testsupport::clickThroughWindow(shrink, 700);
             EXPECT_TRUE(results::ShrinkEnlargeButtons::isFolded(w));
             click(w, "Command5");
             typeASonAndRun(w);
         }},
        {"the second division", results, [](QWidget* w) { click(w, "Command_start_new"); }},
    });
    EXPECT_EQ(messages.texts(), QStringList());
}

// Enter struck twice on a focused "البدأ بمسألة جديدة": the first opens the new case, the second
// reaches the deceased's name, where Enter would move on to the heirs' grid, and is held back;
// Enter struck later moves on.
TEST_F(MainRoadTest, EnterStruckTwiceOnANewCaseLeavesTheNewScreenAlone) {
    platform::ScreenChangeGuard::install();
    auto focused = [] {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QString();
    };
    runRoad({
        {"a case", entryAt(EntryStage::Details), [](QWidget* w) { typeASonAndRun(w); }},
        {"the division, then a new case by Enter twice", results,
         [](QWidget* w) {
             child<QPushButton>(w, "Command_start_new")->setFocus();
             testsupport::tapThroughWindow(Qt::Key_Return, QTest::mouseDoubleClickInterval);
         }},
        {"the new case", entryAt(EntryStage::Details),
         [&](QWidget* w) {
             ASSERT_EQ(focused(), "Text_deth_name");
             testsupport::tapThroughWindow(Qt::Key_Return, 60);
             EXPECT_EQ(focused(), "Text_deth_name");
             testsupport::tapThroughWindow(Qt::Key_Return, 700);
             EXPECT_EQ(focused(), "DBGrid1");
             typeASonAndRun(w);
         }},
        {"the second division", results, [](QWidget* w) { click(w, "Command_start_new"); }},
    });
    EXPECT_EQ(messages.texts(), QStringList());
}

} // namespace
