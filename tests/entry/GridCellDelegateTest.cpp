#include "entry/GridCellDelegate.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The columns of a cell's image that hold ink: pixels far from the cell's background.
std::pair<int, int> inkedColumns(const QImage& cell) {
    const int background = cell.pixelColor(cell.width() / 2, 1).lightness();
    int first = cell.width(), last = -1;
    for (int x = 0; x < cell.width(); ++x)
        for (int y = 2; y < cell.height() - 2; ++y)
            if (std::abs(cell.pixelColor(x, y).lightness() - background) > 60) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

// A relation stands clear of its cell's right edge, where the row selector's grey would otherwise
// touch its first letter, selected or not.
TEST(GridCellDelegateTest, TheRelationKeepsARightMargin) {
    QTableView grid;
    grid.setLayoutDirection(Qt::RightToLeft);
    grid.verticalHeader()->hide();
    QStandardItemModel model(1, 2);
    model.setItem(0, 0, new QStandardItem(QStringLiteral("ابن ابن ابن ابن")));
    model.setItem(0, 1, new QStandardItem(QStringLiteral("عبد الله")));
    grid.setModel(&model);
    grid.setItemDelegate(new entry::GridCellDelegate(0, &grid));
    grid.setColumnWidth(0, 110);
    grid.resize(400, 200);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));

    for (const bool selected : {false, true}) {
        SCOPED_TRACE(selected ? "selected" : "not selected");
        if (selected)
            grid.selectRow(0);
        else
            grid.clearSelection();
        QApplication::processEvents();
        const QRect cell = grid.visualRect(model.index(0, 0));
        const auto last = inkedColumns(grid.viewport()->grab(cell).toImage()).second;
        ASSERT_GE(last, 0);
        EXPECT_GE(cell.width() - 1 - last, 6) << "right margin";
    }
}

// A number reads left to right inside a right-to-left grid: a minus sign stands on its left, and
// its digits end on the cell's right, where those of a number without a sign end.
TEST(GridCellDelegateTest, ASignedNumberKeepsItsSignOnTheLeftAndItsDigitsOnTheRight) {
    QTableView grid;
    grid.setLayoutDirection(Qt::RightToLeft);
    QStandardItemModel model(2, 1);
    model.setItem(0, 0, new QStandardItem(QStringLiteral("5000")));
    model.setItem(1, 0, new QStandardItem(QStringLiteral("-5000")));
    grid.setModel(&model);
    grid.setItemDelegate(new entry::GridCellDelegate(-1, &grid));
    grid.setColumnWidth(0, 120);
    grid.resize(300, 200);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    grid.clearSelection();
    grid.setCurrentIndex(QModelIndex());
    QApplication::processEvents();

    const QImage unsigned_ = grid.viewport()->grab(grid.visualRect(model.index(0, 0))).toImage();
    const QImage negative = grid.viewport()->grab(grid.visualRect(model.index(1, 0))).toImage();
    const auto [digitsFrom, digitsTo] = inkedColumns(unsigned_);
    const auto [signFrom, signTo] = inkedColumns(negative);
    ASSERT_GE(digitsTo, 0);
    EXPECT_EQ(signTo, digitsTo) << "the digits end where those of the unsigned number do";
    EXPECT_LT(signFrom, digitsFrom - 2) << "the sign stands left of the digits";
    const int width = digitsTo - digitsFrom + 1;
    EXPECT_EQ(negative.copy(digitsFrom, 0, width, negative.height()),
              unsigned_.copy(digitsFrom, 0, width, unsigned_.height()));
}

} // namespace
