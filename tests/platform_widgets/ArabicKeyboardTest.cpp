#include "platform/widgets/ArabicKeyboard.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

using platform::ArabicKeyboard;

QString letters(std::initializer_list<char16_t> codes) {
    QString s;
    for (char16_t c : codes)
        s += QChar(c);
    return s;
}

// A window with an Arabic field, a number field inside it and a window that is not marked.
class ArabicKeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ArabicKeyboard::setOn(false);
        auto* layout = new QVBoxLayout(&window);
        name = new QLineEdit(&window);
        number = new QLineEdit(&window);
        layout->addWidget(name);
        layout->addWidget(number);
        ArabicKeyboard::setMapped(&window, true);
        ArabicKeyboard::setMapped(number, false);
        other = std::make_unique<QLineEdit>();
    }
    void TearDown() override { ArabicKeyboard::setOn(false); }

    // A key as the system delivers it: its key code and the text it types.
    static void type(QWidget* w, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        for (const QChar c : text) {
            const auto code = c.unicode() < 0x80 ? Qt::Key(QChar(c).toUpper().unicode()) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Press, w, code, QString(c), modifiers);
            QTest::sendKeyEvent(QTest::Release, w, code, QString(c), modifiers);
        }
    }

    QWidget window;
    QLineEdit* name = nullptr;
    QLineEdit* number = nullptr;
    std::unique_ptr<QLineEdit> other;
};

TEST_F(ArabicKeyboardTest, WhileOnTheTriggersOfAMappedFieldArriveInArabic) {
    ArabicKeyboard::setOn(true);
    type(name, QStringLiteral("hpl]"));
    EXPECT_EQ(name->text(), QStringLiteral("احمد"));
    // "b" is two letters; digits, the space and the keys both layouts share arrive as typed.
    name->clear();
    type(name, QStringLiteral("b:\"2 \\"));
    EXPECT_EQ(name->text(), letters({0x0644, 0x0627}) + QStringLiteral(":\"2 \\"));
    EXPECT_TRUE(ArabicKeyboard::isOn());
}

// Shift and a key type what the Arabic (101) layout has on that key with Shift.
TEST_F(ArabicKeyboardTest, WhileOnShiftTypesTheShiftedArabicOfTheKey) {
    const struct {
        Qt::Key key;
        const char* typed; // what the Latin layout types with Shift
        QString arabic;
    } cases[] = {
        {Qt::Key_H, "H", letters({0x0623})},           {Qt::Key_Y, "Y", letters({0x0625})},
        {Qt::Key_N, "N", letters({0x0622})},           {Qt::Key_T, "T", letters({0x0644, 0x0625})},
        {Qt::Key_G, "G", letters({0x0644, 0x0623})},   {Qt::Key_B, "B", letters({0x0644, 0x0622})},
        {Qt::Key_Q, "Q", letters({0x064E})},           {Qt::Key_X, "X", letters({0x0652})},
        {Qt::Key_AsciiTilde, "~", letters({0x0651})},  {Qt::Key_J, "J", letters({0x0640})},
        {Qt::Key_K, "K", letters({0x060C})},           {Qt::Key_P, "P", letters({0x061B})},
        {Qt::Key_Question, "?", letters({0x061F})},    {Qt::Key_D, "D", QStringLiteral("]")},
        {Qt::Key_BraceLeft, "{", QStringLiteral("<")}, {Qt::Key_Less, "<", QStringLiteral(",")},
        {Qt::Key_ParenLeft, "(", QStringLiteral(")")}, {Qt::Key_At, "@", QStringLiteral("@")},
        {Qt::Key_Colon, ":", QStringLiteral(":")},
    };
    ArabicKeyboard::setOn(true);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        name->clear();
        QTest::sendKeyEvent(QTest::Click, name, c.key, QString::fromLatin1(c.typed), Qt::ShiftModifier);
        EXPECT_EQ(name->text(), c.arabic);
    }
    // Caps Lock gives a capital without Shift: an Arabic letter has no capital.
    name->clear();
    type(name, QStringLiteral("H"));
    EXPECT_EQ(name->text(), letters({0x0627}));
    // Outside the Arabic fields Shift types what the Latin layout has.
    QTest::sendKeyEvent(QTest::Click, number, Qt::Key_H, QStringLiteral("H"), Qt::ShiftModifier);
    EXPECT_EQ(number->text(), QStringLiteral("H"));
}

TEST_F(ArabicKeyboardTest, OffOrOutsideTheMappedFieldsKeysArriveAsTyped) {
    type(name, QStringLiteral("hpl"));
    EXPECT_EQ(name->text(), QStringLiteral("hpl"));
    ArabicKeyboard::setOn(true);
    type(number, QStringLiteral("2.5"));
    type(other.get(), QStringLiteral("abc"));
    EXPECT_EQ(number->text(), QStringLiteral("2.5"));
    EXPECT_EQ(other->text(), QStringLiteral("abc"));
}

// Shortcuts keep their keys: Alt+J is the run twin, not an Arabic letter.
TEST_F(ArabicKeyboardTest, AnAltShortcutStillWorksWhileTheModeIsOn) {
    int triggered = 0;
    auto* action = new QAction(&window);
    action->setShortcut(QKeySequence(Qt::ALT | Qt::Key_J));
    window.addAction(action);
    QObject::connect(action, &QAction::triggered, [&] { ++triggered; });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    name->setFocus();
    ArabicKeyboard::setOn(true);
    QTest::keyClick(name, Qt::Key_J, Qt::AltModifier);
    EXPECT_EQ(triggered, 1);
    EXPECT_EQ(name->text(), QString());
}

// A key that already types an Arabic character comes from an Arabic system layout.
TEST_F(ArabicKeyboardTest, AnArabicKeySetsTheModeOff) {
    ArabicKeyboard::setOn(true);
    type(name, QStringLiteral("ش"));
    EXPECT_FALSE(ArabicKeyboard::isOn());
    type(name, QStringLiteral("h"));
    EXPECT_EQ(name->text(), QStringLiteral("شh"));
}

TEST_F(ArabicKeyboardTest, ALamAlefLigatureArrivesAsTwoLetters) {
    for (QLineEdit* field : {name, number, other.get()}) {
        field->clear();
        type(field, QStringLiteral("اخ ") + QChar(0xFEFB) + QStringLiteral("ب"));
        EXPECT_EQ(field->text(), QStringLiteral("اخ لاب"));
        type(field, QString(QChar(0xFEF7)));
        EXPECT_TRUE(field->text().endsWith(letters({0x0644, 0x0623})));
    }
}

} // namespace
