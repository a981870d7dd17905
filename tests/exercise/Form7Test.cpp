#include "exercise/Form7.h"

#include "platform/widgets/ReportDocument.h"
#include "platform/widgets/ReportPreview.h"
#include "results/TouchedReport.h"
#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"
#include "training/AnswerHandIn.h"
#include "training/VerdictKeeper.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>

#include <QApplication>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using exercise::Form7;

namespace {

class Form7Test : public ::testing::Test {
protected:
    Form7Test() {
        platform::ReportPreview::setHandler([this](const platform::ReportDocument&) { ++previews; });
        context.Text_case_no = QStringLiteral("9");
        context.Text_deth_name = QStringLiteral("زيد");
    }
    ~Form7Test() override { platform::ReportPreview::setHandler({}); }

    // The engine's division of the question and the learner's answer, handed in and calculated.
    void answer(int husband, int daughter) {
        db.execute("delete from WARITH");
        db.execute("delete from PRINT_TEXT");
        // The report's opening lines as the engine writes them: the set-up joins the deed term
        // to the rules line and deletes its own line.
        for (const char* line : {"التسلسل/9", "  قسام شرعي   ", "   حسب قواعد الشريعة الاسلامية "})
            db.execute("insert into PRINT_TEXT (print_text) values (?)", {QString::fromUtf8(line)});
        for (const auto& [relation, share] : {std::pair{"زوج", "1"}, std::pair{"بنت", "3"}})
            db.execute(
                "insert into PRINT_TEXT (kinds, share, print_text, case_ser) values (?, ?, 'س', '     1')",
                {QString::fromUtf8(relation), QString::fromLatin1(share)});
        db.execute("insert into WARITH (warith_relation, warith_name, no_check, case_no) values "
                   "('زوج', 'ا', ?, 9), ('بنت', 'ب', ?, 9)",
                   {husband, daughter});
        QString message;
        ASSERT_TRUE(training::AnswerHandIn::handIn(db, 9, "زيد", "ع", message));
        verdicts.handedIn();
    }

    std::unique_ptr<Form7> show() {
        auto f = std::make_unique<Form7>(db, context, verdicts, touched, Form7::Links{});
        f->show();
        return f;
    }

    template <typename T> static T* child(const Form7& f, const char* name) {
        return f.findChild<T*>(QString::fromLatin1(name));
    }
    static QString label(const Form7& f) { return child<QLabel>(f, "Label6")->text(); }
    static bool shown(const Form7& f, const char* name) { return child<QWidget>(f, name)->isVisible(); }
    static QRgb panel(const Form7& f) {
        return child<QWidget>(f, "Frame1")->palette().color(QPalette::Window).rgb() & 0xFFFFFF;
    }
    qint64 rows(const char* sql) { return db.count(QString::fromUtf8(sql)); }

