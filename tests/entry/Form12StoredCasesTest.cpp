#include "EntryFixture.h"

#include "entry/BoundTableModel.h"
#include "entry/Form12.h"
#include "entry/StoredCases.h"
#include "platform/AppPaths.h"
#include "support/Widgets.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>

#include <memory>

namespace {

using engine::EntryStage;
using entry::Form12;
namespace SC = entry::StoredCases;

class Form12StoredCasesTest : public entrytest::EntryFixture {
protected:
    void SetUp() override {
        db.execute("delete from WARITH_GENERAL");
        storeAs("محمد", {{"اب", "سعيد"}, {"ام", "هند"}}); // 1
        storeAs("علي", {{"زوجة", "فاطمة"}});              // 2
        for (int i = 3; i <= 12; ++i)
            storeAs(QString("خالد %1").arg(i), {{"اب", "سعيد"}}); // 3..12
        db.execute("delete from WARITH");
    }
    void storeAs(const QString& deceased, const std::vector<entrytest::Heir>& heirs) {
        db.execute("delete from WARITH");
        addHeirs(heirs);
        ASSERT_EQ(SC::store(db, {deceased, "", "", "المعد", ""}).kind, SC::Outcome::Kind::Done);
    }
    Form12& openDetails() {
        setStage(EntryStage::Details);
        dialog = std::make_unique<Form12>(db, host);
        testsupport::showActive(dialog);
        QTest::qWait(30);
        return *dialog;
    }
    template <typename T> T* child(const char* name) const {
        return testsupport::namedChild<T>(dialog, name);
    }
    QLineEdit* edit(const char* name) const { return child<QLineEdit>(name); }
    QTableView* list() const { return child<QTableView>("DBGrid_put"); }
    QStringList listed() const {
        QStringList out;
        const QAbstractItemModel* m = list()->model();
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->index(r, 1).data().toString();
        return out;
    }
    QStringList heirs() const {
        return column("select warith_relation || '/' || warith_name from WARITH order by ar");
    }
    // Characters of any script, one key press and release each.
    void typeInto(QWidget* w, const QString& text) const {
        w->setFocus();
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &release);
        }
        QCoreApplication::processEvents();
    }
    void typeCase(const QString& deceased, const std::vector<entrytest::Heir>& typed) {
        db.execute("delete from WARITH");
        addHeirs(typed);
        dialog->heirs()->reload();
        edit("Text_deth_name")->setText(deceased);
        child<QComboBox>("Text_DATA_ENTRY_NAME")->setEditText("المعد");
    }

    std::unique_ptr<Form12> dialog;
};

TEST_F(Form12StoredCasesTest, TheListShowsOneLinePerCaseByNameThenNumber) {
    openDetails();
    EXPECT_EQ(list()->model()->headerData(0, Qt::Horizontal).toString(), "اسم المتوفي");
    EXPECT_EQ(list()->model()->headerData(1, Qt::Horizontal).toString(), "الرقم");
    EXPECT_EQ(listed(), (QStringList{"10", "11", "12", "3", "4", "5", "6", "7", "8", "9", "2", "1"}));
    EXPECT_FALSE(list()->tabKeyNavigation()) << "Tab leaves the list";
    // Captions drawn as whole words; their access keys stay.
    EXPECT_EQ(child<QPushButton>("Command_save")->text(), "خزن");
    EXPECT_EQ(child<QPushButton>("Command_edit")->text(), "تعديل");
    EXPECT_EQ(child<QPushButton>("Command_delete")->text(), "حذف");
}

