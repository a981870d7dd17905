#include "results/Form14.h"
#include "results/TouchedReport.h"

#include "data/FlagTable.h"
#include "engine/ScriptedPort.h"
#include "engine/run/EngineHost.h"
#include "platform/widgets/ReportDocument.h"
#include "platform/widgets/ReportPreview.h"
#include "platform/widgets/ReportRenderer.h"
#include "support/CapturedMessages.h"
#include "support/PdfText.h"
#include "support/TempAppFolder.h"

#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using platform::ReportDocument;
using platform::ReportMode;
using results::Form14;
using testsupport::TempAppFolder;

namespace {

const QString UnifiedHeading = QStringLiteral("توحيد القسامات ");

// Takes the document the print command would show, instead of a preview waiting for a user.
class CapturedPreview {
public:
    CapturedPreview() {
        platform::ReportPreview::setHandler([this](const ReportDocument& d) { documents.push_back(d); });
    }
    ~CapturedPreview() { platform::ReportPreview::setHandler({}); }
    std::vector<ReportDocument> documents;
};

std::unique_ptr<Form14> openResults(const data::Database& db, engine::CaseContext& context,
                                    results::TouchedReport& touched) {
    return std::make_unique<Form14>(db, context, touched, Form14::Links{});
}

class Form14PrintTest : public ::testing::Test {
protected:
    std::unique_ptr<Form14> open() { return openResults(db, context, touched); }

    // The report of three deceased, as the engine leaves it: the title lines (the results screen
    // deletes the second), and each deceased with one heir.
    void threeDeceased() {
        for (const char* title :
             {"   بسم الله الرحمن الرحيم ", "  قسام شرعي ", "  حسب قواعد الشريعة الاسلامية "})
            db.execute("insert into PRINT_TEXT (print_text) values (?)", {title});
        for (int i = 1; i <= 3; ++i) {
            db.execute("insert into PRINT_TEXT2 (serial_deth, name_deth) values (?, ?)",
                       {i, QStringList{"زيد", "عمرو", "بكر"}[i - 1]});
            db.execute("insert into PRINT_TEXT2_CHILED (serial_deth, serial_deth_chiled, name_deth_chiled, "
                       "Relation, share) values (?, ?, 'هند', 'ام', 1)",
                       {i, i});
        }
    }
    void unifiedRows(const QStringList& shares) {
        db.execute("insert into PRINT_TEXT (ser) values (?)", {UnifiedHeading});
        db.execute("insert into TAWHEED (name_deth) values ('زيد')");
        int row = 0;
        for (const QString& share : shares)
            db.execute("insert into TAWHEED_CHILED (serial_deth_chiled, name_deth_chiled, share, "
                       "currency_type) values (?, ?, ?, 'قديم')",
                       {++row, QStringLiteral("وارث %1").arg(row), share});
    }
    QStringList column(const QString& sql) const {
        QStringList out;
        for (const QSqlRecord& r : db.select(sql))
            out << r.value(0).toString();
        return out;
    }
    QStringList modes() const { return column("select REPORT_DESTRIBUTER from REPORT_DESTRIBUTER"); }

