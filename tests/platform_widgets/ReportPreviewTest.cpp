#include "platform/widgets/ReportPreview.h"

#include "support/CapturedMessages.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolBar>

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
