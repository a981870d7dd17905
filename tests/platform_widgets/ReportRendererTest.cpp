#include "platform/widgets/ReportRenderer.h"

#include "support/PdfText.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {

using platform::ReportDocument;
using platform::ReportRenderer;
using testsupport::PdfWord;

ReportDocument::HeirLine heir(int serial, const QString& name, const QString& relation, const QString& share,
                              const QString& unit = {}) {
    return {QString::number(serial), name, relation, share, unit};
}

ReportDocument::Header header() {
    return {{"بسم الله الرحمن الرحيم", "قسام شرعي", "حسب قواعد الشريعة الاسلامية"},
            "وفق المذهب الشافعي",
            "7",
            "محمود عبد الرحمن",
            "محكمة بغداد الشرعية"};
}

// A deceased's own table with its notes and base line, and a table of an estate's amounts.
ReportDocument tablesDocument() {
    ReportDocument doc;
    doc.mode = platform::ReportMode::Full;
    doc.header = header();
    ReportDocument::DeceasedTable own;
    own.opening = "توفي المدعو";
    own.name = "زيد";
    own.heirs = {heir(1, "هند", "زوجة", "6"), heir(2, "عامر", "ابن", "21"), heir(3, "نادر", "ابن", "1234")};
    own.total = "1261";
    own.notes = {{"1", "للزوجة الثمن ."}, {"2", "للعصبة ( الابناء ) الباقي ."}};
    own.baseLine = "اصل المسألة ( 8 ) و تصح من ( 1261 ) سهماً";
    doc.deceased = {own};
    ReportDocument::UnifiedTable estate;
    estate.title = "قسمة تركة معينة";
    estate.deaths = {{"توفي المدعو", "زيد"}};
    estate.shareHeading = "المبلغ";
    estate.unitHeading = "العملة";
    estate.heirs = {heir(1, "سالم", {}, "1500", "دينار"), heir(2, "غانم", {}, "333.333", "دينار"),
                    heir(3, "كاظم", {}, "33.333", "دينار"), heir(4, "هاشم", {}, "7.5", "دينار")};
    estate.total = "1874.166";
    estate.amount = "1874.166";
    estate.unit = "دينار";
    doc.unified = estate;
    return doc;
}

// Writes the document as a PDF and reads its words back; the page count painted is kept.
class ReportRendererTest : public ::testing::Test {
protected:
    QList<PdfWord> render(const ReportDocument& doc) {
        pdf = dir.filePath(QStringLiteral("report%1.pdf").arg(++written));
        QPdfWriter writer(pdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        pagesPainted = ReportRenderer(doc).paint(writer);
        return testsupport::pdfWords(pdf, &pages);
    }

    // The word that reads `text`, in whatever order of letters the extraction gave it.
    static std::optional<PdfWord> find(const QList<PdfWord>& words, const QString& text, int page = 0) {
        const QString wanted = testsupport::pageWords(text).value(0);
        for (const PdfWord& w : words) {
            if ((page == 0 || w.page == page) && testsupport::pageWords(w.text).value(0) == wanted)
                return w;
        }
        return std::nullopt;
    }
    // The word that reads `text` on the same line as `beside`.
    static std::optional<PdfWord> onLineOf(const QList<PdfWord>& words, const PdfWord& beside,
                                           const QString& text) {
        const double middle = (beside.yMin + beside.yMax) / 2;
        for (const PdfWord& w : words) {
            if (w.page == beside.page && w.yMin < middle && middle < w.yMax &&
                testsupport::pageWords(w.text).value(0) == testsupport::pageWords(text).value(0))
                return w;
        }
        return std::nullopt;
    }

    QTemporaryDir dir;
    QString pdf;
    int written = 0;
    int pagesPainted = 0;
    QList<testsupport::PdfPage> pages;
};

TEST_F(ReportRendererTest, ThePdfHoldsEveryTextOfTheDocumentWithinTheMargins) {
    const ReportDocument doc = tablesDocument();
    const QList<PdfWord> words = render(doc);
    ASSERT_FALSE(words.isEmpty());
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(5), QByteArray("%PDF-"));

    const QStringList missing = testsupport::missingWords(testsupport::pageWords(doc.texts().join(' ')),
                                                          testsupport::pageWords(testsupport::pdfText(pdf)));
    EXPECT_TRUE(missing.isEmpty()) << missing.join(' ').toStdString();

    // Margins of 16 mm on the left, 22 on the right (the binding) and 14 at top and bottom.
    constexpr double mm = 72 / 25.4;
    ASSERT_EQ(pages.size(), pagesPainted);
    for (const PdfWord& w : words) {
        const testsupport::PdfPage& page = pages[w.page - 1];
        EXPECT_GE(w.xMin, 16 * mm - 1) << w.text.toStdString();
        EXPECT_LE(w.xMax, page.width - 22 * mm + 1) << w.text.toStdString();
        EXPECT_GE(w.yMin, 14 * mm - 1) << w.text.toStdString();
        EXPECT_LE(w.yMax, page.height - 14 * mm + 1) << w.text.toStdString();
    }
}