    TempAppFolder folder;
    data::Database db = folder.caseDatabase();
    engine::CaseContext context;
    results::TouchedReport touched;
    testsupport::CapturedMessages messages;
    CapturedPreview preview;
};

TEST_F(Form14PrintTest, TheFirstDeceasedIsIntroducedAloneAndEveryLaterOneAsFollowingHim) {
    threeDeceased();
    auto w = open();
    w->Command_print_Click();
    EXPECT_EQ(column("select and_text from PRINT_TEXT2 order by serial_deth"),
              QStringList({"توفي المدعو", "ثم توفي المدعو", "ثم توفي المدعو"}));
    // The preview reads the report after the stamps.
    ASSERT_EQ(preview.documents.size(), 1u);
    QStringList openings;
    for (const auto& t : preview.documents[0].deceased)
        openings << t.opening;
    EXPECT_EQ(openings, QStringList({"توفي المدعو", "ثم توفي المدعو", "ثم توفي المدعو"}));
    EXPECT_TRUE(w->isEnabled());
    EXPECT_TRUE(context.Text_choos_no.isEmpty()) << "printing hands nothing back";
}

TEST_F(Form14PrintTest, TheModeIsKeptForAConversionAndChosenAnewOtherwise) {
    const struct {
        const char* name;
        QStringList modeBefore;
        bool unified;
        bool onlyUnified;
        QString currency;
        QStringList modeAfter;
        QString currencyAfter;
    } cases[] = {
        {"single death", {}, false, false, "", {"بدون توحيد"}, "قديم"},
        {"unified, all", {}, true, false, "", {"كامل"}, "قديم"},
        {"unified, alone", {}, true, true, "", {"توحيد فقط"}, "قديم"},
        {"an earlier choice counts as none", {"بدون توحيد", "توحيد فقط"}, true, false, "", {"كامل"}, "قديم"},
        {"percentages", {"مئوية"}, true, true, "", {"مئوية"}, "%"},
        {"estate", {"تركة"}, false, false, "دينار", {"تركة"}, "دينار"},
        {"estate beside an older row",
         {"بدون توحيد", "تركة"},
         false,
         false,
         "ريال",
         {"بدون توحيد", "تركة"},
         "ريال"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* table : {"PRINT_TEXT", "PRINT_TEXT2", "PRINT_TEXT2_CHILED", "TAWHEED",
                                  "TAWHEED_CHILED", "REPORT_DESTRIBUTER"})
            db.execute(QStringLiteral("delete from %1").arg(table));
        threeDeceased();
        if (c.unified)
            unifiedRows({"3", "5"});
        else
            db.execute("insert into TAWHEED_CHILED (share, currency_type) values (1, 'قديم')");
        for (const QString& m : c.modeBefore)
            db.execute("insert into REPORT_DESTRIBUTER (REPORT_DESTRIBUTER) values (?)", {m});
        context.Text_tariqa_currency = c.currency;

        auto w = open();
        w->findChild<QRadioButton*>("Option_tawheed_only")->setChecked(c.onlyUnified);
        w->Command_print_Click();

        EXPECT_EQ(modes(), c.modeAfter);
        EXPECT_EQ(column("select distinct currency_type from TAWHEED_CHILED"),
                  QStringList({c.currencyAfter}));
    }
}

TEST_F(Form14PrintTest, ASecondPrintAfterTheOptionChangedWritesTheNewChoice) {
    threeDeceased();
    unifiedRows({"3", "5"});
    auto w = open();
    w->Command_print_Click();
    w->findChild<QRadioButton*>("Option_tawheed_only")->setChecked(true);
    w->Command_print_Click();
    EXPECT_EQ(modes(), QStringList({"توحيد فقط"}));
    ASSERT_EQ(preview.documents.size(), 2u);
    EXPECT_EQ(preview.documents[0].mode, ReportMode::Full);
    EXPECT_EQ(preview.documents[1].mode, ReportMode::UnifiedOnly);
    EXPECT_TRUE(preview.documents[1].deceased.isEmpty());
}

TEST_F(Form14PrintTest, WithoutTheReportDatabaseTheScreenSaysSoAndStaysOpen) {
    threeDeceased();
    ASSERT_TRUE(QFile::remove(folder.file("TALVENO_TEST_REPORT.mdb")));
    auto w = open();
    w->show();
    w->Command_print_Click();
    EXPECT_TRUE(preview.documents.empty());
    EXPECT_EQ(messages.texts(), QStringList({"الملف غير موجود: TALVENO_TEST_REPORT.mdb"}));
    EXPECT_TRUE(w->isVisible());
    // The tables are prepared all the same; only the showing failed.
    EXPECT_EQ(modes(), QStringList({"بدون توحيد"}));
}

TEST_F(Form14PrintTest, AnEmptyReportIsNotPreviewed) {
    // Percentages asked for, but the engine has not filled the converted table.
    db.execute("insert into REPORT_DESTRIBUTER (REPORT_DESTRIBUTER) values ('مئوية')");
    threeDeceased();
    auto w = open();
    w->show();
    w->Command_print_Click();
    EXPECT_TRUE(preview.documents.empty());
    EXPECT_EQ(messages.texts(), QStringList({"لا توجد قسمة للطباعة"}));
    EXPECT_TRUE(w->isVisible());
}

// --- A whole two-deceased case printed in every mode ------------------------------------------

struct Printed {
    QString label;
    ReportDocument document;
};

// Runs a chain of two deceased through the real host and prints it from the results screen in
// every mode the screen offers: everything, the unified table alone, percentages and a given
// estate; the per-deceased division alone is read with the mode written beside it.
std::vector<Printed> printTwoDeceasedCase(const TempAppFolder& folder) {
    data::Database db = folder.caseDatabase();
    testsupport::ScriptedPort port(db);
    engine::EngineHost host(engine::HostKind::real(), port);
    results::TouchedReport touched;
    CapturedPreview preview;
    std::vector<Printed> out;
    const auto print = [&](engine::CaseContext& c, const QString& label, bool onlyUnified) {
        auto w = openResults(db, c, touched);
        w->findChild<QRadioButton*>("Option_tawheed_only")->setChecked(onlyUnified);
        w->Command_print_Click();
        if (preview.documents.size() != out.size() + 1)
            throw std::runtime_error("no preview for " + label.toStdString());
        out.push_back({label, preview.documents.back()});
        return w;
    };

    port.answer([](engine::CaseContext& c) { c.Text_RLAS = "ج"; });
    port.answer([](engine::CaseContext& c) { c.Text_TYPS = "ن"; });
    port.answer([&db](engine::CaseContext& c) { // the successive-deaths dialogue
        db.execute("insert into DETH (deth_name, arrange) values ('زيد بن حارثة', 1), ('عمرو', 2)");
        db.execute("insert into WARITH_DUBLE (warith_name, warith_relation, arrange) values "
                   "('هند بنت عتبة', 'زوجة', 1), ('عمرو', 'ابن', 1), ('بكر', 'ابن', 1), ('فاطمة', 'بنت', 1), "
                   "('سلمى', 'ام', 1), ('هند بنت عتبة', 'ام', 2), ('بكر', 'اخ', 2), ('فاطمة', 'اخت', 2), "
                   "('سعاد', 'زوجة', 2)");
        db.execute("insert into DATA_ENTRY_NAME_REPORT (DATA_ENTRY_NAME) values ('محمود عبد الرحمن')");
        db.execute("insert into ADRESS_ENTRY_NAME_REPORT (ADRESS_ENTRY_NAME) values ('محكمة بغداد الشرعية')");
        c.Text_case_no = "15";
    });
    port.answer([&](engine::CaseContext& c) {
        print(c, "full", false);
        print(c, "unified", true)->Command_percent_Click();
    });
    port.answer([&](engine::CaseContext& c) { print(c, "percent", false)->Command_share_Click(); });
    port.answer([&db](engine::CaseContext& c) { // the estate stage
        data::FlagTable(db, "REPORT_DESTRIBUTER").write("تركة");
        db.execute("delete from TAWHEED");
        db.execute("delete from TAWHEED_CHILED");
        c.Text_tariqa_ammount = "1500.5";
        c.Text_tariqa_currency = "دينار";
    });
    port.answer([&](engine::CaseContext& c) {
        print(c, "estate", false);
        data::FlagTable(db, "REPORT_DESTRIBUTER").write("بدون توحيد");
        out.push_back({"own", ReportDocument::fromTables(db.handle())});
        c.Text_choos_no = "2";
    });
    EXPECT_THROW(host.Form_Load(), testsupport::ScriptedPort::NoMoreAnswers);
    return out;
}

TEST(Form14PrintCase, EveryModeOfATwoDeceasedCaseComesOutAsAPdfHoldingTheWholeDivision) {
    TempAppFolder folder(true);
    const std::vector<Printed> printed = printTwoDeceasedCase(folder);
    ASSERT_EQ(printed.size(), 5u);

    const struct {
        ReportMode mode;
        int deceased;
        bool unified;
    } expected[] = {{ReportMode::Full, 2, true},
                    {ReportMode::UnifiedOnly, 0, true},
                    {ReportMode::Percentages, 0, true},
                    {ReportMode::Estate, 0, true},
                    {ReportMode::WithoutUnification, 2, false}};

    QTemporaryDir out;
    // A developer who wants to look at the pages names a folder to keep them in.
    const QString keep = qEnvironmentVariable("FARAID_KEEP_REPORTS");
    for (std::size_t i = 0; i < printed.size(); ++i) {
        const Printed& p = printed[i];
        SCOPED_TRACE(p.label.toStdString());
        EXPECT_EQ(p.document.mode, expected[i].mode);
        EXPECT_EQ(p.document.deceased.size(), expected[i].deceased);
        EXPECT_EQ(p.document.unified.has_value(), expected[i].unified);
        EXPECT_EQ(p.document.header.issuingBody, "محكمة بغداد الشرعية");
        EXPECT_EQ(p.document.header.caseKey, "15");

        const QString pdf = out.filePath(p.label + ".pdf");
        ASSERT_TRUE(platform::ReportRenderer::writePdf(p.document, pdf));
        QFile file(pdf);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.read(5), QByteArray("%PDF-"));
        if (!keep.isEmpty()) {
            QDir().mkpath(keep);
            QFile::remove(QDir(keep).filePath(p.label + ".pdf"));
            QFile::copy(pdf, QDir(keep).filePath(p.label + ".pdf"));
        }

        const QStringList missing =
            testsupport::missingWords(testsupport::pageWords(p.document.texts().join(' ')),
                                      testsupport::pageWords(testsupport::pdfText(pdf)));
        EXPECT_TRUE(missing.isEmpty()) << missing.join(' ').toStdString();
    }

    // The estate: the amount, its currency beside every amount, and the amounts cut to thousandths.
    const auto& estate = *printed[3].document.unified;
    EXPECT_EQ(estate.amount, "1500.5");
    EXPECT_EQ(estate.unit, "دينار");
    for (const auto& h : estate.heirs)
        EXPECT_EQ(h.unit, "دينار");
}

} // namespace
