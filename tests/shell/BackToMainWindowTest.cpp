#include "shell/Form1.h"
#include "shell/Form13.h"
#include "shell/MenuCommands.h"
#include "shell/Screens.h"

#include "engine/run/EngineSelfTest.h"
#include "entry/Form12.h"
#include "platform/ProcessExit.h"
#include "platform/widgets/MainMenuReturn.h"
#include "platform/widgets/ReportView.h"
#include "results/Form14.h"
#include "results/ShrinkEnlargeButtons.h"
#include "support/CapturedMessages.h"
#include "support/RealMessageBoxes.h"
#include "support/TempAppFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

using engine::EntryStage;
using shell::Form13;

namespace {

// The main window with the real case screens, in an application folder that holds no tutorial
// program; a user acts once on a chosen screen.
class BackToMainWindowTest : public ::testing::Test {
protected:
    using Act = std::function<void(QWidget*)>;
    static bool atDetails(QWidget* w) {
        auto* d = qobject_cast<entry::Form12*>(w);
        return d && d->stage() == EntryStage::Details;
    }
    static bool atResults(QWidget* w) { return qobject_cast<results::Form14*>(w) != nullptr; }

    template <typename T> static T* child(QWidget* w, const char* name) {
        T* c = w->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static void typeIntoCell(QWidget* w, int row, int column, const QString& text) {
        auto* grid = child<QTableView>(w, "DBGrid1");
        const QModelIndex index = grid->model()->index(row, column);
        grid->setFocus();
        grid->setCurrentIndex(index);
        grid->edit(index);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->insert(text);
        QTest::keyClick(editor, Qt::Key_Return);
    }

    using Steps = std::vector<std::pair<std::function<bool(QWidget*)>, Act>>;

    // Runs the new single-death command; each step acts on the first modal screen it is ready
    // for. A screen left without an answer ends the test's run after a while.
    Form13* run(Steps steps) {
        Form13* host = nullptr;
        actOn(std::move(steps), [&] {
            shell::MenuCommands::new1(db);
            host = Form13::open(shell::realCaseDialogs(), &mainWindow);
        });
        return host;
    }
    void actOn(Steps steps, const std::function<void()>& command) {
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
            steps[next++].second(top);
        });
        user.start();
        QTimer giveUp;
        giveUp.setSingleShot(true);
        QObject::connect(&giveUp, &QTimer::timeout, [] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                d->done(-1);
        });
        giveUp.start(8000);
        EXPECT_NO_THROW(command());
        EXPECT_EQ(next, steps.size());
    }
    void expectBackAtTheMainWindow(Form13* host) {
        EXPECT_EQ(host, nullptr);
        EXPECT_TRUE(mainWindow.isVisible());
        for (QWidget* w : QApplication::topLevelWidgets()) {
            EXPECT_FALSE(qobject_cast<QDialog*>(w) && w->isVisible()) << w->objectName().toStdString();
            EXPECT_FALSE(qobject_cast<Form13*>(w) && w->isVisible());
        }
        EXPECT_FALSE(platform::MainMenuReturn::requested());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(mainWindow.findChild<Form13*>(), nullptr);
    }
    QStringList heirs() const {
        QStringList out;
        for (const QSqlRecord& r :
             db.select("select warith_relation || '|' || warith_name || '|' || deth_name "
                       "from WARITH order by ar"))
            out << r.value(0).toString();
        return out;
    }

    testsupport::TempAppFolder folder{true};
    data::Database db = folder.caseDatabase();
    testsupport::CapturedMessages messages;
    QWidget mainWindow;
};

TEST_F(BackToMainWindowTest, TheEntryDialoguesMainMenuButtonBringsTheMainWindowBackWithTheCaseKept) {
    ASSERT_FALSE(QFile::exists(folder.file("Vesparin_TEST")));
    Form13* host = run({{atDetails, [](QWidget* w) {
                             child<QLineEdit>(w, "Text_deth_name")->setText("محمد");
                             typeIntoCell(w, 0, 1, "علي");
                             typeIntoCell(w, 0, 0, "ابن");
                             child<QPushButton>(w, "Command8")->click();
                         }}});
    expectBackAtTheMainWindow(host);
    EXPECT_EQ(messages.texts(), QStringList());
    EXPECT_EQ(heirs(), QStringList{"ابن|علي|محمد"});
    // A dialogue loaded and the program goes on: the flags stay as they are.
    EXPECT_EQ(db.count("select count(*) from CHECK_FILE"), 1);

    // The next command finds the case where it was left.
    Form13* again = run({{atDetails, [](QWidget* w) {
                              EXPECT_EQ(child<QLineEdit>(w, "Text_deth_name")->text(), "محمد");
                              child<QPushButton>(w, "Command8")->click();
                          }}});
    expectBackAtTheMainWindow(again);
}

