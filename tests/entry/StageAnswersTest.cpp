#include "EntryFixture.h"

#include "entry/EntryTexts.h"
#include "entry/StageAnswers.h"

namespace {

using entrytest::EntryFixture;
namespace Answers = entry::StageAnswers;

using StageAnswersTest = EntryFixture;

TEST_F(StageAnswersTest, SourceNewCase) {
    db.execute("insert into ENABLED_CHECK values ('مخزونة')");
    EXPECT_TRUE(Answers::source(db, "جديدة", host));
    EXPECT_EQ(host.Text_RLAS, "ج");
    EXPECT_EQ(host.Text_start_new_case, "1");
    EXPECT_EQ(host.Text_stored_case_procejer, "");
    EXPECT_EQ(host.Text_stord_standerd_case_keyup, "");
    EXPECT_EQ(column("select ENABLED_CHECK from ENABLED_CHECK"), QStringList{"جديدة"});
}

TEST_F(StageAnswersTest, SourceModelCaseSetsBothRunFlags) {
    EXPECT_TRUE(Answers::source(db, "مخزونة نموذجية", host));
    EXPECT_EQ(host.Text_RLAS, "خ");
    EXPECT_EQ(host.Text_stored_case_procejer, "1");
    EXPECT_EQ(host.Text_stord_standerd_case_keyup, "1");
    EXPECT_EQ(column("select ENABLED_CHECK from ENABLED_CHECK"), QStringList{"مخزونة"});
}

TEST_F(StageAnswersTest, SourceWithoutAChoiceWritesOnlyTheNewCaseFlag) {
    db.execute("insert into ENABLED_CHECK values ('جديدة')");
    for (const QString& text : {QString(), entry::Texts::SourceComboName, QString("جديدة ")}) {
        SCOPED_TRACE(text.toStdString());
        engine::CaseContext fresh;
        EXPECT_FALSE(Answers::source(db, text, fresh));
        EXPECT_EQ(fresh.Text_RLAS, "");
        EXPECT_EQ(fresh.Text_start_new_case, "1");
        EXPECT_EQ(fresh.Text_stored_case_procejer, "");
        EXPECT_EQ(rows("ENABLED_CHECK"), 0);
    }
}

TEST_F(StageAnswersTest, TypeWritesTheLetterOfAKnownChoiceOnly) {
    const struct {
        const char* choice;
        const char* letter;
    } cases[] = {{"مفردة", "م"}, {"مناسخة", "ن"}, {"", "old"}, {"مفرده", "old"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.choice);
        host.Text_TYPS = "old";
        Answers::type(c.choice, host);
        EXPECT_EQ(host.Text_TYPS, c.letter);
    }
}

TEST_F(StageAnswersTest, EstateIgnoresAnEmptyAmountOrCurrency) {
    db.execute("insert into TAWHEED values ('x')");
    db.execute("insert into REPORT_DESTRIBUTER values ('مئوية')");
    host.Text_tariqa_ammount = "old";
    const qint64 currencies = rows("currency_name");
    EXPECT_FALSE(Answers::estate(db, "", "دينار", host));
    EXPECT_FALSE(Answers::estate(db, "1000", "", host));
    EXPECT_EQ(host.Text_tariqa_ammount, "old");
    EXPECT_EQ(rows("TAWHEED"), 1);
    EXPECT_EQ(flag("REPORT_DESTRIBUTER"), "مئوية");
    EXPECT_EQ(rows("currency_name"), currencies);
}

TEST_F(StageAnswersTest, EstateHandsTheTextsOverAndSwitchesTheReportToAmounts) {
    db.execute("insert into TAWHEED values ('x')");
    db.execute("insert into TAWHEED_CHILED (name_deth_chiled) values ('y')");
    db.execute("insert into REPORT_DESTRIBUTER values ('مئوية'), ('كامل')");
    // The amount is not the dialogue's to judge; the engine asks again for one it cannot read.
    EXPECT_TRUE(Answers::estate(db, "abc", "دينار", host));
    EXPECT_EQ(host.Text_tariqa_ammount, "abc");
    EXPECT_EQ(host.Text_tariqa_currency, "دينار");
    EXPECT_EQ(rows("TAWHEED"), 0);
    EXPECT_EQ(rows("TAWHEED_CHILED"), 0);
    EXPECT_EQ(column("select REPORT_DESTRIBUTER from REPORT_DESTRIBUTER"), QStringList{"تركة"});
}

TEST_F(StageAnswersTest, ANewCurrencyJoinsTheListOnce) {
    const QString pound = "جنيه 'استرليني'";
    const qint64 before = rows("currency_name");
    EXPECT_TRUE(Answers::estate(db, "100", pound, host));
    EXPECT_TRUE(Answers::estate(db, "200", pound, host));
    EXPECT_TRUE(Answers::estate(db, "300", "دينار", host));
    EXPECT_EQ(rows("currency_name"), before + 1);
    EXPECT_EQ(db.count("select count(*) from currency_name where currency_name = ?", {pound}), 1);
    EXPECT_EQ(host.Text_tariqa_currency, "دينار");
}

} // namespace
