#include "exercise/Form2.h"

#include "entry/BoundTableModel.h"
#include "exercise/Form5.h"
#include "exercise/Form7.h"
#include "platform/widgets/MainMenuReturn.h"
#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"
#include "training/AnswerHandIn.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

using engine::EntryStage;
using exercise::Form2;
using exercise::Form7;

namespace {

// The exercise host with the real results screen and the engine, its entry dialogue answered
// from a script: question 9 (a wife and a son, base 8: 1 and 7) handed in with the learner's
// shares; the results screen acted on step by step as a user would.
class Form2Test : public ::testing::Test {
protected:
    using Act = std::function<void(Form7*)>;

    void handIn(int wife, int son) {
        db.execute("delete from WARITH");
        db.execute("insert into WARITH (warith_relation, warith_name, case_no, case_level, no_check) values "
                   "('زوجة', 'هند', 9, 1, ?), ('ابن', 'عمر', 9, 1, ?)",
                   {wife, son});
        QString message;
        ASSERT_TRUE(training::AnswerHandIn::handIn(db, 9, "زيد", "مسألة", message));
    }

    Form2::Dialogs dialogs() {
        Form2::Dialogs d;
        d.entry = [this](EntryStage stage, engine::CaseContext& c, const results::PartnerWindows&) {
            stages << stage;
            switch (stage) {
            case EntryStage::Source:
                c.Text_RLAS = source;
                if (source == QStringLiteral("خ")) {
                    c.Text_stored_case_procejer = QStringLiteral("1");
                    c.Text_stord_standerd_case_keyup = QStringLiteral("1");
                }
                return;
            case EntryStage::Stored:
                c.Text_stord_case = QStringLiteral("12");
                return;
            case EntryStage::Type:
                c.Text_TYPS = QStringLiteral("م");
                return;
            case EntryStage::Estate:
                c.Text_tariqa_ammount = QStringLiteral("800");
                c.Text_tariqa_currency = QStringLiteral("دينار");
                return;
            default:
                context = &c;
                ASSERT_FALSE(answers.empty());
                answers.front()();
                answers.pop_front();
                c.Text_deth_name = QStringLiteral("زيد");
                c.Text_case_no = QStringLiteral("9");
            }
        };
        return d;
    }

    // Runs the host until the results screen has been acted on by every step; the last step
    // leaves through a button.
    void run(std::vector<Act> steps) {
        std::size_t next = 0;
        QTimer user;
        user.setInterval(5);
        QObject::connect(&user, &QTimer::timeout, [&] {
            auto* screen = qobject_cast<Form7*>(QApplication::activeModalWidget());
            if (next >= steps.size() || !screen || !screen->isVisible() || screen->property("acted").toBool())
                return;
            screen->setProperty("acted", true);
            SCOPED_TRACE(next);
            steps[next++](screen);
        });
        user.start();
        const Form2::Exits exits{{}, [] { platform::MainMenuReturn::request(); }};
        host = Form2::open(dialogs(), exits, &mainWindow);
        EXPECT_EQ(next, steps.size()) << "steps left undone";
    }

    static QString verdict(Form7* f) { return f->findChild<QLabel*>("Label6")->text(); }
    static QRgb panel(Form7* f) {
        return f->findChild<QWidget*>("Frame1")->palette().color(QPalette::Window).rgb() & 0xFFFFFF;
    }
    static void letter(Form7* f, const char* twin) {
        QShortcut* s = f->findChild<QShortcut*>(QString::fromLatin1(twin));
        ASSERT_NE(s, nullptr) << twin;
        ASSERT_TRUE(s->isEnabled()) << twin;
        emit s->activated();
    }
    qint64 collected() { return db.count("select count(*) from PRACTIC_SINGLE where case_no = 9"); }

