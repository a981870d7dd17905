#include "platform/widgets/ReportDocument.h"

#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

namespace {

using platform::ReportDocument;
using platform::ReportMode;

QStringList heirTexts(const QList<ReportDocument::HeirLine>& heirs) {
    QStringList out;
    for (const auto& h : heirs)
        out << QStringList{h.serial, h.name, h.relation, h.share, h.unit}.join('|');
    return out;
}

// The report tables of a small chain: two deceased, each with his heirs, the first with notes
// and his base line; the unified table; the report header.
class ReportDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.execute(
            "insert into PRINT_TITLE (Title, serial_project) values (' وفق المذهب الحنفي   ', 'ت/ 12')");
        db.execute("insert into DATA_ENTRY_NAME_REPORT (DATA_ENTRY_NAME) values ('محمود')");
        db.execute("insert into ADRESS_ENTRY_NAME_REPORT (ADRESS_ENTRY_NAME) values ('-')");
        db.execute("insert into PRINT_TEXT2 (serial_deth, name_deth, and_text) values "
                   "(1, 'زيد', 'توفي المدعو'), (2, 'عمرو', 'ثم توفي المدعو')");
        // Slot numbers as the engine leaves them: running on, with the slot a same-name join
        // emptied (2) missing.
        db.execute(
            "insert into PRINT_TEXT2_CHILED (serial_deth, serial_deth_chiled, name_deth_chiled, Relation, "
            "share) values (1, 1, 'هند', 'زوجة', 6), (1, 3, 'عمرو', 'ابن', 21), (1, 4, 'بكر', 'ابن', 21), "
            "(2, 5, 'هند', 'ام', 7), (2, 6, 'بكر', 'اخ', 14)");
        db.execute("insert into NOTS_CHILED (serial_deth, serial_not_chiled, name_not_chiled) values "
                   "(1, 1, ' للزوجة الثمن .'), (1, 2, 'للعصبة ( الابناء )الباقي .'), "
                   "(1, 3, 'اصل المسألة ( 8  ) و تصح من  ( 48) سهماً'), (2, 1, 'للام الثلث .')");
        db.execute("insert into TAWHEED (name_deth) values ('زيد')");
        db.execute(
            "insert into TAWHEED_CHILED (serial_deth_chiled, name_deth_chiled, share, max_tareka_ammount) "
            "values (1, 'هند', 13, '2500abc'), (2, 'بكر', 35, '2500abc')");
    }
    void setMode(const QString& mode, const QString& currency = {}) {
        db.execute("delete from REPORT_DESTRIBUTER");
        if (!mode.isNull())
            db.execute("insert into REPORT_DESTRIBUTER (REPORT_DESTRIBUTER) values (?)", {mode});
        db.execute("update TAWHEED_CHILED set currency_type = ?", {currency});
    }
    ReportDocument read() const { return ReportDocument::fromTables(db.handle()); }

    testsupport::TempAppFolder folder;
    data::Database db = folder.caseDatabase();
};

TEST_F(ReportDocumentTest, TheModeDecidesWhichDivisionsTheDocumentHolds) {
    const struct {
        QString mode;
        QString currency; // what the print command stamped
        ReportMode read;
        int deceased;
        QString title; // of the unified table; empty when there is none
        QString shareHeading;
        QString unit;
        QString amount;
    } cases[] = {
        {"بدون توحيد", "", ReportMode::WithoutUnification, 2, "", "", "", ""},
        {"كامل", "", ReportMode::Full, 2, "توحيد القسامات", "السهام", "", ""},
        // A unit left in the column by an earlier conversion does not belong to parts of a base.
        {"كامل", "دينار", ReportMode::Full, 2, "توحيد القسامات", "السهام", "", ""},
        {"توحيد فقط", "", ReportMode::UnifiedOnly, 0, "توحيد القسامات", "السهام", "", ""},
        {"مئوية", "%", ReportMode::Percentages, 0, "القسام بالنسب المئوية", "النسبة المئوية", "%", ""},
        {"تركة", "دينار", ReportMode::Estate, 0, "قسمة تركة معينة", "المبلغ", "دينار", "2500"},
        {QString(), "", ReportMode::None, 0, "", "", "", ""},
        {"شيء آخر", "", ReportMode::None, 0, "", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode.toStdString() + " / " + c.currency.toStdString());
        setMode(c.mode, c.currency);
        const ReportDocument doc = read();
        EXPECT_EQ(doc.mode, c.read);
        EXPECT_EQ(doc.deceased.size(), c.deceased);
        EXPECT_EQ(doc.header.caseKey, "ت/ 12") << "every mode has the header";
        ASSERT_EQ(doc.unified.has_value(), !c.title.isEmpty());
        EXPECT_EQ(doc.isEmpty(), c.deceased == 0 && c.title.isEmpty());
        if (!doc.unified)
            continue;
        EXPECT_EQ(doc.unified->title, c.title);
        EXPECT_EQ(doc.unified->shareHeading, c.shareHeading);
        EXPECT_EQ(doc.unified->unit, c.unit);
        EXPECT_EQ(doc.unified->amount, c.amount);
        EXPECT_EQ(heirTexts(doc.unified->heirs), QStringList({"1|هند||13|" + c.unit, "2|بكر||35|" + c.unit}));
        EXPECT_EQ(doc.unified->total, "48");
    }
}

