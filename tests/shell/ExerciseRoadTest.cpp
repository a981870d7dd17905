#include "shell/ExitPaths.h"
#include "shell/Form1.h"
#include "shell/Form13.h"
#include "shell/Screens.h"

#include "exercise/Form2.h"
#include "exercise/Form5.h"
#include "exercise/Form7.h"
#include "platform/widgets/ReportDocument.h"
#include "platform/widgets/ReportPreview.h"
#include "results/ShrinkEnlargeButtons.h"
#include "succession/Form6.h"
#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <map>

using engine::EntryStage;
using exercise::Form2;
using exercise::Form5;
using exercise::Form7;

namespace {

// The hand-worked shares of every bank question, in the order of its heirs.
std::map<int, QStringList> goldenShares() {
    QFile file(testsupport::testsDir() + QStringLiteral("/training/exercise_bank.golden"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    std::map<int, QStringList> shares;
    int question = 0;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1String("question ")))
            question = line.section(QLatin1Char(' '), 1, 1).toInt();
        else if (line.contains(QLatin1String(" = ")))
            shares[question] =
                line.section(QLatin1String(" = "), 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }
    return shares;
}

// The exercises as a learner goes through them, from the main window's command: level 2, a batch
// drawn, the first question answered right, the second wrong and then right on another attempt,
// the rest right, the final score and "موافق"; then back to the main window.
class ExerciseRoadTest : public ::testing::Test {
protected:
    using Step = std::function<void(QWidget*)>;

    void SetUp() override {
        platform::ReportPreview::setHandler([this](const platform::ReportDocument& d) {
            ++previews;
            EXPECT_FALSE(d.isEmpty());
        });
    }
    void TearDown() override { platform::ReportPreview::setHandler({}); }

