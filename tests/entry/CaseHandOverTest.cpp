#include "EntryFixture.h"

#include "entry/CaseHandOver.h"
#include "entry/EntryTexts.h"

namespace {

using entry::CaseHeader;
using entrytest::EntryFixture;
namespace HandOver = entry::CaseHandOver;
namespace Texts = entry::Texts;

const CaseHeader Complete{"محمد", "", "", "المعد", "-"};

struct RefusalCase {
    const char* name;
    std::vector<entrytest::Heir> heirs;
    int extraSons; // heirs added on top of `heirs`
    CaseHeader header;
    QString message; // empty: accepted
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.name;
}

class Refusals : public EntryFixture, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusals, TheFirstFailingCheckAnswers) {
    addHeirs(GetParam().heirs);
    addHeirs("ابن", GetParam().extraSons);
    EXPECT_EQ(HandOver::refusal(db, GetParam().header), GetParam().message);
}

const std::vector<entrytest::Heir> TwoHeirs{{"زوجة", "فاطمة"}, {"ابن", "علي"}};

INSTANTIATE_TEST_SUITE_P(
    HandOver, Refusals,
    ::testing::Values(
        RefusalCase{"Accepted", TwoHeirs, 0, Complete, ""},
        RefusalCase{"NoHeirs", {}, 0, Complete, Texts::Incomplete},
        RefusalCase{"NoDeceased", TwoHeirs, 0, {"", "", "", "المعد", "-"}, Texts::Incomplete},
        RefusalCase{"NoPreparer", TwoHeirs, 0, {"محمد", "", "", "", "-"}, Texts::NoPreparer},
        // The checks come in order: the missing deceased before the missing preparer, the
        // preparer before what only the engine cannot take.
        RefusalCase{"NoDeceasedAndNoPreparer", {}, 0, {"", "", "", "", "-"}, Texts::Incomplete},
        RefusalCase{
            "StretchedNameWithoutPreparer", TwoHeirs, 0, {"محمـد", "", "", "", "-"}, Texts::NoPreparer},
        RefusalCase{
            "StretchedName", TwoHeirs, 0, {"محمـد", "", "", "المعد", "-"}, Texts::StretchedDeceasedName},
        RefusalCase{"FiftyHeirs", {}, 50, Complete, ""},
        RefusalCase{"FiftyOneHeirs", {}, 51, Complete, Texts::TooManyHeirs + "50"},
        RefusalCase{"TooManyBeforeAnEmptyName", {{"ابن", ""}}, 50, Complete, Texts::TooManyHeirs + "50"},
        RefusalCase{
            "EmptyHeirName", {{"زوجة", "فاطمة"}, {"ابن", ""}}, 0, Complete, Texts::EmptyHeirName + "2"},
        RefusalCase{
            "EmptyRelation", {{"", "علي"}, {"ابن", ""}}, 0, Complete, Texts::EmptyHeirRelation + "1"}));

using CaseHandOverTest = EntryFixture;

TEST_F(CaseHandOverTest, WritesTheHeaderOnEveryHeirTheHostsFieldsAndTheReportHeader) {
    addHeirs(TwoHeirs);
    db.execute("update WARITH set case_no = 7");
    db.execute("insert into REPORT_DESTRIBUTER values ('تركة')");
    db.execute("insert into DATA_ENTRY_NAME_REPORT values ('معد سابق')");
    host.Text_case_no = "3";

    HandOver::handOver(db, {"محمد بن علي", "مسألة الجد", "7", "احمد", "المحكمة الشرعية"}, host);

    const auto heirs = db.select("select deth_name, case_name, DATA_ENTRY_NAME, ADRESS_ENTRY_NAME, case_no, "
                                 "warith_name from WARITH order by ar");
    ASSERT_EQ(heirs.size(), 2);
    for (const auto& r : heirs) {
        EXPECT_EQ(r.value(0).toString(), "محمد بن علي");
        EXPECT_EQ(r.value(1).toString(), "مسألة الجد");
        EXPECT_EQ(r.value(2).toString(), "احمد");
        EXPECT_EQ(r.value(3).toString(), "المحكمة الشرعية");
        EXPECT_EQ(r.value(4).toInt(), 7); // the number is the stored case's business
    }
    EXPECT_EQ(heirs[1].value(5).toString(), "علي");
    EXPECT_EQ(host.Text_deth_name, "محمد بن علي");
    EXPECT_EQ(host.Text_case_no, "7");
    EXPECT_EQ(rows("REPORT_DESTRIBUTER"), 0);
    EXPECT_EQ(column("select DATA_ENTRY_NAME from DATA_ENTRY_NAME_REPORT"), QStringList{"احمد"});
    EXPECT_EQ(column("select ADRESS_ENTRY_NAME from ADRESS_ENTRY_NAME_REPORT"),
              QStringList{"المحكمة الشرعية"});
}

TEST_F(CaseHandOverTest, ACaseNeverStoredLeavesTheHostsNumberEmpty) {
    addHeirs(TwoHeirs);
    host.Text_case_no = "7";
    HandOver::handOver(db, Complete, host);
    EXPECT_EQ(host.Text_case_no, "");
}

TEST_F(CaseHandOverTest, NoReportRowNamesNobody) {
    addHeirs(TwoHeirs);
    for (const QString& nobody : {QString("-"), QString("")}) {
        SCOPED_TRACE(nobody.toStdString());
        db.execute("insert into ADRESS_ENTRY_NAME_REPORT values ('old')");
        db.execute("insert into DATA_ENTRY_NAME_REPORT values ('old')");
        HandOver::handOver(db, {"محمد", "", "", nobody, nobody}, host);
        EXPECT_EQ(rows("ADRESS_ENTRY_NAME_REPORT"), 0);
        EXPECT_EQ(rows("DATA_ENTRY_NAME_REPORT"), 0);
        EXPECT_EQ(column("select distinct ADRESS_ENTRY_NAME from WARITH"), QStringList{nobody});
    }
}

TEST_F(CaseHandOverTest, NamesWithApostrophesTravelUnchanged) {
    const CaseHeader quoted{"عبد الله 'الكبير'", "قضية 'أ'", "", "O'Brien", "دار 'الفتوى'"};
    addHeirs({{"ابن", "O'Neil"}});
    ASSERT_EQ(HandOver::refusal(db, quoted), "");
    HandOver::handOver(db, quoted, host);
    const auto r =
        db.select("select deth_name, case_name, DATA_ENTRY_NAME, ADRESS_ENTRY_NAME, warith_name from WARITH")
            .front();
    EXPECT_EQ(r.value(0).toString(), quoted.deceased);
    EXPECT_EQ(r.value(1).toString(), quoted.title);
    EXPECT_EQ(r.value(2).toString(), quoted.preparer);
    EXPECT_EQ(r.value(3).toString(), quoted.issuingBody);
    EXPECT_EQ(r.value(4).toString(), "O'Neil");
    EXPECT_EQ(column("select DATA_ENTRY_NAME from DATA_ENTRY_NAME_REPORT"), QStringList{quoted.preparer});
    EXPECT_EQ(host.Text_deth_name, quoted.deceased);
}

} // namespace
