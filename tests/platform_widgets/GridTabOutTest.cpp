#include "platform/widgets/GridTabOut.h"
#include "support/Widgets.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

class GridTabOutTest : public ::testing::Test {
protected:
    GridTabOutTest() {
        auto* layout = new QVBoxLayout(&dialog);
        before = new QPushButton("before", &dialog);
        grid = new QTableView(&dialog);
        after = new QPushButton("after", &dialog);
        layout->addWidget(before);
        layout->addWidget(grid);
        layout->addWidget(after);
        model.setRowCount(2);
        model.setColumnCount(2);
        grid->setModel(&model);
        grid->setTabKeyNavigation(false);
        new platform::GridTabOut(grid);
        testsupport::showActive(&dialog);
    }
    QLineEdit* editCell(int row, int column, const QString& text) {
        grid->setFocus();
        grid->setCurrentIndex(model.index(row, column));
        grid->edit(model.index(row, column));
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        EXPECT_NE(editor, nullptr);
        if (editor)
            editor->setText(text);
        return editor;
    }

    QDialog dialog;
    QStandardItemModel model;
    QPushButton* before = nullptr;
    QTableView* grid = nullptr;
    QPushButton* after = nullptr;
};

TEST_F(GridTabOutTest, TabInAnEditedCellTakesItAndLeavesTheGrid) {
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* lands;
    } cases[] = {{Qt::Key_Tab, Qt::NoModifier, "after"}, {Qt::Key_Backtab, Qt::ShiftModifier, "before"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lands);
        QLineEdit* editor = editCell(0, 1, c.lands);
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, c.key, c.modifiers);
        QCoreApplication::processEvents();
        EXPECT_EQ(model.index(0, 1).data().toString(), c.lands);
        auto* focus = qobject_cast<QPushButton*>(QApplication::focusWidget());
        ASSERT_NE(focus, nullptr);
        EXPECT_EQ(focus->text(), c.lands);
    }
}

TEST_F(GridTabOutTest, OtherKeysStayWithTheEditor) {
    QLineEdit* editor = editCell(1, 0, "ab");
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_C);
    EXPECT_EQ(QApplication::focusWidget(), editor);
    EXPECT_EQ(editor->text(), "abc");
}

} // namespace
