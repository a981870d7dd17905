#include "EntryFixture.h"

#include "entry/Form12.h"
#include "platform/widgets/ArabicKeyboard.h"
#include "platform/widgets/FirstKeyConversion.h"
#include "support/TypedKeys.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>

namespace {

using engine::EntryStage;
using platform::ArabicKeyboard;
using platform::FirstKeyConversion;

// A field of a data-entry dialogue that converts the first key typed into it.
struct FieldCase {
    const char* dialogue;
    const char* field; // objectName
    int column = -1;   // a grid: the column typed into, on its empty entry row
};

void PrintTo(const FieldCase& c, std::ostream* out) {
    *out << c.dialogue << "." << c.field;
}

// The dialogues under test, opened at the stage that shows their Arabic fields. A grid's dialogue
// holds one stored row whose cells are all filled, above the empty entry row.
using Opener = std::function<std::unique_ptr<QWidget>(entrytest::EntryFixture&)>;

class FirstKeyConversionTest : public entrytest::EntryFixture,
                               public ::testing::WithParamInterface<FieldCase> {
public:
    static std::unique_ptr<QWidget> openForm12(entrytest::EntryFixture& f) {
        auto& self = static_cast<FirstKeyConversionTest&>(f);
        self.addHeirs({{"ابن", "علي"}});
        self.setStage(EntryStage::Details);
        return std::make_unique<entry::Form12>(self.db, self.host);
    }

protected:
    static const std::map<std::string, Opener>& openers() {
        static const std::map<std::string, Opener> all = {{"Form12", &openForm12}};
        return all;
    }

    void SetUp() override {
        ArabicKeyboard::setOn(false);
        dialog = openers().at(GetParam().dialogue)(*this);
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        QTest::qWait(30);
        target = dialog->findChild<QWidget*>(QString::fromLatin1(GetParam().field));
        ASSERT_NE(target, nullptr);
        conversion = dialog->findChild<FirstKeyConversion*>();
        ASSERT_NE(conversion, nullptr);
        arabic = dialog->findChild<QRadioButton*>("Option_AR");
        latin = dialog->findChild<QRadioButton*>("Option2");
        ASSERT_TRUE(arabic && latin);
        ASSERT_TRUE(arabic->isChecked());
        grid = qobject_cast<QAbstractItemView*>(target);
        enter();
    }
    void TearDown() override {
        testsupport::discardOpenCellEditor();
        dialog.reset();
        ArabicKeyboard::setOn(false);
    }

    // Puts the focus into the empty field, as the user would: a grid on its empty entry row.
    void enter() {
        for (QWidget* w = target; w && w != dialog.get(); w = w->parentWidget())
            w->show();
        if (grid) {
            grid->setFocus();
            const int entryRow = grid->model()->rowCount() - 1;
            grid->setCurrentIndex(grid->model()->index(entryRow, GetParam().column));
        } else {
            // The relation list, for one, opens holding a relation.
            field()->clear();
            target->setFocus();
        }
        ASSERT_TRUE(field() || grid->hasFocus());
    }
    // The line that holds the field's text: a text box, a combo's box, a grid cell's open editor.
    QLineEdit* field() const {
        if (auto* line = qobject_cast<QLineEdit*>(target))
            return line;
        if (auto* box = qobject_cast<QComboBox*>(target))
            return box->lineEdit();
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        return editor && grid->viewport()->isAncestorOf(editor) ? editor : nullptr;
    }
    QString text() const {
        if (QLineEdit* line = field())
            return line->text();
        return grid->currentIndex().data().toString();
    }
    int caret() const { return field() ? field()->cursorPosition() : -1; }

    // Empties the field, with the keyboard back on Latin; a grid cell's editor is closed unsaved.
    void empty() {
        if (grid) {
            if (QLineEdit* editor = field())
                QTest::keyClick(editor, Qt::Key_Escape);
            grid->setFocus();
            const int entryRow = grid->model()->rowCount() - 1;
            grid->setCurrentIndex(grid->model()->index(entryRow, GetParam().column));
        } else {
            field()->clear();
        }
        ArabicKeyboard::setOn(false);
    }
    static void type(const QString& keys) { testsupport::typeKeys(keys); }

    std::unique_ptr<QWidget> dialog;
    QWidget* target = nullptr;
    QAbstractItemView* grid = nullptr;
    FirstKeyConversion* conversion = nullptr;
    QRadioButton* arabic = nullptr;
    QRadioButton* latin = nullptr;
};

TEST_P(FirstKeyConversionTest, ATriggerBecomesTheArabicOnItsKeyWithTheCaretAfterIt) {
    const std::pair<const char*, QString> cases[] = {
        {"a", "ش"}, {"A", "ش"}, {";", "ك"}, {"'", "ط"}, {"b", "لا"}, {"B", "لا"}, {"m", "ة"},
        {"[", "ج"}, {"]", "د"}, {"`", "ذ"}, {",", "و"}, {".", "ز"},  {"/", "ظ"},  {"z", "ئ"},
    };
    for (const auto& [key, arabicText] : cases) {
        SCOPED_TRACE(key);
        empty();
        type(QString::fromLatin1(key));
        EXPECT_EQ(text(), arabicText);
        EXPECT_EQ(caret(), arabicText.size());
        EXPECT_TRUE(ArabicKeyboard::isOn());
        EXPECT_EQ(conversion->lastLatinKey(), QString::fromLatin1(key));
        EXPECT_EQ(conversion->firstKeyPending(), 0);
    }
}

// Shifted punctuation, the double quote, digits, the space and Arabic letters stay as typed, but
// they are the last key all the same.
TEST_P(FirstKeyConversionTest, OtherKeysAreTypedAsUsual) {
    for (const QString key : {":", "\"", "2", " ", "ش", "?", "{"}) {
        SCOPED_TRACE(key.toStdString());
        empty();
        type(key);
        EXPECT_EQ(text(), key);
        EXPECT_FALSE(ArabicKeyboard::isOn());
        EXPECT_EQ(conversion->lastLatinKey(), key);
        EXPECT_EQ(conversion->firstKeyPending(), 0);
    }
}

// A field with a text does not convert, even when the whole text is selected and the key
// replaces it.
TEST_P(FirstKeyConversionTest, AFieldWithATextDoesNotConvert) {
    if (grid) {
        // The stored row's cell: the key opens its editor with the old text selected.
        grid->setCurrentIndex(grid->model()->index(0, GetParam().column));
        ASSERT_FALSE(text().isEmpty());
        type("a");
        EXPECT_EQ(text(), "a");
    } else {
        field()->setText("سالم");
        type("a");
        EXPECT_EQ(text(), "سالمa");
        field()->selectAll();
        type("h");
        EXPECT_EQ(text(), "h");
    }
    EXPECT_FALSE(ArabicKeyboard::isOn());
    EXPECT_EQ(conversion->lastLatinKey(), QString());
}

TEST_P(FirstKeyConversionTest, AFieldEmptiedConvertsAgain) {
    type("a");
    ASSERT_EQ(text(), "ش");
    // Emptied with Backspace, the keyboard still Arabic: the key arrives in Arabic.
    type("\b");
    ASSERT_EQ(text(), QString());
    type("h");
    EXPECT_EQ(text(), "ا");
    // Emptied again with the keyboard back on Latin: the field converts again.
    type("\b");
    ArabicKeyboard::setOn(false);
    type("h");
    EXPECT_EQ(text(), "ا");
    EXPECT_EQ(caret(), 1);
    EXPECT_TRUE(ArabicKeyboard::isOn());
}

TEST_P(FirstKeyConversionTest, TheRestOfTheNameFollowsInArabic) {
    type("hpl]");
    EXPECT_EQ(text(), "احمد");
    EXPECT_EQ(caret(), 4);
}

// "EN" is the way to begin a field in Latin; it also sets the keyboard back to Latin.
TEST_P(FirstKeyConversionTest, WithEnNothingConvertsAndLatinStaysLatin) {
    ArabicKeyboard::setOn(true);
    latin->setChecked(true);
    EXPECT_FALSE(ArabicKeyboard::isOn());
    enter();
    type("hpl]");
    EXPECT_EQ(text(), "hpl]");
    EXPECT_FALSE(ArabicKeyboard::isOn());
    EXPECT_EQ(conversion->lastLatinKey(), QString());
    EXPECT_EQ(conversion->firstKeyPending(), 0);
}

// A user whose system keyboard is Arabic: nothing converts and the program's keyboard is off.
TEST_P(FirstKeyConversionTest, ArabicKeysArriveUnchanged) {
    ArabicKeyboard::setOn(true);
    type("احمد");
    EXPECT_EQ(text(), "احمد");
    EXPECT_FALSE(ArabicKeyboard::isOn());
    empty();
    // The layout types lam-alef as one character; the field gets its two letters.
    type(QString(QChar(0xFEFB)) + "ب");
    EXPECT_EQ(text(), "لاب");
    EXPECT_FALSE(ArabicKeyboard::isOn());
}

INSTANTIATE_TEST_SUITE_P(Form12, FirstKeyConversionTest,
                         ::testing::Values(FieldCase{"Form12", "Text_deth_name"},
                                           FieldCase{"Form12", "Text_DATA_ENTRY_NAME"},
                                           FieldCase{"Form12", "Text_ADRESS_ENTRY_NAME"},
                                           FieldCase{"Form12", "DBList_relation"},
                                           FieldCase{"Form12", "DBGrid1", 1}),
                         [](const ::testing::TestParamInfo<FieldCase>& info) {
                             return std::string(info.param.dialogue) + "_" + info.param.field;
                         });

} // namespace
