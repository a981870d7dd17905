#include "training/Form15.h"

#include "platform/ProcessExit.h"
#include "support/AltKeys.h"
#include "support/CapturedMessages.h"
#include "support/ScriptedRandom.h"
#include "support/TempAppFolder.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

using training::Form15;
using training::QuizSession;

namespace {

// What the learner sees of the quiz, read from the widgets.
struct Seen {
    bool verdict = false;
    QString label;
    QColor colour;
    bool check = true;
    bool kinds = true;
    bool fixedPanel = false;
    bool residuaryPanel = false;
    bool timer = true;
    int attempts = 0;
    QStringList answers;
    QStringList selected; // the options left selected

    bool operator==(const Seen&) const = default;
};

void PrintTo(const Seen& s, std::ostream* os) {
    *os << "{verdict " << s.verdict << " '" << s.label.toStdString() << "' " << s.colour.name().toStdString()
        << ", check " << s.check << ", kinds " << s.kinds << ", panels " << s.fixedPanel << s.residuaryPanel
        << ", timer " << s.timer << ", attempts " << s.attempts << ", answers ["
        << s.answers.join('|').toStdString() << "], selected [" << s.selected.join('|').toStdString() << "]}";
}

const QColor Red(255, 0, 0);
const QColor Green(0, 192, 0);

class Form15Test : public ::testing::Test {
protected:
    Form15Test() { quiz.show(); }

    template <typename T> T* control(const char* name) const {
        T* c = quiz.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    void click(const char* name) { control<QPushButton>(name)->click(); }
    void option(const char* name) { control<QRadioButton>(name)->click(); }
    QTableView* grid() const { return control<QTableView>("DBGrid1"); }
    void selectRow(int row) { grid()->setCurrentIndex(grid()->model()->index(row, 0)); }
    int currentRow() const { return grid()->currentIndex().row(); }
    QStringList column(int c) const {
        QStringList texts;
        for (int r = 0; r < grid()->model()->rowCount(); ++r)
            texts << grid()->model()->index(r, c).data().toString();
        return texts;
    }

    Seen seen() {
        Seen s;
        auto* frame1 = control<QGroupBox>("Frame1");
        s.verdict = !frame1->isHidden();
        s.label = s.verdict ? control<QLabel>("Label6")->text() : QString();
        s.colour = s.verdict ? frame1->palette().color(QPalette::Window) : QColor();
        s.check = control<QPushButton>("Command1")->isEnabled();
        s.kinds = control<QGroupBox>("Frame2")->isEnabled();
        s.fixedPanel = !control<QGroupBox>("Frame_SAHIB")->isHidden();
        s.residuaryPanel = !control<QGroupBox>("Frame_ASABA")->isHidden();
        s.timer = control<QTimer>("Timer2")->isActive();
        s.attempts = quiz.session().WrongAttempts();
        s.answers = column(0);
        for (auto* option : quiz.findChildren<QRadioButton*>())
            if (option->isChecked())
                s.selected << option->objectName();
        return s;
    }

    testsupport::TempAppFolder folder;
    data::Database db = folder.caseDatabase();
    testsupport::ScriptedRandom random;
    testsupport::CapturedMessages messages;
    int exits = 0;
    Form15 quiz{db, {[this] { ++exits; }, nullptr}};
};

TEST_F(Form15Test, TheControlsCarryTheirCaptions) {
    EXPECT_EQ(quiz.windowTitle(), " اسئلة اختبارية ");
    EXPECT_FALSE(quiz.windowFlags() & Qt::WindowCloseButtonHint);
    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"Command6", "اضافة سؤال"},
                   {"Command1", "تدقيق الاجابة"},
                   {"Command5", "موافق"},
                   {"Command8", "القائمة الرئيسية"},
                   {"Command3", "تصغير الشاشة"},
                   {"Command2", "تكبير الشاشة"},
                   {"Command7", ""}};
    for (const auto& b : buttons)
        EXPECT_EQ(control<QPushButton>(b.name)->text(), QString::fromUtf8(b.caption)) << b.name;
    // The main-menu caption is drawn as whole words and keeps Alt with its marked qaf.
    auto* menuKey = control<QPushButton>("Command8")->findChild<QShortcut*>("Command8_accessKey");
    ASSERT_NE(menuKey, nullptr);
    EXPECT_EQ(menuKey->key(), QKeySequence(QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(0x0642))));
    const struct {
        const char* name;
        const char* frame;
        const char* caption;
    } options[] = {
        {"Option12", "Frame2", "1.صاحب فرض"},        {"Option11", "Frame2", "2.عصبة (الباقي بعد الفروض )"},
        {"Option13", "Frame2", "3.حجب(حرمان)"},      {"Option4", "Frame_SAHIB", "الثمن"},
        {"Option5", "Frame_SAHIB", "الربع"},         {"Option6", "Frame_SAHIB", "النصف"},
        {"Option7", "Frame_SAHIB", "السدس"},         {"Option8", "Frame_SAHIB", "الثلث"},
        {"Option9", "Frame_SAHIB", "الثلثان"},       {"Option10", "Frame_SAHIB", "ثلث الباقي"},
        {"Option1", "Frame_ASABA", "عصبة بالنفس"},   {"Option2", "Frame_ASABA", "عصبة بالغير"},
        {"Option3", "Frame_ASABA", "عصبة مع الغير"},
    };
    for (const auto& o : options) {
        auto* radio = control<QRadioButton>(o.name);
        EXPECT_EQ(radio->text(), QString::fromUtf8(o.caption)) << o.name;
        EXPECT_EQ(radio->parent()->objectName(), QString::fromLatin1(o.frame)) << o.name;
    }
    EXPECT_EQ(control<QGroupBox>("Frame2")->title(), "خيارات كل وارث");
    EXPECT_EQ(control<QGroupBox>("Frame_SAHIB")->title(), "1.صاحب فرض");
    EXPECT_EQ(control<QGroupBox>("Frame_ASABA")->title(), "2.عصبة (الباقي)");
    EXPECT_EQ(grid()->model()->headerData(0, Qt::Horizontal).toString(), "الحصة");
    EXPECT_EQ(grid()->model()->headerData(1, Qt::Horizontal).toString(), "الوارث");
}

