#include "shell/Form1.h"
#include "shell/Form11.h"
#include "shell/MenuCommands.h"

#include "data/FlagTable.h"
#include "platform/ArabicFirstKeyMap.h"
#include "platform/ProcessExit.h"
#include "platform/widgets/DocumentOpener.h"
#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"
#include "training/AnswerHandIn.h"
#include "training/ExerciseAuthoring.h"
#include "training/ExerciseQuestion.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <functional>

using shell::Form1;
using testsupport::TempAppFolder;

namespace {

class Form1Test : public ::testing::Test {
protected:
    void TearDown() override { platform::DocumentOpener::setHandler({}); }

    QString flag(const char* table) const { return data::FlagTable(db, table).text(); }
    qint64 rows(const char* table) const { return db.count(QString("select count(*) from %1").arg(table)); }

    TempAppFolder folder{true};
    data::Database db = folder.caseDatabase();
    QStringList shown;
    Form1::Screens allScreens() {
        Form1::Screens s;
        for (const char* name : {"new1", "mun", "namu", "masaeel", "iqtibarya"})
            s[name] = [this, name] { shown << name; };
        return s;
    }
};

TEST_F(Form1Test, TheMenuBarHoldsEveryCommandUnderItsMenu) {
    Form1 w(db, allScreens());
    const struct {
        const char* name;
        const char* caption;
        const char* menu;
    } items[] = {
        {"new1", "جديدة مفردة", "mas"},
        {"mun", "جديدة مناسخة", "mas"},
        {"namu", "نموذجية", "mas"},
        {"iqtibarya", "اسئلة اختبارية", "taleem"},
        {"masaeel", "مسائل اختبارية", "taleem"},
        {"mnfaraeeth", "كتاب علم الفرائض", "taleem"},
        {"rah", "كتاب متن الرحبية", "taleem"},
        {"iaat", "آيات المواريث", "tareefat"},
        {"tare", "تعريف بالبرنامج", "tareefat"},
        {"mnu_mueed", "التعريف بمعد البرنامج", "tareefat"},
        {"ty", "اصناف الورثة المبرمجة", "tareefat"},
        {"ij", "الاجتهادات الفقهية التي يعتمدها البرنامج", "tareefat"},
    };
    for (const auto& item : items) {
        SCOPED_TRACE(item.name);
        QAction* a = w.command(item.name);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(), QString(item.caption));
        auto* menu = w.findChild<QMenu*>(item.menu);
        ASSERT_NE(menu, nullptr);
        EXPECT_TRUE(menu->actions().contains(a));
        EXPECT_TRUE(a->shortcut().isEmpty());
    }
    QStringList top;
    for (QAction* a : w.menuBar()->actions())
        top << a->text();
    EXPECT_EQ(top, QStringList({"المسائل", "البرنامج التعليمي", "تعريفات", "المساعد", "انهاء البرنامج"}));
    EXPECT_EQ(w.layoutDirection(), Qt::RightToLeft);
}

// Where a key typed now goes: the open menu, or else the widget with the focus.
QWidget* keyTarget(QWidget* window) {
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup;
    return QApplication::focusWidget() ? QApplication::focusWidget() : window;
}

void showActive(QWidget& w) {
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

TEST_F(Form1Test, AStrayKeyRightAfterStartUpLeavesTheProgramRunning) {
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        SCOPED_TRACE(QKeySequence(key).toString().toStdString());
        Form1 w(db, allScreens());
        showActive(w);
        EXPECT_NO_THROW(QTest::keyClick(keyTarget(&w), key));
        EXPECT_TRUE(shown.isEmpty());
        EXPECT_EQ(QApplication::focusWidget(), w.menuBar());
        // Nor once the menu was opened and left again.
        QTest::keyClick(keyTarget(&w), Qt::Key_F10);
        QTest::keyClick(keyTarget(&w), Qt::Key_Escape);
        QTest::keyClick(keyTarget(&w), Qt::Key_Escape);
        ASSERT_EQ(QApplication::activePopupWidget(), nullptr);
        EXPECT_NO_THROW(QTest::keyClick(keyTarget(&w), key));
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        EXPECT_TRUE(shown.isEmpty());
    }
}

