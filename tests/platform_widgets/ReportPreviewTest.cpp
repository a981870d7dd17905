#include "platform/widgets/ReportPreview.h"

#include "support/CapturedMessages.h"
#include "support/PdfText.h"
#include "support/Widgets.h"

#include "platform/AppPaths.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

#include <gtest/gtest.h>

#include <memory>

namespace {

using platform::ReportDocument;
using platform::ReportPreview;

ReportDocument smallDocument() {
    ReportDocument doc;
    doc.mode = platform::ReportMode::WithoutUnification;
    doc.header.titleLines = {"بسم الله الرحمن الرحيم", "قسام شرعي", "حسب قواعد الشريعة الاسلامية"};
    doc.header.caseKey = "9";
    ReportDocument::DeceasedTable t;
    t.opening = "توفي المدعو";
    t.name = "زيد";
    t.heirs = {{"1", "علي", "ابن", "1", {}}};
    t.total = "1";
    doc.deceased = {t};
    return doc;
}

class ReportPreviewTest : public ::testing::Test {
protected:
    void TearDown() override { ReportPreview::setPathChooser({}); }

    QAction* saveAction(QPrintPreviewDialog& dialog) {
        auto* bar = dialog.findChild<QToolBar*>();
        if (!bar)
            return nullptr;
        for (QAction* a : bar->actions()) {
            if (a->objectName() == QLatin1String(ReportPreview::SavePdfAction))
                return a;
        }
        return nullptr;
    }

    QTemporaryDir dir;
    testsupport::CapturedMessages messages;
};

TEST_F(ReportPreviewTest, ThePreviewShowsThePagesAndSavesThemAsAPdf) {
    std::unique_ptr<QPrintPreviewDialog> dialog(ReportPreview::create(smallDocument(), nullptr));
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    dialog->show();
    QApplication::processEvents();
    auto* pages = dialog->findChild<QPrintPreviewWidget*>();
    ASSERT_TRUE(pages);
    EXPECT_EQ(pages->pageCount(), 1);

    QAction* save = saveAction(*dialog);
    ASSERT_TRUE(save) << "the save command stands in the preview's tool bar";
    QString suggested;
    const QString path = dir.filePath("قسام.pdf");
    ReportPreview::setPathChooser([&](QWidget*, const QString& offered) {
        suggested = offered;
        return path;
    });
    save->trigger();
    EXPECT_TRUE(suggested.endsWith("قسام شرعي 9.pdf")) << suggested.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(5), QByteArray("%PDF-"));
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(ReportPreviewTest, ACancelledOrFailedSaveWritesNothingAndSaysWhyWhenItFailed) {
    std::unique_ptr<QPrintPreviewDialog> dialog(ReportPreview::create(smallDocument(), nullptr));
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    QAction* save = saveAction(*dialog);
    ASSERT_TRUE(save);

    ReportPreview::setPathChooser([](QWidget*, const QString&) { return QString(); });
    save->trigger();
    EXPECT_TRUE(messages.texts().isEmpty());

    const QString unwritable = dir.filePath("no such folder/قسام.pdf");
    ReportPreview::setPathChooser([&](QWidget*, const QString&) { return unwritable; });
    save->trigger();
    EXPECT_EQ(messages.texts(), QStringList({"تعذر حفظ الملف: " + unwritable}));
    EXPECT_FALSE(QFile::exists(unwritable));
}

TEST_F(ReportPreviewTest, AHandlerTakesTheDocumentInsteadOfAWaitingPreview) {
    std::vector<ReportDocument> taken;
    ReportPreview::setHandler([&](const ReportDocument& d) { taken.push_back(d); });
    ReportPreview::show(smallDocument(), nullptr);
    ReportPreview::setHandler({});
    // Had the preview been run, the test would wait for a user for ever.
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].deceased.front().name, "زيد");
}

// The file dialogue of the save command as the user meets it: whole Arabic words, the folder's path
// left to right, PDF files.
class SaveDialogueTest : public ReportPreviewTest {
protected:
    void SetUp() override {
        dialog.reset(ReportPreview::saveDialog(nullptr, dir.filePath("قسام شرعي 9.pdf")));
        dialog->show();
        QApplication::processEvents();
    }
    std::unique_ptr<QFileDialog> dialog;
};