TEST_F(BackToMainWindowTest, TheResultsScreensMainMenuButtonBringsTheMainWindowBack) {
    mainWindow.resize(400, 300);
    mainWindow.show();
    Form13* host = run({{atDetails,
                         [](QWidget* w) {
                             child<QLineEdit>(w, "Text_deth_name")->setText("محمد");
                             child<QComboBox>(w, "Text_DATA_ENTRY_NAME")->setEditText("احمد");
                             typeIntoCell(w, 0, 1, "علي");
                             typeIntoCell(w, 0, 0, "ابن");
                             // Folded first: the main window comes back unfolded.
                             child<QPushButton>(w, "Command2")->click();
                             child<QPushButton>(w, "Command1")->click();
                         }},
                        {atResults, [](QWidget* w) { child<QPushButton>(w, "Command1")->click(); }}});
    expectBackAtTheMainWindow(host);
    EXPECT_FALSE(results::ShrinkEnlargeButtons::isFolded(&mainWindow));
    EXPECT_EQ(mainWindow.height(), 300);
    EXPECT_EQ(heirs(), QStringList{"ابن|علي|محمد"});
}

// Whichever way the user goes back, on the smallest screen and on a wide one, the main window
// stands where it opened: whole, centred on the free area of its screen, at its own size.
TEST_F(BackToMainWindowTest, TheMainWindowComesBackCentredOnItsScreen) {
    const auto enterCase = [](QWidget* w) {
        child<QLineEdit>(w, "Text_deth_name")->setText("محمد");
        child<QComboBox>(w, "Text_DATA_ENTRY_NAME")->setEditText("احمد");
        typeIntoCell(w, 0, 1, "علي");
        typeIntoCell(w, 0, 0, "ابن");
    };
    const struct {
        const char* way;
        Steps steps;
    } ways[] = {
        {"the entry screen's main menu",
         {{atDetails, [](QWidget* w) { child<QPushButton>(w, "Command8")->click(); }}}},
        {"the results screen's main menu",
         {{atDetails,
           [&](QWidget* w) {
               enterCase(w);
               child<QPushButton>(w, "Command1")->click();
           }},
          {atResults, [](QWidget* w) { child<QPushButton>(w, "Command1")->click(); }}}},
        {"the main menu of a folded entry screen",
         {{atDetails,
           [](QWidget* w) {
               child<QPushButton>(w, "Command2")->click();
               child<QPushButton>(w, "Command8")->click();
           }}}},
    };
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        for (const auto& w : ways) {
            SCOPED_TRACE(std::string(w.way) + " on " + screen->name().toStdString());
            shell::Form1 window(db, {});
            window.setScreens(shell::mainWindowScreens(&window));
            window.move(area.topLeft());
            window.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
            QTest::qWait(10);
            const QSize opened = window.size();
            ASSERT_LE(std::abs(window.frameGeometry().center().x() - area.center().x()), 1);

            actOn(w.steps, [&] { window.command("new1")->trigger(); });
            QTest::qWait(10);
            EXPECT_TRUE(window.isVisible());
            EXPECT_EQ(window.size(), opened);
            const QRect outer = window.frameGeometry();
            EXPECT_TRUE(area.contains(outer))
                << outer.x() << "," << outer.y() << " " << outer.width() << "x" << outer.height();
            EXPECT_LE(std::abs(outer.center().x() - area.center().x()), 1);
            EXPECT_LE(std::abs(outer.center().y() - area.center().y()), 1);
        }
    }
}

// The self-test's failure -------------------------------------------------------------------

TEST(SelfTestFailureScreen, TheMainWindowWithTheDifferingCaseStandsBehindTheMessage) {
    testsupport::TempAppFolder folder{true};
    const data::Database db = folder.caseDatabase();
    db.execute("delete from CHECK_FILE");
    // The shipped reference cases, with one expected share changed.
    QFile stor(folder.file("STOR"));
    ASSERT_TRUE(stor.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromUtf8(stor.readAll()).split('\n');
    stor.close();
    ASSERT_GT(lines.size(), 2);
    ASSERT_EQ(lines[1], "1,2,1");
    lines[1] = "1,2,2";
    ASSERT_TRUE(stor.open(QIODevice::WriteOnly | QIODevice::Truncate));
    stor.write(lines.join('\n').toUtf8());
    stor.close();

    bool windowShown = false;
    QStringList behind;
    testsupport::RealMessageBoxes boxes([&](QMessageBox&) {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* main = qobject_cast<shell::Form1*>(w); main && main->isVisible()) {
                windowShown = main->reportView()->isVisible();
                behind = main->reportView()->lines();
            }
        }
    });
    EXPECT_THROW(shell::Form1::load({}), platform::ProgramEnded);
    EXPECT_EQ(boxes.texts(), QStringList{engine::EngineSelfTest::FailureMessage});
    EXPECT_TRUE(windowShown);
    EXPECT_FALSE(behind.filter(QStringLiteral("توحيد القسامات ")).isEmpty());
    ASSERT_FALSE(behind.isEmpty());
    EXPECT_TRUE(behind.back().contains(QStringLiteral("ت/"))) << behind.back().toStdString();
}

} // namespace