TEST_F(Form1Test, F10OpensTheFirstMenuOnItsFirstCommand) {
    Form1 w(db, allScreens());
    showActive(w);
    auto* cases = w.findChild<QMenu*>("mas");
    ASSERT_NE(cases, nullptr);
    EXPECT_FALSE(cases->isVisible());
    QTest::keyClick(keyTarget(&w), Qt::Key_F10);
    EXPECT_TRUE(cases->isVisible());
    EXPECT_EQ(cases->activeAction(), w.command("new1"));
    QTest::keyClick(keyTarget(&w), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(shown, QStringList({"new1"}));
}

// The arrows lead from the open menu along the menu bar to the items that are commands in
// themselves; Enter there runs them as a click does.
TEST_F(Form1Test, EnterOnACommandOfTheMenuBarItselfRunsIt) {
    const auto reach = [](Form1& w, const char* name) {
        QTest::keyClick(keyTarget(&w), Qt::Key_F10);
        for (int i = 0; i < 6 && w.menuBar()->activeAction() != w.command(name); ++i)
            QTest::keyClick(keyTarget(&w), Qt::Key_Left);
        ASSERT_EQ(w.menuBar()->activeAction(), w.command(name));
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    };
    {
        Form1 w(db, allScreens());
        showActive(w);
        reach(w, "hel");
        QTest::keyClick(keyTarget(&w), Qt::Key_Return);
        ASSERT_NE(w.helpWindow(), nullptr);
        EXPECT_TRUE(w.helpWindow()->isVisible());
        EXPECT_TRUE(w.helpWindow()->topic("RichTextBox_helper")->isVisibleTo(w.helpWindow()));
        delete w.helpWindow();
    }
    db.execute("insert into CHECK_FILE values ('1')");
    Form1 w(db, allScreens());
    showActive(w);
    reach(w, "mne");
    EXPECT_THROW(QTest::keyClick(keyTarget(&w), Qt::Key_Return), platform::ProgramEnded);
    EXPECT_EQ(rows("CHECK_FILE"), 0);
}

TEST_F(Form1Test, CaseCommandsWriteTheirPresetsAndShowTheirWindow) {
    Form1 w(db, allScreens());
    db.execute("insert into TYPS_TABLE values ('مناسخة')");
    db.execute("insert into WARITH (warith_name, warith_relation) values ('زيد', 'ابن')");
    db.execute("insert into PRACTIC_SINGLE (warith_name) values ('س')");

    w.run("new1");
    EXPECT_EQ(flag("RLAS_TABLE"), "جديدة");
    EXPECT_EQ(flag("TYPS_TABLE"), "مفردة");
    EXPECT_EQ(rows("RLAS_TABLE"), 1);
    EXPECT_EQ(rows("TYPS_TABLE"), 1);
    EXPECT_EQ(rows("WARITH"), 1);
    EXPECT_EQ(rows("PRACTIC_SINGLE"), 0);

    w.run("mun");
    EXPECT_EQ(flag("TYPS_TABLE"), "مناسخة");

    // The model cases keep the type preset of the earlier command.
    w.run("namu");
    EXPECT_EQ(flag("RLAS_TABLE"), "مخزونة نموذجية");
    EXPECT_EQ(flag("TYPS_TABLE"), "مناسخة");
    EXPECT_TRUE(db.exists("select * from DATA_ENTRY_NAME where DATA_ENTRY_NAME=?",
                          {shell::MenuCommands::defaultPreparer()}));

    db.execute("insert into PRACTIC_SINGLE (warith_name) values ('س')");
    w.run("masaeel");
    EXPECT_EQ(flag("RLAS_TABLE"), "جديدة");
    EXPECT_EQ(flag("TYPS_TABLE"), "مفردة");
    EXPECT_EQ(rows("WARITH"), 0);
    EXPECT_EQ(rows("PRACTIC_SINGLE"), 0);

    db.execute("insert into WARITH (warith_name, warith_relation) values ('زيد', 'ابن')");
    w.run("iqtibarya");
    EXPECT_EQ(rows("WARITH"), 0);

    EXPECT_EQ(shown, QStringList({"new1", "mun", "namu", "masaeel", "iqtibarya"}));
}

TEST_F(Form1Test, ANewCaseAfterAnExerciseDropsTheQuestionAndKeepsARealUnfinishedCase) {
    Form1 w(db, allScreens());
    db.execute(
        "insert into WARITH_GENERAL (case_no, warith_relation, warith_name) values (63, 'ابن', 'حقيقي')");
    db.execute("insert into WARITH (warith_name, warith_relation, case_no, case_level) values "
               "('س', 'زوج', 63, 2), ('ص', 'بنت', 63, 2)");
    w.run("new1");
    EXPECT_EQ(rows("WARITH"), 0);
    EXPECT_EQ(db.count("select count(*) from WARITH_GENERAL where case_no = 63 and warith_name = 'حقيقي'"),
              1);

    db.execute("insert into WARITH (warith_name, warith_relation, case_no) values ('زيد', 'ابن', 63)");
    w.run("new1");
    EXPECT_EQ(rows("WARITH"), 1);
}

// Each kind of row the exercise path can leave behind, with the number the question went under.
TEST_F(Form1Test, EveryQuestionLeftByTheExercisePathIsDroppedWhileARealCaseStays) {
    const auto levelZeroQuestion = [this] {
        db.execute(
            "insert into WARITH_GENERAL_TEST (case_no, deth_name, case_name, warith_relation, warith_name, "
            "ar, case_level) values (116, 'م', 'ع', 'زوج', 'س', 1, 0), (116, 'م', 'ع', 'ابن', 'ص', 2, 0)");
    };
    const struct {
        const char* kind;
        std::function<void()> leave;
        int number;
    } kinds[] = {
        {"an heir added in the grid, then handed in",
         [this] {
             training::ExerciseQuestion::load(db, 63);
             db.execute("insert into WARITH (warith_name) values ('زائد')");
             QString message;
             ASSERT_TRUE(training::AnswerHandIn::handIn(db, 63, "م", "ع", message));
         },
         63},
        {"a question just stored",
         [this] {
             db.execute("insert into WARITH (warith_name, warith_relation, ar) values ('س', 'زوج', 1), "
                        "('ص', 'بنت', 2)");
             training::ExerciseAuthoring::Fields f{"م", "ع", "", "", "", ""};
             ASSERT_TRUE(training::ExerciseAuthoring::store(db, f).done);
         },
         116},
        {"a bank question without a level, loaded",
         [this, levelZeroQuestion] {
             levelZeroQuestion();
             ASSERT_TRUE(training::ExerciseQuestion::load(db, 116).found);
         },
         116},
        {"a bank question edited with an empty level box",
         [this] {
             training::ExerciseQuestion::load(db, 63);
             ASSERT_TRUE(training::ExerciseAuthoring::edit(db, {"م", "ع", "63", "", "", ""}).done);
         },
         63},
    };
    for (const char* command : {"new1", "mun", "namu"}) {
        for (const auto& k : kinds) {
            SCOPED_TRACE(std::string(command) + ": " + k.kind);
            db.execute("delete from WARITH");
            db.execute("delete from WARITH_GENERAL_TEST where case_no = 116");
            db.execute("delete from WARITH_GENERAL");
            db.execute("insert into WARITH_GENERAL (case_no, warith_relation, warith_name) values (?, 'ابن', "
                       "'حقيقي')",
                       {k.number});
            Form1 w(db, allScreens());
            k.leave();
            ASSERT_GT(db.count("select count(*) from WARITH where case_no = ?", {k.number}), 0);
            w.run(command);
            EXPECT_EQ(rows("WARITH"), 0);
            EXPECT_EQ(
                db.count("select count(*) from WARITH_GENERAL where case_no = ? and warith_name = 'حقيقي'",
                         {k.number}),
                1);
        }
        // A real unfinished case, never stored or loaded from the stored cases, stays.
        for (int caseNo : {0, 63}) {
            SCOPED_TRACE(std::string(command) + ": a real case numbered " + std::to_string(caseNo));
            db.execute("delete from WARITH");
            db.execute("insert into WARITH (warith_name, warith_relation, case_no) values ('زيد', 'ابن', ?), "
                       "('هند', 'بنت', ?)",
                       {caseNo, caseNo});
            Form1 w(db, allScreens());
            w.run(command);
            EXPECT_EQ(rows("WARITH"), 2);
        }
    }
}

TEST_F(Form1Test, ACommandWithoutItsWindowIsDisabledAndDoesNothing) {
    Form1::Screens some;
    some["new1"] = [this] { shown << "new1"; };
    Form1 w(db, some);
    EXPECT_TRUE(w.command("new1")->isEnabled());
    for (const char* name : {"mun", "namu", "masaeel", "iqtibarya"}) {
        EXPECT_FALSE(w.command(name)->isEnabled()) << name;
        w.run(name);
    }
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(rows("RLAS_TABLE"), 0);
    // Documents, help and exit do not depend on other windows.
    for (const char* name : {"mnfaraeeth", "rah", "iaat", "tare", "mnu_mueed", "ty", "ij", "hel", "mne"})
        EXPECT_TRUE(w.command(name)->isEnabled()) << name;
}

TEST_F(Form1Test, HelpTopicsStayVisibleTogetherUntilTheWindowCloses) {
    Form1 w(db, {});
    w.run("hel");
    w.run("iaat");
    auto* help = w.helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->topic("RichTextBox_helper")->isVisibleTo(help));
    EXPECT_TRUE(help->topic("RichTextBox_iat")->isVisibleTo(help));
    EXPECT_FALSE(help->topic("RichTextBox_ijtyhadat")->isVisibleTo(help));
    EXPECT_FALSE(help->topic("RichTextBox_iat")->toPlainText().trimmed().isEmpty());
    help->close(); // deletes it
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    w.run("ij");
    ASSERT_NE(w.helpWindow(), nullptr);
    EXPECT_FALSE(w.helpWindow()->topic("RichTextBox_helper")->isVisibleTo(w.helpWindow()));
    EXPECT_TRUE(w.helpWindow()->topic("RichTextBox_ijtyhadat")->isVisibleTo(w.helpWindow()));
    delete w.helpWindow();
}

