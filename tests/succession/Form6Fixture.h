#pragma once

#include "ChainFixture.h"

#include "entry/EntryTexts.h"
#include "entry/NameLists.h"
#include "results/ShrinkEnlargeButtons.h"
#include "succession/ChainGridModel.h"
#include "succession/Form6.h"
#include "succession/SuccessionTexts.h"
#include "support/RealMessageBoxes.h"
#include "support/Widgets.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <memory>

namespace form6test {

using succession::ChainGridModel;
using succession::Form6;
namespace Texts = succession::Texts;
namespace ET = entry::Texts;
using Col = ChainGridModel::Column;

class Form6Test : public successiontest::ChainFixture {
protected:
    static bool within(const QWidget* ancestor, const QWidget* w) {
        return w && (w == ancestor || ancestor->isAncestorOf(w));
    }
    Form6& open() {
        dialog = std::make_unique<Form6>(
            db, host, succession::ExitHooks{[this] { ++cleanExits; }, [this] { ++mainMenus; }});
        return *dialog;
    }
    void showActive() {
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        QCoreApplication::processEvents();
    }
    template <typename T> T* child(const char* name) const {
        return testsupport::namedChild<T>(dialog, name);
    }
    QTableView* grid() const { return child<QTableView>("DBGrid3"); }
    ChainGridModel* chain() const { return dialog->chain(); }
    void goTo(int row, int column) const {
        grid()->setFocus();
        grid()->setCurrentIndex(chain()->index(row, column));
        QCoreApplication::processEvents();
    }
    // Types a text into a list's box and confirms it with Enter, as a user does.
    void pick(const char* list, const QString& text) const {
        auto* box = child<QComboBox>(list);
        ASSERT_TRUE(box->isVisible()) << list;
        box->setEditText(text);
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    // Types a text into a grid cell and leaves the cell with Enter.
    void typeIntoCell(int row, int column, const QString& text) const {
        goTo(row, column);
        grid()->edit(chain()->index(row, column));
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        editor->insert(text);
        QTest::keyClick(editor, Qt::Key_Return);
        // What the cell's checks queued (a row save, the focus back on a refused cell) runs now,
        // however loaded the machine, before the next step of the test.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QTest::qWait(5);
    }
    // Types characters of any script into a widget, one key press and release each.
    static void typeText(QWidget* w, const QString& text) {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : w, &release);
        }
        QCoreApplication::processEvents();
    }
    // The first deceased accepted and one heir typed: name first, then the relation from its list.
    void startChain() {
        showActive();
        pick("DBList_deth_name", "احمد");
        typeIntoCell(1, Col::HeirName, "فاطمة");
        goTo(1, Col::Relation);
        typeText(grid(), "ز");
        pick("DBList_relation", "زوجة");
    }
    // The relation list, opened by F5 on the new line of a started chain.
    QComboBox* openRelationList() {
        startChain();
        goTo(2, Col::Relation);
        QTest::keyClick(grid(), Qt::Key_F5);
        return child<QComboBox>("DBList_relation");
    }
    QStringList chainRows() const {
        return column(
            "select warith_relation || '|' || warith_name || '|' || deth_name || '|' || arrange from "
            "MUNASKA_TEMP order by arrange, ar");
    }

    engine::CaseContext host;
    std::unique_ptr<Form6> dialog;
    int cleanExits = 0;
    int mainMenus = 0;
};

} // namespace form6test
