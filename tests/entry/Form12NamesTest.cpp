// Names typed or pasted into the case-entry dialogue are single-line text of a length the screens
// and the report can show.
#include "EntryFixture.h"

#include "entry/Form12.h"

#include <QApplication>
#include <QClipboard>
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

const QChar Nul(0);

QString repeated(const QString& piece, int times) {
    QString text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

// What a paste into an empty name field must leave there.
struct PasteCase {
    const char* what;
    QString pasted;
    QString kept;        // the field's text afterwards
    const char* refusal; // a piece of the message shown; nullptr: no message
};

std::vector<PasteCase> pasteCases() {
    const QString emoji = QStringLiteral("\U0001F600");
    return {
        {"a line break becomes a blank", "محمد\nعلي", "محمد علي", nullptr},
        {"CR LF becomes one blank", "محمد\r\nعلي", "محمد علي", nullptr},
        {"a break at either end is dropped", "\nمحمد علي\n", "محمد علي", nullptr},
        {"a tab becomes a blank", "محمد\tعلي", "محمد علي", nullptr},
        {"a NUL is refused", "محمد" + QString(Nul) + "علي", "", "رموز التحكم"},
        {"another control character is refused", "محمد\aعلي", "", "رموز التحكم"},
        {"a lone surrogate is refused", "محمد" + QString(QChar(0xD800)), "", "غير صالح"},
        {"an emoji is a character like any other", emoji + " علي", emoji + " علي", nullptr},
        {"100 characters are taken", repeated("م", 100), repeated("م", 100), nullptr},
        // 200 UTF-16 units, but 100 characters.
        {"100 emoji are 100 characters", repeated(emoji, 100), repeated(emoji, 100), nullptr},
        {"101 characters are refused, not cut", repeated("م", 101), "", "100"},
    };
}

class Form12NamesTest : public EntryFixture {
protected:
    Form12& openDetails() {
        setStage(EntryStage::Details);
        dialog = std::make_unique<Form12>(db, host, entry::ExitHooks{[] {}, [] {}});
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        QCoreApplication::processEvents();
        return *dialog;
    }
    template <typename T> T* child(const char* name) const {
        T* w = dialog->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
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
    // Ctrl+V where the focus is, with the text on the clipboard; then what the paste queued.
    static void paste(const QString& text) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    void expectPasted(QLineEdit* field, const PasteCase& c) {
        const qsizetype before = messages.texts().size();
        paste(c.pasted);
        EXPECT_EQ(field->text().toStdString(), c.kept.toStdString());
        if (c.refusal) {
            EXPECT_EQ(messages.texts().size(), before + 1);
            EXPECT_TRUE(messages.last().contains(QString::fromUtf8(c.refusal)))
                << messages.last().toStdString();
        } else {
            EXPECT_EQ(messages.texts().size(), before) << messages.last().toStdString();
        }
        // The user mends the name where he is.
        EXPECT_TRUE(field->hasFocus());
    }

    std::unique_ptr<Form12> dialog;
};

TEST_F(Form12NamesTest, EveryNameFieldTakesOneLineOfAShowableLength) {
    openDetails();
    for (const char* field : {"Text_deth_name", "Text_DATA_ENTRY_NAME", "Text_ADRESS_ENTRY_NAME"}) {
        for (const PasteCase& c : pasteCases()) {
            SCOPED_TRACE(std::string(field) + ": " + c.what);
            expectPasted(emptyField(field), c);
        }
    }
}

TEST_F(Form12NamesTest, TheHeirNameCellTakesOneLineOfAShowableLength) {
    openDetails();
    for (const PasteCase& c : pasteCases()) {
        SCOPED_TRACE(c.what);
        QLineEdit* editor = emptyHeirNameCell();
        ASSERT_NE(editor, nullptr);
        expectPasted(editor, c);
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
