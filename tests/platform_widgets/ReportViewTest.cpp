#include "platform/widgets/ReportView.h"

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using platform::ReportView;

QString blanks(int n) {
    return QString(n, QLatin1Char(' '));
}

// The horizontal extent of what was drawn inside a band of the image; empty when nothing was.
struct Ink {
    int left = -1;
    int right = -1;
    bool any() const { return left >= 0; }
};

Ink inkIn(const QImage& image, const QRect& band, QRgb background) {
    Ink ink;
    const QRect area = band.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (std::abs(qGray(image.pixel(x, y)) - qGray(background)) < 64)
                continue;
            ink.left = ink.any() ? std::min(ink.left, x) : x;
            ink.right = std::max(ink.right, x);
        }
    }
    return ink;
}

class ReportViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.resize(900, 300);
        view.show();
        QApplication::processEvents();
    }

    QImage shot() { return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QRgb background() const { return view.viewport()->palette().color(QPalette::Base).rgb(); }
    QRect lineBand(int index) const {
        return {0, ReportView::Margin + index * view.lineHeight(), view.viewport()->width(),
                view.lineHeight()};
    }
    // Where the cells [column, column + length) of a line lie across the viewport.
    std::pair<qreal, qreal> cells(int column, int length) const {
        const qreal from = ReportView::Margin + (column - 1) * view.columnWidth();
        const qreal to = from + length * view.columnWidth();
        if (view.layoutDirection() == Qt::RightToLeft)
            return {view.viewport()->width() - to, view.viewport()->width() - from};
        return {from, to};
    }
    void expectInsideCells(const Ink& ink, int column, int length) const {
        const auto [from, to] = cells(column, length);
        ASSERT_TRUE(ink.any());
        EXPECT_GE(ink.left, std::floor(from) - 1);
        EXPECT_LE(ink.right, std::ceil(to) + 1);
    }

    ReportView view;
};

TEST_F(ReportViewTest, IsNamedAndUsesAFixedWidthFace) {
    EXPECT_EQ(view.objectName(), QStringLiteral("ReportView"));
    EXPECT_TRUE(QFontInfo(view.font()).fixedPitch());
    EXPECT_GT(view.columnWidth(), 0);
    EXPECT_GT(view.lineHeight(), 0);
}

TEST_F(ReportViewTest, ContentGrowsWithTheLines) {
    const QSize empty = view.contentSize();
    view.setLines({QStringLiteral("ab"), QString(), blanks(20) + QStringLiteral("x")});
    const QSize three = view.contentSize();
    EXPECT_EQ(three.height() - empty.height(), 3 * view.lineHeight());
    EXPECT_EQ(three.width(), 2 * ReportView::Margin + static_cast<int>(std::ceil(21 * view.columnWidth())));

    view.setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    const int hintBefore = view.sizeHint().height();
    QStringList more = view.lines();
    more << QStringLiteral("c") << QStringLiteral("d");
    view.setLines(more);
    EXPECT_EQ(view.sizeHint().height() - hintBefore, 2 * view.lineHeight());

    view.setLines({});
    EXPECT_EQ(view.contentSize(), empty);
}

TEST_F(ReportViewTest, ScrollsWhenTheLinesExceedTheWindow) {
    view.setLines({QStringLiteral("a")});
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0);

    QStringList many;
    for (int i = 0; i < 200; ++i)
        many << QString::number(i);
    many << blanks(300) + QStringLiteral("far");
    view.setLines(many);
    EXPECT_EQ(view.verticalScrollBar()->maximum(), view.contentSize().height() - view.viewport()->height());
    EXPECT_GT(view.horizontalScrollBar()->maximum(), 0);
}

TEST_F(ReportViewTest, FollowsNewLinesOnlyWhenAtTheEnd) {
    QStringList many;
    for (int i = 0; i < 100; ++i)
        many << QString::number(i);
    view.setLines(many);
    QScrollBar* bar = view.verticalScrollBar();
    EXPECT_EQ(bar->value(), bar->maximum());

    // The newest line is the one in sight.
    const int lastTop = ReportView::Margin + 99 * view.lineHeight() - bar->value();
    const QRect lastBand(0, lastTop, view.viewport()->width(), view.lineHeight());
    EXPECT_TRUE(inkIn(shot(), lastBand, background()).any());

    bar->setValue(0);
    many << QStringLiteral("100");
    view.setLines(many);
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(ReportViewTest, PlacesColumnOneAtTheStartEdgeOfTheLayout) {
    struct Case {
        Qt::LayoutDirection direction;
        int column;
    };
    const Case cases[] = {
        {Qt::RightToLeft, 1}, {Qt::RightToLeft, 43}, {Qt::RightToLeft, 65},
        {Qt::LeftToRight, 1}, {Qt::LeftToRight, 43}, {Qt::LeftToRight, 65},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "direction " << c.direction << ", column " << c.column);
        view.setLayoutDirection(c.direction);
        view.setLines({blanks(c.column - 1) + QStringLiteral("x")});
        const Ink ink = inkIn(shot(), lineBand(0), background());
        expectInsideCells(ink, c.column, 1);
    }
}

