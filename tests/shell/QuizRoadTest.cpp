#include "shell/Form1.h"
#include "shell/Screens.h"
#include "training/Form15.h"

#include "support/CapturedMessages.h"
#include "support/ScriptedRandom.h"
#include "support/TempAppFolder.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

using training::Form15;

namespace {

// The quiz as a learner uses it, with the mouse: from the main window's command, a question
// answered wrong three times and revealed, a new question answered right, and the quiz closed.
class QuizRoadTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (Form15::current())
            Form15::current()->findChild<QPushButton*>("Command8")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    template <typename T> T* control(const char* name) {
        T* c = quiz->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    void press(const char* name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
    void choose(const char* name) {
        // Right to left: the option's circle stands at its right end.
        auto* radio = control<QRadioButton>(name);
        ASSERT_TRUE(radio->isVisible()) << name;
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(radio->width() - 8, radio->height() / 2));
    }
    void pickHeir(int row) {
        QTableView* grid = control<QTableView>("DBGrid1");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, 1)).center());
    }
    // Answers the heir of `row` with a kind and, for the fixed shares and the residuaries, a share.
    void answer(int row, const char* kind, const char* share = nullptr) {
        pickHeir(row);
        choose(kind);
        if (share)
            choose(share);
    }
    QStringList answers() {
        QStringList texts;
        auto* model = control<QTableView>("DBGrid1")->model();
        for (int r = 0; r < model->rowCount(); ++r)
            texts << model->index(r, 0).data().toString();
        return texts;
    }
    QString verdict() {
        return control<QGroupBox>("Frame1")->isVisible() ? control<QLabel>("Label6")->text() : QString();
    }

    testsupport::TempAppFolder folder{true};
    data::Database db = folder.caseDatabase();
    testsupport::ScriptedRandom random;
    testsupport::CapturedMessages messages;
    shell::Form1 main{db, {}};
    Form15* quiz = nullptr;
};

TEST_F(QuizRoadTest, WrongThreeTimesRevealedThenRightAndClosed) {
    main.setScreens(shell::mainWindowScreens(&main));
    main.show();
    main.command("iqtibarya")->trigger();
    quiz = Form15::current();
    ASSERT_NE(quiz, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(quiz));

    // Question 8: a daughter, a son's daughter and a full sister.
    random.standing(8);
    press("Command6");
    ASSERT_EQ(answers().size(), 3);
    for (int attempt = 1; attempt <= 3; ++attempt) {
        SCOPED_TRACE(attempt);
        answer(0, "Option12", "Option6");
        answer(1, "Option12", "Option7");
        answer(2, "Option11", "Option1"); // wrong: she is a residuary with the daughter
        EXPECT_EQ(answers(), QStringList({"النصف", "السدس", "عصبة بالنفس"}));
        press("Command1");
        EXPECT_EQ(verdict(), "اجابة خاطئة");
        press("Command5");
    }
    EXPECT_EQ(verdict(), " الاجابة الصحيحة هي ");
    EXPECT_EQ(answers(), QStringList({"النصف", "السدس", "عصبة مع الغير"}));
    EXPECT_FALSE(control<QPushButton>("Command1")->isEnabled());

    // Question 10: a wife, a son and a full brother.
    random.standing(10);
    press("Command6");
    EXPECT_EQ(verdict(), QString());
    answer(0, "Option12", "Option4");
    answer(1, "Option11", "Option1");
    answer(2, "Option13");
    press("Command1");
    EXPECT_EQ(verdict(), "اجابة صحيحة");
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.last().toStdString();

    press("Command8");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Form15::current(), nullptr);
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(main.isEnabled());
    main.run("hel");
    ASSERT_NE(main.helpWindow(), nullptr);
    EXPECT_TRUE(main.helpWindow()->isVisible());
    delete main.helpWindow();
}

} // namespace
