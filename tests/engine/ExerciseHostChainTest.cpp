#include "data/FlagTable.h"
#include "engine/run/EngineHost.h"

#include "ScriptedPort.h"
#include "support/TempAppFolder.h"

#include <QSqlRecord>

#include <gtest/gtest.h>

namespace {

using Shown = testsupport::ScriptedPort::Shown;

// The successive-deaths run of the exercise host: the same run as the real-case host's, with the
// exercise host's own fields, reached only by a hand answer at the type stage.
class ExerciseHostChainTest : public ::testing::Test {
protected:
    // The successive-deaths dialogue's run button: the chain into the hand-over tables and the
    // chain's number into the host that showed it.
    testsupport::ScriptedPort::Answer chain(const char* number, const char* sonRelation = "ابن") {
        return [this, number, sonRelation](engine::CaseContext& c) {
            db.execute("delete from DETH");
            db.execute("delete from WARITH_DUBLE");
            db.execute("insert into DETH (deth_name, arrange) values ('خالد', 1), ('سالم', 2)");
            db.execute("insert into WARITH_DUBLE (warith_name, warith_relation, arrange) values "
                       "('هند', 'زوجة', 1), ('سالم', ?, 1), ('هند', 'ام', 2), ('عمر', 'ابن', 2)",
                       {QString::fromUtf8(sonRelation)});
            c.Text_case_no = QString::fromUtf8(number);
        };
    }
    static testsupport::ScriptedPort::Answer code(const char* choice) {
        return [choice](engine::CaseContext& c) { c.Text_choos_no = QString::fromLatin1(choice); };
    }
    QStringList screens() const {
        QStringList out;
        for (const Shown& s : port.shown)
            out << s.screen + QLatin1Char(':') + s.caseType;
        return out;
    }

    testsupport::TempAppFolder folder{true};
    data::Database db = folder.caseDatabase();
    testsupport::ScriptedPort port{db};
    engine::EngineHost host{engine::HostKind::exercises(), port};
};

TEST_F(ExerciseHostChainTest, WithTheExercisePresetsTheTypeStageLeadsToTheQuestionNeverToTheChain) {
    port.answer([](engine::CaseContext& c) { c.Text_RLAS = QStringLiteral("ج"); });
    // The type stage pressed by itself from TYPS_TABLE's 'مفردة'.
    port.answer([](engine::CaseContext& c) { c.Text_TYPS = QStringLiteral("م"); });
    EXPECT_THROW(host.Form_Load(), testsupport::ScriptedPort::NoMoreAnswers);
    EXPECT_EQ(screens(), QStringList({"مصدر المسألة:مصدر المسألة", "نوع المسألة:نوع المسألة",
                                      "تفاصيل المسألة:تفاصيل المسألة"}));
}

TEST_F(ExerciseHostChainTest, AHandAnswerRunsTheChainAndEveryRestartComesBackToTheChainDialogue) {
    port.answer([](engine::CaseContext& c) { c.Text_RLAS = QStringLiteral("ج"); });
    port.answer([](engine::CaseContext& c) { c.Text_TYPS = QStringLiteral("ن"); });
    port.answer(chain("7"));
    QStringList serials;
    port.answer([&](engine::CaseContext& c) {
        for (const QSqlRecord& r : db.select("select ser from PRINT_TEXT where ser like 'التسلسل/%'"))
            serials << r.value(0).toString();
        c.Text_choos_no = QStringLiteral("4");
    });
    // An amount of 0 asks again; the estate is then divided and the results come back.
    port.answer([](engine::CaseContext& c) {
        c.Text_tariqa_ammount = QStringLiteral("0");
        c.Text_tariqa_currency = QStringLiteral("دينار");
    });
    port.answer([](engine::CaseContext& c) { c.Text_tariqa_ammount = QStringLiteral("1000"); });
    port.answer(code("10"));
    // The next chain names a relation the engine does not know: its message, then the dialogue.
    port.answer(chain("", "صديق"));
    port.answer(chain(""));
    port.answer(code("10"));
    EXPECT_THROW(host.Form_Load(), testsupport::ScriptedPort::NoMoreAnswers);

    EXPECT_FALSE(serials.isEmpty());
    for (const QString& serial : serials)
        EXPECT_EQ(serial, "التسلسل/7");
    EXPECT_EQ(screens(), QStringList({"مصدر المسألة:مصدر المسألة", "نوع المسألة:نوع المسألة",
                                      "Form6:", "Form14:", "تركة:تركة", "تركة:تركة",
                                      "Form14:", "Form6:", "Form6:", "Form14:", "Form6:"}));
    EXPECT_EQ(port.messages,
              QStringList({"المبلغ غير صحيح", " الصلة - صديق - غير ملائمة ... سيتم اعادة تنفيذ المسألة"}));
    EXPECT_EQ(host.context().Text_case_no, QString());
    EXPECT_EQ(host.kind().name, "Form2");
}

} // namespace