// One question from the set-up to the reveal and on to a right answer, step by step.
TEST_F(Form15Test, AQuestionDrawnAnsweredCheckedAndRevealed) {
    const QString wife = "الثمن", son = "عصبة بالنفس", daughter = "عصبة بالغير";
    const QStringList blanks = {" ", " ", " "};
    const Seen start;
    const Seen answering{false, {}, {}, true, true, false, false, false, 0, {"", "", ""}, {}};
    auto wrongAfter = [&](int attempts, QStringList answers) {
        return Seen{true, QuizSession::WrongText, Red, false, false, false, false, false, attempts, answers,
                    {}};
    };
    const QStringList mistaken = {wife, son, "حجب"};

    struct Step {
        Step(const char* what, std::function<void()> act, Seen expected, QString message = {}, int row = -2)
            : what(what), act(std::move(act)), expected(std::move(expected)), message(std::move(message)),
              row(row) {}
        const char* what;
        std::function<void()> act;
        Seen expected;
        QString message;
        int row; // the current row afterwards; -2: not looked at
    };
    const Step steps[] = {
        {"set-up: an empty grid, the idle draw running", [] {}, start},
        {"an option with no heir writes nothing", [&] { option("Option13"); },
         Seen{false, {}, {}, true, true, false, false, true, 0, {}, {"Option13"}}},
        {"a check without a question", [&] { click("Command1"); }, start, QuizSession::NoAnswer},
        {"question 1 drawn",
         [&] {
             random.nextDraw(1);
             click("Command6");
         },
         answering,
         {},
         0},
        {"the fixed-share kind opens its panel", [&] { option("Option12"); },
         Seen{false, {}, {}, true, true, true, false, false, 0, {"", "", ""}, {"Option12"}}},
        {"the residuary kind opens the other one", [&] { option("Option11"); },
         Seen{false, {}, {}, true, true, false, true, false, 0, {"", "", ""}, {"Option11"}}},
        {"an answer is written, the panels close and the next heir is current",
         [&] {
             option("Option12");
             option("Option4");
         },
         Seen{false, {}, {}, true, true, false, false, false, 0, {wife, "", ""}, {}},
         {},
         1},
        {"an unanswered heir is named and no attempt counted", [&] { click("Command1"); },
         Seen{false, {}, {}, true, true, false, false, false, 0, {wife, "", ""}, {}},
         QuizSession::emptyAnswerText("ابن"), 0},
        {"the son answered",
         [&] {
             selectRow(1);
             option("Option11");
             option("Option1");
         },
         Seen{false, {}, {}, true, true, false, false, false, 0, {wife, son, ""}, {}},
         {},
         2},
        {"the last heir answered wrong stays current, no row is added",
         [&] { option("Option13"); },
         Seen{false, {}, {}, true, true, false, false, false, 0, mistaken, {}},
         {},
         2},
        {"first wrong check", [&] { click("Command1"); }, wrongAfter(1, mistaken)},
        {"OK blanks every answer", [&] { click("Command5"); },
         Seen{false, {}, {}, true, true, false, false, false, 1, blanks, {}}},
        {"blanks are judged, not reported as unanswered", [&] { click("Command1"); }, wrongAfter(2, blanks)},
        {"OK", [&] { click("Command5"); },
         Seen{false, {}, {}, true, true, false, false, false, 2, blanks, {}}},
        {"third wrong check", [&] { click("Command1"); }, wrongAfter(3, blanks)},
        {"the third OK shows the right answers", [&] { click("Command5"); },
         Seen{true,
              QuizSession::RevealText,
              Green,
              false,
              true,
              false,
              false,
              true,
              0,
              {wife, son, daughter},
              {}}},
        {"OK after the reveal", [&] { click("Command5"); },
         Seen{false, {}, {}, true, true, false, false, true, 0, {wife, son, daughter}, {}}},
        {"a check of the shown answers is right", [&] { click("Command1"); },
         Seen{true,
              QuizSession::RightText,
              Green,
              false,
              false,
              false,
              false,
              true,
              0,
              {wife, son, daughter},
              {}}},
        {"a draw of 0 closes the verdict and keeps the question",
         [&] {
             random.nextDraw(0);
             click("Command6");
         },
         Seen{false, {}, {}, true, true, false, false, false, 0, {wife, son, daughter}, {}}},
        {"question 2 drawn",
         [&] {
             random.nextDraw(2);
             click("Command6");
         },
         Seen{false, {}, {}, true, true, false, false, false, 0, {"", ""}, {}}},
        {"answers typed into the grid are checked right and start the idle draw",
         [&] {
             grid()->model()->setData(grid()->model()->index(0, 0), "الربع");
             grid()->model()->setData(grid()->model()->index(1, 0), son);
             click("Command1");
         },
         Seen{true, QuizSession::RightText, Green, false, false, false, false, true, 0, {"الربع", son}, {}}},
        {"a new question stops it",
         [&] {
             random.nextDraw(3);
             click("Command6");
         },
         Seen{false, {}, {}, true, true, false, false, false, 0, {"", "", ""}, {}}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        const qsizetype before = messages.texts().size();
        step.act();
        EXPECT_EQ(seen(), step.expected);
        if (step.message.isEmpty()) {
            EXPECT_EQ(messages.texts().size(), before) << messages.last().toStdString();
        } else {
            EXPECT_EQ(messages.last(), step.message);
        }
        if (step.row != -2) {
            EXPECT_EQ(currentRow(), step.row);
        }
    }
    EXPECT_EQ(column(1), QStringList({"زوج", "ام", "اخ"}));
}

TEST_F(Form15Test, TheGridShowsTheHeirsInOrderAndLetsOnlyTheAnswerBeTyped) {
    db.execute("delete from QUESTUNS where q_no=5");
    // Stored out of order: the grid follows arr.
    db.execute("insert into QUESTUNS (q_no, arr, questun, unser) values (5, 2, 'ام', 'ثلث الباقي'), "
               "(5, 1, 'زوج', 'النصف'), (5, 3, 'اب', 'عصبة بالنفس')");
    random.nextDraw(5);
    click("Command6");
    EXPECT_EQ(column(1), QStringList({"زوج", "ام", "اب"}));
    QAbstractItemModel* model = grid()->model();
    EXPECT_TRUE(model->flags(model->index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model->flags(model->index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model->setData(model->index(0, 1), "ابن"));
    EXPECT_FALSE(model->insertRows(3, 1));
    EXPECT_FALSE(model->removeRows(0, 1));

    // Moving down past the last heir adds no row.
    grid()->setFocus();
    selectRow(2);
    QTest::keyClick(grid(), Qt::Key_Down);
    EXPECT_EQ(model->rowCount(), 3);
    EXPECT_EQ(currentRow(), 2);

    // The check reads the table in stored order, so it names the first heir stored.
    click("Command1");
    EXPECT_EQ(messages.last(), QuizSession::emptyAnswerText("ام"));
}

TEST_F(Form15Test, TheQuizCopiesItsQuestionFromTheBankAndEmptiesTheOldOneAtSetUp) {
    random.nextDraw(4);
    click("Command6");
    EXPECT_EQ(db.count("select count(*) from QUESTUNS_TEMP"), 3);
    EXPECT_EQ(db.scalar("select unser from QUESTUNS_TEMP where arr=2").toString(), "ثلث الباقي");

    Form15 again(db, {});
    EXPECT_EQ(db.count("select count(*) from QUESTUNS_TEMP"), 0);
    EXPECT_EQ(again.grid()->model()->rowCount(), 0);
}

TEST_F(Form15Test, TheIdleDrawTakesOneValuePerTickAndStopsWhenTheQuizCloses) {
    const int before = random.taken();
    quiz.Timer2_Timer();
    quiz.Timer2_Timer();
    EXPECT_EQ(random.taken(), before + 2);

    EXPECT_FALSE(quiz.close()); // no window-close control, and a close request is refused
    EXPECT_TRUE(quiz.isVisible());
    EXPECT_TRUE(control<QTimer>("Timer2")->isActive());

    click("Command8");
    EXPECT_FALSE(quiz.isVisible());
    EXPECT_FALSE(control<QTimer>("Timer2")->isActive());
    const int after = random.taken();
    quiz.Timer2_Timer();
    EXPECT_EQ(random.taken(), after);
    EXPECT_EQ(exits, 0);
}

TEST_F(Form15Test, TheExitButtonEndsTheProgramThroughItsLink) {
    click("Command7");
    EXPECT_EQ(exits, 1);

    Form15 unlinked(db, {});
    // The handler itself: the end of the program is not to be thrown through a click.
    EXPECT_THROW(unlinked.Command7_Click(), platform::ProgramEnded);
}

// The quiz's one access key, qaf of "القائمة الرئيسية", closes it under either layout (R on a
// Latin one).
TEST_F(Form15Test, TheMainMenusAccessKeyClosesTheQuizUnderEitherLayout) {
    for (const testsupport::KeyboardLayout layout : testsupport::BothLayouts) {
        SCOPED_TRACE(testsupport::nameOf(layout));
        quiz.show();
        quiz.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&quiz));
        testsupport::altKey(&quiz, layout, Qt::Key_R, 0x0642);
        EXPECT_FALSE(quiz.isVisible());
    }
}

TEST_F(Form15Test, EnterPressesTheFocusedButtonOrOption) {
    quiz.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&quiz));
    auto* draw = control<QPushButton>("Command6");
    draw->setFocus();
    // After the wait, in which the idle draw took values of its own.
    random.nextDraw(1);
    QTest::keyClick(draw, Qt::Key_Return);
    ASSERT_EQ(column(1), QStringList({"زوجة", "ابن", "بنت"}));

    auto* blocked = control<QRadioButton>("Option13");
    blocked->setFocus();
    QTest::keyClick(blocked, Qt::Key_Enter);
    EXPECT_EQ(column(0), QStringList({"حجب", "", ""}));
    EXPECT_EQ(currentRow(), 1);
}

TEST_F(Form15Test, TabLeavesTheGridAndReachesEveryButton) {
    random.nextDraw(1);
    click("Command6");
    quiz.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&quiz));
    control<QPushButton>("Command6")->setFocus();
    QStringList reached;
    for (int n = 0; n < 30; ++n) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        reached << focus->objectName();
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    // One whole round, the grid left by a single Tab.
    const int grid = reached.indexOf("DBGrid1");
    ASSERT_GE(grid, 0);
    EXPECT_NE(reached.at(grid + 1), "DBGrid1");
    for (const char* name : {"Command6", "Command1", "Command8", "Command3", "Command7"})
        EXPECT_TRUE(reached.contains(name)) << name << " in " << reached.join(',').toStdString();
    EXPECT_TRUE(reached.contains("Option12") || reached.contains("Option11") || reached.contains("Option13"));
}

} // namespace
