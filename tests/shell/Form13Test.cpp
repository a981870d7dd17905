#include "shell/Form13.h"

#include "data/FlagTable.h"
#include "platform/ProcessExit.h"
#include "platform/widgets/ReportView.h"
#include "results/Form14.h"
#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QSqlRecord>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

#include <functional>
#include <memory>

using shell::Form13;
using testsupport::TempAppFolder;

namespace {

// Runs `act` on the modal dialogue as soon as its own event loop is running.
void onModalDialog(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        act(modal);
    });
}

class Form13Test : public ::testing::Test {
protected:
    QStringList lines() const {
        QStringList out;
        for (const QSqlRecord& r : db.select("select print_text from PRINT_TEXT order by rowid"))
            out << r.value(0).toString();
        return out;
    }

    TempAppFolder folder{true};
    data::Database db = folder.caseDatabase();
    QWidget mainWindow;
};

TEST_F(Form13Test, TheWindowDrawsTheLinesTheEnginePrints) {
    Form13 host({}, &mainWindow);
    EXPECT_EQ(host.objectName(), QStringLiteral("Form13"));
    EXPECT_EQ(host.layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(host.size(), QSize(1016, 760));
    EXPECT_TRUE(host.isWindow());
    ASSERT_NE(host.view(), nullptr);

    engine::ReportSurface& surface = host.surface();
    surface.spc(2).text(QStringLiteral("قسام شرعي")).endLine();
    surface.text(QStringLiteral("زيد")).tab(20).number(24);
    EXPECT_EQ(host.view()->lines(), surface.lines());
    EXPECT_EQ(host.view()->lines().size(), 2);

    surface.clear();
    EXPECT_TRUE(host.view()->lines().isEmpty());
}

TEST_F(Form13Test, MessagesAndThePauseGoThroughTheMessageBoxes) {
    testsupport::CapturedMessages messages;
    Form13 host({}, &mainWindow);
    host.showMessage(QStringLiteral("عدد الورثة يجب ان لا يزيد على 50"));
    host.pause();
    EXPECT_EQ(messages.texts(), QStringList({"عدد الورثة يجب ان لا يزيد على 50", "  اضغط  لتستمر "}));
}

TEST_F(Form13Test, TheDialoguesGetTheStageTheContextAndTheWindowsTheyMove) {
    engine::EntryStage seenStage{};
    engine::CaseContext* seenContext = nullptr;
    results::PartnerWindows seenWindows;
    int successions = 0;
    Form13::Dialogs dialogs;
    dialogs.entry = [&](engine::EntryStage stage, engine::CaseContext& context,
                        const results::PartnerWindows& w) {
        seenStage = stage;
        seenContext = &context;
        seenWindows = w;
        context.Text_tariqa_ammount = QStringLiteral("1000");
    };
    dialogs.succession = [&](engine::CaseContext& context, const results::PartnerWindows&) {
        ++successions;
        context.Text_case_no = QStringLiteral("7");
    };
    Form13 host(dialogs, &mainWindow);

    host.showEntryDialog(engine::EntryStage::Estate, host.host().context());
    EXPECT_EQ(seenStage, engine::EntryStage::Estate);
    EXPECT_EQ(seenContext, &host.host().context());
    EXPECT_EQ(seenWindows.host, &host);
    EXPECT_EQ(seenWindows.mainWindow, &mainWindow);
    EXPECT_EQ(host.host().context().Text_tariqa_ammount, QStringLiteral("1000"));

    host.showSuccessionDialog(host.host().context());
    EXPECT_EQ(successions, 1);
    EXPECT_EQ(host.host().context().Text_case_no, QStringLiteral("7"));
}

TEST_F(Form13Test, ADialogueThisBuildDoesNotHaveEndsTheProgramWithAMessage) {
    testsupport::CapturedMessages messages;
    Form13 host({}, &mainWindow);
    EXPECT_THROW(host.showSuccessionDialog(host.host().context()), platform::ProgramEnded);
    EXPECT_EQ(messages.texts().size(), 1);
}

TEST_F(Form13Test, TheResultsScreenRunsModallyAndHandsItsCodeBack) {
    Form13 host({}, &mainWindow);
    engine::CaseContext& context = host.host().context();
    db.execute("insert into PRINT_TEXT (print_text) values ('ا'), ('ب'), ('ج')");

    onModalDialog([&](QWidget* modal) {
        EXPECT_EQ(modal->objectName(), QStringLiteral("Form14"));
        EXPECT_EQ(modal->parentWidget(), &host);
        modal->findChild<QPushButton*>("Command_percent")->click();
    });
    host.showResultsScreen(context);
    EXPECT_EQ(context.Text_choos_no, QStringLiteral("3"));
    EXPECT_EQ(data::FlagTable(db, "REPORT_DESTRIBUTER").text(), QStringLiteral("مئوية"));
    EXPECT_EQ(lines(), QStringList({"ا", "ج"}));
    EXPECT_EQ(host.findChild<results::Form14*>(), nullptr);

    // The engine did not write the lines again: the next showing leaves them as they are.
    onModalDialog([](QWidget* modal) { modal->findChild<QPushButton*>("Command_share")->click(); });
    host.showResultsScreen(context);
    EXPECT_EQ(context.Text_choos_no, QStringLiteral("4"));
    EXPECT_EQ(lines(), QStringList({"ا", "ج"}));
}

TEST_F(Form13Test, TheResultsScreenMovesThisHostAndTheMainWindow) {
    mainWindow.setGeometry(5, 5, 1016, 714);
    Form13 host({}, &mainWindow);
    host.setGeometry(5, 5, 1016, 760);
    onModalDialog([](QWidget* modal) {
        modal->findChild<QPushButton*>("Command8")->click();
        modal->findChild<QPushButton*>("Command_show_case")->click();
    });
    host.showResultsScreen(host.host().context());
    // Where the strip stands on a 1024 x 768 screen, kept on a smaller one.
    const QRect screen = host.screen()->geometry();
    const QPoint strip(std::min(screen.left() + 913, screen.right() + 1 - 120),
                       std::min(screen.top() + 713, screen.bottom() + 1 - 40));
    EXPECT_EQ(host.frameGeometry().topLeft(), strip);
    EXPECT_EQ(mainWindow.frameGeometry().topLeft(), strip);
    EXPECT_EQ(host.frameGeometry().height(), 40);
}

// The load step runs the whole case; the dialogue here answers the two stages the engine host
// settles by itself and stops the run when the case details are asked for.
TEST_F(Form13Test, OpeningRunsTheLoadStepOnceAndKeepsTheHostWithTheMainWindow) {
    struct StopRun {};
    QList<engine::EntryStage> stages;
    Form13::Dialogs dialogs;
    dialogs.entry = [&](engine::EntryStage stage, engine::CaseContext& context,
                        const results::PartnerWindows&) {
        stages << stage;
        if (stage == engine::EntryStage::Source)
            context.Text_RLAS = QStringLiteral("ج");
        else if (stage == engine::EntryStage::Type)
            context.Text_TYPS = QStringLiteral("م");
        else
            throw StopRun{};
    };

    Form13* host = nullptr;
    try {
        host = Form13::open(dialogs, &mainWindow);
    } catch (const StopRun&) {
        host = mainWindow.findChild<Form13*>();
    }
    ASSERT_NE(host, nullptr);
    ASSERT_GE(stages.size(), 2);
    EXPECT_EQ(stages[0], engine::EntryStage::Source);
    EXPECT_EQ(stages[1], engine::EntryStage::Type);
    EXPECT_TRUE(host->isVisible());
    EXPECT_EQ(host->parentWidget(), &mainWindow);
    EXPECT_EQ(host->host().context().Text_first_count, QStringLiteral("1"));

    const qsizetype asked = stages.size();
    EXPECT_EQ(Form13::open(dialogs, &mainWindow), host);
    EXPECT_EQ(stages.size(), asked);
    EXPECT_EQ(host->host().context().Text_first_count, QStringLiteral("1"));
}

} // namespace
