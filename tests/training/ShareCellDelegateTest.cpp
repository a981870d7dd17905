#include "training/ShareCellDelegate.h"

#include "support/CapturedMessages.h"

#include <QApplication>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTableView>

#include <gtest/gtest.h>

namespace {

// Types `text` into the share cell of the first row and leaves the cell.
struct Grid {
    Grid() : model(1, 3) {
        model.setData(model.index(0, 0), 5);
        view.setModel(&model);
        view.setItemDelegate(new training::ShareCellDelegate(0, &view));
        view.show();
    }
    void type(const QString& text) {
        const QModelIndex cell = model.index(0, 0);
        view.setCurrentIndex(cell);
        view.edit(cell);
        auto* editor = view.findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        editor->setModified(true);
        view.itemDelegate()->setModelData(editor, &model, cell);
        QApplication::processEvents();
    }
    QStandardItemModel model;
    QTableView view;
};

TEST(ShareCellDelegate, TheShareCellTakesDigitsAndRefusesTheRest) {
    const struct {
        const char* text;
        QVariant stored; // null: refused, the earlier 5 stays
    } cases[] = {
        {"12", 12}, {"٣", 3}, {"", 0}, {"1/8", QVariant()}, {"-2", QVariant()}, {"س", QVariant()},
    };
    for (const auto& c : cases) {
        testsupport::CapturedMessages messages;
        Grid grid;
        grid.type(QString::fromUtf8(c.text));
        if (c.stored.isNull()) {
            EXPECT_EQ(grid.model.data(grid.model.index(0, 0)).toInt(), 5) << c.text;
            EXPECT_EQ(messages.texts(), QStringList{"الحصة غير صحيحة"}) << c.text;
            EXPECT_EQ(grid.view.currentIndex(), grid.model.index(0, 0)) << "back to the cell";
        } else {
            EXPECT_EQ(grid.model.data(grid.model.index(0, 0)), c.stored) << c.text;
            EXPECT_TRUE(messages.texts().isEmpty()) << c.text;
        }
    }
}

} // namespace
