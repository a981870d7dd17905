#include "results/Form14.h"
#include "results/TouchedReport.h"

#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"
#include "support/Widgets.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using results::Form14;

namespace {

// The results screen on screen, as the user has it, over a short division.
class Form14GridTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The invocation centred with blanks for the printed page, as the engine writes it.
        db.execute("insert into PRINT_TEXT (print_text) values (?)",
                   {QString(75, ' ') + QString("بسم الله الرحمن الرحيم    ")});
        db.execute("insert into PRINT_TEXT (print_text) values ('  قسام شرعي ')");
        // The title block's long lines, as the engine writes them.
        db.execute("insert into PRINT_TEXT (print_text) values (?)",
                   {QString("  حسب قواعد الشريعة الاسلامية وفق المذهب الحنفي   ") + QString(90, '_')});
        const char* const heirs[][4] = {
            {"     1", "عبد الرحمن بن عبد الله", "زوجة", "23"},
            {"     2", "علي", "ابن ابن", "1234567"},
            {"    10", "زينب", "بنت", "7"},
        };
        for (const auto& h : heirs)
            db.execute("insert into PRINT_TEXT (case_ser, print_text, kinds, share) values (?, ?, ?, ?)",
                       {h[0], h[1], h[2], h[3]});
        screen = std::make_unique<Form14>(db, context, touched, Form14::Links{});
        screen->show();
        screen->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(screen.get()));
    }
    template <typename T> T* child(const char* name) const {
        return testsupport::namedChild<T>(screen, name);
    }

    testsupport::TempAppFolder folder;
    data::Database db = folder.caseDatabase();
    engine::CaseContext context;
    results::TouchedReport touched;
    testsupport::CapturedMessages messages;
    std::unique_ptr<Form14> screen;
};

// However long the title lines, the shares, relations and serials stay wholly in sight: none is
// pushed past the grid's edge where only a scroll would show it.
TEST_F(Form14GridTest, EveryColumnShowsItsWholeTextAtEveryFontSize) {
    auto* grid = child<QTableView>("DBGrid1");
    auto* sizes = child<QComboBox>("Combo1");
    QAbstractItemModel* model = grid->model();
    for (int i = sizes->count() - 1; i >= 0; --i) {
        sizes->setCurrentIndex(i);
        QCoreApplication::processEvents();
        SCOPED_TRACE(sizes->currentText().toStdString());
        const QFontMetrics metrics(grid->font());
        // Room for the text and the margins a cell draws around it.
        const int margins = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
        EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0);
        for (int col = 0; col < model->columnCount(); ++col) {
            EXPECT_GE(grid->columnViewportPosition(col), 0) << "column " << col;
            EXPECT_LE(grid->columnViewportPosition(col) + grid->columnWidth(col), grid->viewport()->width())
                << "column " << col;
        }
        for (int row = 0; row < model->rowCount(); ++row) {
            for (int col = 0; col < model->columnCount(); ++col) {
                if (col == 2)
                    continue; // the text column: its long title lines give way
                const QString text = model->index(row, col).data().toString();
                if (text.trimmed().isEmpty())
                    continue;
                EXPECT_GE(grid->columnWidth(col), metrics.horizontalAdvance(text) + margins)
                    << "row " << row << " column " << col << ": " << text.toStdString();
            }
        }
    }
}

// The pixels of an image far from its background, the colour of its top left corner: the ink of
// the text drawn on it.
int inkOf(const QImage& image) {
    const int background = image.pixelColor(1, 1).lightness();
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (std::abs(image.pixelColor(x, y).lightness() - background) > 100)
                ++ink;
    return ink;
}

// The blanks that centre the invocation on the printed page give way at a large font; its words
// never do: the cell holds the ink of all of them, not an ellipsis.
TEST_F(Form14GridTest, TheInvocationShowsWholeAtEveryFontSize) {
    auto* grid = child<QTableView>("DBGrid1");
    auto* sizes = child<QComboBox>("Combo1");
    grid->setCurrentIndex(grid->model()->index(4, 0));
    const QModelIndex invocation = grid->model()->index(0, 2);
    const QString words = invocation.data().toString().trimmed();
    for (int i = 0; i < sizes->count(); ++i) {
        sizes->setCurrentIndex(i);
        QCoreApplication::processEvents();
        SCOPED_TRACE(sizes->currentText().toStdString());
        const QFontMetrics metrics(grid->font());
        QImage alone(metrics.horizontalAdvance(words) + 10, metrics.height() + 4, QImage::Format_RGB32);
        alone.fill(Qt::white);
        QPainter painter(&alone);
        painter.setFont(grid->font());
        painter.setPen(Qt::black);
        painter.drawText(alone.rect(), Qt::AlignCenter, words);
        painter.end();

        const int shown = inkOf(grid->viewport()->grab(grid->visualRect(invocation)).toImage());
        EXPECT_GT(shown, inkOf(alone) * 9 / 10);
    }
}

TEST_F(Form14GridTest, TabLeavesTheGridForTheNextControl) {
    auto* grid = child<QTableView>("DBGrid1");
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 0));
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), child<QPushButton>("Command_return_to_case"));
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), child<QComboBox>("Combo1"));
}

TEST_F(Form14GridTest, ThePrintPreviewStandsBesideTheScreenWhichStaysUsable) {
    db.execute("insert into PRINT_TEXT2 (serial_deth, name_deth) values (1, 'زيد')");
    db.execute("insert into PRINT_TEXT2_CHILED (serial_deth, serial_deth_chiled, name_deth_chiled, Relation, "
               "share) values (1, 1, 'هند', 'ام', 1)");
    // A preview that waited for the user would be closed by this, and found gone below.
    QTimer::singleShot(2000, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* p = qobject_cast<QPrintPreviewDialog*>(w); p && p->isModal())
                p->close();
    });
    child<QPushButton>("Command_print")->click();
    auto* preview = screen->findChild<QPrintPreviewDialog*>();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_FALSE(preview->isModal());
    EXPECT_NE(QApplication::activeModalWidget(), preview);
    EXPECT_EQ(messages.texts(), QStringList());
    // The screen's commands still answer while the preview is open.
    child<QPushButton>("Command_percent")->click();
    EXPECT_EQ(context.Text_choos_no, "3");
}

} // namespace
