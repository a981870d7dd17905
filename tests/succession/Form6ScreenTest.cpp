#include "Form6Fixture.h"

#include "support/TypedKeys.h"

namespace {

using namespace form6test;

class Form6ScreenTest : public Form6Test {
protected:
    static QString focusName() {
        QWidget* w = QApplication::focusWidget();
        if (!w)
            return "none";
        QString n = w->objectName();
        for (QWidget* p = w->parentWidget(); p && n.isEmpty(); p = p->parentWidget())
            n = QString("%1<-%2").arg(w->metaObject()->className(), p->objectName());
        return n + (w->isVisible() ? "" : "(hidden)");
    }
};

TEST_F(Form6ScreenTest, AfterARefusedHeirNameTheNextKeysGoIntoTheRefusedCell) {
    open();
    showActive();
    pick("DBList_deth_name", "احمد");
    typeIntoCell(1, Col::HeirName, "علي");
    goTo(1, Col::Relation);
    typeText(grid(), "ا");
    pick("DBList_relation", "ابن");
    ASSERT_EQ(chainRows(), QStringList({"||احمد|1", "ابن|علي||1"}));
    testsupport::RealMessageBoxes boxes;
    goTo(2, Col::HeirName);
    testsupport::typeKeys(QStringLiteral("علي\r"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.texts().isEmpty(); }, 2000));
    QTest::qWait(30);
    EXPECT_EQ(boxes.texts(), QStringList{Texts::HeirTwice});
    // The box is gone and the user types on without touching the mouse.
    EXPECT_EQ(QApplication::activeWindow(), dialog.get());
    EXPECT_EQ(QApplication::focusWidget(), grid()) << focusName().toStdString();
    EXPECT_EQ(grid()->currentIndex(), chain()->index(2, Col::HeirName));
    testsupport::typeKeys(QStringLiteral("سعيد\r"));
    QTest::qWait(20);
    EXPECT_EQ(chain()->cell(2, Col::HeirName), "سعيد");
    EXPECT_EQ(chain()->cell(2, Col::Relation), QString());
}

} // namespace
