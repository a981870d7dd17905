#include "ChainFixture.h"

#include "succession/Form6.h"
#include "succession/StoredChains.h"
#include "support/Widgets.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <memory>

namespace {

using succession::Form6;
namespace SCh = succession::StoredChains;
using Kind = SCh::Outcome::Kind;

class Form6StoredChainsTest : public successiontest::ChainFixture {
protected:
    // Chains 1 (احمد) and 2 (زيد) stored; the working table empty.
    void SetUp() override {
        twoDeceased();
        ASSERT_EQ(SCh::store(db, {"", "", "المعد", "محكمة"}).kind, Kind::Done);
        db.execute("delete from MUNASKA_TEMP");
        deceased("زيد", 1);
        heir("ابن", "عمر", 1);
        deceased("عمر", 2);
        heir("ام", "ليلى", 2);
        ASSERT_EQ(SCh::store(db, {"", "", "المعد", ""}).kind, Kind::Done);
        db.execute("delete from MUNASKA_TEMP");
    }
    Form6& open() {
        dialog = std::make_unique<Form6>(db, host);
        testsupport::showActive(dialog);
        QCoreApplication::processEvents();
        return *dialog;
    }
    template <typename T> T* child(const char* name) const {
        return testsupport::namedChild<T>(dialog, name);
    }
    QLineEdit* edit(const char* name) const { return child<QLineEdit>(name); }
    QTableView* list() const { return child<QTableView>("DBGrid_put"); }
    QStringList listed() const {
        QStringList out;
        for (int r = 0; r < list()->model()->rowCount(); ++r)
            out << list()->model()->index(r, 1).data().toString();
        return out;
    }
    QStringList deceasedOnScreen() const {
        return column("select deth_name from MUNASKA_TEMP where deth_name <> '' order by arrange, ar");
    }
    void trigger(const char* twin) const {
        auto* action = dialog->findChild<QAction*>(twin);
        ASSERT_NE(action, nullptr) << twin;
        action->trigger();
        QCoreApplication::processEvents();
    }

    static void typeText(QWidget* w, const QString& text) {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &release);
        }
        QCoreApplication::processEvents();
    }

    engine::CaseContext host;
    std::unique_ptr<Form6> dialog;
};