TEST_F(ReportRendererTest, ColumnsRunFromTheRightAndNumbersLineUpOnTheirPoints) {
    const QList<PdfWord> words = render(tablesDocument());

    const struct {
        const char* name;
        const char* relation; // empty in the estate's table
        const char* share;
        const char* unit;
    } rows[] = {{"هند", "زوجة", "6", ""},         {"عامر", "ابن", "21", ""},
                {"نادر", "ابن", "1234", ""},      {"سالم", "", "1500", "دينار"},
                {"غانم", "", "333.333", "دينار"}, {"كاظم", "", "33.333", "دينار"},
                {"هاشم", "", "7.5", "دينار"}};
    std::map<QString, PdfWord> shares;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const auto name = find(words, r.name);
        ASSERT_TRUE(name);
        const auto share = onLineOf(words, *name, r.share);
        ASSERT_TRUE(share);
        shares[r.share] = *share;
        double leftOfName = name->xMin;
        if (*r.relation) {
            const auto relation = onLineOf(words, *name, r.relation);
            ASSERT_TRUE(relation);
            EXPECT_LT(relation->xMax, name->xMin);
            leftOfName = relation->xMin;
        }
        EXPECT_LT(share->xMax, leftOfName);
        if (*r.unit) {
            const auto unit = onLineOf(words, *name, r.unit);
            ASSERT_TRUE(unit);
            EXPECT_LT(unit->xMax, share->xMin);
        }
    }
    // Whole numbers end on one edge; numbers with as many decimals end on one edge; a number with
    // fewer decimals, or none, ends further right by what it lacks, so the points line up.
    EXPECT_NEAR(shares["6"].xMax, shares["1234"].xMax, 0.5);
    EXPECT_NEAR(shares["21"].xMax, shares["1234"].xMax, 0.5);
    EXPECT_NEAR(shares["333.333"].xMax, shares["33.333"].xMax, 0.5);
    EXPECT_LT(shares["7.5"].xMax, shares["33.333"].xMax - 3);
    EXPECT_LT(shares["1500"].xMax, shares["7.5"].xMax - 3);
}

TEST_F(ReportRendererTest, LongNamesWrapInTheirColumnAndLongNumbersStayWhole) {
    ReportDocument doc = tablesDocument();
    const QString longName = "عبد الرحمن بن عبد الله بن محمد بن عبد العزيز بن سليمان بن ابراهيم بن عبد "
                             "الكريم بن يوسف بن يعقوب بن اسحاق بن ابراهيم بن عبد المطلب الهاشمي القرشي";
    // Shares of a chain of thirty deceased pass 2^128.
    const QString huge = "123456789012345678901234567890123456789012345678901234567890";
    doc.deceased[0].heirs[1].name = longName;
    doc.deceased[0].heirs[2].share = huge;
    doc.deceased[0].total = huge + "7";
    const QList<PdfWord> words = render(doc);

    const QStringList missing = testsupport::missingWords(testsupport::pageWords(doc.texts().join(' ')),
                                                          testsupport::pageWords(testsupport::pdfText(pdf)));
    EXPECT_TRUE(missing.isEmpty()) << missing.join(' ').toStdString();
    const auto first = find(words, "عبد");
    const auto last = find(words, "القرشي");
    ASSERT_TRUE(first && last);
    EXPECT_GT(last->yMin, first->yMax - 1) << "the name runs on to a second line";
    const auto number = find(words, huge);
    ASSERT_TRUE(number);
    for (const PdfWord& w : words)
        EXPECT_LE(w.xMax, pages[w.page - 1].width) << w.text.toStdString();
}

TEST_F(ReportRendererTest, ALongTableRunsOnOverPagesWithItsHeadingRepeated) {
    ReportDocument doc = tablesDocument();
    doc.unified.reset();
    auto& heirs = doc.deceased[0].heirs;
    heirs.clear();
    for (int i = 1; i <= 70; ++i)
        heirs << heir(i, QStringLiteral("وارث"), QStringLiteral("ابن"), QString::number(1000 + i));
    const QList<PdfWord> words = render(doc);

    ASSERT_GE(pagesPainted, 3);
    EXPECT_EQ(pages.size(), pagesPainted);
    for (int page = 2; page <= pagesPainted; ++page) {
        SCOPED_TRACE(page);
        const auto mark = find(words, "تتمــة", page);
        const auto heading = find(words, "الوارث", page);
        ASSERT_TRUE(mark && heading);
        EXPECT_LT(mark->yMax, heading->yMin) << "the continuation mark heads the page";
    }
    for (int i = 1; i <= 70; ++i)
        EXPECT_TRUE(find(words, QString::number(1000 + i))) << i;
    // The total and the signature close the last page, beside the last heir.
    EXPECT_TRUE(find(words, "المجموع", pagesPainted));
    EXPECT_TRUE(find(words, "التوقيع", pagesPainted));
    EXPECT_TRUE(find(words, "1070", pagesPainted));
}

