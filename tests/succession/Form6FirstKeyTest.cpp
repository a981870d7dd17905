#include "ChainFixture.h"

#include "platform/widgets/ArabicKeyboard.h"
#include "platform/widgets/FirstKeyConversion.h"
#include "succession/ChainGridModel.h"
#include "succession/Form6.h"
#include "support/TypedKeys.h"
#include "support/Widgets.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include <memory>

namespace {

using platform::ArabicKeyboard;
using succession::Form6;
using testsupport::typeKeys;
using Col = succession::ChainGridModel::Column;

// The chain dialogue's own side of the first-key conversion: its language frame, the lists that
// a typed character opens in the grid, and the boxes that keep their keys.
class Form6FirstKeyTest : public successiontest::ChainFixture {
protected:
    void SetUp() override { ArabicKeyboard::setOn(false); }
    void TearDown() override {
        testsupport::discardOpenCellEditor();
        dialog.reset();
        ArabicKeyboard::setOn(false);
    }
    void open() {
        dialog.reset();
        dialog = std::make_unique<Form6>(db, host);
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        QTest::qWait(20);
    }
    template <typename T> T* child(const char* name) const {
        return testsupport::namedChild<T>(dialog, name);
    }
    QTableView* grid() const { return child<QTableView>("DBGrid3"); }
    int entryRow() const { return grid()->model()->rowCount() - 1; }
    QString cell(int row, int column) const { return grid()->model()->index(row, column).data().toString(); }
    void goToCell(int row, int column) const {
        grid()->setFocus();
        grid()->setCurrentIndex(grid()->model()->index(row, column));
        QCoreApplication::processEvents();
    }
    platform::FirstKeyConversion* conversion() const {
        return dialog->findChild<platform::FirstKeyConversion*>();
    }
    // The first deceased with one heir, stored.
    void oneHeir() const {
        deceased("احمد", 1);
        heir("ابن", "علي", 1);
    }

    engine::CaseContext host;
    std::unique_ptr<Form6> dialog;
};

TEST_F(Form6FirstKeyTest, TheLanguageFrameOffersArAndEnWithArChosenAtEveryLoad) {
    open();
    auto* frame = child<QGroupBox>("Frame2");
    EXPECT_EQ(frame->title(), "نوع اللغة");
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(child<QRadioButton>("Option_AR")->text(), "AR");
    EXPECT_EQ(child<QRadioButton>("Option2")->text(), "EN");
    EXPECT_TRUE(child<QRadioButton>("Option_AR")->isChecked());
    child<QRadioButton>("Option2")->setChecked(true);
    open();
    EXPECT_TRUE(child<QRadioButton>("Option_AR")->isChecked());
}

// A printable character, Latin or Arabic, typed into an empty relation or deceased-name cell
// opens that column's list holding it, under either option; the grid keeps no replacement.
TEST_F(Form6FirstKeyTest, ACharacterInAnEmptyListCellOpensItsList) {
    oneHeir();
    const struct {
        int column;
        const char* list;
        const char* option;
        const char* key;
    } cases[] = {
        {Col::Relation, "DBList_relation", "Option_AR", "z"},
        {Col::Relation, "DBList_relation", "Option2", "z"},
        {Col::Relation, "DBList_relation", "Option_AR", "ا"},
        {Col::DeceasedName, "DBList_deth_name", "Option_AR", "h"},
        {Col::DeceasedName, "DBList_deth_name", "Option2", "ع"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.list) + " " + c.option + " " + c.key);
        open();
        child<QRadioButton>(c.option)->setChecked(true);
        goToCell(entryRow(), c.column);
        typeKeys(QString::fromUtf8(c.key));
        auto* list = child<QComboBox>(c.list);
        EXPECT_TRUE(list->isVisible());
        QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(focus == list || list->isAncestorOf(focus));
        EXPECT_EQ(list->currentText(), QString::fromUtf8(c.key));
        EXPECT_EQ(list->lineEdit()->cursorPosition(), 1);
        EXPECT_EQ(conversion()->firstKeyPending(), 0);
    }
}

// The key a list took leaves nothing behind: an arrow released later over a filled cell keeps it.
TEST_F(Form6FirstKeyTest, AKeyTakenByAListLeavesNoReplacementForAnotherCell) {
    oneHeir();
    open();
    goToCell(entryRow(), Col::Relation);
    typeKeys("z");
    ASSERT_TRUE(child<QComboBox>("DBList_relation")->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    goToCell(1, Col::HeirName);
    testsupport::pressKey(Qt::Key_Left);
    testsupport::releaseKey(Qt::Key_Left);
    EXPECT_EQ(cell(1, Col::HeirName), "علي");
    EXPECT_EQ(conversion()->firstKeyPending(), 0);
    EXPECT_EQ(column("select warith_name from MUNASKA_TEMP order by ar"), QStringList({"", "علي"}));
}

// "." is a trigger: the boxes that hold numbers neither convert nor take Arabic keys.
TEST_F(Form6FirstKeyTest, TheNumberBoxesKeepTheirKeys) {
    open();
    for (const char* name : {"Text_case_no_appeare", "Text_case_no"}) {
        for (const bool on : {false, true}) {
            SCOPED_TRACE(std::string(name) + (on ? " on" : " off"));
            ArabicKeyboard::setOn(on);
            auto* box = child<QLineEdit>(name);
            box->setEnabled(true);
            box->show();
            box->clear();
            box->setFocus();
            typeKeys(".2.5");
            EXPECT_EQ(box->text(), ".2.5");
            EXPECT_EQ(ArabicKeyboard::isOn(), on);
        }
    }
}

// A chain begun on Latin keys: the first deceased in his list, then a heir and his relation in
// the grid, all stored in Arabic.
TEST_F(Form6FirstKeyTest, AChainBegunInLatinIsStoredInArabic) {
    open();
    ASSERT_TRUE(child<QComboBox>("DBList_deth_name")->isVisible());
    typeKeys("hpl]\r");
    QTest::qWait(10);
    ASSERT_EQ(column("select deth_name from MUNASKA_TEMP"), QStringList({"احمد"}));
    // The next keys arrive in Arabic until a field is begun again.
    ArabicKeyboard::setOn(false);
    const int row = entryRow();
    goToCell(row, Col::HeirName);
    typeKeys("ugd\r");
    QTest::qWait(10);
    EXPECT_EQ(cell(row, Col::HeirName), "علي");
    EXPECT_TRUE(ArabicKeyboard::isOn());
    goToCell(row, Col::Relation);
    typeKeys("hfk\r");
    QTest::qWait(10);
    EXPECT_EQ(
        column(
            "select warith_relation || '|' || warith_name || '|' || deth_name from MUNASKA_TEMP order by ar"),
        QStringList({"||احمد", "ابن|علي|"}));
    EXPECT_EQ(messages.texts(), QStringList());
}

} // namespace
