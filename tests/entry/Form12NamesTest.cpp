// Names typed or pasted into the case-entry dialogue are single-line text of a length the screens
// and the report can show.
#include "EntryFixture.h"

#include "entry/Form12.h"
#include "support/PastedNames.h"
#include "support/Widgets.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <memory>

namespace {

using engine::EntryStage;
using entry::Form12;
using entrytest::EntryFixture;

using testsupport::expectPasted;
using testsupport::namePasteCases;
using testsupport::paste;

class Form12NamesTest : public EntryFixture {
protected:
    Form12& openDetails() {
        setStage(EntryStage::Details);
        dialog = std::make_unique<Form12>(db, host, entry::ExitHooks{[] {}, [] {}});
        testsupport::showActive(dialog);
        QCoreApplication::processEvents();
        return *dialog;
    }
    template <typename T> T* child(const char* name) const {
        return testsupport::namedChild<T>(dialog, name);
    }
    QTableView* grid() const { return child<QTableView>("DBGrid1"); }

    // The field a name is typed into, focused and empty.
    QLineEdit* emptyField(const char* name) {
        if (QString(name) == "Text_ADRESS_ENTRY_NAME" && !child<QWidget>("FrameADRESS")->isVisible())
            child<QPushButton>("Command4")->click();
        QWidget* w = child<QWidget>(name);
        auto* line = qobject_cast<QLineEdit*>(w);
        if (auto* box = qobject_cast<QComboBox*>(w))
            line = box->lineEdit();
        line->setFocus();
        line->clear();
        QCoreApplication::processEvents();
        return line;
    }
    // The heir-name cell of the entry row, its editor open and empty.
    QLineEdit* emptyHeirNameCell() {
        QTableView* g = grid();
        const QModelIndex cell = g->model()->index(g->model()->rowCount() - 1, 1);
        g->setFocus();
        g->setCurrentIndex(cell);
        g->edit(cell);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        EXPECT_NE(editor, nullptr);
        if (editor)
            editor->clear();
        return editor;
    }
    std::unique_ptr<Form12> dialog;
};

TEST_F(Form12NamesTest, EveryNameFieldTakesOneLineOfAShowableLength) {
    openDetails();
    for (const char* field : {"Text_deth_name", "Text_DATA_ENTRY_NAME", "Text_ADRESS_ENTRY_NAME"}) {
        for (const testsupport::PasteCase& c : namePasteCases()) {
            SCOPED_TRACE(std::string(field) + ": " + c.what);
            expectPasted(emptyField(field), c, messages);
        }
    }
}

TEST_F(Form12NamesTest, TheHeirNameCellTakesOneLineOfAShowableLength) {
    openDetails();
    for (const testsupport::PasteCase& c : namePasteCases()) {
        SCOPED_TRACE(c.what);
        QLineEdit* editor = emptyHeirNameCell();
        ASSERT_NE(editor, nullptr);
        expectPasted(editor, c, messages);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCoreApplication::processEvents();
    }
}

TEST_F(Form12NamesTest, APastedMultiLineNameIsStoredOnOneLineEverywhere) {
    openDetails();
    emptyField("Text_deth_name");
    paste("خالد\nبن الوليد\n");
    QLineEdit* editor = emptyHeirNameCell();
    ASSERT_NE(editor, nullptr);
    paste("سعيد\nالثاني");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    emptyField("Text_DATA_ENTRY_NAME");
    paste("كاتب\r\nالعدل");
    emptyField("Text_ADRESS_ENTRY_NAME");
    paste("محكمة\tالبداءة");
    // Leaving the box stamps the header on the heirs.
    child<QLineEdit>("Text_deth_name")->setFocus();
    QCoreApplication::processEvents();
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.last().toStdString();

    EXPECT_EQ(column("select warith_name from WARITH"), QStringList{"سعيد الثاني"});
    EXPECT_EQ(column("select deth_name from WARITH"), QStringList{"خالد بن الوليد"});
    EXPECT_EQ(column("select DATA_ENTRY_NAME from WARITH"), QStringList{"كاتب العدل"});
    EXPECT_EQ(column("select ADRESS_ENTRY_NAME from WARITH"), QStringList{"محكمة البداءة"});
    EXPECT_TRUE(column("select DATA_ENTRY_NAME from DATA_ENTRY_NAME").contains("كاتب العدل"));
    EXPECT_TRUE(column("select ADRESS_ENTRY_NAME from ADRESS_ENTRY_NAME").contains("محكمة البداءة"));
}

} // namespace
