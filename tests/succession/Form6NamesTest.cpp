// Names typed or pasted into the successive-deaths dialogue are single-line text of a length the
// screens and the report can show.
#include "Form6Fixture.h"

#include "support/PastedNames.h"
#include "support/TypedKeys.h"

#include <functional>

namespace {

using form6test::Col;

using testsupport::paste;

class Form6NamesTest : public form6test::Form6Test {
protected:
    QLineEdit* boxOf(const char* combo) const { return child<QComboBox>(combo)->lineEdit(); }
    // The heir-name cell of the new line, its editor open.
    QLineEdit* heirNameCell() const {
        goTo(chain()->entryRow(), Col::HeirName);
        grid()->edit(chain()->index(chain()->entryRow(), Col::HeirName));
        return qobject_cast<QLineEdit*>(QApplication::focusWidget());
    }
};

// Each field as the user reaches it, focused and empty.
struct Field {
    const char* name;
    bool chainStarted; // reached once the first deceased and a heir are in
    std::function<QLineEdit*()> reach;
};

TEST_F(Form6NamesTest, EveryNameFieldTakesOneLineOfAShowableLength) {
    const std::vector<Field> fields = {
        {"the first deceased's box", false, [this] { return child<QLineEdit>("Text_deth_name_ind"); }},
        {"the next-deceased list", false, [this] { return boxOf("DBList_deth_name"); }},
        {"the heir-name list", true,
         [this] {
             goTo(1, Col::HeirName);
             dialog->openColumnList(Col::HeirName);
             return boxOf("DBCombo_w_name");
         }},
        {"the heir-name cell", true, [this] { return heirNameCell(); }},
        {"the preparer", false, [this] { return boxOf("Text_DATA_ENTRY_NAME"); }},
        {"the issuing body", false,
         [this] {
             child<QPushButton>("Command4")->click();
             return boxOf("Text_ADRESS_ENTRY_NAME");
         }},
    };
    for (const Field& field : fields) {
        for (const testsupport::PasteCase& c : testsupport::namePasteCases()) {
            SCOPED_TRACE(std::string(field.name) + ": " + c.what);
            db.execute("delete from MUNASKA_TEMP");
            open();
            if (field.chainStarted)
                startChain();
            else
                showActive();
            QLineEdit* box = field.reach();
            ASSERT_NE(box, nullptr);
            box->setFocus();
            box->clear();
            testsupport::expectPasted(box, c, messages);
            testsupport::discardOpenCellEditor();
            dialog.reset();
        }
    }
}

TEST_F(Form6NamesTest, PastedMultiLineNamesAreStoredOnOneLine) {
    open();
    showActive();
    boxOf("DBList_deth_name")->clear();
    paste("احمد\nبن علي\n");
    QTest::keyClick(boxOf("DBList_deth_name"), Qt::Key_Return);
    QCoreApplication::processEvents();
    QLineEdit* cell = heirNameCell();
    ASSERT_NE(cell, nullptr);
    paste("فاطمة\r\nالزهراء");
    QTest::keyClick(cell, Qt::Key_Return);
    QCoreApplication::processEvents();
    goTo(1, Col::Relation);
    typeText(grid(), "ز");
    pick("DBList_relation", "زوجة");
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.last().toStdString();
    EXPECT_EQ(chainRows().join(" ; ").toStdString(), "||احمد بن علي|1 ; زوجة|فاطمة الزهراء||1");
    testsupport::discardOpenCellEditor();
}

} // namespace
