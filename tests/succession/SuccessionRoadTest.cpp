#include "shell/Form1.h"
#include "shell/Form13.h"
#include "shell/Screens.h"

#include "platform/widgets/ReportDocument.h"
#include "platform/widgets/ReportPreview.h"
#include "platform/widgets/ReportRenderer.h"
#include "results/Form14.h"
#include "succession/ChainGridModel.h"
#include "succession/Form6.h"
#include "support/CapturedMessages.h"
#include "support/PdfText.h"
#include "support/TempAppFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlRecord>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using shell::Form13;
using succession::Form6;
using Col = succession::ChainGridModel::Column;

namespace {

// A user at the real screens of a successive-deaths case, from the main window's command on:
// each step waits for its screen to be the modal one on top and acts on it once.
class SuccessionRoadTest : public ::testing::Test {
protected:
    struct Step {
        const char* what;
        std::function<bool(QWidget*)> ready;
        std::function<void(QWidget*)> act;
    };
    struct StopRun {};

    static bool chainDialog(QWidget* w) { return qobject_cast<Form6*>(w) != nullptr; }
    static bool results(QWidget* w) { return qobject_cast<results::Form14*>(w) != nullptr; }

    template <typename T> static T* child(QWidget* w, const char* name) {
        T* c = w->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static QTableView* grid(QWidget* w) { return child<QTableView>(w, "DBGrid3"); }
    static void goTo(QWidget* w, int row, int column) {
        grid(w)->setFocus();
        grid(w)->setCurrentIndex(grid(w)->model()->index(row, column));
        QCoreApplication::processEvents();
    }
    static int newLine(QWidget* w) { return grid(w)->model()->rowCount() - 1; }
    static void typeKey(QWidget* target, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QApplication::sendEvent(target, &press);
        QCoreApplication::processEvents();
    }
    static void confirm(QComboBox* list, const QString& text) {
        list->setEditText(text);
        QTest::keyClick(list->lineEdit(), Qt::Key_Return);
        QTest::qWait(5);
    }
    // The next deceased, typed into his cell on the new line, confirmed in the list it opens.
    static void nextDeceased(QWidget* w, const QString& name) {
        goTo(w, newLine(w), Col::DeceasedName);
        typeKey(grid(w), name.left(1));
        confirm(child<QComboBox>(w, "DBList_deth_name"), name);
    }
    // A heir on the new line: the name typed into its cell, the relation from its list.
    static void heir(QWidget* w, const QString& relation, const QString& name) {
        const int row = newLine(w);
        goTo(w, row, Col::HeirName);
        grid(w)->edit(grid(w)->model()->index(row, Col::HeirName));
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->insert(name);
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::qWait(5);
        goTo(w, row, Col::Relation);
        typeKey(grid(w), relation.left(1));
        confirm(child<QComboBox>(w, "DBList_relation"), relation);
    }
    // A heir whose name is picked from the heir-name list opened by a click on his cell.
    static void pickedHeir(QWidget* w, const QString& relation, const QString& name) {
        const int row = newLine(w);
        goTo(w, row, Col::Relation);
        typeKey(grid(w), relation.left(1));
        confirm(child<QComboBox>(w, "DBList_relation"), relation);
        const QRect cell = grid(w)->visualRect(grid(w)->model()->index(row, Col::HeirName));
        QTest::mouseClick(grid(w)->viewport(), Qt::LeftButton, {}, cell.center());
        auto* names = child<QComboBox>(w, "DBCombo_w_name");
        ASSERT_TRUE(names->isVisible());
        const int at = names->findText(name);
        ASSERT_GE(at, 0) << name.toStdString();
        names->setCurrentIndex(at);
        QTest::keyClick(names->lineEdit(), Qt::Key_Return);
        QTest::qWait(5);
    }

    std::map<QString, QString> unifiedShares() const {
        std::map<QString, QString> shares;
        for (const QSqlRecord& r :
             db.select("select name_deth_chiled, share from TAWHEED_CHILED order by rowid"))
            shares[r.value(0).toString().trimmed()] = r.value(1).toString().trimmed();
        return shares;
    }

    void runRoad(std::vector<Step> steps) {
        std::size_t next = 0;
        QTimer user;
        user.setInterval(5);
        QObject::connect(&user, &QTimer::timeout, [&] {
            QWidget* top = QApplication::activeModalWidget();
            if (next >= steps.size() || !top || !top->isActiveWindow() || top->property("acted").toBool())
                return;
            if (!steps[next].ready(top))
                return;
            top->setProperty("acted", true);
            SCOPED_TRACE(steps[next].what);
            steps[next++].act(top);
        });
        user.start();
        Form13::Dialogs dialogs = shell::realCaseDialogs();
        const Form13::SuccessionDialog real = dialogs.succession;
        dialogs.succession = [&](engine::CaseContext& context, const results::PartnerWindows& w) {
            if (next >= steps.size())
                throw StopRun{};
            real(context, w);
        };
        shell::Form1 main(db, {{QStringLiteral("mun"), [&] { Form13::open(dialogs, &main); }}});
        EXPECT_TRUE(shell::Form1(db, shell::mainWindowScreens(&main)).command("mun")->isEnabled());
        try {
            main.run("mun");
            ADD_FAILURE() << "the run ended by itself";
        } catch (const StopRun&) {
        }
        EXPECT_EQ(next, steps.size()) << "steps left undone";
    }

    testsupport::TempAppFolder folder{true};
    data::Database db = folder.caseDatabase();
    testsupport::CapturedMessages messages;
};

TEST_F(SuccessionRoadTest, AChainTypedInIsDividedPrintedAndANewCaseBringsTheDialogueBackEmpty) {
    std::vector<platform::ReportDocument> previews;
    platform::ReportPreview::setHandler([&](const platform::ReportDocument& d) { previews.push_back(d); });
    runRoad({
        {"the chain typed in", chainDialog,
         [&](QWidget* w) {
             confirm(child<QComboBox>(w, "DBList_deth_name"), "احمد");
             heir(w, "زوجة", "فاطمة");
             heir(w, "ابن", "علي");
             heir(w, "ابن", "حسن");
             nextDeceased(w, "علي");
             pickedHeir(w, "ام", "فاطمة");
             pickedHeir(w, "اخ", "حسن");
             nextDeceased(w, "حسن");
             pickedHeir(w, "ام", "فاطمة");
             heir(w, "ابن", "سعيد");
             child<QComboBox>(w, "Text_DATA_ENTRY_NAME")->setEditText("محمود");
             EXPECT_EQ(messages.texts().filter("لتستمر").size(), messages.texts().size())
                 << messages.texts().join('|').toStdString();
             child<QPushButton>(w, "Command1")->click();
         }},
        {"the unified division, printed in full, then a new case", results,
         [&](QWidget* w) {
             const auto shares = unifiedShares();
             EXPECT_EQ(shares.at("فاطمة"), "113");
             EXPECT_EQ(shares.at("سعيد"), "175");
             qint64 base = 0;
             for (const auto& [name, share] : shares)
                 base += share.toLongLong();
             EXPECT_EQ(base, 288);
             child<QRadioButton>(w, "Option_tawheed_only")->setChecked(false);
             child<QPushButton>(w, "Command_print")->click();
             ASSERT_EQ(previews.size(), 1u);
             const platform::ReportDocument& doc = previews.front();
             EXPECT_EQ(doc.deceased.size(), 3);
             EXPECT_TRUE(doc.unified.has_value());
             QTemporaryDir out;
             const QString pdf = out.filePath("full.pdf");
             ASSERT_TRUE(platform::ReportRenderer::writePdf(doc, pdf));
             const QStringList missing =
                 testsupport::missingWords(testsupport::pageWords(doc.texts().join(' ')),
                                           testsupport::pageWords(testsupport::pdfText(pdf)));
             EXPECT_TRUE(missing.isEmpty()) << missing.join(' ').toStdString();
             for (const char* word : {"113", "175", "288"})
                 EXPECT_TRUE(testsupport::pageWords(testsupport::pdfText(pdf)).contains(word)) << word;
             child<QPushButton>(w, "Command_start_new")->click();
         }},
        {"the dialogue again, empty", chainDialog,
         [&](QWidget* w) {
             auto* dialog = qobject_cast<Form6*>(w);
             EXPECT_EQ(dialog->chain()->storedRows(), 0);
             EXPECT_TRUE(child<QComboBox>(w, "DBList_deth_name")->isVisible());
             child<QPushButton>(w, "Command_new")->click();
             dialog->done(0);
         }},
    });
    platform::ReportPreview::setHandler({});
}

} // namespace