// The help names each access key by its Arabic letter and the Latin letter on the same key; a
// wrong pair would send a user with a Latin keyboard to another key.
TEST_F(Form1Test, TheHelpNamesEachAccessKeyByBothLettersOfItsKey) {
    Form1 w(db, {});
    w.run("hel");
    ASSERT_NE(w.helpWindow(), nullptr);
    const QString help = w.helpWindow()->topic("RichTextBox_helper")->toPlainText();
    EXPECT_FALSE(help.contains(QStringLiteral("المسطر")));
    const QRegularExpression pair(QStringLiteral("Alt\\+(\\S) \\((\\S)\\)"));
    int pairs = 0;
    for (const QRegularExpressionMatch& m : pair.globalMatch(help)) {
        ++pairs;
        EXPECT_EQ(platform::ArabicFirstKeyMap::keyOf(m.captured(1).front()), m.captured(2).toLower().front())
            << m.captured(0).toStdString();
    }
    EXPECT_GT(pairs, 0);
    delete w.helpWindow();
}

TEST_F(Form1Test, DocumentsOpenFromTheApplicationFolderAndAMissingOneIsReported) {
    QStringList opened;
    platform::DocumentOpener::setHandler([&](const QString& path) {
        opened << path;
        return true;
    });
    testsupport::CapturedMessages messages;
    Form1 w(db, {});
    for (const char* name : {"mnfaraeeth", "rah", "tare", "mnu_mueed", "ty"})
        w.run(name);
    EXPECT_EQ(opened.size(), 5);
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.last().toStdString();

    ASSERT_TRUE(QFile::remove(folder.file("matin.html")));
    w.run("rah");
    EXPECT_EQ(opened.size(), 5);
    EXPECT_TRUE(messages.last().contains("matin.html"));

    platform::DocumentOpener::setHandler([](const QString&) { return false; });
    w.run("ty");
    EXPECT_TRUE(messages.last().contains("WARATHA_TYPES.html"));
}

TEST_F(Form1Test, TheExitCommandAndTheCloseEmptyTheFlags) {
    db.execute("insert into CHECK_FILE values ('1')");
    {
        Form1 w(db, {});
        w.close();
    }
    EXPECT_EQ(rows("CHECK_FILE"), 0);

    db.execute("insert into CHECK_FILE values ('1')");
    db.execute("insert into LOAD_Vesparin_FORM values ('s')");
    Form1 w(db, {});
    EXPECT_THROW(w.run("mne"), platform::ProgramEnded);
    EXPECT_EQ(rows("CHECK_FILE"), 0);
    EXPECT_EQ(rows("LOAD_Vesparin_FORM"), 0);
}

} // namespace
