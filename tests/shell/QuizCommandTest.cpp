#include "shell/Form1.h"
#include "shell/Screens.h"
#include "training/Form15.h"

#include "platform/ProcessExit.h"
#include "results/ShrinkEnlargeButtons.h"
#include "support/CapturedMessages.h"
#include "support/ScriptedRandom.h"
#include "support/TempAppFolder.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QScreen>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

using training::Form15;

namespace {

class QuizCommandTest : public ::testing::Test {
protected:
    QuizCommandTest() {
        main.setScreens(shell::mainWindowScreens(&main));
        main.show();
    }
    void TearDown() override { closeQuiz(); }

    static void press(const char* name) {
        ASSERT_NE(Form15::current(), nullptr);
        auto* button = Form15::current()->findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }
    static void closeQuiz() {
        if (Form15::current())
            press("Command8");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    qint64 rows(const char* table) const { return db.count(QString("select count(*) from %1").arg(table)); }
    static int quizWindows() {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            n += w->objectName() == "Form15" ? 1 : 0;
        return n;
    }

    testsupport::TempAppFolder folder{true};
    data::Database db = folder.caseDatabase();
    testsupport::ScriptedRandom random;
    testsupport::CapturedMessages messages;
    shell::Form1 main{db, {}};
};

TEST_F(QuizCommandTest, TheCommandEmptiesTheHeirsAndShowsOneQuizBesideAUsableMainWindow) {
    ASSERT_TRUE(main.command("iqtibarya")->isEnabled());
    db.execute("insert into WARITH (warith_name, warith_relation) values ('زيد', 'ابن')");
    main.command("iqtibarya")->trigger();
    EXPECT_EQ(rows("WARITH"), 0);
    Form15* quiz = Form15::current();
    ASSERT_NE(quiz, nullptr);
    EXPECT_TRUE(quiz->isVisible());
    EXPECT_EQ(quiz->windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(main.isEnabled());

    random.nextDraw(1);
    press("Command6");
    ASSERT_EQ(rows("QUESTUNS_TEMP"), 3);

    // The command again brings the same quiz to the front with its question.
    main.command("iqtibarya")->trigger();
    EXPECT_EQ(Form15::current(), quiz);
    EXPECT_EQ(quizWindows(), 1);
    EXPECT_EQ(rows("QUESTUNS_TEMP"), 3);
    EXPECT_EQ(quiz->grid()->model()->rowCount(), 3);

    // The main window still serves its other commands.
    main.run("hel");
    ASSERT_NE(main.helpWindow(), nullptr);
    EXPECT_TRUE(main.helpWindow()->isVisible());
    delete main.helpWindow();
}

TEST_F(QuizCommandTest, TheMainMenuButtonClosesOnlyTheQuiz) {
    main.run("iqtibarya");
    press("Command8");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Form15::current(), nullptr);
    EXPECT_EQ(quizWindows(), 0);
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(main.command("iqtibarya")->isEnabled());

    // A new quiz starts from an empty question.
    db.execute("insert into QUESTUNS_TEMP (questun, unser, arr) values ('ابن', 'عصبة بالنفس', 1)");
    main.run("iqtibarya");
    ASSERT_NE(Form15::current(), nullptr);
    EXPECT_EQ(rows("QUESTUNS_TEMP"), 0);
}

TEST_F(QuizCommandTest, TheExitButtonEndsTheProgramKeepingTheFlagTables) {
    db.execute("insert into CHECK_FILE (CHECK_FILE) values ('1')");
    db.execute("insert into LOAD_Vesparin_FORM (LOAD_Vesparin_FORM) values ('s')");
    main.run("iqtibarya");
    // The handler itself: the end of the program is not to be thrown through a click.
    EXPECT_THROW(Form15::current()->Command7_Click(), platform::ProgramEnded);
    EXPECT_EQ(rows("CHECK_FILE"), 1);
    EXPECT_EQ(rows("LOAD_Vesparin_FORM"), 1);
}

TEST_F(QuizCommandTest, TheWindowButtonsMoveTheQuizAndTheMainWindowOnly) {
    QWidget host; // an engine host standing on the screen
    host.setGeometry(30, 40, 1016, 760);
    host.show();
    const QRect hostPlace = host.frameGeometry();
    main.run("iqtibarya");
    Form15* quiz = Form15::current();
    ASSERT_NE(quiz, nullptr);
    auto* enlarge = quiz->findChild<QPushButton*>("Command2");
    ASSERT_NE(enlarge, nullptr);
    EXPECT_TRUE(enlarge->isHidden());

    const QRect quizPlace = quiz->frameGeometry();
    const QRect mainPlace = main.frameGeometry();
    press("Command3");
    using B = results::ShrinkEnlargeButtons;
    for (QWidget* w : {static_cast<QWidget*>(quiz), static_cast<QWidget*>(&main)}) {
        SCOPED_TRACE(w->objectName().toStdString());
        EXPECT_TRUE(B::isFolded(w));
        EXPECT_EQ(w->frameGeometry().height(), B::toPixels(B::ShrunkHeight));
        // The strip stays on the screen the window is on.
        EXPECT_TRUE(w->screen()->geometry().intersects(w->frameGeometry()));
    }
    EXPECT_FALSE(enlarge->isHidden());
    EXPECT_FALSE(B::isFolded(&host));
    EXPECT_EQ(host.frameGeometry(), hostPlace);

    press("Command2");
    // Each window goes back where it stood.
    EXPECT_EQ(quiz->frameGeometry(), quizPlace);
    EXPECT_EQ(main.frameGeometry(), mainPlace);
    EXPECT_TRUE(enlarge->isHidden());
    EXPECT_EQ(host.frameGeometry(), hostPlace);
}

} // namespace