TEST_F(ReportDocumentTest, EachDeceasedHasHisTableNotesAndBaseLine) {
    setMode("كامل");
    const ReportDocument doc = read();

    EXPECT_EQ(doc.header.titleLines,
              QStringList({"بسم الله الرحمن الرحيم", "قسام شرعي", "حسب قواعد الشريعة الاسلامية"}));
    EXPECT_EQ(doc.header.school, "وفق المذهب الحنفي");
    EXPECT_EQ(doc.header.preparer, "محمود");
    EXPECT_TRUE(doc.header.issuingBody.isEmpty()) << "'-' stands for no issuing body";

    ASSERT_EQ(doc.deceased.size(), 2);
    const auto& first = doc.deceased[0];
    EXPECT_EQ(first.opening, "توفي المدعو");
    EXPECT_EQ(first.name, "زيد");
    // Numbered afresh, whatever slots the engine's rows carry.
    EXPECT_EQ(heirTexts(first.heirs), QStringList({"1|هند|زوجة|6|", "2|عمرو|ابن|21|", "3|بكر|ابن|21|"}));
    EXPECT_EQ(first.total, "48");
    ASSERT_EQ(first.notes.size(), 2);
    EXPECT_EQ(first.notes[0].number, "1");
    EXPECT_EQ(first.notes[0].text, "للزوجة الثمن .");
    EXPECT_EQ(first.notes[1].text, "للعصبة ( الابناء ) الباقي .");
    EXPECT_EQ(first.baseLine, "اصل المسألة ( 8 ) و تصح من ( 48 ) سهماً");

    const auto& second = doc.deceased[1];
    EXPECT_EQ(second.opening, "ثم توفي المدعو");
    EXPECT_EQ(heirTexts(second.heirs), QStringList({"1|هند|ام|7|", "2|بكر|اخ|14|"}));
    EXPECT_EQ(second.total, "21");
    EXPECT_TRUE(second.baseLine.isEmpty());

    // The unified table names the whole chain.
    ASSERT_EQ(doc.unified->deaths.size(), 2);
    EXPECT_EQ(doc.unified->deaths[1].opening, "ثم توفي المدعو");
    EXPECT_EQ(doc.unified->deaths[1].name, "عمرو");
}

TEST_F(ReportDocumentTest, TotalsAreExactWhateverTheSizeOfTheShares) {
    const struct {
        QStringList shares;
        QString total;
    } cases[] = {
        {{"3", "5"}, "8"},
        // Far beyond 2^64 and 2^128, as long chains of deceased make them.
        {{"340282366920938463463374607431768211456", "340282366920938463463374607431768211457"},
         "680564733841876926926749214863536422913"},
        {{"33.333", "33.333", "33.333"}, "99.999"},
        {{"0.5", "0.25"}, "0.75"},
        {{"1.5", "1.5"}, "3"},
        {{"-333.334", "1000"}, "666.666"},
        {{"-0.5", "0.25"}, "-0.25"},
        // No total rather than a wrong one.
        {{"12", "abc"}, ""},
    };
    setMode("توحيد فقط");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shares.join(" + ").toStdString());
        db.execute("delete from TAWHEED_CHILED");
        for (const QString& share : c.shares)
            db.execute("insert into TAWHEED_CHILED (name_deth_chiled, share) values ('هند', ?)", {share});
        const ReportDocument doc = read();
        QStringList shares;
        for (const auto& h : doc.unified->heirs)
            shares << h.share;
        EXPECT_EQ(shares, c.shares) << "shares are printed as they are stored";
        EXPECT_EQ(doc.unified->total, c.total);
    }
}

TEST_F(ReportDocumentTest, AReportWithoutHeirLinesIsEmpty) {
    // A later deceased who inherited nothing keeps his heading, but gives nothing to print alone.
    db.execute("delete from PRINT_TEXT2_CHILED where serial_deth = 1");
    setMode("بدون توحيد");
    EXPECT_FALSE(read().isEmpty());
    db.execute("delete from PRINT_TEXT2_CHILED");
    const ReportDocument headingsOnly = read();
    EXPECT_EQ(headingsOnly.deceased.size(), 2);
    EXPECT_TRUE(headingsOnly.isEmpty());

    // Percentages asked for, but the converted table not yet written.
    setMode("مئوية", "%");
    db.execute("delete from TAWHEED_CHILED");
    EXPECT_TRUE(read().isEmpty());
    db.execute("delete from TAWHEED");
    EXPECT_FALSE(read().unified.has_value());
}

TEST_F(ReportDocumentTest, AnEstateAmountIsTheNumberItsTextBeginsWith) {
    const struct {
        const char* typed;
        const char* shown;
    } cases[] = {{"2500abc", "2500"}, {"1500.5", "1500.5"}, {" -1000", "-1000"}, {"الف", "الف"}};
    for (const auto& c : cases) {
        db.execute("update TAWHEED_CHILED set max_tareka_ammount = ?", {c.typed});
        setMode("تركة", "دينار");
        EXPECT_EQ(read().unified->amount, c.shown) << c.typed;
    }
}

TEST_F(ReportDocumentTest, TheTextsListEverythingTheDocumentShowsInReadingOrder) {
    setMode("بدون توحيد");
    db.execute("delete from NOTS_CHILED");
    db.execute("delete from PRINT_TEXT2_CHILED where serial_deth = 2 or name_deth_chiled <> 'هند'");
    const QStringList expected = {"بسم الله الرحمن الرحيم",
                                  "قسام شرعي",
                                  "حسب قواعد الشريعة الاسلامية",
                                  "وفق المذهب الحنفي",
                                  "ت/ 12",
                                  "توفي المدعو",
                                  "زيد",
                                  "1",
                                  "هند",
                                  "زوجة",
                                  "6",
                                  "6",
                                  "ثم توفي المدعو",
                                  "عمرو",
                                  "محمود"};
    EXPECT_EQ(read().texts(), expected);
}

} // namespace