// The case in hand comes back to the stage (after its results, or at the next case command):
// the list holds only the cases whose deceased's name begins with its deceased's name.
TEST_F(Form12StoredCasesTest, TheStageOpeningOnAStoredCaseNarrowsTheListToItsDeceased) {
    const struct {
        const char* deceased;
        qint64 caseNo;
        QStringList listed;
    } cases[] = {
        {"خالد 1", 10, {"10", "11", "12"}},
        {"محمد", 1, {"1"}},
        // Never stored: the list stays whole.
        {"محمد", 0, {"10", "11", "12", "3", "4", "5", "6", "7", "8", "9", "2", "1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.deceased);
        db.execute("delete from WARITH");
        addHeirs({{"ابن", "زيد"}});
        db.execute("update WARITH set case_no = ?, deth_name = ?", {c.caseNo, QString::fromUtf8(c.deceased)});
        openDetails();
        EXPECT_EQ(listed(), c.listed);
        EXPECT_EQ(edit("Text_deth_name")->text(), QString::fromUtf8(c.deceased));
    }
}

TEST_F(Form12StoredCasesTest, NumberBoxFiltersByPrefixMovesToTheListAndLoadsOnEnter) {
    openDetails();
    QLineEdit* number = edit("Text_case_no_appeare");
    typeInto(number, "1");
    EXPECT_EQ(listed(), (QStringList{"10", "11", "12", "1"}));
    QTest::keyClick(number, Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), list());

    number->setFocus();
    number->clear();
    typeInto(number, "2");
    QTest::keyClick(number, Qt::Key_Return);
    EXPECT_EQ(heirs(), QStringList{"زوجة/فاطمة"});
    EXPECT_EQ(edit("Text_deth_name")->text(), "علي");
    EXPECT_EQ(edit("Text_case_no")->text(), "2");
    EXPECT_EQ(QApplication::focusWidget(), edit("Text_deth_name"));

    // A number no case has loads nothing: the case in hand and its number stay.
    number->setFocus();
    number->clear();
    typeInto(number, "99");
    QTest::keyClick(number, Qt::Key_Return);
    EXPECT_EQ(heirs(), QStringList{"زوجة/فاطمة"});
    EXPECT_EQ(edit("Text_case_no")->text(), "2");
    EXPECT_EQ(QApplication::focusWidget(), edit("Text_deth_name"));
}

TEST_F(Form12StoredCasesTest, TheNumberBoxSelectsItsWholeTextOnFocus) {
    openDetails();
    QLineEdit* number = edit("Text_case_no_appeare");
    number->setText("12");
    edit("Text_deth_name")->setFocus();
    number->setFocus(Qt::MouseFocusReason);
    QTest::qWait(10);
    EXPECT_EQ(number->selectedText(), "12");
}

TEST_F(Form12StoredCasesTest, TheNameBoxFiltersOneKeyBehindAndDownMovesToTheList) {
    openDetails();
    QLineEdit* name = edit("Text_deth_name");
    typeInto(name, "م");
    EXPECT_EQ(listed().size(), 12) << "the key pressed on an empty box filters with the empty text";
    typeInto(name, "ح");
    EXPECT_EQ(listed(), QStringList{"1"});
    QTest::keyClick(name, Qt::Key_PageDown);
    EXPECT_EQ(QApplication::focusWidget(), list());
}

TEST_F(Form12StoredCasesTest, DoubleClickAndEnterReleasedInTheListLoadTheLine) {
    openDetails();
    const QAbstractItemModel* m = list()->model();
    const int line = listed().indexOf("1");
    list()->setFocus();
    list()->setCurrentIndex(m->index(line, 0));
    QTest::keyClick(list(), Qt::Key_Return);
    EXPECT_EQ(heirs(), (QStringList{"اب/سعيد", "ام/هند"}));
    EXPECT_EQ(QApplication::focusWidget(), child<QTableView>("DBGrid1"));

    const int other = listed().indexOf("2");
    const QRect cell = list()->visualRect(m->index(other, 0));
    // A double click comes after the first click's press and release.
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(heirs(), QStringList{"زوجة/فاطمة"});

    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Right);
    EXPECT_EQ(heirs(), QStringList{"زوجة/فاطمة"}) << "another key loads nothing";
}

TEST_F(Form12StoredCasesTest, ALoadShowsTheIssuingBodyFrameOnlyForANamedBody) {
    db.execute("update WARITH_GENERAL set ADRESS_ENTRY_NAME = 'محكمة' where case_no = 1");
    db.execute("update WARITH_GENERAL set ADRESS_ENTRY_NAME = '-' where case_no = 2");
    openDetails();
    QLineEdit* number = edit("Text_case_no_appeare");
    for (const auto& [no, shown] : std::vector<std::pair<QString, bool>>{{"1", true}, {"2", false}}) {
        number->setFocus();
        number->setText(no);
        QTest::keyClick(number, Qt::Key_Return);
        EXPECT_EQ(child<QGroupBox>("FrameADRESS")->isVisibleTo(dialog.get()), shown) << no.toStdString();
        EXPECT_EQ(child<QPushButton>("Command4")->text(), shown ? "ازالة عنوان الجهة" : "اضافة عنوان الجهة");
    }
}