TEST_F(ReportViewTest, KeepsArabicRunsInTheirColumns) {
    const QString word = QString::fromUtf16(u"\u062a\u062a\u0645\u0640\u0640\u0629");
    view.setLines({blanks(5) + word + blanks(3) + QStringLiteral("12") + blanks(4) + QStringLiteral("ابن")});
    const QImage image = shot();
    const QRect band = lineBand(0);
    const auto inCells = [&](int column, int length) {
        const auto [from, to] = cells(column, length);
        return inkIn(image,
                     QRect(QPoint(std::ceil(from), band.top()), QPoint(std::floor(to) - 1, band.bottom())),
                     background());
    };

    expectInsideCells(inCells(6, 6), 6, 6);
    EXPECT_TRUE(inCells(15, 2).any());
    EXPECT_TRUE(inCells(21, 3).any());
    // Nothing in the blanks between the runs, nor beyond the last one.
    EXPECT_FALSE(inCells(12, 3).any());
    EXPECT_FALSE(inCells(17, 4).any());
    EXPECT_FALSE(inCells(25, 40).any());
}

// Letters that take a column of the line but no width on the screen (vowel marks), and runs
// of the other writing direction, move nothing printed after them out of its columns.
TEST_F(ReportViewTest, EveryRunStartsAtItsOwnColumn) {
    const QString marked = QStringLiteral("ب") + QString(7, QChar(0x064B));
    view.setLines({marked + blanks(2) + QStringLiteral("12"),
                   QStringLiteral("ab") + blanks(3) + QStringLiteral("ابن")});
    const QImage image = shot();
    const auto inkOf = [&](int line, int column, int length) {
        const QRect band = lineBand(line);
        const auto [from, to] = cells(column, length);
        return inkIn(image,
                     QRect(QPoint(std::ceil(from), band.top()), QPoint(std::floor(to) - 1, band.bottom())),
                     background());
    };

    EXPECT_TRUE(inkOf(0, 11, 2).any());
    expectInsideCells(inkIn(image, lineBand(0), background()), 1, 12);
    EXPECT_FALSE(inkOf(0, 2, 9).any());

    expectInsideCells(inkOf(1, 1, 2), 1, 2);
    EXPECT_FALSE(inkOf(1, 3, 3).any());
    EXPECT_TRUE(inkOf(1, 6, 3).any());
}

TEST_F(ReportViewTest, NarrowsGlyphsWiderThanTheirCellsInsteadOfCuttingThem) {
    // A face whose letters are wider than its digits stands in for a missing glyph's fallback.
    QFont proportional(QStringLiteral("DejaVu Sans"));
    proportional.setStyleHint(QFont::SansSerif);
    proportional.setPixelSize(32);
    view.setFont(proportional);
    const QFontMetricsF metrics(view.font());
    const QString run = QStringLiteral("wwww|");
    // The bar, the only tall glyph of the run, begins beyond the run's cells at natural width.
    ASSERT_GT(metrics.horizontalAdvance(QStringLiteral("wwww")), 5 * view.columnWidth());

    view.setLines({blanks(2) + run + blanks(2) + QStringLiteral("0")});
    const QImage image = shot();
    const QRect band = lineBand(0);
    const auto inCells = [&](int column, int length, int top, int bottom) {
        const auto [from, to] = cells(column, length);
        return inkIn(image, QRect(QPoint(std::ceil(from), top), QPoint(std::floor(to) - 1, bottom)),
                     background());
    };

    const Ink whole = inkIn(image, band, background());
    const auto [runFrom, runTo] = cells(3, 5);
    const auto [digitFrom, digitTo] = cells(10, 1);
    ASSERT_TRUE(whole.any());
    EXPECT_GE(whole.left, std::floor(std::min(runFrom, digitFrom)) - 1);
    EXPECT_LE(whole.right, std::ceil(std::max(runTo, digitTo)) + 1);
    EXPECT_FALSE(inCells(8, 2, band.top(), band.bottom()).any());
    EXPECT_TRUE(inCells(10, 1, band.top(), band.bottom()).any());
    // Above the lower-case letters only the bar has ink: the run was drawn to its end.
    const int aboveLetters = band.top() + static_cast<int>(metrics.ascent() - metrics.xHeight()) - 3;
    EXPECT_TRUE(inCells(3, 5, band.top(), aboveLetters).any());
}

TEST_F(ReportViewTest, DrawsEveryKindOfLineWithoutFault) {
    const QString rule = QLatin1Char(' ') + QString(129, QChar(0x0640)) + blanks(3);
    view.setLines({QString(), blanks(75) + QStringLiteral("بسم الله الرحمن الرحيم    "), blanks(2) + rule,
                   QString(2000, QLatin1Char('9')), blanks(5000), QStringLiteral("  ") + QChar(0x064B)});
    const QImage image = shot();
    EXPECT_FALSE(image.isNull());
    EXPECT_FALSE(inkIn(image, lineBand(0), background()).any());
    EXPECT_TRUE(inkIn(image, lineBand(2), background()).any());
    EXPECT_TRUE(inkIn(image, lineBand(3), background()).any());
    EXPECT_FALSE(inkIn(image, lineBand(4), background()).any());
}

} // namespace
