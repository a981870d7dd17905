#include "shell/Form1.h"
#include "shell/Form13.h"
#include "shell/MenuCommands.h"
#include "shell/Screens.h"

#include "entry/Form12.h"
#include "platform/widgets/MainMenuReturn.h"
#include "results/Form14.h"
#include "results/ResultsSetUp.h"
#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"

#include <QApplication>
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

// A user at the real screens of the model-case run over the shipped catalogue: each step waits
// for its screen to be the modal one on top and acts on it once; the screens that answer by
// themselves (the first results screen, the stage while a range is queued) get no step.
class ModelCaseRoadTest : public ::testing::Test {
protected:
    struct Step {
        const char* what;
        std::function<bool(QWidget*)> ready;
        std::function<void(QWidget*)> act;
    };
    struct StopRun {};

    static bool stage(QWidget* w) {
        auto* dialog = qobject_cast<entry::Form12*>(w);
        return dialog && dialog->stage() == EntryStage::Stored;
    }
    static bool results(QWidget* w) { return qobject_cast<results::Form14*>(w) != nullptr; }
    template <typename T> static T* child(QWidget* w, const char* name) {
        T* c = w->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static void click(QWidget* w, const char* name) { child<QPushButton>(w, name)->click(); }
    // The stage's range run from..to.
    static Step rangeRun(const char* from, const char* to) {
        return {"a range", stage, [from, to](QWidget* w) {
                    child<QLineEdit>(w, "Text_from")->setText(from);
                    child<QLineEdit>(w, "Text_to")->setText(to);
                    click(w, "Command_AUTO_GET_CASE_NO_STORED_CASES");
                }};
    }

    QStringList column(const QString& sql) const {
        QStringList values;
        for (const QSqlRecord& r : db.select(sql))
            values << r.value(0).toString();
        return values;
    }
    QString caseKey() const {
        return db.scalar("select ser from PRINT_TEXT where ser like 'التسلسل/%' order by rowid").toString();
    }

    // Runs the main window's model-case command until every step is done and the engine shows
    // the stage once more; the run is broken off there. A run that the user ends with the
    // main-menu button ends there instead. A screen left waiting for a step ends the run after a
    // while, with the steps left undone.
    enum class Ends { AtNextStage, AtMainWindow };
    void runRoad(std::vector<Step> steps, Ends ends = Ends::AtNextStage) {
        shell::MenuCommands::namu(db);
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
        QTimer giveUp;
        giveUp.setSingleShot(true);
        QObject::connect(&giveUp, &QTimer::timeout, [] { platform::MainMenuReturn::request(); });
        giveUp.start(8000);
        Form13::Dialogs dialogs = shell::realCaseDialogs();
        const Form13::EntryDialog real = dialogs.entry;
        dialogs.entry = [&](EntryStage s, engine::CaseContext& context, const results::PartnerWindows& w) {
            if (next >= steps.size())
                throw StopRun{};
            stagesSeen << s;
            real(s, context, w);
        };
        try {
            const Form13* host = Form13::open(dialogs, &mainWindow);
            EXPECT_TRUE(ends == Ends::AtMainWindow && host == nullptr) << "the run ended by itself";
        } catch (const StopRun&) {
            EXPECT_EQ(ends, Ends::AtNextStage);
        }
        EXPECT_EQ(next, steps.size()) << "steps left undone";
    }

    testsupport::TempAppFolder folder{true};
    data::Database db = folder.caseDatabase();
    testsupport::CapturedMessages messages;
    QWidget mainWindow;
    QList<EntryStage> stagesSeen;
};

TEST_F(ModelCaseRoadTest, CasesPickedByNumberAndTitleThenARangeOneConfirmationPerCase) {
    runRoad({
        {"case 3 by number", stage,
         [&](QWidget* w) {
             child<QLineEdit>(w, "Text1")->setText("3");
             click(w, "Command_stord_case");
         }},
        {"case 3 computed, percentages", results,
         [&](QWidget* w) {
             EXPECT_EQ(caseKey(), "التسلسل/ت/ 3");
             EXPECT_FALSE(child<QPushButton>(w, "Command_start_new")->isEnabled());
             EXPECT_TRUE(child<QPushButton>(w, "Command_percent")->isEnabled());
             click(w, "Command_percent");
         }},
        {"percentages shown, the other school", results,
         [&](QWidget* w) {
             EXPECT_TRUE(db.exists("select 1 from PRINT_TEXT where share = '%'"));
             click(w, "Command_methahib");
         }},
        {"another case", results, [&](QWidget* w) { click(w, "Command_stored_case"); }},
        {"a chain by its title", stage,
         [&](QWidget* w) {
             child<QLineEdit>(w, "Text1")->setText("خمسة متوفين");
             click(w, "Command_stord_case");
         }},
        {"the chain's unified table, then a range", results,
         [&](QWidget* w) {
             EXPECT_EQ(caseKey(), "التسلسل/ت/ 72");
             EXPECT_TRUE(db.exists("select 1 from PRINT_TEXT where ser = 'توحيد القسامات '"));
             EXPECT_GT(db.count("select count(*) from TAWHEED_CHILED"), 0);
             click(w, "Command_stored_case");
         }},
        rangeRun("5", "7"),
        {"case 5, confirmed", results,
         [&](QWidget* w) {
             EXPECT_EQ(caseKey(), "التسلسل/ت/ 5");
             EXPECT_EQ(QApplication::focusWidget(), child<QWidget>(w, "Command_stored_case"));
             click(w, "Command_stored_case");
         }},
        {"case 6, confirmed", results,
         [&](QWidget* w) {
             EXPECT_EQ(caseKey(), "التسلسل/ت/ 6");
             click(w, "Command_stored_case");
         }},
        {"case 7, the last of the range", results,
         [&](QWidget* w) {
             EXPECT_EQ(caseKey(), "التسلسل/ت/ 7");
             EXPECT_EQ(db.count("select count(*) from STORDE_STANDERD_TEMP"), 0);
             click(w, "Command_stored_case");
         }},
    });
    // The queued cases came without the user; after the range the stage waits again (the stop).
    EXPECT_EQ(stagesSeen, QList<EntryStage>({EntryStage::Source, EntryStage::Stored, EntryStage::Stored,
                                             EntryStage::Stored, EntryStage::Stored, EntryStage::Stored}));
    EXPECT_EQ(messages.texts(), QStringList());
}

TEST_F(ModelCaseRoadTest, AQueuedNumberMissingFromTheStoredCaseFileIsPassedOverSilently) {
    db.execute("insert into STORDE_STANDERD (storde_case_no, storde_case_name) values (99, 'لا سجل لها')");
    runRoad({
        rangeRun("75", "99"),
        {"case 75", results,
         [&](QWidget* w) {
             EXPECT_EQ(caseKey(), "التسلسل/ت/ 75");
             click(w, "Command_stored_case");
         }},
        {"case 76, the last one with a record", results,
         [&](QWidget* w) {
             EXPECT_EQ(caseKey(), "التسلسل/ت/ 76");
             click(w, "Command_stored_case");
         }},
        {"99 passed over: the stage waits for the user", stage,
         [&](QWidget* w) {
             EXPECT_EQ(db.count("select count(*) from STORDE_STANDERD_TEMP"), 0);
             EXPECT_EQ(child<QLineEdit>(w, "Text_to")->text(), "99");
             child<QLineEdit>(w, "Text1")->setText("1");
             click(w, "Command_stord_case");
         }},
        {"case 1", results,
         [&](QWidget* w) {
             EXPECT_EQ(caseKey(), "التسلسل/ت/ 1");
             click(w, "Command_stored_case");
         }},
    });
    EXPECT_EQ(messages.texts(), QStringList());
}

TEST_F(ModelCaseRoadTest, TheMainMenuButtonInARangeLeavesNothingQueuedForTheNextModelCaseCommand) {
    QStringList reportLeft;
    runRoad({rangeRun("5", "7"),
             {"case 5, then back to the main window", results,
              [&](QWidget* w) {
                  ASSERT_EQ(caseKey(), "التسلسل/ت/ 5");
                  reportLeft = column("select print_text from PRINT_TEXT order by rowid");
                  click(w, "Command1");
              }}},
            Ends::AtMainWindow);
    EXPECT_EQ(db.count("select count(*) from STORDE_STANDERD_TEMP"), 0);
    // The last range is the whole library again, as after a start.
    EXPECT_EQ(column("select storde_case_no from STORDE_STANDERD_FROM_TO order by storde_case_no"),
              column("select storde_case_no from STORDE_STANDERD order by storde_case_no"));

    stagesSeen.clear();
    runRoad({{"the stage waits for the user over the report of case 5", stage,
              [&](QWidget* w) {
                  EXPECT_EQ(child<QLineEdit>(w, "Text_from")->text(),
                            db.scalar("select min(storde_case_no) from STORDE_STANDERD").toString());
                  EXPECT_EQ(child<QLineEdit>(w, "Text_to")->text(),
                            db.scalar("select max(storde_case_no) from STORDE_STANDERD").toString());
                  // The first results screen of the run leaves the lines it was shown over alone.
                  EXPECT_EQ(column("select print_text from PRINT_TEXT order by rowid"), reportLeft);
                  child<QLineEdit>(w, "Text1")->setText("6");
                  click(w, "Command_stord_case");
              }},
             {"case 6, its deed term written once", results, [&](QWidget* w) {
                  EXPECT_EQ(caseKey(), "التسلسل/ت/ 6");
                  EXPECT_EQ(db.count("select count(*) from PRINT_TEXT where instr(print_text, ?) <> 0",
                                     {QString::fromUtf16(results::ResultsSetUp::DeedTerm)}),
                            1);
                  click(w, "Command_stored_case");
              }}});
    // The first results screen pressed its model-case command by itself.
    EXPECT_EQ(stagesSeen, QList<EntryStage>({EntryStage::Source, EntryStage::Stored}));
    EXPECT_EQ(messages.texts(), QStringList());
}

TEST_F(ModelCaseRoadTest, TheMainWindowOffersTheModelCases) {
    shell::Form1 w(db, shell::mainWindowScreens(&mainWindow));
    EXPECT_TRUE(w.command("namu")->isEnabled());
}

} // namespace