TEST_F(Form6StoredChainsTest, TheListAndTheCommandsAreOffered) {
    open();
    for (const char* name : {"Command_save", "Command_edit", "Command_delete"})
        EXPECT_TRUE(child<QPushButton>(name)->isEnabled()) << name;
    EXPECT_EQ(list()->model()->headerData(0, Qt::Horizontal).toString(), "العنوان");
    EXPECT_EQ(list()->model()->headerData(1, Qt::Horizontal).toString(), "الرقم");
    EXPECT_EQ(listed(), (QStringList{"1", "2"}));
    EXPECT_FALSE(list()->tabKeyNavigation());
    auto* put = dialog->findChild<QAction*>("Command_ALTER_put");
    ASSERT_NE(put, nullptr);
    put->trigger();
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(Form6StoredChainsTest, LoadByDoubleClickByEnterInTheListAndByNumber) {
    open();
    const QRect cell = list()->visualRect(list()->model()->index(listed().indexOf("2"), 0));
    // A double click comes after the first click's press and release.
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(deceasedOnScreen(), (QStringList{"زيد", "عمر"}));
    EXPECT_EQ(edit("Text_case_no")->text(), "2");
    EXPECT_EQ(edit("Text_case_no_appeare")->text(), "2");
    EXPECT_FALSE(child<QGroupBox>("FrameADRESS")->isVisibleTo(dialog.get()));
    EXPECT_EQ(QApplication::focusWidget(), child<QTableView>("DBGrid3"));

    list()->setFocus();
    list()->setCurrentIndex(list()->model()->index(listed().indexOf("1"), 0));
    QTest::keyClick(list(), Qt::Key_Return);
    EXPECT_EQ(deceasedOnScreen(), (QStringList{"احمد", "علي"}));
    EXPECT_TRUE(child<QGroupBox>("FrameADRESS")->isVisibleTo(dialog.get()));
    EXPECT_EQ(child<QComboBox>("Text_ADRESS_ENTRY_NAME")->currentText(), "محكمة");

    QLineEdit* number = edit("Text_case_no_appeare");
    number->setFocus();
    number->clear();
    QTest::keyClicks(number, "2");
    QTest::keyClick(number, Qt::Key_Return);
    EXPECT_EQ(deceasedOnScreen(), (QStringList{"زيد", "عمر"}));
    EXPECT_EQ(QApplication::focusWidget(), child<QTableView>("DBGrid3"));

    number->setFocus();
    number->clear();
    QTest::keyClicks(number, "7");
    QTest::keyClick(number, Qt::Key_Return);
    EXPECT_EQ(deceasedOnScreen(), (QStringList{"زيد", "عمر"})) << "a number no chain has loads nothing";
    EXPECT_EQ(edit("Text_case_no")->text(), "2");
}

TEST_F(Form6StoredChainsTest, FiltersAndTheKeyboardPathBetweenBoxesAndList) {
    open();
    QLineEdit* name = edit("Text_serch_case_name");
    name->setFocus();
    typeText(name, "ز");
    EXPECT_EQ(listed(), QStringList{"2"});
    QTest::keyClick(name, Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), list());
    QTest::keyClick(list(), Qt::Key_Home);
    EXPECT_EQ(QApplication::focusWidget(), name);

    QLineEdit* number = edit("Text_case_no_appeare");
    number->setFocus();
    QTest::keyClicks(number, "x");
    EXPECT_TRUE(listed().isEmpty());
    number->clear();
    QTest::keyClicks(number, "1");
    EXPECT_EQ(listed(), QStringList{"1"});
    QTest::keyClick(number, Qt::Key_PageDown);
    EXPECT_EQ(QApplication::focusWidget(), list());
}

TEST_F(Form6StoredChainsTest, ALoadClearsAddHeirsAndTheCurrentDeceased) {
    open();
    child<QLineEdit>("Text_deth_no_ind")->setText("2");
    child<QLineEdit>("Text_deth_name_ind")->setText("عمر");
    child<QCheckBox>("Check_add_warith")->setChecked(true);
    edit("Text_case_no_appeare")->setFocus();
    edit("Text_case_no_appeare")->setText("1");
    QTest::keyClick(edit("Text_case_no_appeare"), Qt::Key_Return);
    EXPECT_FALSE(child<QCheckBox>("Check_add_warith")->isChecked());
    // The indicator names no deceased of the chain that was on screen: none, or one of the loaded chain.
    const QString current = child<QLineEdit>("Text_deth_name_ind")->text();
    EXPECT_TRUE(current.isEmpty() || deceasedOnScreen().contains(current)) << current.toStdString();
}

TEST_F(Form6StoredChainsTest, ButtonsAndTwinsStoreEditAndDelete) {
    open();
    deceased("سالم", 1);
    heir("ابن", "ماجد", 1);
    deceased("ماجد", 2);
    heir("اب", "سالم", 2);
    child<QComboBox>("Text_DATA_ENTRY_NAME")->setEditText("المعد");
    child<QPushButton>("Command_save")->click();
    EXPECT_EQ(messages.last(), "  تم خزن المسالة تحت رقم التسلسل    3");
    EXPECT_EQ(edit("Text_case_no")->text(), "3");
    EXPECT_EQ(listed(), (QStringList{"1", "2", "3"}));
    trigger("Command_ALTER_SAVE");
    EXPECT_EQ(messages.last(), "مسألة مخزونة ");

    db.execute("insert into MUNASKA_TEMP (warith_relation, warith_name, arrange) values ('ام', 'نورة', 2)");
    trigger("Command_ALTER_EDIT");
    EXPECT_EQ(messages.last(), "  تم تعديل المسالة  رقم     3");
    EXPECT_EQ(db.count("select count(*) from WARITH_DUBLE_GENERAL where case_no = 3"), 3);

    platform::MessageService::setNextAnswer(true);
    child<QPushButton>("Command_delete")->click();
    EXPECT_EQ(messages.last(), "  تم حذف المسالة  رقم     3");
    EXPECT_FALSE(SCh::isStored(db, 3));
    EXPECT_EQ(rows("MUNASKA_TEMP"), 0);
    EXPECT_TRUE(edit("Text_case_no")->text().isEmpty());
    EXPECT_EQ(listed(), (QStringList{"1", "2"}));
}

