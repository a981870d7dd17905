// Names typed or pasted into the successive-deaths dialogue are single-line text of a length the
// screens and the report can show.
#include "Form6Fixture.h"

#include "support/TypedKeys.h"

#include <QClipboard>

#include <functional>

namespace {

using form6test::Col;

QString repeated(const QString& piece, int times) {
    QString text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

class Form6NamesTest : public form6test::Form6Test {
protected:
    // Ctrl+V where the focus is, with the text on the clipboard; then what the paste queued.
    static void paste(const QString& text) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
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
    const struct {
        const char* what;
        QString pasted;
        QString kept;
        const char* refusal; // a piece of the message; nullptr: none
    } cases[] = {
        {"a line break becomes a blank", "سالم\nبن علي", "سالم بن علي", nullptr},
        {"a NUL is refused", "سالم" + QString(QChar(0)), "", "رموز التحكم"},
        {"a lone surrogate is refused", QString(QChar(0xDC00)) + "سالم", "", "غير صالح"},
        {"101 characters are refused, not cut", repeated("س", 101), "", "100"},
    };
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
        for (const auto& c : cases) {
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
            const qsizetype before = messages.texts().size();
            paste(c.pasted);
            EXPECT_EQ(box->text().toStdString(), c.kept.toStdString());
            if (c.refusal) {
                EXPECT_EQ(messages.texts().size(), before + 1);
                EXPECT_TRUE(messages.last().contains(QString::fromUtf8(c.refusal)))
                    << messages.last().toStdString();
            } else {
                EXPECT_EQ(messages.texts().size(), before) << messages.last().toStdString();
            }
            EXPECT_TRUE(box->hasFocus());
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