TEST_F(SaveDialogueTest, ItsLabelsAndButtonsAreWholeArabicWords) {
    auto* buttons = testsupport::namedChild<QDialogButtonBox>(dialog.get(), "buttonBox");
    ASSERT_TRUE(buttons);
    QList<std::pair<std::string, QString>> texts;
    for (const char* label : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
        if (auto* l = testsupport::namedChild<QLabel>(dialog.get(), label))
            texts.append({label, l->text()});
    for (QAbstractButton* b : buttons->buttons())
        texts.append({"button", b->text()});
    ASSERT_EQ(texts.size(), 5);
    // Arabic letters and their marks, blanks and a colon: no access mark inside a word, no English.
    static const QRegularExpression arabic(QStringLiteral("^[\\p{Arabic} ]+:?$"));
    for (const auto& [name, text] : texts)
        EXPECT_TRUE(arabic.match(text).hasMatch()) << name << ": " << text.toStdString();
}

TEST_F(SaveDialogueTest, ItOffersTheSuggestedNameForPdfFilesNamedInArabic) {
    EXPECT_EQ(testsupport::namedChild<QLineEdit>(dialog.get(), "fileNameEdit")->text(), "قسام شرعي 9.pdf");
    EXPECT_EQ(QDir(dialog.get()->directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
    const QString type = testsupport::namedChild<QComboBox>(dialog.get(), "fileTypeCombo")->currentText();
    static const QRegularExpression arabicName(QStringLiteral("^\\p{Arabic}+ .*\\(\\*\\.pdf\\)$"));
    EXPECT_TRUE(arabicName.match(type).hasMatch()) << type.toStdString();
}

// Laid out right to left, "/tmp/x" would show as "tmp/x/". The box must draw the path as the same
// path held left to right by explicit marks draws.
TEST_F(SaveDialogueTest, TheFoldersPathReadsLeftToRight) {
    auto* folder = testsupport::namedChild<QComboBox>(dialog.get(), "lookInCombo");
    ASSERT_TRUE(folder);
    const QString path = folder->currentText();
    ASSERT_TRUE(path.startsWith(QLatin1Char('/'))) << path.toStdString();
    const QImage shown = folder->grab().toImage();
    folder->setItemText(folder->currentIndex(), platform::AppPaths::leftToRight(path));
    EXPECT_EQ(folder->grab().toImage(), shown);
}

// Every place in the list beside the folder (the computer, the home folder) shows its name whole,
// even where an earlier dialogue left the list narrow: Qt keeps the width between dialogues.
TEST_F(ReportPreviewTest, ThePlacesListShowsEveryPlaceWhole) {
    {
        std::unique_ptr<QFileDialog> earlier(ReportPreview::saveDialog(nullptr, dir.filePath("قسام.pdf")));
        earlier->show();
        QApplication::processEvents();
        auto* splitter = earlier->findChild<QSplitter*>("splitter");
        ASSERT_TRUE(splitter);
        const QList<int> sizes = splitter->sizes();
        splitter->setSizes({20, sizes.value(0) + sizes.value(1) - 20});
    } // the narrow list is kept for the next dialogue
    std::unique_ptr<QFileDialog> dialog(ReportPreview::saveDialog(nullptr, dir.filePath("قسام.pdf")));
    dialog->show();
    QTest::qWait(20);
    auto* places = testsupport::namedChild<QListView>(dialog.get(), "sidebar");
    ASSERT_TRUE(places);
    ASSERT_GT(places->model()->rowCount(places->rootIndex()), 0);
    for (int row = 0; row < places->model()->rowCount(places->rootIndex()); ++row) {
        const QModelIndex place = places->model()->index(row, 0, places->rootIndex());
        const QRect shown = places->visualRect(place);
        EXPECT_TRUE(places->viewport()->rect().contains(shown))
            << place.data().toString().toStdString() << ": " << shown.x() << "+" << shown.width() << " in "
            << places->viewport()->width();
        EXPECT_GE(shown.width(), places->sizeHintForIndex(place).width())
            << place.data().toString().toStdString();
    }
}

// The columns beside a file's name (size, type, date) are as wide as what they show: a date is
// never cut to "...", not even where an earlier dialogue left its column narrow.
TEST_F(ReportPreviewTest, TheFileColumnsShowTheirTextsWhole) {
    QFile file(dir.filePath("قسام قديم.pdf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    {
        std::unique_ptr<QFileDialog> earlier(ReportPreview::saveDialog(nullptr, dir.filePath("قسام.pdf")));
        earlier->show();
        QApplication::processEvents();
        auto* files = earlier->findChild<QTreeView*>("treeView");
        ASSERT_TRUE(files);
        for (int column = 1; column < files->header()->count(); ++column)
            files->header()->resizeSection(column, 12);
    } // the narrow columns are kept for the next dialogue
    std::unique_ptr<QFileDialog> dialog(ReportPreview::saveDialog(nullptr, dir.filePath("قسام.pdf")));
    dialog->show();
    auto* files = testsupport::namedChild<QTreeView>(dialog.get(), "treeView");
    ASSERT_TRUE(files);
    ASSERT_TRUE(QTest::qWaitFor([&] { return files->model()->rowCount(files->rootIndex()) > 0; }));
    QTest::qWait(20);
    for (int column = 1; column < files->model()->columnCount(files->rootIndex()); ++column) {
        if (files->isColumnHidden(column))
            continue;
        const QString shown = files->model()->index(0, column, files->rootIndex()).data().toString();
        EXPECT_GE(files->header()->sectionSize(column),
                  static_cast<QAbstractItemView*>(files)->sizeHintForColumn(column))
            << column << ": " << shown.toStdString();
    }
}

// The save command without a chooser of the test's own runs the dialogue and saves where the user
// said; a name typed without its ending gets ".pdf".
TEST_F(ReportPreviewTest, TheSaveCommandRunsTheDialogueAndSavesWhereTheUserSaid) {
    const struct {
        const char* name;
        QDialogButtonBox::StandardButton pressed;
        QString typed;
        QString written; // empty: nothing
    } cases[] = {
        {"saved", QDialogButtonBox::Save, "قسام زيد", "قسام زيد.pdf"},
        {"saved with its ending", QDialogButtonBox::Save, "قسام عمرو.pdf", "قسام عمرو.pdf"},
        {"cancelled", QDialogButtonBox::Cancel, "قسام بكر", QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<QPrintPreviewDialog> preview(ReportPreview::create(smallDocument(), nullptr));
        preview->setAttribute(Qt::WA_DeleteOnClose, false);
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* running = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!running)
                return;
            ran = true;
            running->findChild<QLineEdit*>("fileNameEdit")->setText(dir.filePath(c.typed));
            running->findChild<QDialogButtonBox*>("buttonBox")->button(c.pressed)->click();
        });
        saveAction(*preview)->trigger();
        ASSERT_TRUE(ran);
        if (c.written.isEmpty()) {
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
        } else {
            QFile file(dir.filePath(c.written));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.read(5), QByteArray("%PDF-"));
        }
        EXPECT_TRUE(messages.texts().isEmpty());
        for (const QString& f : QDir(dir.path()).entryList(QDir::Files))
            QFile::remove(dir.filePath(f));
    }
}

// A chain of deceased, each with his heirs, notes and base line; `heirs` gives the number of
// heirs of each, and so where the pages break.
ReportDocument chainDocument(const QList<int>& heirs) {
    ReportDocument doc = smallDocument();
    doc.mode = platform::ReportMode::Full;
    doc.header.school = "وفق المذهب الشافعي";
    doc.header.preparer = "محمود عبد الرحمن";
    doc.header.issuingBody = "محكمة بغداد الشرعية";
    doc.deceased.clear();
    const QStringList names = {"زيد", "عمرو", "بكر", "خالد"};
    for (int d = 0; d < heirs.size(); ++d) {
        ReportDocument::DeceasedTable t;
        t.opening = d == 0 ? "توفي المدعو" : "ثم توفي المدعو";
        t.name = names[d];
        for (int i = 1; i <= heirs[d]; ++i)
            t.heirs << ReportDocument::HeirLine{QString::number(i),
                                                QStringLiteral("وارث %1%2").arg(d).arg(i),
                                                "ابن",
                                                QString::number(100 * d + i),
                                                {}};
        t.total = QString::number(1000 + d);
        t.notes = {{"1", QStringLiteral("للزوجة الثمن لوجود الفرع الوارث %1 .").arg(names[d])},
                   {"2", "للعصبة ( الابناء ) الباقي ."},
                   {"3", QStringLiteral("خاتمة ملاحظات %1").arg(names[d])}};
        t.baseLine = QStringLiteral("اصل المسألة ( 8 ) و تصح من ( %1 ) سهماً").arg(1000 + d);
        doc.deceased << t;
    }
    return doc;
}

// The words of each page of a PDF file.
QList<QStringList> pageWords(const QString& pdf) {
    QList<QStringList> pages;
    QList<testsupport::PdfPage> sizes;
    for (const testsupport::PdfWord& w : testsupport::pdfWords(pdf, &sizes)) {
        while (pages.size() < w.page)
            pages << QStringList();
        pages[w.page - 1] << testsupport::pageWords(w.text);
    }
    while (pages.size() < sizes.size())
        pages << QStringList();
    for (QStringList& words : pages)
        words.sort();
    return pages;
}

// What the preview shows is what the saved file holds, page for page, whatever the resolution
// of the screen the preview is drawn for (its printer takes the screen's) or of the printer it
// prints on: the preview's own printer, printing to a file, gives the pages of the save command.
TEST_F(ReportPreviewTest, TheSavedPdfIsThePreviewPageForPage) {
    const struct {
        const char* name;
        QList<int> heirs;
    } cases[] = {
        {"one deceased", {12}},
        {"three deceased", {16, 16, 16}},
        {"three deceased, a page and more each", {18, 18, 18}},
        {"three deceased, long tables", {22, 9, 30}},
        {"four deceased", {11, 12, 10, 16}},
    };
    for (const auto& c : cases) {
        const ReportDocument doc = chainDocument(c.heirs);
        std::unique_ptr<QPrintPreviewDialog> dialog(ReportPreview::create(doc, nullptr));
        dialog->setAttribute(Qt::WA_DeleteOnClose, false);
        dialog->show();
        QApplication::processEvents();
        auto* preview = dialog->findChild<QPrintPreviewWidget*>();
        ASSERT_TRUE(preview);

        const QString saved = dir.filePath(QStringLiteral("saved %1.pdf").arg(c.name));
        ReportPreview::setPathChooser([&](QWidget*, const QString&) { return saved; });
        saveAction(*dialog)->trigger();
        const QList<QStringList> savedPages = pageWords(saved);
        EXPECT_EQ(preview->pageCount(), savedPages.size()) << c.name;

        for (const int dpi : {72, 96, 144, 300}) {
            SCOPED_TRACE(QStringLiteral("%1 at %2 dpi").arg(c.name).arg(dpi).toStdString());
            QPrinter* printer = dialog->printer();
            printer->setResolution(dpi);
            const QString printed = dir.filePath(QStringLiteral("printed %1 %2.pdf").arg(c.name).arg(dpi));
            printer->setOutputFileName(printed);
            emit dialog->paintRequested(printer);
            const QList<QStringList> printedPages = pageWords(printed);
            ASSERT_EQ(printedPages.size(), savedPages.size());
            for (qsizetype page = 0; page < savedPages.size(); ++page)
                EXPECT_EQ(printedPages[page].join(" ").toStdString(),
                          savedPages[page].join(" ").toStdString())
                    << "page " << page + 1;
        }
    }
}

// The page turned in the preview is the page saved.
TEST_F(ReportPreviewTest, TheSavedPdfKeepsThePageTheUserSetInThePreview) {
    std::unique_ptr<QPrintPreviewDialog> dialog(ReportPreview::create(chainDocument({20, 20}), nullptr));
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    dialog->printer()->setPageOrientation(QPageLayout::Landscape);
    const QString path = dir.filePath("landscape.pdf");
    ReportPreview::setPathChooser([&](QWidget*, const QString&) { return path; });
    saveAction(*dialog)->trigger();

    QList<testsupport::PdfPage> pages;
    testsupport::pdfWords(path, &pages);
    ASSERT_FALSE(pages.isEmpty());
    for (const testsupport::PdfPage& page : pages)
        EXPECT_GT(page.width, page.height);
}

} // namespace

namespace {

// A page is taller than a 1024 x 768 screen: the preview must still fit on the screen it opens on.
TEST(ReportPreviewSize, ThePreviewFitsOnTheScreen) {
    std::unique_ptr<QPrintPreviewDialog> dialog(ReportPreview::create(smallDocument(), nullptr));
    const QSize available = QGuiApplication::primaryScreen()->availableGeometry().size();
    EXPECT_LE(dialog->height(), available.height());
    EXPECT_LE(dialog->width(), available.width());
}

} // namespace