TEST_F(Form6StoredChainsTest, AChainReopenedAfterARunIsEditedUnderItsNumber) {
    ASSERT_TRUE(SCh::load(db, 1));
    open(); // as the dialogue opens again when the results screen returns to the case
    EXPECT_EQ(edit("Text_case_no")->text(), "1");
    EXPECT_EQ(edit("Text_case_no_appeare")->text(), "1");
    db.execute("insert into MUNASKA_TEMP (warith_relation, warith_name, arrange) values ('بنت', 'مريم', 1)");
    child<QComboBox>("Text_DATA_ENTRY_NAME")->setEditText("المعد");
    child<QPushButton>("Command_edit")->click();
    EXPECT_EQ(messages.last(), "  تم تعديل المسالة  رقم     1");
    EXPECT_TRUE(column("select warith_name from WARITH_DUBLE_GENERAL where case_no = 1").contains("مريم"));
}

// Reopened on a stored chain, the issuing-body toggle must offer what it would do to the frame as it
// now stands; before, the frame showed while the button still offered to add it.
TEST_F(Form6StoredChainsTest, AReopenedChainsIssuingBodyToggleMatchesItsFrame) {
    const struct {
        int chain;
        bool frameShown;
        const char* caption;
    } cases[] = {{1, true, "ازالة عنوان الجهة"}, {2, false, "اضافة عنوان الجهة"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chain);
        ASSERT_TRUE(SCh::load(db, c.chain));
        open();
        EXPECT_EQ(child<QGroupBox>("FrameADRESS")->isVisible(), c.frameShown);
        EXPECT_EQ(child<QPushButton>("Command4")->text(), QString::fromUtf8(c.caption));
        child<QPushButton>("Command4")->click(); // one press turns both the other way
        EXPECT_EQ(child<QGroupBox>("FrameADRESS")->isVisible(), !c.frameShown);
    }
}

// Alt+O and Alt+U leave the focus in the preparer's box: without its steps the name typed there
// reached neither its list nor the working rows, and the reopened dialogue showed no preparer.
TEST_F(Form6StoredChainsTest, TheStoreAndEditTwinsTakeThePreparerTypedInTheBoxTheUserIsIn) {
    open();
    deceased("سالم", 1);
    heir("ابن", "ماجد", 1);
    deceased("ماجد", 2);
    heir("اب", "سالم", 2);
    for (const char* twin : {"Command_ALTER_SAVE", "Command_ALTER_EDIT"}) {
        SCOPED_TRACE(twin);
        const QString preparer = QString("م'عد %1").arg(QString::fromUtf8(twin).right(4));
        auto* box = child<QComboBox>("Text_DATA_ENTRY_NAME");
        box->lineEdit()->setFocus();
        box->setEditText(preparer);
        trigger(twin);
        EXPECT_TRUE(messages.last().startsWith("  تم ")) << messages.last().toStdString();
        EXPECT_TRUE(column("select DATA_ENTRY_NAME from DATA_ENTRY_NAME").contains(preparer));
        EXPECT_EQ(column("select distinct DATA_ENTRY_NAME from MUNASKA_TEMP"), QStringList{preparer});
        EXPECT_EQ(column("select distinct DATA_ENTRY_NAME from DETH_GENERAL where case_no = 3"),
                  QStringList{preparer});
    }
}

} // namespace
