#include "engine/run/EngineHost.h"

#include "ScriptedPort.h"
#include "platform/ProcessExit.h"
#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"

#include <QFile>

#include <gtest/gtest.h>

using engine::CaseContext;
using engine::Continuation;
using engine::EngineHost;
using engine::HostKind;
using testsupport::ScriptedPort;
using testsupport::TempAppFolder;

namespace {

// A host whose engine procedures only record that they were called, with the state they found.
class RecordingHost : public EngineHost {
public:
    using EngineHost::EngineHost;

    void NEW_AND_SINGLE() override {
        called << QStringLiteral("NEW_AND_SINGLE");
        record();
    }
    void NEW_AND_DUBLE() override {
        called << QStringLiteral("NEW_AND_DUBLE");
        record();
    }
    void runModelCases() override {
        called << QStringLiteral("model cases");
        record();
    }

    QStringList called;
    QString caseTypeRow;
    int madhhab = -1;

private:
    void record() {
        caseTypeRow = data::FlagTable(database(), "CASE_TYPE", "case_type").text();
        madhhab = state().Madhhab;
    }
};

ScriptedPort::Answer source(const QString& letter) {
    return [letter](CaseContext& c) {
        c.Text_RLAS = letter;
        c.Text_start_new_case = "1";
    };
}

ScriptedPort::Answer type(const QString& letter) {
    return [letter](CaseContext& c) { c.Text_TYPS = letter; };
}

class EngineHostTest : public ::testing::Test {
protected:
    TempAppFolder folder{true};
    ScriptedPort port{folder.caseDatabase()};
    RecordingHost host{HostKind::real(), port};
};

TEST(Dispatch, TheSourceAndTypeAnswersChooseTheProcedure) {
    const struct {
        const char* source;
        const char* type;
        Continuation next;
    } cases[] = {
        {"ج", "م", Continuation::NewSingle},    {"ج", "ن", Continuation::NewSuccessive},
        {"ج", "", Continuation::AskTypeAgain},  {"ج", "مفردة", Continuation::AskTypeAgain},
        {"خ", "م", Continuation::AskTypeAgain}, {"", "م", Continuation::AskTypeAgain},
    };
    for (const auto& c : cases)
        EXPECT_EQ(engine::dispatchCase(c.source, c.type), c.next) << c.source << "/" << c.type;
}

TEST_F(EngineHostTest, ANewSingleCaseGoesFromTheLoadStepToItsProcedure) {
    EXPECT_EQ(host.context().Text_first_count, "0");
    port.answer(source("ج"));
    port.answer(type("م"));
    host.Form_Load();

    EXPECT_EQ(host.context().Text_first_count, "1");
    EXPECT_EQ(host.called, QStringList({"NEW_AND_SINGLE"}));
    ASSERT_EQ(port.shown.size(), 2u);
    // The stage is in CASE_TYPE before the dialogue is shown.
    EXPECT_EQ(port.shown[0].screen, "مصدر المسألة");
    EXPECT_EQ(port.shown[0].caseType, "مصدر المسألة");
    EXPECT_EQ(port.shown[1].caseType, "نوع المسألة");
    EXPECT_EQ(host.caseTypeRow, "نوع المسألة");
    EXPECT_EQ(host.state().Madhhab, 2);
    EXPECT_EQ(host.state().OutputMode, 2);
    EXPECT_TRUE(host.state().CaseKey.isEmpty());
    EXPECT_EQ(host.state().CaseType, "م");
    EXPECT_EQ(port.hostShown, 1);
    EXPECT_TRUE(host.batchRunFlag());

    // The tables are loaded: relation texts, menu texts and the class words of the rule files.
    EXPECT_EQ(host.names().RelationNames[5], "زوجة");
    EXPECT_EQ(host.names().MenuTexts[17], " قسام شرعي   ");
    EXPECT_FALSE(host.names().ClassNamePlural[7].isEmpty());
    EXPECT_FALSE(host.names().GroupNames[12].isEmpty());

    // Showing a loaded host again does not run its load step again.
    host.Form_Load();
    EXPECT_EQ(host.context().Text_first_count, "1");
    EXPECT_EQ(port.shown.size(), 2u);
}

TEST_F(EngineHostTest, AnUnusableTypeShowsTheTypeStageAgainWithoutResettingTheDefaults) {
    port.answer(source("ج"));
    port.answer([&](CaseContext& c) {
        c.Text_TYPS.clear();
        host.state().Madhhab = 1; // a second round of the defaults would put 2 back
    });
    port.answer(type("ن"));
    host.Form_Load();
    EXPECT_EQ(host.called, QStringList({"NEW_AND_DUBLE"}));
    ASSERT_EQ(port.shown.size(), 3u);
    EXPECT_EQ(port.shown[2].caseType, "نوع المسألة");
    EXPECT_EQ(host.madhhab, 1);
    EXPECT_EQ(host.state().CaseType, "ن");
}

TEST_F(EngineHostTest, TheModelCaseSourceSkipsTheTypeStageAndItsDefaults) {
    port.answer(source("خ"));
    host.Form_Load();
    EXPECT_EQ(host.called, QStringList({"model cases"}));
    EXPECT_EQ(port.shown.size(), 1u);
    EXPECT_EQ(host.context().Text_desabled_form7_commands_first_time, "1");
    EXPECT_EQ(host.caseTypeRow, "مصدر المسألة");
    EXPECT_EQ(host.madhhab, 0);
    EXPECT_TRUE(host.state().CaseType.isEmpty());
}

TEST_F(EngineHostTest, AFieldKeepsItsValueUntilWrittenAgain) {
    port.answer([](CaseContext& c) {
        c.Text_RLAS = "ج";
        c.Text_deth_name = "زيد";
        c.Text_tariqa_ammount = "1000";
    });
    port.answer(type("م"));
    host.Form_Load();
    EXPECT_EQ(host.context().Text_deth_name, "زيد");
    EXPECT_EQ(host.context().Text_tariqa_ammount, "1000");
    EXPECT_TRUE(host.context().Text_choos_no.isEmpty());
}

TEST(EngineHostFailures, AMissingReportTableStopsTheProgramBeforeAnyDialogue) {
    TempAppFolder folder(true);
    folder.caseDatabase().execute("drop table PRINT_TITLE");
    testsupport::CapturedMessages messages;
    ScriptedPort port(folder.caseDatabase());
    RecordingHost host(HostKind::real(), port);
    EXPECT_THROW(host.Form_Load(), platform::ProgramEnded);
    EXPECT_TRUE(port.shown.empty());
    EXPECT_EQ(port.hostShown, 0);
    EXPECT_TRUE(messages.last().contains("PRINT_TITLE"));
}

TEST(EngineHostFailures, AMissingRuleFileStopsTheProgramAfterTheWindowAndBeforeTheSourceStage) {
    for (const char* file : {"AG", "AGN", "ORVEL", "AGG", "AGL", "AQ"}) {
        SCOPED_TRACE(file);
        TempAppFolder folder(true);
        ASSERT_TRUE(QFile::remove(folder.file(file)));
        testsupport::CapturedMessages messages;
        ScriptedPort port(folder.caseDatabase());
        RecordingHost host(HostKind::exercises(), port);
        EXPECT_THROW(host.Form_Load(), platform::ProgramEnded);
        EXPECT_EQ(port.hostShown, 1);
        EXPECT_TRUE(port.shown.empty());
        EXPECT_TRUE(messages.last().contains(file));
    }
}

} // namespace
