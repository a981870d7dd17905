#include "engine/report/DeceasedReport.h"

#include "ReportTestBench.h"
#include "engine/report/DivisionNotes.h"
#include "engine/report/ReportTables.h"

#include <gtest/gtest.h>

#include <functional>

using engine::DeceasedReportResult;
using engine::EngineState;
using engine::Num;
using engine::Rational;
using testsupport::Heir;
using testsupport::ReportTestBench;

namespace {

// A division of one deceased as the calculation leaves it, before its notes are written.
struct ReportCase {
    const char* fixture;
    std::function<void(ReportTestBench&)> setup;
};

void residue(ReportTestBench& b) {
    b.singleDeath(
        "محمد",
        {{"فاطمة", "زوجة", 5, 3}, {"علي", "ابن", 13, 14}, {"زينب", "بنت", 7, 7}, {"حسن", "اخ", 16, 0}});
    b.setClass(5, 1, 3, 8);
    b.setClass(13, 1, 14);
    b.setClass(7, 1, 7);
    b.setClass(16, 1, 0);
    b.state.CaseKind = 1;
    b.state.ResidClassMale = 13;
    b.state.ResidClassFemale = 7;
    b.state.ResidFemalePresent = 1;
    b.state.CaseOrigin = 8;
    b.state.CaseBase = 24;
    b.state.RaddRatio = Num::fraction(-21, 24);
}

void awl(ReportTestBench& b) {
    b.singleDeath("سعيد", {{"خالد", "زوج", 4, 3}, {"هند", "اخت", 10, 2}, {"سلمى", "اخت", 10, 2}});
    b.setClass(4, 1, 3, 2);
    b.setClass(10, 2, 2, Num::fraction(3, 2));
    b.state.CaseKind = 3;
    b.state.AwlRatio = Num::fraction(4, 24);
    b.state.CaseOrigin = 6;
    b.state.CaseBase = 7;
}

void radd(ReportTestBench& b) {
    b.singleDeath("أمينة", {{"مريم", "ام", 2, 1}, {"ليلى", "بنت", 7, 3}});
    b.setClass(2, 1, 1, 6);
    b.setClass(7, 1, 3, 2);
    b.state.CaseKind = 2;
    b.state.RaddRatio = Num::fraction(-8, 24);
    b.state.CaseOrigin = 6;
    b.state.CaseBase = 4;
}

void gharrawayn(ReportTestBench& b) {
    b.singleDeath("عائشة", {{"عمر", "زوج", 4, 3}, {"يوسف", "اب", 1, 2}, {"خديجة", "ام", 2, 1}});
    engine::AddGharrawaynNote(b.state);
    b.setClass(4, 1, 3, 2);
    b.setClass(1, 1, 2);
    b.setClass(2, 1, 1, 3);
    b.state.CaseKind = 1;
    b.state.ResidClassMale = 1;
    b.state.CaseOrigin = 6;
    b.state.CaseBase = 6;
}

void treasury(ReportTestBench& b) {
    b.singleDeath("زيد", {{"سعاد", "زوجة", 5, 1}, {"الخزينة العامة", "", 112, 3}});
    b.setClass(5, 1, 1, 4);
    b.setClass(112, 1, 3);
    b.state.CaseKind = 7;
    b.state.CaseOrigin = 4;
    b.state.CaseBase = 4;
}

void PrintTo(const ReportCase& c, std::ostream* os) {
    *os << c.fixture;
}

class DeceasedReportFixture : public ::testing::TestWithParam<ReportCase> {};

TEST_P(DeceasedReportFixture, FillsTheReportTablesAsTheFixtureShows) {
    ReportTestBench b;
    b.state.CaseKey = "7";
    GetParam().setup(b);
    engine::WriteNotes(b.ctx);
    EXPECT_EQ(engine::DeceasedReport(b.ctx), DeceasedReportResult::Complete);
    testsupport::expectLines(testsupport::reportTableRows(b.db),
                             testsupport::fixture(QString::fromLatin1(GetParam().fixture) + ".rows"));
    EXPECT_EQ(b.state.DeceasedBase[1], engine::BigInt(b.state.CaseBase.whole()));
}

INSTANTIATE_TEST_SUITE_P(Divisions, DeceasedReportFixture,
                         ::testing::Values(ReportCase{"report_residue", residue},
                                           ReportCase{"report_awl", awl}, ReportCase{"report_radd", radd},
                                           ReportCase{"report_gharrawayn", gharrawayn},
                                           ReportCase{"report_treasury", treasury}));

TEST(DeceasedReport, PrintsTheWindowLinesOfTheDivision) {
    ReportTestBench b;
    b.state.CaseKey = "7";
    awl(b);
    engine::WriteNotes(b.ctx);
    engine::DeceasedReport(b.ctx);
    testsupport::expectLines(testsupport::barred(b.window()), testsupport::fixture("report_awl.window"));
}

// Two deceased: the first leaves `second` a share under `slotName`; the second has two heirs.
void twoDeaths(ReportTestBench& b, const QString& slotName, int share) {
    b.singleDeath("الاول", {{slotName, "ابن", 13, share}, {"سالم", "ابن", 13, 2}});
    b.state.newChain(2);
    b.state.DeceasedName[1] = "الاول";
    b.state.DeceasedName[2] = "كمال";
    b.state.DeceasedLastHeir[1] = 2;
    b.addHeirs(2, {{"نور", "بنت", 7, 1}, {"سالم", "اخ", 16, 1}});
    b.state.DeceasedIndex = 2;
    b.state.CaseOrigin = 2;
    b.state.CaseBase = 2;
}

TEST(DeceasedReport, ALaterDeceasedWhoInheritedNothingGetsOnlyHisHeading) {
    struct Case {
        const char* what;
        QString slotName;
        int share;
        DeceasedReportResult result;
    };
    const Case cases[] = {
        {"his own slot holds parts", "كمال", 2, DeceasedReportResult::Complete},
        {"his slot holds nothing", "كمال", 0, DeceasedReportResult::Skipped},
        // A longer name that contains his is another person, as the merge sees it.
        {"only a longer name holds parts", "كمال الدين", 2, DeceasedReportResult::Skipped},
        {"a name with a trailing blank", "كمال ", 2, DeceasedReportResult::Skipped},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ReportTestBench b;
        twoDeaths(b, c.slotName, c.share);
        b.port.surface().text("تقرير المتوفى الاول").endLine();
        EXPECT_EQ(engine::DeceasedReport(b.ctx), c.result);
        EXPECT_EQ(b.state.SkippedDeceased, c.result == DeceasedReportResult::Skipped ? 1 : 0);
        EXPECT_EQ(b.state.DeceasedBase[2], 2);
        const QStringList rows = testsupport::tableRows(b.db, "PRINT_TEXT");
        ASSERT_FALSE(rows.isEmpty());
        EXPECT_EQ(rows.front(), "PRINT_TEXT|\"2\"|\"ثم توفــى\"|\"كمال\"|\"\"|\"\"|\"\"|\"\"");
        EXPECT_EQ(testsupport::tableRows(b.db, "PRINT_TEXT2"),
                  QStringList{"PRINT_TEXT2|\"2\"|\"كمال\"|\"\""});
        if (c.result == DeceasedReportResult::Skipped) {
            EXPECT_EQ(rows.size(), 1);
            EXPECT_TRUE(testsupport::tableRows(b.db, "NOTS_CHILED").isEmpty());
            EXPECT_EQ(b.state.LineCount, 0);
        } else {
            // The later heirs are numbered on from the first deceased's slots.
            EXPECT_EQ(testsupport::tableRows(b.db, "PRINT_TEXT2_CHILED"),
                      (QStringList{"PRINT_TEXT2_CHILED|\"2\"|\"3\"|\"نور\"|\"بنت\"|\"1\"",
                                   "PRINT_TEXT2_CHILED|\"2\"|\"4\"|\"سالم\"|\"اخ\"|\"1\""}));
        }
        // A later deceased's report starts on a cleared window.
        EXPECT_EQ(b.window().mid(0, 4), (QStringList{"", "", "", "    2 :- ثم توفــى :-   كمال"}));
    }
}

TEST(DeceasedReport, ASlotEmptiedByTheSameNameJoinHasNoLineButIsCounted) {
    ReportTestBench b;
    b.singleDeath("محمود", {{"علي", "ابن و ابن عم", 13, 2}, {"", "", 0, 0}, {"سارة", "بنت", 7, 1}});
    b.setClass(13, 1, 2);
    b.setClass(7, 1, 1);
    b.state.CaseOrigin = 3;
    b.state.CaseBase = 3;
    engine::DeceasedReport(b.ctx);
    EXPECT_EQ(testsupport::tableRows(b.db, "PRINT_TEXT2_CHILED"),
              (QStringList{"PRINT_TEXT2_CHILED|\"1\"|\"1\"|\"علي\"|\"ابن و ابن عم\"|\"2\"",
                           "PRINT_TEXT2_CHILED|\"1\"|\"3\"|\"سارة\"|\"بنت\"|\"1\""}));
    // three slots, the empty line, the two heading lines of the notes and the base line
    EXPECT_EQ(b.state.LineCount, 7);
}

TEST(DeceasedReport, TheThirtyFirstHeirStandsOnANewPage) {
    ReportTestBench b;
    b.singleDeath("عبد الله", {});
    for (int j = 1; j <= 31; ++j)
        b.addHeirs(1, {{QString("وارث %1").arg(j), "ابن عم", 33, 1}});
    b.setClass(33, 31, 1);
    b.state.CaseOrigin = 31;
    b.state.CaseBase = 31;
    engine::DeceasedReport(b.ctx);
    const QStringList window = b.window();
    ASSERT_GE(window.size(), 4);
    EXPECT_EQ(window.mid(0, 3), (QStringList{"", "     تتمــة", ""}));
    EXPECT_TRUE(window[3].startsWith("      31 :-  وارث 31")) << window[3].toStdString();
    EXPECT_EQ(b.port.pauses, 0);
    EXPECT_EQ(b.state.PageNo, 2);
}

TEST(PrintNotes, TheMaternalSiblingsReminderOnlyWhenNotAllAreBrothers) {
    struct Case {
        const char* what;
        std::vector<Heir> heirs;
        bool reminder;
    };
    const Case cases[] = {
        {"one maternal sister", {{"أ", "اخت لام", 12, 2}}, false},
        {"two maternal brothers", {{"أ", "اخ لام", 12, 1}, {"ب", "اخ لام", 12, 1}}, false},
        {"a brother then a sister", {{"أ", "اخ لام", 12, 1}, {"ب", "اخت لام", 12, 1}}, true},
        {"a sister then a brother", {{"أ", "اخت لام", 12, 1}, {"ب", "اخ لام", 12, 1}}, true},
        {"two maternal sisters", {{"أ", "اخت لام", 12, 1}, {"ب", "اخت لام", 12, 1}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ReportTestBench b;
        b.singleDeath("منى", {});
        for (const Heir& h : c.heirs)
            b.addHeirs(1, {h});
        b.setClass(12, static_cast<int>(c.heirs.size()), 2 / static_cast<int>(c.heirs.size()));
        engine::PrintNotes(b.ctx);
        const bool found = testsupport::tableRows(b.db, "NOTS_CHILED")
                               .contains("NOTS_CHILED|\"1\"|\"1\"|\" لاحظ  ( ان اولاد الام يرثون بالتساوي "
                                         "لافرق بين ذكورهم واناثهم ).\"");
        EXPECT_EQ(found, c.reminder);
    }
}

TEST(PrintNotes, NamesAndOrderOfTheNumberedLines) {
    ReportTestBench b;
    b.singleDeath("منى", {});
    EngineState& s = b.state;
    b.setClass(16, 1, 0);
    b.setClass(6, 1, 2);
    b.setClass(8, 1, 4);
    b.setClass(9, 1, 1);
    b.setClass(12, 1, 4);
    b.setClass(5, 2, 3);
    b.setClass(1, 1, 4);
    b.setClass(17, 2, 0);
    b.setClass(40, 1, 5);
    engine::AddNote(s, " ( محجوب ) .  ", 16); // blocked: second pass
    engine::AddNote(s, " السدس . ", 6);
    engine::AddNote(s, " النصف  . ", 8);
    engine::AddNote(s, " السدس . ", 9);
    engine::AddNote(s, " الثلث  . ", 12);
    engine::AddNote(s, " الربع  . ", 5);
    engine::AddNote(s, " السدس . ", 1);
    engine::AddNote(s, "", 0);
    engine::AddNote(s, " محجوبون .   ", 17);
    engine::AddNote(s, "لا تطبع", 40); // above 26 with a share: in neither pass
    engine::PrintNotes(b.ctx);
    const QStringList expected = {
        "NOTS_CHILED|\"1\"|\"1\"|\"للجدة  السدس . \"",
        "NOTS_CHILED|\"1\"|\"2\"|\"لبنت الابن  النصف  . \"",
        "NOTS_CHILED|\"1\"|\"3\"|\"لبنت ابن الابن  السدس . \"",
        "NOTS_CHILED|\"1\"|\"4\"|\"لولد الام  الثلث  . \"",
        "NOTS_CHILED|\"1\"|\"5\"|\"للزوجات  الربع  . \"",
        "NOTS_CHILED|\"1\"|\"6\"|\"للاب  السدس . \"",
        "NOTS_CHILED|\"1\"|\"7\"|\"\"",
        "NOTS_CHILED|\"1\"|\"8\"|\"الاخ الشقيق  ( محجوب ) .  \"",
        "NOTS_CHILED|\"1\"|\"9\"|\"الاخوة لاب  محجوبون .   \"",
    };
    EXPECT_EQ(testsupport::tableRows(b.db, "NOTS_CHILED"), expected);
    EXPECT_EQ(s.NoteLineSerial, 9);
    const QStringList window = b.window();
    EXPECT_EQ(window.mid(0, 3), (QStringList{"", "              الملاحظات ", "              ــــــــ "}));
    EXPECT_EQ(window[3], "               1 - للجدة  السدس . ");
    EXPECT_EQ(window[9], "               7 - ");
}

struct BaseCase {
    const char* what;
    int origin;
    Num awl;
    Num radd;
    int caseKind;
    int spouseExcluded;
    int special;
    int base;
    QString text;
};

TEST(PrintBaseLine, StatesTheOriginTheRaisedOrReturnedBaseAndTheParts) {
    const BaseCase cases[] = {
        {"plain", 6, 0, Num::fraction(-1, 2), 1, 0, 0, 6, "اصل المسألة ( 6  ) و تصح من  ( 6) سهماً"},
        {"raised 6 to 7", 6, Num::fraction(4, 24), 0, 3, 0, 0, 7,
         "اصل المسألة ( 6  ) و تعول الى ( 7  ) و تصح من  ( 7) سهماً"},
        {"raised 12 to 17", 12, Num::fraction(10, 24), 0, 3, 0, 0, 17,
         "اصل المسألة ( 12  ) و تعول الى ( 17  ) و تصح من  ( 17) سهماً"},
        // An origin that does not divide 24: two thirds and a third of the rest, raised by a
        // ninth of the base, give 18 + 2.
        {"origin 18 raised", 18, Num::fraction(1, 9), 0, 3, 0, 0, 20,
         "اصل المسألة ( 18  ) و تعول الى ( 20  ) و تصح من  ( 20) سهماً"},
        {"akdariyya", 6, Num::fraction(1, 2), 0, 3, 0, 2, 27,
         "اصل المسألة ( 6  ) و تعول الى ( 9  ) و تصح من  ( 27) سهماً"},
        {"returned without a spouse", 6, 0, Num::fraction(-8, 24), 2, 0, 0, 4,
         "اصل المسألة ( 6  ) و ترد الى ( 4  ) و تصح من  ( 4) سهماً"},
        {"origin 18 returned", 18, 0, Num::fraction(-1, 3), 2, 0, 0, 12,
         "اصل المسألة ( 18  ) و ترد الى ( 12  ) و تصح من  ( 12) سهماً"},
        {"returned beside a spouse", 4, 0, Num::fraction(-1, 4), 2, 1, 0, 16,
         "اصل المسألة ( 4  ) و تصح من  ( 16) سهماً"},
        {"wholly to the treasury", 1, 0, Num(-1), 7, 0, 0, 1, "اصل المسألة ( 1  ) و تصح من  ( 1) سهماً"},
        {"not whole", 5, Num::fraction(1, 10), 0, 3, 0, 0, 11,
         "اصل المسألة ( 5  ) و تعول الى ( 5.5  ) و تصح من  ( 11) سهماً"},
    };
    for (const BaseCase& c : cases) {
        SCOPED_TRACE(c.what);
        ReportTestBench b;
        b.state.DeceasedIndex = 1;
        b.state.CaseOrigin = c.origin;
        b.state.AwlRatio = c.awl;
        b.state.RaddRatio = c.radd;
        b.state.CaseKind = c.caseKind;
        b.state.ShareKindState[10] = c.spouseExcluded;
        b.state.SpecialCaseMark = c.special;
        b.state.CaseBase = c.base;
        b.state.NoteLineSerial = 2;
        engine::PrintBaseLine(b.ctx);
        EXPECT_EQ(testsupport::tableRows(b.db, "NOTS_CHILED"),
                  QStringList{"NOTS_CHILED|\"1\"|\"3\"|\"" + c.text + "\""});
        EXPECT_EQ(testsupport::tableRows(b.db, "PRINT_TEXT"),
                  QStringList{"PRINT_TEXT|\"\"|\"\"|\"\"|\"\"|\"\"|\"" + c.text + "\"|\"3\""});
        EXPECT_EQ(b.state.LineCount, 1);
    }
}

} // namespace
