#include "results/Form14.h"
#include "results/TouchedReport.h"

#include "data/FlagTable.h"
#include "engine/ScriptedPort.h"
#include "engine/report/EngineContext.h"
#include "engine/report/ReportTables.h"
#include "support/AltKeys.h"
#include "support/TempAppFolder.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSqlRecord>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

using results::Form14;
using testsupport::TempAppFolder;

namespace {

const QString RulesLine = QStringLiteral("   حسب قواعد الشريعة الاسلامية ");
const QString DeedTermLine = QStringLiteral("   قسام شرعي   ");
const QString UnifiedHeading = QStringLiteral("توحيد القسامات ");

const QStringList allCommands = {
    "Command_stored_case", "Command_endprogram", "Command_return_to_case", "Command1",
    "Command_start_new",   "Command_print",      "Command_methahib",       "Command_show_case",
    "Command_share",       "Command_percent"};

// The twin of a command, when it has one.
QString twinOf(const QString& command) {
    if (command == QLatin1String("Command1") || command == QLatin1String("Command_return_to_case"))
        return {};
    return QStringLiteral("Command_ALTER_") + command.mid(QStringLiteral("Command_").size());
}

class Form14Test : public ::testing::Test {
protected:
    std::unique_ptr<Form14> open(results::PartnerWindows windows = {}) {
        Form14::Links links;
        links.cleanExit = [this](const data::Database& exitDb) {
            ++cleanExits;
            exitDbPath = exitDb.path();
        };
        links.mainMenu = [this] { ++mainMenus; };
        links.windows = windows;
        return std::make_unique<Form14>(db, context, touched, std::move(links));
    }

    // The lines the engine writes at the start of every calculation (the title block: basmala,
    // deed term, rules phrase, school, rule), then the case heading, the deceased and one heir.
    void engineWritesReport() {
        engine::EngineState state;
        state.Madhhab = 2;
        engine::NameTables names;
        names.fillMenuTexts();
        testsupport::ScriptedPort port(db);
        engine::CaseContext engineContext;
        engine::EngineContext ctx{state, names, db, port, engineContext};
        engine::ResetReport(ctx);
        db.execute("insert into PRINT_TEXT (ser) values ('التسلسل/12')");
        db.execute("insert into PRINT_TEXT (ser, deth_name, unit) values ('1', 'توفى المدعو', 'زيد')");
        db.execute("insert into PRINT_TEXT (case_ser, print_text, kinds, share) values ('     1', 'هند', "
                   "'زوجة', '6')");
    }

    void writeLines(const QStringList& lines) {
        db.execute("delete from PRINT_TEXT");
        for (const QString& line : lines)
            db.execute("insert into PRINT_TEXT (print_text) values (?)", {line});
    }

    QStringList lines() const {
        QStringList out;
        for (const QSqlRecord& r : db.select("select print_text from PRINT_TEXT order by rowid"))
            out << r.value(0).toString();
        return out;
    }
    qint64 rows(const char* table) const { return db.count(QString("select count(*) from %1").arg(table)); }

    template <typename T> static T* child(const Form14& w, const QString& name) {
        T* c = w.findChild<T*>(name);
        if (!c)
            ADD_FAILURE() << "no control " << name.toStdString();
        return c;
    }