    template <typename T> static T* child(QWidget* w, const char* name) {
        T* c = w->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static void click(QWidget* w, const char* name) {
        auto* b = child<QPushButton>(w, name);
        ASSERT_TRUE(b->isVisible() && b->isEnabled()) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    static bool atDetails(QWidget* w) {
        auto* d = qobject_cast<Form5*>(w);
        return d && d->stage() == EntryStage::Details;
    }
    static int questionInHand(QWidget* w) { return child<QLineEdit>(w, "Text_case_no")->text().toInt(); }

    // Types the shares into the answer grid, one per heir row; `off` adds one to the last share.
    void answer(QWidget* w, bool off = false) {
        const int question = questionInHand(w);
        ASSERT_GE(question, 51);
        ASSERT_LE(question, 85);
        QStringList shares = golden.at(question);
        if (off)
            shares.last() = QString::number(shares.last().toInt() + 1);
        auto* grid = child<QTableView>(w, "DBGrid1");
        // The grid's last row is the empty one for adding an heir.
        ASSERT_EQ(grid->model()->rowCount(), shares.size() + 1) << "question " << question;
        for (int row = 0; row < shares.size(); ++row) {
            const QModelIndex index = grid->model()->index(row, 0);
            grid->setFocus();
            grid->setCurrentIndex(index);
            grid->edit(index);
            auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            ASSERT_NE(editor, nullptr);
            editor->selectAll();
            editor->insert(shares[row]);
            QTest::keyClick(editor, Qt::Key_Return);
            QCoreApplication::processEvents();
        }
        seen << question;
        click(w, "Command1");
    }
    static QString verdict(QWidget* w) {
        return child<QWidget>(w, "Frame1")->isVisible() ? child<QLabel>(w, "Label6")->text() : QString();
    }
    static QRgb panel(QWidget* w) {
        return child<QWidget>(w, "Frame1")->palette().color(QPalette::Window).rgb() & 0xFFFFFF;
    }

    void runRoad(std::vector<std::pair<std::function<bool(QWidget*)>, Step>> steps) {
        main.setScreens(shell::mainWindowScreens(&main));
        main.show();
        std::size_t next = 0;
        QTimer user;
        user.setInterval(5);
        QObject::connect(&user, &QTimer::timeout, [&] {
            QWidget* top = QApplication::activeModalWidget();
            if (next >= steps.size() || !top || !top->isActiveWindow() || top->property("acted").toBool())
                return;
            if (!steps[next].first(top))
                return;
            top->setProperty("acted", true);
            SCOPED_TRACE(next);
            steps[next++].second(top);
        });
        user.start();
        main.findChild<QAction*>("masaeel")->trigger();
        EXPECT_EQ(next, steps.size()) << "steps left undone";
    }

    testsupport::TempAppFolder folder{true};
    data::Database db = folder.caseDatabase();
    testsupport::CapturedMessages messages;
    shell::Form1 main{db, {}};
    const std::map<int, QStringList> golden = goldenShares();
    QList<int> seen;
    int previews = 0;
};

TEST_F(ExerciseRoadTest, ABatchOfLevelTwoFromTheMainWindowToTheFinalScore) {
    const auto results = [](QWidget* w) { return qobject_cast<Form7*>(w) != nullptr; };
    const QString right = QStringLiteral("صح... النتيجة 20 من 20");
    const auto rightThenOn = [&](QWidget* w) {
        EXPECT_EQ(verdict(w), right);
        EXPECT_EQ(panel(w), Form7::Green);
        click(w, "Command_return_to_case");
    };
    const auto nextQuestion = [&](QWidget* w) {
        click(w, "Command6"); // the stepper loads the next question of the batch
        answer(w);
    };
    std::vector<std::pair<std::function<bool(QWidget*)>, Step>> steps = {
        {atDetails,
         [&](QWidget* w) {
             EXPECT_EQ(w->parentWidget()->objectName(), "Form2");
             QTest::mouseClick(child<QRadioButton>(w, "Option_2_LEVEL"), Qt::LeftButton, {},
                               QPoint(child<QRadioButton>(w, "Option_2_LEVEL")->width() - 8, 8));
             EXPECT_TRUE(child<QRadioButton>(w, "Option_2_LEVEL")->isChecked());
             click(w, "Command_put");
             answer(w);
         }},
        {results,
         [&](QWidget* w) {
             EXPECT_EQ(verdict(w), right);
             QTest::keyClick(w, Qt::Key_L, Qt::AltModifier); // the print preview
             EXPECT_EQ(previews, 1);
             click(w, "Command_return_to_case");
         }},
        {atDetails,
         [&](QWidget* w) {
             click(w, "Command6");
             answer(w, true);
         }},
        {results,
         [&](QWidget* w) {
             EXPECT_EQ(verdict(w), "خطأ... النتيجة 0 من 20");
             EXPECT_EQ(panel(w), Form7::Red);
             click(w, "Command6"); // another attempt
         }},
        {atDetails,
         [&](QWidget* w) {
             EXPECT_EQ(questionInHand(w), seen.last());
             answer(w);
         }},
        {results, rightThenOn},
        {atDetails, nextQuestion},
        {results, rightThenOn},
        {atDetails, nextQuestion},
        {results, rightThenOn},
        {atDetails, nextQuestion},
        {results,
         [&](QWidget* w) {
             EXPECT_EQ(verdict(w), right);
             // None left: the final score instead of a next question.
             click(w, "Command_return_to_case");
             EXPECT_EQ(verdict(w), " النتيجة النهائية 100 من مئة ");
             EXPECT_EQ(panel(w), Form7::Green);
             EXPECT_FALSE(child<QPushButton>(w, "Command_return_to_case")->isEnabled());
             click(w, "Command5");
         }},
        {atDetails, [&](QWidget* w) { click(w, "Command8"); }}, // the main menu
    };
    runRoad(steps);
    QCoreApplication::processEvents();

    EXPECT_EQ(seen.size(), 6);
    EXPECT_EQ(QSet<int>(seen.begin(), seen.end()).size(), 5);
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(main.findChild<Form2*>(), nullptr);
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(" | ").toStdString();
}

// Only a hand answer at the type stage leads the exercise host into a chain of deaths: the
// successive-deaths dialogue then answers the exercise host, and its main-menu button ends the run.
TEST_F(ExerciseRoadTest, AChainChosenByHandAtTheTypeStageOpensTheChainDialogueOverTheExerciseHost) {
    db.execute("delete from RLAS_TABLE");
    db.execute("delete from TYPS_TABLE");
    db.execute("insert into RLAS_TABLE (RLAS_TABLE) values ('جديدة')");
    QStringList shown;
    QTimer user;
    user.setInterval(5);
    QObject::connect(&user, &QTimer::timeout, [&] {
        QWidget* top = QApplication::activeModalWidget();
        if (!top || !top->isActiveWindow() || top->property("acted").toBool())
            return;
        if (auto* entry = qobject_cast<Form5*>(top); entry && entry->stage() == EntryStage::Type) {
            top->setProperty("acted", true);
            shown << "type";
            auto* type = child<QComboBox>(top, "Combo_TYPE_CASE");
            ASSERT_TRUE(type->isVisible());
            type->setCurrentText("مناسخة");
            click(top, "Command_type_case");
        } else if (qobject_cast<succession::Form6*>(top)) {
            top->setProperty("acted", true);
            shown << top->parentWidget()->objectName();
            EXPECT_EQ(main.findChild<shell::Form13*>(), nullptr);
            // Its window buttons move the host that showed it.
            click(top, "Command8");
            EXPECT_TRUE(results::ShrinkEnlargeButtons::isFolded(top->parentWidget()));
            EXPECT_TRUE(results::ShrinkEnlargeButtons::isFolded(&main));
            click(top, "Command3");
        }
    });
    user.start();
    const Form2::Exits exits{[](const data::Database&) { FAIL() << "the program ended"; },
                             [] { shell::ExitPaths::MainMenuButton(); }};
    main.show();
    EXPECT_EQ(Form2::open(Form2::exerciseDialogs(exits), exits, &main), nullptr);
    EXPECT_EQ(shown, QStringList({"type", "Form2"}));
    QCoreApplication::processEvents();
    EXPECT_TRUE(main.isVisible());
    EXPECT_FALSE(results::ShrinkEnlargeButtons::isFolded(&main));
}

} // namespace
