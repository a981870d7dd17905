#include "platform/widgets/AccessKeys.h"
#include "platform/widgets/AccessKeyCaption.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using platform::AccessKeyCaption;
using platform::AccessKeys;

// Alt and a key as each keyboard layout may report it.
struct Layout {
    const char* name;
    bool arabicCode; // the key code is the Arabic letter, not the Latin one
    bool arabicText; // the text is the Arabic letter
};

const Layout layouts[] = {
    {"Latin", false, false},
    {"Arabic", true, true},
    {"Arabic, Latin key code", false, true},
    {"Arabic, no text", true, false},
};

void altKey(QWidget* to, const Layout& layout, Qt::Key latin, QChar arabic) {
    const Qt::Key code = layout.arabicCode ? static_cast<Qt::Key>(arabic.unicode()) : latin;
    const QString text = layout.arabicText ? QString(arabic) : QString(QChar(latin).toLower());
    QTest::sendKeyEvent(QTest::Click, to, code, layout.arabicCode && !layout.arabicText ? QString() : text,
                        Qt::AltModifier);
}

// A window with captioned buttons, a hidden captioned button and hidden Latin twins.
class AccessKeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        box = new QLineEdit(&window);
        layout->addWidget(box);
        save = button("Command_save", "&خزن");
        menu = button("Command1", "ال&قائمة الرئيسية");
        newCase = button("Command_new", "مسألة &جديدة");
        remove = button("Command_delete", "&حذف");
        remove->hide();
        // The twins: one of a shown button, one of a hidden button, one of a command with no button.
        twin("Command_ALTER_SAVE", Qt::Key_O, "save twin");
        twin("Command_ALTER_delete", Qt::Key_P, "delete twin");
        auto* print = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_L), &window);
        print->setObjectName("Command_ALTER_print");
        QObject::connect(print, &QShortcut::activated, [this] { ran << "print twin"; });
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QPushButton* button(const char* name, const char* caption) {
        auto* b = new QPushButton(&window);
        b->setObjectName(name);
        window.layout()->addWidget(b);
        AccessKeyCaption::apply(b, QString::fromUtf8(caption));
        QObject::connect(b, &QPushButton::clicked, [this, b] {
            ran << b->objectName();
            focusAtClick = QApplication::focusWidget();
        });
        return b;
    }
    void twin(const char* name, Qt::Key key, const char* runs) {
        auto* action = new QAction(&window);
        action->setObjectName(name);
        action->setShortcut(QKeySequence(Qt::ALT | key));
        window.addAction(action);
        QObject::connect(action, &QAction::triggered, [this, runs] { ran << runs; });
    }

    QWidget window;
    QLineEdit* box = nullptr;
    QPushButton* save = nullptr;
    QPushButton* menu = nullptr;
    QPushButton* newCase = nullptr;
    QPushButton* remove = nullptr;
    QStringList ran;
    QWidget* focusAtClick = nullptr;
};

// Every key answers once, the same under every layout: the shown caption before its twin, a twin
// where its button is hidden or where there is no button.
TEST_F(AccessKeysTest, EachKeyRunsOneCommandUnderEveryLayout) {
    const struct {
        Qt::Key latin;
        char16_t arabic;
        const char* runs;
    } keys[] = {
        {Qt::Key_O, 0x062E, "Command_save"},
        {Qt::Key_R, 0x0642, "Command1"},
        {Qt::Key_BracketLeft, 0x062C, "Command_new"},
        {Qt::Key_P, 0x062D, "delete twin"},
        {Qt::Key_L, 0x0645, "print twin"},
    };
    for (const Layout& layout : layouts) {
        for (const auto& k : keys) {
            SCOPED_TRACE(std::string(layout.name) + " " + k.runs);
            ran.clear();
            box->setFocus();
            altKey(box, layout, k.latin, QChar(k.arabic));
            EXPECT_EQ(ran, QStringList{k.runs});
        }
    }
}

// A key of no command is left alone; a disabled button and a disabled twin do not answer.
TEST_F(AccessKeysTest, AKeyWithNothingOnItOrWithItsCommandDisabledDoesNothing) {
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        ran.clear();
        altKey(box, layout, Qt::Key_Z, QChar(0x0626));
        menu->setEnabled(false);
        altKey(box, layout, Qt::Key_R, QChar(0x0642));
        menu->setEnabled(true);
        window.findChild<QAction*>("Command_ALTER_delete")->setEnabled(false);
        altKey(box, layout, Qt::Key_P, QChar(0x062D));
        window.findChild<QAction*>("Command_ALTER_delete")->setEnabled(true);
        EXPECT_TRUE(ran.isEmpty()) << ran.join(',').toStdString();
    }
}

// The key presses the button as a click does: the box the user was in has lost the focus first.
TEST_F(AccessKeysTest, TheCaptionsKeyMovesTheFocusToTheButtonBeforeItsCommand) {
    box->setFocus();
    altKey(box, layouts[0], Qt::Key_O, QChar(0x062E));
    EXPECT_EQ(ran, QStringList{"Command_save"});
    EXPECT_EQ(focusAtClick, save);
}

// A shown button sharing its key with another takes turns at the focus under either layout.
TEST_F(AccessKeysTest, TwoShownButtonsOnOneKeyTakeTurnsAtTheFocus) {
    QPushButton* percent = button("Command_percent", "ال&قسام بالنسبة المئوية");
    percent->show();
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        box->setFocus();
        altKey(box, layout, Qt::Key_R, QChar(0x0642));
        QWidget* first = QApplication::focusWidget();
        altKey(first, layout, Qt::Key_R, QChar(0x0642));
        QWidget* second = QApplication::focusWidget();
        EXPECT_TRUE(ran.isEmpty());
        EXPECT_EQ(QSet<QWidget*>({first, second}), QSet<QWidget*>({menu, percent}));
    }
}

TEST(AccessKeys, TheKeyOfAnAltKeyIsItsLatinLetterUnderEitherLayout) {
    const struct {
        int code;
        QString text;
        Qt::KeyboardModifiers modifiers;
        QChar key;
    } cases[] = {
        {Qt::Key_J, "j", Qt::AltModifier, u'j'},
        {0x062A, "ت", Qt::AltModifier, u'j'},
        {Qt::Key_unknown, "ت", Qt::AltModifier, u'j'},
        {Qt::Key_Semicolon, ";", Qt::AltModifier, u';'},
        {0x0643, "ك", Qt::AltModifier, u';'},
        {0xFEFB, QString(QChar(0xFEFB)), Qt::AltModifier, u'b'},
        {0x0623, "أ", Qt::AltModifier, u'h'},
        {Qt::Key_J, "j", Qt::AltModifier | Qt::KeypadModifier, u'j'},
        {Qt::Key_J, "j", Qt::NoModifier, QChar()},
        {Qt::Key_J, "j", Qt::AltModifier | Qt::ShiftModifier, QChar()},
        {Qt::Key_J, "j", Qt::AltModifier | Qt::ControlModifier, QChar()},
        {Qt::Key_5, "5", Qt::AltModifier, QChar()},
        {Qt::Key_F4, "", Qt::AltModifier, QChar()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " " + std::to_string(c.code));
        const QKeyEvent event(QEvent::KeyPress, c.code, c.modifiers, c.text);
        EXPECT_EQ(AccessKeys::keyOf(&event), c.key);
    }
}

} // namespace
