#include "platform/widgets/AccessKeyCaption.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

using platform::AccessKeyCaption;

namespace {

TEST(AccessKeyCaption, TheCaptionIsDrawnWithoutItsMarkAndKnowsItsLetter) {
    const struct {
        QString caption;
        QString drawn;
        QChar key;
    } cases[] = {
        {"ال&قائمة الرئيسية", "القائمة الرئيسية", QChar(0x0642)},
        {"اظ&هار المسألة", "اظهار المسألة", QChar(0x0647)},
        {"قسمة ت&ركة معينة", "قسمة تركة معينة", QChar(0x0631)},
        {"مسألة &جديدة", "مسألة جديدة", QChar(0x062C)},
        {"&تنفيذ", "تنفيذ", QChar(0x062A)},
        {"حفظ && طبع", "حفظ & طبع", QChar()},
        {"بلا علامة", "بلا علامة", QChar()},
        {"&&&s", "&s", QChar('s')},
        {"نهاية&", "نهاية", QChar()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption.toStdString());
        EXPECT_EQ(AccessKeyCaption::plainText(c.caption), c.drawn);
        EXPECT_EQ(AccessKeyCaption::accessKey(c.caption), c.key);
    }
}

class AccessKeyWindow : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        for (QPushButton** b : {&menu, &percent, &show})
            layout->addWidget(*b = new QPushButton(&window));
        menu->setObjectName("Command1");
        percent->setObjectName("Command_percent");
        show->setObjectName("Command_show_case");
        AccessKeyCaption::apply(menu, "ال&قائمة الرئيسية");
        AccessKeyCaption::apply(percent, "ال&قسام بالنسبة المئوية");
        AccessKeyCaption::apply(show, "اظ&هار المسألة");
        for (QPushButton* b : {menu, percent, show})
            QObject::connect(b, &QPushButton::clicked, [this, b] { clicked << b->objectName(); });
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    // Alt and an Arabic letter, as an Arabic keyboard layout reports them.
    void altKey(QChar letter) {
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget() ? QApplication::focusWidget() : &window,
                            static_cast<Qt::Key>(letter.unicode()), QString(letter), Qt::AltModifier);
    }

    QWidget window;
    QPushButton* menu = nullptr;
    QPushButton* percent = nullptr;
    QPushButton* show = nullptr;
    QStringList clicked;
};

TEST_F(AccessKeyWindow, AltAndTheMarkedLetterPressesTheButton) {
    EXPECT_EQ(show->text(), "اظهار المسألة");
    EXPECT_NE(show->findChild<QShortcut*>("Command_show_case_accessKey"), nullptr);
    altKey(QChar(0x0647));
    EXPECT_EQ(clicked, QStringList{"Command_show_case"});

    show->setEnabled(false);
    altKey(QChar(0x0647));
    show->setEnabled(true);
    show->hide();
    altKey(QChar(0x0647));
    EXPECT_EQ(clicked, QStringList{"Command_show_case"});
}

TEST_F(AccessKeyWindow, TwoButtonsWithOneLetterTakeTurnsAtTheFocusWithoutBeingPressed) {
    altKey(QChar(0x0642));
    QWidget* first = QApplication::focusWidget();
    altKey(QChar(0x0642));
    QWidget* second = QApplication::focusWidget();
    EXPECT_TRUE(clicked.isEmpty());
    EXPECT_NE(first, second);
    EXPECT_TRUE(first == menu || first == percent);
    EXPECT_TRUE(second == menu || second == percent);
}

} // namespace