// The deceased's own table of the tables document with `first` heirs, then a second deceased,
// "مسعود", with `second` heirs whose shares run from 501.
ReportDocument twoDeceased(int first, int second) {
    ReportDocument doc = tablesDocument();
    doc.unified.reset();
    doc.deceased[0].heirs.clear();
    for (int i = 1; i <= first; ++i)
        doc.deceased[0].heirs << heir(i, QStringLiteral("وارث"), QStringLiteral("ابن"),
                                      QString::number(100 + i));
    ReportDocument::DeceasedTable later;
    later.opening = "ثم توفي المدعو";
    later.name = "مسعود";
    for (int i = 1; i <= second; ++i)
        later.heirs << heir(i, QStringLiteral("وارث"), QStringLiteral("اخ"), QString::number(500 + i));
    doc.deceased << later;
    return doc;
}

TEST_F(ReportRendererTest, ATableThatFitsOnAPageIsNotSplit) {
    ReportDocument doc = twoDeceased(18, 6);
    doc.deceased[1].total = "3021";
    const QList<PdfWord> words = render(doc);

    const auto heading = find(words, "مسعود");
    ASSERT_TRUE(heading);
    ASSERT_GT(heading->page, 1) << "the fixture must make the second table cross the first page's foot";
    for (int i = 1; i <= 6; ++i)
        EXPECT_TRUE(find(words, QString::number(500 + i), heading->page)) << i;
    EXPECT_TRUE(find(words, "3021", heading->page));
    EXPECT_FALSE(find(words, "تتمــة"));
}

// A deceased's table, his base line and his notes are read together: where they fit on one page
// they are never parted, however far down the page the section before them ends.
TEST_F(ReportRendererTest, ADeceasedsTableAndNotesStayOnOnePage) {
    // From a section too short to be worth parting to one that just fits a page.
    for (const int heirs : {1, 2, 6, 13}) {
        SCOPED_TRACE(heirs);
        ReportDocument doc = twoDeceased(4, heirs);
        ReportDocument::DeceasedTable& second = doc.deceased[1];
        second.total = "4036";
        second.baseLine = "اصل المسألة ( 8 ) و تصح من ( 4037 ) سهماً";
        second.notes = {{"1", "للاخوة الباقي تعصيباً ."},
                        {"2", "يقسم الباقي بين الاخوة بالتساوي ."},
                        {"3", "ينظر القيد 9071 ."}};
        const QList<PdfWord> words = render(doc);

        const auto heading = find(words, "مسعود");
        const auto base = find(words, "4037");
        const auto lastNote = find(words, "9071");
        ASSERT_TRUE(heading && base && lastNote);
        EXPECT_EQ(base->page, heading->page);
        EXPECT_EQ(lastNote->page, heading->page);
        EXPECT_FALSE(find(words, "تتمــة"));
    }
}

TEST_F(ReportRendererTest, EveryCharacterHasAGlyphAndEveryFontIsEmbedded) {
    const QStringList families = ReportRenderer::fontFamilies();
    ASSERT_TRUE(QFontDatabase::hasFamily(families.front())) << "the Arabic font is not installed";
    QList<QFont> installed;
    for (const QString& family : families) {
        if (QFontDatabase::hasFamily(family))
            installed << QFont(family);
    }
    const ReportDocument doc = tablesDocument();
    const QString text = doc.texts().join(' ') +
                         "التسلسل/ : % ( ) - … تتمــة اسم الوارث الصلة السهام المجموع "
                         "الملاحظات اسم المعد التوقيع النسبة المئوية المبلغ العملة مقدار "
                         "التركة صفحة 0123456789.";
    for (const uint c : text.toUcs4()) {
        if (QChar::isSpace(c))
            continue;
        const bool covered = std::any_of(installed.begin(), installed.end(),
                                         [c](const QFont& f) { return QFontMetricsF(f).inFontUcs4(c); });
        EXPECT_TRUE(covered) << "U+" << std::hex << c;
    }

    render(doc);
    QProcess fonts;
    fonts.start("pdffonts", {pdf});
    ASSERT_TRUE(fonts.waitForFinished(60000));
    const QStringList lines =
        QString::fromUtf8(fonts.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 2);
    for (const QString& line : lines.mid(2)) {
        // name, type, encoding, then "emb" yes or no
        const QStringList columns = line.simplified().split(' ');
        ASSERT_GE(columns.size(), 5);
        EXPECT_EQ(columns[columns.size() - 5], "yes") << line.toStdString();
    }
}

} // namespace
