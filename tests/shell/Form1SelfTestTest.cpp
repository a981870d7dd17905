#include "shell/Form1.h"

#include "engine/run/EngineSelfTest.h"
#include "platform/ProcessExit.h"
#include "platform/widgets/ReportView.h"
#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"

#include <QFile>
#include <QPushButton>

#include <gtest/gtest.h>

using shell::Form1;

namespace {

QString selfTestFixture(const char* name) {
    QFile f(testsupport::testsDir() + QStringLiteral("/engine/fixtures/selftest/") + QString::fromUtf8(name));
    f.open(QIODevice::ReadOnly);
    return QString::fromUtf8(f.readAll());
}

// The application folder with the fixture's reference cases, whose expected shares agree or, for a
// failing set, differ in the first case.
class Form1SelfTest : public ::testing::Test {
protected:
    void referenceCases(bool agreeing) {
        QString expected = selfTestFixture("STOR");
        if (!agreeing)
            expected.replace(QStringLiteral("3,14,7"), QStringLiteral("3,14,8"));
        for (const auto& [name, text] :
             {std::pair{"STORG", selfTestFixture("STORG")}, std::pair{"STOR", expected}}) {
            QFile f(folder.file(QString::fromUtf8(name)));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(text.toUtf8());
        }
    }
    qint64 rows(const char* table) const { return db.count(QString("select count(*) from %1").arg(table)); }

    testsupport::TempAppFolder folder{true};
    data::Database db = folder.caseDatabase();
    testsupport::CapturedMessages messages;
};

TEST_F(Form1SelfTest, TheInvisibleButtonRunsTheSelfTestAndAPassLeavesTheWindowEmpty) {
    referenceCases(true);
    Form1 w(db, {});
    auto* button = w.findChild<QPushButton*>(QStringLiteral("Command1"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("تدقيق سلامة"));
    EXPECT_TRUE(button->isHidden());

    w.surface().text(QStringLiteral("سطر سابق")).endLine();
    button->click();
    EXPECT_TRUE(messages.texts().isEmpty());
    EXPECT_TRUE(w.surface().lines().isEmpty());
    EXPECT_TRUE(w.reportView()->lines().isEmpty());
    EXPECT_TRUE(w.reportView()->isHidden());
}

TEST_F(Form1SelfTest, AFailureLeavesItsTablesOnTheWindowAndEndsTheProgram) {
    referenceCases(false);
    Form1 w(db, {});
    EXPECT_THROW(w.Command1_Click(), platform::ProgramEnded);
    EXPECT_EQ(messages.texts(), QStringList({engine::EngineSelfTest::FailureMessage}));
    EXPECT_FALSE(w.reportView()->isHidden());
    EXPECT_EQ(w.reportView()->lines(), w.surface().lines());
    // The combined table of the case that differed, then the reason.
    EXPECT_FALSE(w.reportView()->lines().filter(QStringLiteral("توحيد القسامات ")).isEmpty());
    EXPECT_TRUE(w.reportView()->lines().back().contains(QStringLiteral("ت/ 1")));
}

// The load step: the self-test runs when no dialogue has loaded since the last clean exit, and a
// failing one ends the program before the work tables are reset.
TEST_F(Form1SelfTest, TheLoadStepRunsTheSelfTestWhenDueBeforeTheResets) {
    const struct {
        const char* what;
        bool dialogueLoaded; // CHECK_FILE holds a row
        bool agreeing;
        bool ends;
    } cases[] = {
        {"due and passing", false, true, false},
        {"due and failing", false, false, true},
        {"not due: a failing set is never read", true, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        referenceCases(c.agreeing);
        db.execute("delete from CHECK_FILE");
        db.execute("delete from LOAD_Vesparin_FORM");
        db.execute("delete from REPORT_DESTRIBUTER");
        db.execute("insert into REPORT_DESTRIBUTER values ('كامل')");
        if (c.dialogueLoaded)
            db.execute("insert into CHECK_FILE values ('1')");

        if (c.ends) {
            EXPECT_THROW(Form1::load({}), platform::ProgramEnded);
            EXPECT_EQ(messages.last(), engine::EngineSelfTest::FailureMessage);
            EXPECT_EQ(rows("REPORT_DESTRIBUTER"), 1);
            EXPECT_EQ(rows("LOAD_Vesparin_FORM"), 0);
        } else {
            const int shown = static_cast<int>(messages.texts().size());
            const auto w = Form1::load({});
            EXPECT_EQ(messages.texts().size(), shown);
            EXPECT_TRUE(w->database().isOpen());
            EXPECT_TRUE(w->surface().lines().isEmpty());
            EXPECT_EQ(rows("REPORT_DESTRIBUTER"), 0);
            EXPECT_EQ(rows("LOAD_Vesparin_FORM"), 1);
        }
    }
}

} // namespace