    testsupport::CapturedMessages messages;
    testsupport::TempAppFolder folder;
    data::Database db = folder.caseDatabase();
    engine::CaseContext context;
    training::VerdictKeeper verdicts;
    results::TouchedReport touched;
    int previews = 0;
};

TEST_F(Form7Test, ARightAnswerShowsGreenAndEndsTheAttempts) {
    answer(1, 3);
    const auto f = show();
    EXPECT_EQ(label(*f), "صح... النتيجة 20 من 20");
    EXPECT_EQ(panel(*f), Form7::Green);
    EXPECT_FALSE(shown(*f, "Command6"));
    EXPECT_FALSE(shown(*f, "Frame_SHARE_AMOUNT_ERROR"));
    EXPECT_FALSE(shown(*f, "DBGrid1"));
    EXPECT_EQ(rows("select count(*) from PRACTIC_SINGLE where case_no = 9"), 2);
}

TEST_F(Form7Test, AWrongAnswerNamesTheRelationAndLaterShowingsRepeatTheVerdictOnly) {
    answer(1, 2);
    {
        const auto f = show();
        EXPECT_EQ(label(*f), "خطأ... النتيجة 0 من 20");
        EXPECT_EQ(panel(*f), Form7::Red);
        EXPECT_TRUE(shown(*f, "Frame_SHARE_AMOUNT_ERROR"));
        auto* list = child<QListWidget>(*f, "List_SHARE_AMOUNT_ERROR");
        ASSERT_EQ(list->count(), 1);
        EXPECT_EQ(list->item(0)->text(), "بنت");
        EXPECT_TRUE(shown(*f, "Command6"));
        EXPECT_EQ(rows("select count(*) from PRACTIC_SINGLE"), 0);
    }
    // Shown again without a new calculation (after a command that stays on the screen): the same
    // verdict, and an answer collected meanwhile is not deleted.
    db.execute("insert into PRACTIC_SINGLE (case_no) values (9)");
    const auto again = show();
    EXPECT_EQ(label(*again), "خطأ... النتيجة 0 من 20");
    EXPECT_EQ(rows("select count(*) from PRACTIC_SINGLE"), 1);
}

// The contrast of two colours as the accessibility guidelines measure it: 4.5 at least for text.
double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The verdict reads on its red or green panel whatever the desktop's theme gives text: a dark
// theme's white text on the red does not.
TEST_F(Form7Test, TheVerdictReadsOnItsPanelUnderALightOrADarkTheme) {
    const QPalette original = QApplication::palette();
    for (const QColor text : {QColor(Qt::black), QColor(Qt::white)}) {
        QPalette theme = original;
        theme.setColor(QPalette::WindowText, text);
        QApplication::setPalette(theme);
        for (const auto& [daughter, name] : {std::pair{2, "wrong"}, std::pair{3, "right"}}) {
            SCOPED_TRACE(std::string(name) + (text == Qt::white ? ", dark theme" : ", light theme"));
            answer(1, daughter);
            const auto f = show();
            const QColor panelColour = child<QWidget>(*f, "Frame1")->palette().color(QPalette::Window);
            EXPECT_GE(
                contrast(child<QLabel>(*f, "Label6")->palette().color(QPalette::WindowText), panelColour),
                4.5);
            auto* errors = child<QWidget>(*f, "Frame_SHARE_AMOUNT_ERROR");
            if (errors->isVisible()) {
                EXPECT_GE(contrast(errors->palette().color(QPalette::WindowText),
                                   errors->palette().color(QPalette::Window)),
                          4.5);
            }
        }
    }
    QApplication::setPalette(original);
}

TEST_F(Form7Test, NothingToCompareGivesNoVerdict) {
    verdicts.handedIn();
    const auto f = show();
    EXPECT_FALSE(shown(*f, "Frame1"));
    EXPECT_FALSE(shown(*f, "Frame_SHARE_AMOUNT_ERROR"));
}

TEST_F(Form7Test, TwoMoreAttemptsHandBackAndTheThirdIsRefused) {
    answer(1, 2);
    for (int attempt = 1; attempt <= 2; ++attempt) {
        const auto f = show();
        child<QPushButton>(*f, "Command6")->click();
        EXPECT_FALSE(f->isVisible()) << attempt;
        EXPECT_EQ(f->result(), QDialog::Accepted);
        EXPECT_EQ(context.Text_choos_no, "10");
        EXPECT_EQ(rows("select count(*) from case_no where case_no = 9 and \"case\" = 'زيد'"), 1);
        context.Text_choos_no.clear();
    }
    const auto f = show();
    child<QPushButton>(*f, "Command6")->click();
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(label(*f), " انتهت المحاولات الثلاث للاجابة  ");
    EXPECT_TRUE(context.Text_choos_no.isEmpty());
}

TEST_F(Form7Test, TheFinalScoreOfAFinishedBatchAndOfAnUnfinishedOne) {
    for (int n : {3, 8, 9, 17, 20})
        db.execute("insert into TEST_CASE_NO_WAJBA (case_no) values (?)", {n});
    db.execute("insert into PRACTIC_SINGLE (case_no) values (3), (8)");
    answer(1, 3);
    db.execute("insert into TEST_CASE_NO_WAJBA_MAIN (case_no) values (20)");
    {
        const auto f = show();
        child<QPushButton>(*f, "Command4")->click();
        EXPECT_EQ(messages.last(), "اكمل بقية اسئلة الوجبة للحصول على النتيجة النهائية");
        EXPECT_FALSE(shown(*f, "Frame1"));
        EXPECT_TRUE(f->isVisible());
        // The question in hand and the learner's answer stay for a retry.
        EXPECT_GT(rows("select count(*) from WARITH"), 0);
    }
    db.execute("delete from TEST_CASE_NO_WAJBA_MAIN");
    const auto f = show();
    child<QPushButton>(*f, "Command4")->click();
    EXPECT_EQ(label(*f), " النتيجة النهائية 60 من مئة ");
    EXPECT_EQ(panel(*f), Form7::Green);
    EXPECT_TRUE(shown(*f, "Command5"));
    EXPECT_FALSE(child<QPushButton>(*f, "Command_return_to_case")->isEnabled());
    EXPECT_EQ(rows("select count(*) from WARITH"), 0);

    child<QPushButton>(*f, "Command5")->click();
    EXPECT_EQ(context.Text_choos_no, "10");
    EXPECT_FALSE(f->isVisible());
}

TEST_F(Form7Test, GoingOnAndANewGroupHandBackCode10) {
    db.execute("insert into TEST_CASE_NO_WAJBA_MAIN (case_no) values (20)");
    answer(1, 3);
    db.execute("insert into Q_TIMES (Q_TIMES) values (1)");
    {
        const auto f = show();
        child<QPushButton>(*f, "Command_return_to_case")->click();
        EXPECT_FALSE(f->isVisible());
        EXPECT_EQ(context.Text_choos_no, "10");
        EXPECT_EQ(rows("select count(*) from Q_TIMES"), 0);
        EXPECT_EQ(rows("select count(*) from case_no where case_no = 9"), 1);
        EXPECT_EQ(rows("select count(*) from TEST_CASE_NO_WAJBA_MAIN"), 1);
    }
    context.Text_choos_no.clear();
    answer(1, 3);
    const auto f = show();
    child<QPushButton>(*f, "Command_start_new")->click();
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(context.Text_choos_no, "10");
    EXPECT_EQ(rows("select count(*) from TEST_CASE_NO_WAJBA_MAIN"), 0);
    EXPECT_EQ(rows("select count(*) from PRACTIC_SINGLE"), 0);
}

TEST_F(Form7Test, TheRevealShowsTheEngineResultAndHidesTheAttempts) {
    answer(1, 2);
    const auto f = show();
    child<QPushButton>(*f, "Command_show_case")->click();
    EXPECT_TRUE(shown(*f, "DBGrid1"));
    EXPECT_FALSE(shown(*f, "Command6"));
    EXPECT_FALSE(shown(*f, "Frame1"));
    const QAbstractItemModel* grid = child<QTableView>(*f, "DBGrid1")->model();
    ASSERT_EQ(grid->rowCount(), 4);
    EXPECT_EQ(grid->index(1, 2).data().toString(), "قسام شرعي   حسب قواعد الشريعة الاسلامية ");
}

TEST_F(Form7Test, ThePrintCopiesTheModeIntoTheReportDatabaseOrSaysItIsMissing) {
    answer(1, 3);
    db.execute("insert into PRINT_TEXT2 (serial_deth, name_deth) values (1, 'زيد')");
    db.execute(
        "insert into PRINT_TEXT2_CHILED (serial_deth, serial_deth_chiled, name_deth_chiled, Relation, share) "
        "values (1, 1, 'ا', 'زوج', 1)");
    const auto f = show();
    f->Command_print_Click();
    const data::Database report = data::Database::OpenDatabase(folder.file("TALVENO_TEST_REPORT.mdb"));
    EXPECT_EQ(report.scalar("select group_concat(REPORT_DESTRIBUTER) from REPORT_DESTRIBUTER").toString(),
              "بدون توحيد");
    EXPECT_EQ(previews, 1);

    data::Database::closeAll();
    ASSERT_TRUE(QFile::remove(folder.file("TALVENO_TEST_REPORT.mdb")));
    db = folder.caseDatabase();
    const auto g = show();
    g->Command_print_Click();
    EXPECT_TRUE(messages.last().startsWith("قاعدة بيانات التقارير غير موجودة: "));
    EXPECT_FALSE(QFile::exists(folder.file("TALVENO_TEST_REPORT.mdb")));
    EXPECT_TRUE(g->isVisible());
    EXPECT_EQ(previews, 1);
}

} // namespace