    testsupport::TempAppFolder folder{true};
    data::Database db = folder.caseDatabase();
    testsupport::CapturedMessages messages;
    QWidget mainWindow;
    Form2* host = nullptr;
    QList<EntryStage> stages;
    QString source = QStringLiteral("ج");
    engine::CaseContext* context = nullptr;
    std::deque<std::function<void()>> answers;
};

TEST_F(Form2Test, EachHandInIsGradedOnceAndTheShowingsAfterLettersRepeatItsVerdict) {
    answers.push_back([this] { handIn(1, 7); });
    answers.push_back([this] { handIn(1, 6); });
    const QString right = QStringLiteral("صح... النتيجة 20 من 20");
    const auto stillRight = [&](Form7* f) {
        EXPECT_EQ(verdict(f), right);
        EXPECT_EQ(panel(f), Form7::Green);
        EXPECT_EQ(collected(), 2);
    };
    run({
        [&](Form7* f) {
            stillRight(f);
            EXPECT_EQ(f->parentWidget()->objectName(), "Form2");
            letter(f, "Command_ALTER_percent"); // "&r": the percentages, no new hand-in
        },
        [&](Form7* f) {
            stillRight(f);
            letter(f, "Command_ALTER_share"); // "&v": the estate stage, then the amounts
        },
        [&](Form7* f) {
            stillRight(f);
            letter(f, "Command_ALTER_methahib"); // "&p": the other school
        },
        [&](Form7* f) {
            stillRight(f);
            f->findChild<QPushButton*>("Command_start_new")->click();
        },
        [&](Form7* f) {
            // The new group's hand-in is graded afresh.
            EXPECT_EQ(verdict(f), "خطأ... النتيجة 0 من 20");
            EXPECT_EQ(panel(f), Form7::Red);
            auto* wrong = f->findChild<QListWidget*>("List_SHARE_AMOUNT_ERROR");
            ASSERT_EQ(wrong->count(), 1);
            EXPECT_EQ(wrong->item(0)->text(), "ابن");
            EXPECT_EQ(collected(), 0);
            f->findChild<QPushButton*>("Command1")->click();
        },
    });
    EXPECT_EQ(stages, QList<EntryStage>({EntryStage::Source, EntryStage::Type, EntryStage::Details,
                                         EntryStage::Estate, EntryStage::Details}));
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(" | ").toStdString();
}

// The answer graded right, and its calculation, are still in the work tables when the learner
// next turns to the model cases: what is calculated then has no answer behind it, so no verdict
// shows.
TEST_F(Form2Test, AModelCaseChosenByHandShowsNoVerdict) {
    answers.push_back([this] { handIn(1, 7); });
    run({[&](Form7* f) {
        EXPECT_EQ(verdict(f), QStringLiteral("صح... النتيجة 20 من 20"));
        f->findChild<QPushButton*>("Command1")->click();
    }});
    source = QStringLiteral("خ");
    const auto noVerdict = [](Form7* f) {
        EXPECT_FALSE(f->findChild<QWidget*>("Frame1")->isVisibleTo(f));
        EXPECT_FALSE(f->findChild<QWidget*>("Frame_SHARE_AMOUNT_ERROR")->isVisibleTo(f));
    };
    run({
        [&](Form7* f) {
            noVerdict(f);
            f->findChild<QPushButton*>("Command_stored_case")->click();
        },
        [&](Form7* f) {
            noVerdict(f);
            f->findChild<QPushButton*>("Command1")->click();
        },
    });
    EXPECT_EQ(stages, QList<EntryStage>({EntryStage::Source, EntryStage::Type, EntryStage::Details,
                                         EntryStage::Source, EntryStage::Stored}));
    // Nothing graded, nothing deleted: the answer stays filed under its question.
    EXPECT_EQ(collected(), 2);
}

// Another attempt brings the entry dialogue back on the same question with what the learner
// typed: his shares in the grid, their total and the question's heir types beside it.
TEST_F(Form2Test, AnotherAttemptShowsTheLearnersSharesTheirTotalAndTheHeirTypesAgain) {
    answers.push_back([this] { handIn(1, 6); });
    QStringList shares, types;
    QString total, sumCopy;
    bool typesShown = false;
    answers.push_back([&] {
        exercise::Form5 dialog(db, *context, entry::ExitHooks{});
        dialog.show();
        QCoreApplication::processEvents();
        auto* grid = dialog.findChild<QTableView*>("DBGrid1");
        for (int row = 0; row < dialog.heirs()->storedRows(); ++row)
            shares << grid->model()->index(row, 0).data().toString();
        auto* list = dialog.findChild<QListWidget*>("List_SHARE_AMOUNT_ERROR");
        for (int i = 0; i < list->count(); ++i)
            types << list->item(i)->text();
        typesShown = dialog.findChild<QWidget*>("Frame_SHARE_AMOUNT_ERROR")->isVisibleTo(&dialog);
        total = dialog.findChild<QLineEdit*>("Text_sum")->text();
        sumCopy = dialog.findChild<QLineEdit*>("Text_sum1")->text();
    });
    run({
        [](Form7* f) { f->findChild<QPushButton*>("Command6")->click(); },
        [](Form7* f) { f->findChild<QPushButton*>("Command1")->click(); },
    });
    EXPECT_EQ(shares, QStringList({"1", "6"}));
    EXPECT_EQ(types, QStringList({"ابن", "زوجة"}));
    EXPECT_TRUE(typesShown);
    EXPECT_EQ(total, "7");
    EXPECT_EQ(sumCopy, "7");
}

TEST_F(Form2Test, TheMainMenuButtonClosesTheHostAndBringsTheMainWindowBackWithTheQuestionKept) {
    answers.push_back([this] { handIn(1, 6); });
    run({[](Form7* f) { f->findChild<QPushButton*>("Command1")->click(); }});
    EXPECT_EQ(host, nullptr);
    QCoreApplication::processEvents();
    EXPECT_TRUE(mainWindow.isVisible());
    EXPECT_EQ(mainWindow.findChild<Form2*>(), nullptr);
    EXPECT_EQ(db.count("select count(*) from WARITH where case_no = 9"), 2);
}

} // namespace