TEST_F(Form12StoredCasesTest, SaveStoresReloadsAndRefusesTheStoredCaseAgain) {
    openDetails();
    typeCase("d'Artagnan", {{"ابن", "O'Brien"}});
    child<QPushButton>("Command_save")->click();
    EXPECT_EQ(messages.last(), "  تم خزن المسالة تحت رقم التسلسل    13");
    QTest::qWait(10);
    EXPECT_EQ(edit("Text_case_no")->text(), "13");
    EXPECT_EQ(listed(), QStringList{"13"}) << "the stored case alone in the list";
    EXPECT_EQ(QApplication::focusWidget(), edit("Text_deth_name"));
    EXPECT_EQ(column("select distinct case_no || deth_name from WARITH"), QStringList{"13d'Artagnan"});

    child<QPushButton>("Command_save")->click();
    EXPECT_EQ(messages.last(), "مسألة مخزونة ");
    EXPECT_EQ(db.count("select count(*) from WARITH_GENERAL where case_no = 14"), 0);
}

// The list was read before the case's rows changed under it: their number is no whole number now.
TEST_F(Form12StoredCasesTest, ALineWhoseCaseNoLongerLoadsSaysTheStoredCaseIsDamaged) {
    openDetails();
    typeCase("حسن", {{"ابن", "زيد"}});
    const int line = listed().indexOf("2");
    db.execute("update WARITH_GENERAL set case_no = 'تالف' where case_no = 2");
    list()->setFocus();
    list()->setCurrentIndex(list()->model()->index(line, 0));
    QTest::keyClick(list(), Qt::Key_Return);
    EXPECT_EQ(messages.last(), "لا يمكن تحميل المسألة رقم 2 من TALVENO_TEST.mdb: المسألة المخزونة تالفة");
    EXPECT_EQ(heirs(), QStringList{"ابن/زيد"}) << "the case in hand stays";
}

TEST_F(Form12StoredCasesTest, TwinsRunTheSameCommandsAsTheButtons) {
    openDetails();
    auto trigger = [&](const char* twin) {
        auto* action = dialog->findChild<QAction*>(twin);
        ASSERT_NE(action, nullptr) << twin;
        action->trigger();
        QTest::qWait(10);
    };
    typeCase("سالم", {{"اب", "سعيد"}});
    trigger("Command_ALTER_SAVE");
    EXPECT_EQ(messages.last(), "  تم خزن المسالة تحت رقم التسلسل    13");

    db.execute("delete from WARITH where warith_name = 'سعيد'");
    addHeirs({{"ام", "هند"}});
    dialog->heirs()->reload();
    trigger("Command_ALTER_EDIT");
    EXPECT_EQ(messages.last(), "  تم تعديل المسالة  رقم     13");
    EXPECT_EQ(column("select warith_name from WARITH_GENERAL where case_no = 13"), QStringList{"هند"});

    platform::MessageService::setNextAnswer(false);
    trigger("Command_ALTER_delete");
    EXPECT_TRUE(SC::isStored(db, 13)) << "No keeps the case";
    platform::MessageService::setNextAnswer(true);
    trigger("Command_ALTER_delete");
    EXPECT_EQ(messages.last(), "  تم حذف المسالة  رقم     13");
    EXPECT_FALSE(SC::isStored(db, 13));
    EXPECT_TRUE(edit("Text_case_no")->text().isEmpty());
    EXPECT_TRUE(edit("Text_deth_name")->text().isEmpty());
    EXPECT_EQ(rows("WARITH"), 0);
    EXPECT_FALSE(listed().contains("13"));
}

TEST_F(Form12StoredCasesTest, RefusalsAreCriticalMessagesAndChangeNothing) {
    openDetails();
    typeCase("", {{"اب", "سعيد"}});
    child<QComboBox>("Text_DATA_ENTRY_NAME")->setEditText("");
    child<QPushButton>("Command_save")->click();
    EXPECT_EQ(messages.last(), "ادخل اسم المعد");
    child<QComboBox>("Text_DATA_ENTRY_NAME")->setEditText("م");
    edit("Text_deth_name")->setFocus();
    child<QPushButton>("Command_save")->click();
    EXPECT_EQ(messages.last(), "تفاصيل المسألة غير مكتملة");
    QTest::qWait(20);
    EXPECT_EQ(QApplication::focusWidget(), edit("Text_deth_name")) << "the focus back where the user was";
    const qint64 before = messages.texts().size();
    child<QPushButton>("Command_edit")->click();
    child<QPushButton>("Command_delete")->click();
    EXPECT_EQ(messages.texts().size(), before + 1) << "edit refuses, delete of an unstored case says nothing";
    EXPECT_EQ(rows("WARITH_GENERAL"), 13);
}

} // namespace