    TempAppFolder folder;
    data::Database db = folder.caseDatabase();
    engine::CaseContext context;
    results::TouchedReport touched;
    int cleanExits = 0;
    int mainMenus = 0;
    QString exitDbPath;
};

// --- The set-up on the report lines ---------------------------------------------------------

TEST_F(Form14Test, AFreshReportShowsTheDeedTermInFrontOfTheRulesLine) {
    engineWritesReport();
    const QStringList before = lines();
    ASSERT_EQ(before.at(1).trimmed(), QStringLiteral("قسام شرعي"));
    ASSERT_EQ(before.at(2), QStringLiteral("   حسب قواعد الشريعة الاسلامية "));

    auto w = open();

    const QStringList after = lines();
    ASSERT_EQ(after.size(), before.size() - 1);
    EXPECT_EQ(after.at(0), before.at(0));
    EXPECT_EQ(after.at(1), QStringLiteral("قسام شرعي   حسب قواعد الشريعة الاسلامية "));
    EXPECT_EQ(after.mid(2), before.mid(3));

    // The grid shows the table as the set-up left it, in table order.
    auto* grid = child<QTableView>(*w, "DBGrid1");
    ASSERT_NE(grid, nullptr);
    QAbstractItemModel* model = grid->model();
    ASSERT_EQ(model->rowCount(), after.size());
    QStringList shown;
    for (int r = 0; r < model->rowCount(); ++r)
        shown << model->index(r, 2).data().toString();
    EXPECT_EQ(shown, after);
}

struct LinesCase {
    const char* name;
    QStringList before;
    QStringList after;
};

void PrintTo(const LinesCase& c, std::ostream* os) {
    *os << c.name;
}

class Form14LinesTest : public Form14Test, public ::testing::WithParamInterface<LinesCase> {};

TEST_P(Form14LinesTest, SetUpOnTheseLines) {
    writeLines(GetParam().before);
    auto w = open();
    EXPECT_EQ(lines(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Form14LinesTest,
    ::testing::Values(LinesCase{"Empty", {}, {}}, LinesCase{"OneLineIsNotDeleted", {"ا"}, {"ا"}},
                      LinesCase{"OneRulesLineIsPrefixedAndKept", {RulesLine}, {"قسام شرعي" + RulesLine}},
                      LinesCase{"OnlyTheFirstRulesLineIsPrefixed",
                                {RulesLine + "1", DeedTermLine, RulesLine + "2"},
                                {"قسام شرعي" + RulesLine + "1", RulesLine + "2"}},
                      // After percentages or an estate division the second line is the separator under the
                      // heading of the amounts table.
                      LinesCase{"TheAmountsTableLosesItsSeparator",
                                {"الحصص بالنسبة المئوية", QString(16, QChar(0x0640)), "هند 25"},
                                {"الحصص بالنسبة المئوية", "هند 25"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Form14Test, TheSameLinesAreNeverSetUpTwice) {
    engineWritesReport();
    open().reset();
    const QStringList once = lines();

    // Shown again without the engine writing anything in between.
    open().reset();
    EXPECT_EQ(lines(), once);
    open().reset();
    EXPECT_EQ(lines(), once);

    // The engine writes the same case again: the new lines are set up.
    engineWritesReport();
    open().reset();
    EXPECT_EQ(lines(), once);
}

TEST_F(Form14Test, TheUnificationPrintOptionsShowOnlyForAUnifiedReport) {
    engineWritesReport();
    {
        auto w = open();
        EXPECT_TRUE(child<QGroupBox>(*w, "Frame1_tawheed_print")->isHidden());
    }
    engineWritesReport();
    db.execute("insert into PRINT_TEXT (ser) values (?)", {UnifiedHeading});
    auto w = open();
    auto* frame = child<QGroupBox>(*w, "Frame1_tawheed_print");
    EXPECT_FALSE(frame->isHidden());
    EXPECT_EQ(frame->title(), QStringLiteral("خيارات طباعة المسائل المناسخة"));
    EXPECT_TRUE(child<QRadioButton>(*w, "Option_all")->isChecked());
    EXPECT_FALSE(child<QRadioButton>(*w, "Option_tawheed_only")->isChecked());
}

// --- Command states ---------------------------------------------------------------------------

struct StateCase {
    const char* name;
    std::optional<const char*> enabledCheck;
    const char* source;
    bool queued;
    const char* lock;
    const char* autoPress;
    QStringList disabled;
    const char* focus;
    bool complete; // the set-up went on past the command states
    const char* lockAfter;
    const char* autoPressAfter;
    const char* pressedCode; // the code the automatic press hands back, "" when nothing is pressed
};

void PrintTo(const StateCase& c, std::ostream* os) {
    *os << c.name;
}

class Form14StateTest : public Form14Test, public ::testing::WithParamInterface<StateCase> {};

TEST_P(Form14StateTest, CommandsFocusAndFlags) {
    const StateCase& c = GetParam();
    if (c.enabledCheck)
        data::FlagTable(db, "ENABLED_CHECK").write(QString::fromUtf8(*c.enabledCheck));
    if (c.queued)
        db.execute("insert into STORDE_STANDERD_TEMP (storde_case_no) values (3)");
    context.Text_RLAS = QString::fromUtf8(c.source);
    context.Text_desabled_form7_commands_first_time = c.lock;
    context.Text_stord_standerd_case_keyup = c.autoPress;
    engineWritesReport();
    db.execute("insert into PRINT_TEXT (ser) values (?)", {UnifiedHeading});
    const qint64 written = rows("PRINT_TEXT");

    auto w = open();

    for (const QString& name : allCommands) {
        SCOPED_TRACE(name.toStdString());
        const bool enabled = !c.disabled.contains(name);
        auto* button = child<QPushButton>(*w, name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->isEnabled(), enabled);
        if (const QString twin = twinOf(name); !twin.isEmpty()) {
            auto* shortcut = child<QShortcut>(*w, twin);
            ASSERT_NE(shortcut, nullptr);
            EXPECT_EQ(shortcut->isEnabled(), enabled);
        }
    }
    ASSERT_NE(w->firstFocusControl(), nullptr);
    EXPECT_EQ(w->firstFocusControl()->objectName(), QString(c.focus));
    EXPECT_EQ(w->tabOrder().front()->objectName(), QStringLiteral("Command_stored_case"));
    EXPECT_EQ(rows("PRINT_TEXT"), c.complete ? written - 1 : written);
    EXPECT_EQ(child<QGroupBox>(*w, "Frame1_tawheed_print")->isHidden(), !c.complete);
    EXPECT_EQ(context.Text_desabled_form7_commands_first_time, QString(c.lockAfter));
    EXPECT_EQ(context.Text_stord_standerd_case_keyup, QString(c.autoPressAfter));

    // The automatic press happens once the screen is up, not during the set-up.
    EXPECT_EQ(context.Text_choos_no, QString());
    QCoreApplication::processEvents();
    EXPECT_EQ(context.Text_choos_no, QString(c.pressedCode));
}

const QStringList modelRunLocked = {"Command_start_new", "Command_return_to_case"};

INSTANTIATE_TEST_SUITE_P(
    Table, Form14StateTest,
    ::testing::Values(
        StateCase{"NoRow", std::nullopt, "ج", false, "", "", {}, "Command_stored_case", true, "", "", ""},
        StateCase{"OtherValue", "x", "ج", false, "", "", {}, "Command_stored_case", true, "", "", ""},
        // Enter on a new case's results screen reaches the exit button.
        StateCase{"NewCase",
                  "جديدة",
                  "خ",
                  true,
                  "1",
                  "1",
                  {"Command_stored_case"},
                  "Command_endprogram",
                  true,
                  "1",
                  "1",
                  ""},
        StateCase{"StoredNotModelSource", "مخزونة", "ج", false, "1", "1", modelRunLocked,
                  "Command_stored_case", true, "1", "", "8"},
        StateCase{"ModelRunWithCasesQueued", "مخزونة", "خ", true, "1", "1", modelRunLocked,
                  "Command_stored_case", false, "1", "1", ""},
        StateCase{"FirstScreenOfAModelRun",
                  "مخزونة",
                  "خ",
                  false,
                  "1",
                  "1",
                  {"Command_start_new", "Command_return_to_case", "Command_show_case", "Command_share",
                   "Command_percent", "Command_methahib", "Command_print"},
                  "Command_stored_case",
                  true,
                  "",
                  "",
                  "8"},
        StateCase{"ModelRunAfterTheLastCase", "مخزونة", "خ", false, "", "", modelRunLocked,
                  "Command_stored_case", true, "", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Form14Test, TheQueuedModelRunKeepsTheDeedTermOnItsOwnLineAsWell) {
    data::FlagTable(db, "ENABLED_CHECK").write(QStringLiteral("مخزونة"));
    db.execute("insert into STORDE_STANDERD_TEMP (storde_case_no) values (3)");
    context.Text_RLAS = QStringLiteral("خ");
    engineWritesReport();
    auto w = open();
    const QStringList after = lines();
    EXPECT_EQ(after.at(1).trimmed(), QStringLiteral("قسام شرعي"));
    EXPECT_EQ(after.at(2), QStringLiteral("قسام شرعي   حسب قواعد الشريعة الاسلامية "));
}

// --- Hand-back of the commands ----------------------------------------------------------------

struct Tables {
    QStringList reportMode;
    qint64 tawheed, tawheedChild, warith, deth, munaska;
    QStringList caseNo;
    bool operator==(const Tables&) const = default;
};

void PrintTo(const Tables& t, std::ostream* os) {
    *os << "mode=" << t.reportMode.join(',').toStdString() << " tawheed=" << t.tawheed << "/"
        << t.tawheedChild << " warith=" << t.warith << " deth=" << t.deth << " munaska=" << t.munaska
        << " case_no=" << t.caseNo.join(',').toStdString();
}

struct HandBackCase {
    const char* command;
    const char* code;
    const char* newCaseFlag;
    Tables after;
};

void PrintTo(const HandBackCase& c, std::ostream* os) {
    *os << c.command;
}

class Form14HandBackTest : public Form14Test, public ::testing::WithParamInterface<HandBackCase> {
protected:
    Tables tables() const {
        Tables t;
        for (const QSqlRecord& r :
             db.select("select REPORT_DESTRIBUTER from REPORT_DESTRIBUTER order by rowid"))
            t.reportMode << r.value(0).toString();
        t.tawheed = rows("TAWHEED");
        t.tawheedChild = rows("TAWHEED_CHILED");
        t.warith = rows("WARITH");
        t.deth = rows("DETH");
        t.munaska = rows("MUNASKA_TEMP");
        for (const QSqlRecord& r : db.select("select case_no, \"case\" from case_no order by rowid"))
            t.caseNo << r.value(0).toString() + "|" + r.value(1).toString();
        return t;
    }
};

const Tables untouched{{"تركة"}, 1, 2, 2, 1, 3, {"5|1"}};

TEST_P(Form14HandBackTest, WritesItsCodeAfterItsStatementsAndCloses) {
    const HandBackCase& c = GetParam();
    // First, since a new report empties the unified tables.
    engineWritesReport();
    data::FlagTable(db, "REPORT_DESTRIBUTER").write(QStringLiteral("تركة"));
    db.execute("insert into TAWHEED (name_deth) values ('زيد')");
    db.execute("insert into TAWHEED_CHILED (name_deth_chiled) values ('هند'), ('عمرو')");
    db.execute("insert into WARITH (warith_name, warith_relation) values ('هند', 'زوجة'), ('عمرو', 'ابن')");
    db.execute("insert into DETH (deth_name, arrange) values ('زيد', 1)");
    db.execute("insert into MUNASKA_TEMP (deth_name) values ('زيد'), ('هند'), ('عمرو')");
    db.execute("insert into case_no (case_no, \"case\") values (5, '1')");
    ASSERT_EQ(tables(), untouched);
    context.Text_case_no = QStringLiteral("12");
    context.Text_start_new_case = QStringLiteral("x");

    auto w = open();
    w->show();
    const QStringList report = lines();
    child<QPushButton>(*w, c.command)->click();

    EXPECT_EQ(context.Text_choos_no, QString(c.code));
    EXPECT_EQ(context.Text_start_new_case, QString(c.newCaseFlag));
    EXPECT_EQ(tables(), c.after);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_EQ(lines(), report);
}

Tables with(Tables t, auto change) {
    change(t);
    return t;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Form14HandBackTest,
    ::testing::Values(
        HandBackCase{"Command_show_case", "2", "1", with(untouched, [](Tables& t) { t.reportMode.clear(); })},
        HandBackCase{"Command_percent", "3", "",
                     with(untouched,
                          [](Tables& t) {
                              t.reportMode = QStringList{"مئوية"};
                              t.tawheed = t.tawheedChild = 0;
                          })},
        HandBackCase{"Command_share", "4", "", untouched},
        HandBackCase{"Command_stored_case", "8", "1",
                     with(untouched, [](Tables& t) { t.reportMode.clear(); })},
        HandBackCase{"Command_methahib", "9", "1", with(untouched, [](Tables& t) { t.reportMode.clear(); })},
        HandBackCase{"Command_start_new", "10", "1",
                     with(untouched, [](Tables& t) { t.warith = t.deth = t.munaska = 0; })},
        HandBackCase{"Command_return_to_case", "10", "1",
                     with(untouched, [](Tables& t) { t.caseNo = QStringList{"12|1"}; })}),
    [](const auto& info) { return std::string(info.param.command); });

TEST_F(Form14Test, ReturnToCaseHandsOffTheNumberTheCaseFieldBeginsWith) {
    const struct {
        const char* field;
        qint64 caseNo;
    } cases[] = {{"12", 12}, {"", 0}, {"abc", 0}, {" 7 x", 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        context.Text_case_no = QString::fromUtf8(c.field);
        auto w = open();
        w->Command_return_to_case_Click();
        const data::Rows handOff = db.select("select case_no, \"case\" from case_no");
        ASSERT_EQ(handOff.size(), 1);
        EXPECT_EQ(handOff.front().value(0).toLongLong(), c.caseNo);
        EXPECT_EQ(handOff.front().value(1).toString(), QStringLiteral("1"));
        EXPECT_EQ(context.Text_case_no, QString::fromUtf8(c.field));
    }
}

TEST_F(Form14Test, EachTwinRunsItsCommand) {
    const struct {
        const char* twin;
        QKeyCombination key;
        const char* code;
    } twins[] = {
        {"Command_ALTER_show_case", Qt::ALT | Qt::Key_I, "2"},
        {"Command_ALTER_percent", Qt::ALT | Qt::Key_R, "3"},
        {"Command_ALTER_share", Qt::ALT | Qt::Key_V, "4"},
        {"Command_ALTER_stored_case", Qt::ALT | Qt::Key_L, "8"},
        {"Command_ALTER_methahib", Qt::ALT | Qt::Key_P, "9"},
        {"Command_ALTER_start_new", Qt::ALT | Qt::Key_S, "10"},
        {"Command_ALTER_print", Qt::ALT | Qt::Key_L, ""},
    };
    for (const auto& t : twins) {
        SCOPED_TRACE(t.twin);
        context.Text_choos_no.clear();
        auto w = open();
        auto* shortcut = child<QShortcut>(*w, t.twin);
        ASSERT_NE(shortcut, nullptr);
        EXPECT_EQ(shortcut->key(), QKeySequence(t.key));
        emit shortcut->activated();
        EXPECT_EQ(context.Text_choos_no, QString(t.code));
    }
}

// Alt and the caption's Arabic letter or the Latin letter on its key: one command under either
// layout. The exit has no caption; its key is its twin's.
TEST_F(Form14Test, EveryAccessKeyRunsItsCommandUnderEitherLayout) {
    const struct {
        Qt::Key latin;
        char16_t arabic;
        const char* code;
    } keys[] = {
        {Qt::Key_I, 0x0647, "2"}, {Qt::Key_V, 0x0631, "4"},  {Qt::Key_L, 0x0645, "8"},
        {Qt::Key_P, 0x062D, "9"}, {Qt::Key_S, 0x0633, "10"},
    };
    for (const testsupport::KeyboardLayout layout : testsupport::BothLayouts) {
        for (const auto& k : keys) {
            SCOPED_TRACE(std::string(testsupport::nameOf(layout)) + " " + k.code);
            context.Text_choos_no.clear();
            auto w = open();
            w->show();
            w->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
            testsupport::altKey(w.get(), layout, k.latin, k.arabic);
            EXPECT_EQ(context.Text_choos_no, QString(k.code));
        }
        auto w = open();
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
        const int exits = cleanExits;
        testsupport::altKey(w.get(), layout, Qt::Key_K, 0x0646);
        EXPECT_EQ(cleanExits, exits + 1);
    }
}

// "القائمة الرئيسية" and "القسام بالنسبة المئوية" both mark qaf: its key takes the focus to each in
// turn under either layout and presses neither.
TEST_F(Form14Test, TheMainMenuAndThePercentagesShareTheirKeyUnderEitherLayout) {
    for (const testsupport::KeyboardLayout layout : testsupport::BothLayouts) {
        SCOPED_TRACE(testsupport::nameOf(layout));
        auto w = open();
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
        testsupport::altKey(w.get(), layout, Qt::Key_R, 0x0642);
        QWidget* first = QApplication::focusWidget();
        testsupport::altKey(w.get(), layout, Qt::Key_R, 0x0642);
        QWidget* second = QApplication::focusWidget();
        EXPECT_EQ(
            QSet<QWidget*>({first, second}),
            QSet<QWidget*>({child<QPushButton>(*w, "Command1"), child<QPushButton>(*w, "Command_percent")}));
        EXPECT_TRUE(context.Text_choos_no.isEmpty());
        EXPECT_EQ(mainMenus, 0);
    }
}

TEST_F(Form14Test, TheDoubledLetterRunsTheStoredCaseCommandWhileItIsEnabled) {
    auto w = open();
    emit child<QShortcut>(*w, "Command_ALTER_print")->activatedAmbiguously();
    EXPECT_EQ(context.Text_choos_no, QStringLiteral("8"));
}

// --- Exits, print and the ways the screen does not close ------------------------------------

TEST_F(Form14Test, TheExitsEndTheProgramWithoutACode) {
    context.Text_choos_no = QStringLiteral("3");
    auto w = open();
    child<QPushButton>(*w, "Command_endprogram")->click();
    EXPECT_EQ(cleanExits, 1);
    EXPECT_EQ(exitDbPath, db.path());
    emit child<QShortcut>(*w, "Command_ALTER_endprogram")->activated();
    EXPECT_EQ(cleanExits, 2);
    child<QPushButton>(*w, "Command1")->click();
    EXPECT_EQ(mainMenus, 1);
    EXPECT_EQ(context.Text_choos_no, QStringLiteral("3"));
}

TEST_F(Form14Test, NeitherTheWindowSystemNorEscCloseTheScreen) {
    context.Text_choos_no = QStringLiteral("9");
    auto w = open();
    w->show();
    EXPECT_FALSE(w->close());
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(w.get(), &esc);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(context.Text_choos_no, QStringLiteral("9"));
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
}

// Enter presses the button that has the focus and nothing else: on the grid or the font size it
// must not hand back a command the user never chose.
TEST_F(Form14Test, EnterPressesOnlyTheFocusedButton) {
    struct Case {
        const char* control;
        const char* code; // written into the host's field; "" for none
        int exits;
    };
    const Case cases[] = {
        {"DBGrid1", "", 0},
        {"Combo1", "", 0},
        {"Command_show_case", "2", 0},
        {"Command_endprogram", "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        data::FlagTable(db, "ENABLED_CHECK").write(QStringLiteral("جديدة"));
        engineWritesReport();
        context.Text_choos_no.clear();
        cleanExits = 0;
        auto w = open();
        w->show();
        auto* control = child<QWidget>(*w, c.control);
        control->setFocus();
        for (auto type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent enter(type, Qt::Key_Return, Qt::NoModifier);
            QCoreApplication::sendEvent(control, &enter);
        }
        EXPECT_EQ(context.Text_choos_no, QString::fromUtf8(c.code));
        EXPECT_EQ(w->isVisible(), *c.code == 0);
        EXPECT_EQ(cleanExits, c.exits);
    }
}

TEST_F(Form14Test, PrintLeavesTheScreenOpenAndWritesNothing) {
    data::FlagTable(db, "REPORT_DESTRIBUTER").write(QStringLiteral("مئوية"));
    context.Text_choos_no = QStringLiteral("3");
    auto w = open();
    w->show();
    auto* print = child<QPushButton>(*w, "Command_print");
    EXPECT_EQ(print->text(), QStringLiteral("معاينة قبل الطبع"));
    print->click();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(context.Text_choos_no, QStringLiteral("3"));
    EXPECT_EQ(data::FlagTable(db, "REPORT_DESTRIBUTER").text(), QStringLiteral("مئوية"));
}

// --- The grid and its font size ---------------------------------------------------------------

TEST_F(Form14Test, TheGridIsReadOnlyAndReadsFromTheRight) {
    engineWritesReport();
    auto w = open();
    auto* grid = child<QTableView>(*w, "DBGrid1");
    QAbstractItemModel* model = grid->model();
    const QStringList bound = {"share", "kinds", "print_text", "case_ser", "unit", "deth_name", "ser"};
    ASSERT_EQ(model->columnCount(), bound.size());
    const int heir = model->rowCount() - 1;
    const QStringList heirRow = {"6", "زوجة", "هند", "     1", "", "", ""};
    for (int c = 0; c < bound.size(); ++c) {
        SCOPED_TRACE(bound[c].toStdString());
        EXPECT_EQ(model->index(heir, c).data().toString(), heirRow[c]);
        EXPECT_EQ(model->headerData(c, Qt::Horizontal).toString(), QString());
        EXPECT_FALSE(model->flags(model->index(heir, c)).testFlag(Qt::ItemIsEditable));
        // Right to left on screen: the serial stands at the right edge, the share at the left.
        EXPECT_EQ(grid->horizontalHeader()->visualIndex(c), bound.size() - 1 - c);
    }
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(grid->layoutDirection(), Qt::RightToLeft);
}

TEST_F(Form14Test, TheFontSizeChoiceSizesTheGrid) {
    auto w = open();
    auto* combo = child<QComboBox>(*w, "Combo1");
    auto* grid = child<QTableView>(*w, "DBGrid1");
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    EXPECT_EQ(items, QStringList({"8.25", "10", "12", "14"}));
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_DOUBLE_EQ(grid->font().pointSizeF(), 8.25);

    const double sizes[] = {8.25, 10, 12, 14};
    for (int i : {3, 1, 2, 0}) {
        combo->setCurrentIndex(i);
        EXPECT_DOUBLE_EQ(grid->font().pointSizeF(), sizes[i]) << i;
    }
}

} // namespace
