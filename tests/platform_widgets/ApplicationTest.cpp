#include "platform/widgets/Application.h"
#include "data/Database.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

using platform::Application;

// A screen with one of each kind of control a command is given in.
struct Screen {
    QWidget window;
    QGroupBox* box = new QGroupBox(QStringLiteral("تفاصيل المسألة"), &window);
    QPushButton* button = new QPushButton(QStringLiteral("&خزن"), box);
    QPushButton* iconButton = new QPushButton(box);
    QLabel* label = new QLabel(QStringLiteral("اسم المعد:"), box);
    QLineEdit* field = new QLineEdit(box);
    QLineEdit* unnamed = new QLineEdit(box);
    QLabel* rowCaption = new QLabel(QStringLiteral("اسم المتوفي"), box);
    QLineEdit* besideItsCaption = new QLineEdit(box);
    QComboBox* list = new QComboBox(box);
    QTableView* grid = new QTableView(box);
    QStandardItemModel model{2, 2};

    Screen() {
        auto* layout = new QVBoxLayout(box);
        for (QWidget* w :
             std::initializer_list<QWidget*>{button, iconButton, label, field, unnamed, list, grid})
            layout->addWidget(w);
        auto* row = new QHBoxLayout;
        row->addWidget(rowCaption);
        row->addWidget(besideItsCaption);
        layout->addLayout(row);
        label->setBuddy(field);
        iconButton->setToolTip(QStringLiteral("انهاء البرنامج"));
        model.setHorizontalHeaderLabels({QStringLiteral("الصلة"), QStringLiteral("اسم الوارث")});
        grid->setModel(&model);
        grid->setCurrentIndex(model.index(0, 1));
        window.resize(300, 400);
    }
};

bool isCommandKey(QWidget* w, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    const QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    return Application::isCommand(w, &press);
}

// Typing stays free while another program holds the database; every key that can move, take or
// run something is a command.
TEST(Application, TellsTypingFromCommands) {
    Screen s;
    const struct {
        const char* what;
        QWidget* widget;
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        bool command;
    } cases[] = {
        {"a letter in a field", s.field, Qt::Key_A, {}, QStringLiteral("ب"), false},
        {"a capital in a field", s.field, Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A"), false},
        {"a blank in a field", s.field, Qt::Key_Space, {}, QStringLiteral(" "), false},
        {"Backspace in a field", s.field, Qt::Key_Backspace, {}, QStringLiteral("\b"), false},
        {"Enter in a field", s.field, Qt::Key_Return, {}, QStringLiteral("\r"), true},
        {"Tab out of a field", s.field, Qt::Key_Tab, {}, QStringLiteral("\t"), true},
        {"Ctrl+V in a field", s.field, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"), true},
        {"an access key", s.field, Qt::Key_S, Qt::AltModifier, QStringLiteral("s"), true},
        {"a letter in a grid", s.grid, Qt::Key_A, {}, QStringLiteral("ا"), false},
        {"Delete in a grid", s.grid, Qt::Key_Delete, {}, QStringLiteral("\x7f"), true},
        {"an arrow in a grid", s.grid, Qt::Key_Down, {}, QString(), true},
        {"F5 in a grid", s.grid, Qt::Key_F5, {}, QString(), true},
        {"Space on a button", s.button, Qt::Key_Space, {}, QStringLiteral(" "), true},
        {"a letter on a button", s.button, Qt::Key_A, {}, QStringLiteral("a"), true},
        {"a letter in a closed list", s.list, Qt::Key_A, {}, QStringLiteral("ا"), true},
        {"Shift before a capital", s.field, Qt::Key_Shift, Qt::ShiftModifier, QString(), false},
        {"Alt before an access key", s.button, Qt::Key_Alt, Qt::AltModifier, QString(), false},
        {"Caps Lock in a grid", s.grid, Qt::Key_CapsLock, {}, QString(), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isCommandKey(c.widget, c.key, c.modifiers, c.text), c.command) << c.what;

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::LeftButton,
                      {});
    EXPECT_TRUE(Application::isCommand(s.field, &press));
    QWheelEvent overList(QPointF(1, 1), QPointF(1, 1), {}, QPoint(0, 120), Qt::NoButton, {},
                         Qt::NoScrollPhase, false);
    EXPECT_TRUE(Application::isCommand(s.list, &overList));
    EXPECT_FALSE(Application::isCommand(s.grid->viewport(), &overList));
    QEvent timer(QEvent::Timer);
    EXPECT_FALSE(Application::isCommand(s.button, &timer));
}

TEST(Application, NamesACommandByItsButtonFieldOrColumn) {
    Screen s;
    const QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, {}, QStringLiteral("\r"));
    EXPECT_EQ(Application::commandName(s.button, &enter), QStringLiteral("تنفيذ «خزن»"));
    EXPECT_EQ(Application::commandName(s.iconButton, &enter), QStringLiteral("تنفيذ «انهاء البرنامج»"));
    EXPECT_EQ(Application::commandName(s.field, &enter), QStringLiteral("تنفيذ الأمر في «اسم المعد»"));
    EXPECT_EQ(Application::commandName(s.grid, &enter), QStringLiteral("تنفيذ الأمر في «اسم الوارث»"));
    EXPECT_EQ(Application::commandName(s.besideItsCaption, &enter),
              QStringLiteral("تنفيذ الأمر في «اسم المتوفي»"));
    EXPECT_EQ(Application::commandName(s.unnamed, &enter), QStringLiteral("تنفيذ الأمر في «تفاصيل المسألة»"));
}

// A refused press is refused with its release: the button is not left half pressed, nor is it
// clicked when the release comes; typing goes on meanwhile.
TEST(Application, ARefusedCommandTakesItsReleaseWithItAndLeavesTypingAlone) {
    Screen s;
    s.window.show();
    int refusals = 0;
    bool free = false;
    Application::setCommandRule([&](const std::function<QString()>&, const std::function<bool()>& command) {
        if (!free) {
            ++refusals;
            return false;
        }
        command();
        return true;
    });
    int clicks = 0;
    QObject::connect(s.button, &QPushButton::clicked, [&] { ++clicks; });

    QTest::mouseClick(s.button, Qt::LeftButton);
    QTest::keyClick(s.button, Qt::Key_Space);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(refusals, 2);
    EXPECT_FALSE(s.button->isDown());
    for (QChar c : QStringLiteral("زيد")) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, {}, QString(c));
        QApplication::sendEvent(s.field, &key);
    }
    EXPECT_EQ(s.field->text(), QStringLiteral("زيد"));

    free = true;
    QTest::mouseClick(s.button, Qt::LeftButton);
    QTest::keyClick(s.button, Qt::Key_Space);
    EXPECT_EQ(clicks, 2);
    Application::setCommandRule(data::Database::runCommand);
}

} // namespace
