#include "exercise/Form7.h"

#include "data/Numbers.h"
#include "exercise/ReportModeCopy.h"
#include "platform/AppPaths.h"
#include "platform/MessageService.h"
#include "platform/widgets/AccessKeyCaption.h"
#include "platform/widgets/FocusReturn.h"
#include "platform/widgets/ReportDocument.h"
#include "platform/widgets/ReportPreview.h"
#include "results/PaddedLineDelegate.h"
#include "results/ResultsSetUp.h"
#include "results/TouchedReport.h"
#include "training/ExerciseResultsActions.h"
#include "training/VerdictKeeper.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace exercise {

namespace {

constexpr int ButtonHeight = 30;

// The grid's columns in the order they are bound; on screen they run the other way, so that a
// line reads from the right as the engine printed it.
const char* const gridColumns[] = {"share", "kinds", "print_text", "case_ser", "unit", "deth_name", "ser"};
constexpr int TextColumn = 2;
constexpr int MinTextColumnWidth = 120;

const QStringList FontSizes = {QStringLiteral("8.25"), QStringLiteral("10"), QStringLiteral("12"),
                               QStringLiteral("14")};

struct Command {
    const char* name;
    const char* caption;
    bool shown;
    const char* twin; // nullptr: no twin
    QKeyCombination key;
    void (Form7::*handler)();
};

const Command commands[] = {
    {"Command_show_case", "اظ&هار نتيجة المسألة", true, "Command_ALTER_show_case", Qt::ALT | Qt::Key_I,
     &Form7::Command_show_case_Click},
    {"Command6", "محاولة اخرى لحل السؤال", true, nullptr, {}, &Form7::Command6_Click},
    {"Command4", "النتيجة النهائية", true, nullptr, {}, &Form7::Command4_Click},
    {"Command_return_to_case", "اكمال بقية الاسئلة", true, nullptr, {}, &Form7::Command_return_to_case_Click},
    {"Command_start_new", "البدأ بمجموعة جديدة من الاسئلة", true, "Command_ALTER_start_new",
     Qt::ALT | Qt::Key_S, &Form7::Command_start_new_Click},
    {"Command1", "ال&قائمة الرئيسية", true, nullptr, {}, &Form7::Command1_Click},
    {"Command_endprogram", "", true, "Command_ALTER_endprogram", Qt::ALT | Qt::Key_K,
     &Form7::Command_endprogram_Click},
    {"Command_stored_case", "&مسألة مخزونة نموذجية", false, "Command_ALTER_stored_case", Qt::ALT | Qt::Key_L,
     &Form7::Command_stored_case_Click},
    {"Command_percent", "ال&قسام بالنسبة المئوية", false, "Command_ALTER_percent", Qt::ALT | Qt::Key_R,
     &Form7::Command_percent_Click},
    {"Command_share", "قسمة ت&ركة معينة", false, "Command_ALTER_share", Qt::ALT | Qt::Key_V,
     &Form7::Command_share_Click},
    {"Command_methahib", "ال&حل وفق المذهب الآخر", false, "Command_ALTER_methahib", Qt::ALT | Qt::Key_P,
     &Form7::Command_methahib_Click},
    {"Command_print", "معاينة قبل الطبع", false, "Command_ALTER_print", Qt::ALT | Qt::Key_L,
     &Form7::Command_print_Click},
    {"Command3", "تدقيق سؤال", false, nullptr, {}, &Form7::Command3_Click},
};

} // namespace

Form7::Form7(data::Database db, engine::CaseContext& hostContext, training::VerdictKeeper& verdicts,
             results::TouchedReport& touched, Links links, QWidget* parent)
    : platform::CommandOnlyDialog(parent), m_db(std::move(db)), m_context(hostContext), m_verdicts(verdicts),
      m_touched(touched), m_links(std::move(links)) {
    setObjectName(QStringLiteral("Form7"));
    setLayoutDirection(Qt::RightToLeft);
    // No caption, no title bar and no window controls: the commands are the only way out.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setModal(true);
    resize(1016, 760); // 15240 x 11400 twips
    buildControls();
    Form_Load();
}

Form7::~Form7() = default;

QPushButton* Form7::command(const char* name) const {
    return findChild<QPushButton*>(QString::fromLatin1(name));
}

void Form7::buildControls() {
    auto* layout = new QVBoxLayout(this);
    // The bottom row stands where the window buttons of every case screen stand.
    layout->setContentsMargins(12, 40, 12, 18);
    layout->setSpacing(8);

    // The font box is not shown on this screen; its first size applies all the same.
    auto* label = new QLabel(QStringLiteral("حجم الخط"), this);
    label->setObjectName(QStringLiteral("Label14"));
    label->hide();
    m_fontSize = new QComboBox(this);
    m_fontSize->setObjectName(QStringLiteral("Combo1"));
    m_fontSize->addItems(FontSizes);
    m_fontSize->hide();
    label->setBuddy(m_fontSize);

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_grid->horizontalHeader()->hide();
    m_grid->setWordWrap(false);
    // Tab goes on to the buttons: the grid is read, not moved through cell by cell.
    m_grid->setTabKeyNavigation(false);
    m_model = new QSqlQueryModel(this);
    m_model->setObjectName(QStringLiteral("Data8"));
    m_grid->setModel(m_model);
    m_grid->setItemDelegateForColumn(TextColumn, new results::PaddedLineDelegate(m_grid));
    m_grid->viewport()->installEventFilter(this);
    m_grid->hide(); // until the learner asks for the engine's result
    layout->addWidget(m_grid, 1);
    // While the grid is hidden the panels and buttons keep to the bottom.
    layout->addStretch(0);

    m_resultFrame = new QFrame(this);
    m_resultFrame->setObjectName(QStringLiteral("Frame1"));
    m_resultFrame->setAutoFillBackground(true);
    QPalette redPanel = m_resultFrame->palette();
    redPanel.setColor(QPalette::Window, QColor::fromRgb(Red));
    // Black reads on the verdict's red and green alike; a dark theme's white text does not.
    redPanel.setColor(QPalette::WindowText, Qt::black);
    m_resultFrame->setPalette(redPanel);
    auto* resultRow = new QHBoxLayout(m_resultFrame);
    m_result = new QLabel(m_resultFrame);
    m_result->setObjectName(QStringLiteral("Label6"));
    QFont big = m_result->font();
    big.setPointSize(16);
    big.setBold(true);
    m_result->setFont(big);
    resultRow->addWidget(m_result, 1);
    auto* ok = new QPushButton(QStringLiteral("موافق"), m_resultFrame);
    ok->setObjectName(QStringLiteral("Command5"));
    ok->setMinimumHeight(ButtonHeight);
    ok->setAutoDefault(false);
    ok->hide();
    resultRow->addWidget(ok);
    connect(ok, &QPushButton::clicked, this, &Form7::Command5_Click);
    layout->addWidget(m_resultFrame);

    m_errorFrame = new QGroupBox(QStringLiteral("خطأ في الحصص التالية"), this);
    m_errorFrame->setObjectName(QStringLiteral("Frame_SHARE_AMOUNT_ERROR"));
    m_errorFrame->setAutoFillBackground(true);
    m_errorFrame->setPalette(redPanel);
    // The list is short: the panel keeps to its height rather than take the hidden grid's room.
    m_errorFrame->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto* errorsLayout = new QVBoxLayout(m_errorFrame);
    m_errors = new QListWidget(m_errorFrame);
    m_errors->setObjectName(QStringLiteral("List_SHARE_AMOUNT_ERROR"));
    m_errors->setMaximumHeight(120);
    errorsLayout->addWidget(m_errors);
    layout->addWidget(m_errorFrame);

    std::map<QString, QPushButton*> buttons;
    for (const Command& c : commands) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(c.name));
        if (c.shown)
            platform::AccessKeyCaption::apply(b, QString::fromUtf8(c.caption));
        else
            b->setText(platform::AccessKeyCaption::plainText(QString::fromUtf8(c.caption)));
        // No default button: Enter presses the focused button only (keyPressEvent).
        b->setAutoDefault(false);
        b->setMinimumHeight(ButtonHeight);
        b->setVisible(c.shown);
        connect(b, &QPushButton::clicked, this, c.handler);
        buttons[b->objectName()] = b;
        if (c.twin) {
            // A twin is never seen: the Latin letter of the same key, so the command answers
            // under either keyboard layout; the twins of the commands not shown here remain.
            auto* twin = new QShortcut(QKeySequence(c.key), this);
            twin->setObjectName(QString::fromLatin1(c.twin));
            connect(twin, &QShortcut::activated, this, c.handler);
            m_twins[b] = twin;
        }
    }
    QPushButton* exit = buttons.at(QStringLiteral("Command_endprogram"));
    exit->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    exit->setToolTip(QStringLiteral("انهاء البرنامج"));
    exit->setAccessibleName(QStringLiteral("انهاء البرنامج"));

    // "l" is the letter of the model-case twin and of the print twin; on this path the model-case
    // command is never offered, so the letter prints.
    QShortcut* storedTwin = m_twins.at(buttons.at(QStringLiteral("Command_stored_case")));
    QShortcut* printTwin = m_twins.at(buttons.at(QStringLiteral("Command_print")));
    storedTwin->setEnabled(false);
    for (QShortcut* twin : {storedTwin, printTwin})
        connect(twin, &QShortcut::activatedAmbiguously, this, [this, printTwin] {
            if (printTwin->isEnabled())
                Command_print_Click();
        });

    m_windowButtons = new results::ShrinkEnlargeButtons(this, QStringLiteral("Command9"),
                                                        QStringLiteral("Command10"), m_links.windows);
    m_windowButtons->shrinkButton()->setMinimumHeight(ButtonHeight);
    m_windowButtons->shrinkButton()->setAutoDefault(false);
    m_windowButtons->enlargeButton()->setAutoDefault(false);

    auto* rowQuestion = new QHBoxLayout;
    for (const char* name : {"Command_show_case", "Command6", "Command4", "Command_return_to_case"})
        rowQuestion->addWidget(buttons.at(QString::fromLatin1(name)));
    layout->addLayout(rowQuestion);

    auto* rowRun = new QHBoxLayout;
    for (const char* name : {"Command_start_new", "Command1"})
        rowRun->addWidget(buttons.at(QString::fromLatin1(name)));
    rowRun->addStretch(1);
    rowRun->addWidget(m_windowButtons->shrinkButton());
    rowRun->addWidget(exit);
    layout->addLayout(rowRun);
    m_windowButtons->enlargeButton()->raise();

    m_tabOrder = {buttons.at(QStringLiteral("Command_stored_case")),
                  buttons.at(QStringLiteral("Command_percent")),
                  buttons.at(QStringLiteral("Command_share")),
                  buttons.at(QStringLiteral("Command_show_case")),
                  buttons.at(QStringLiteral("Command_methahib")),
                  buttons.at(QStringLiteral("Command_print")),
                  buttons.at(QStringLiteral("Command_start_new")),
                  buttons.at(QStringLiteral("Command1")),
                  buttons.at(QStringLiteral("Command_return_to_case")),
                  m_grid,
                  m_fontSize,
                  exit,
                  buttons.at(QStringLiteral("Command4")),
                  ok,
                  buttons.at(QStringLiteral("Command6")),
                  m_windowButtons->shrinkButton(),
                  m_windowButtons->enlargeButton()};
    applyTabOrder();

    connect(m_fontSize, &QComboBox::currentTextChanged, this, &Form7::Combo1_Click);
}

void Form7::Form_Load() {
    m_errorFrame->hide();
    m_resultFrame->hide();
    m_fontSize->setCurrentIndex(0);
    Combo1_Click(); // the first item is selected already, so no change is signalled

    // The set-up's two changes to the report are made only on lines the engine has written since
    // the last set-up: a showing after a command that recalculates nothing leaves them alone.
    const bool freshReport = !m_touched.isCurrent(m_db);
    if (freshReport)
        results::ResultsSetUp::joinDeedTerm(m_db);

    const results::ResultsSetUp::CommandStates states = results::ResultsSetUp::commandStates(m_db, m_context);
    for (const QString& name : states.disabled)
        setCommandEnabled(command(name.toLatin1().constData()), false);
    if (states.storedCaseFirst) {
        QWidget* stored = command("Command_stored_case");
        m_tabOrder.erase(std::find(m_tabOrder.begin(), m_tabOrder.end(), stored));
        m_tabOrder.insert(m_tabOrder.begin(), stored);
        applyTabOrder();
    }
    if (states.complete && freshReport)
        results::ResultsSetUp::removeSecondLine(m_db);
    if (states.pressFocused)
        QMetaObject::invokeMethod(this, &Form7::pressModelCase, Qt::QueuedConnection);

    m_touched.remember(m_db);
    refreshGrid();
}

void Form7::setCommandEnabled(QPushButton* button, bool enabled) {
    button->setEnabled(enabled);
    if (const auto twin = m_twins.find(button); twin != m_twins.end())
        twin->second->setEnabled(enabled);
}

void Form7::applyTabOrder() {
    for (std::size_t i = 1; i < m_tabOrder.size(); ++i)
        QWidget::setTabOrder(m_tabOrder[i - 1], m_tabOrder[i]);
}

QWidget* Form7::firstFocusControl() const {
    for (QWidget* control : m_tabOrder) {
        if (!control->isHidden() && control->isEnabled() && control->focusPolicy() != Qt::NoFocus)
            return control;
    }
    return nullptr;
}

void Form7::pressModelCase() {
    // The automatic press of a model-case run means the model-case command. This screen does not
    // show it, and the first shown command it would otherwise reach is the main-menu button.
    if (QPushButton* stored = command("Command_stored_case"); stored->isEnabled())
        stored->click();
}

int Form7::questionNo() const {
    return static_cast<int>(data::leadingInteger(m_context.Text_case_no));
}

void Form7::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QWidget* first = firstFocusControl())
        first->setFocus(Qt::TabFocusReason);
    // Grading runs when the screen becomes active, before the learner can press anything.
    Command3_Click();
}

bool Form7::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid->viewport() && event->type() == QEvent::Resize)
        fitColumns();
    return QDialog::eventFilter(watched, event);
}

void Form7::refreshGrid() {
    QStringList columns;
    for (const char* c : gridColumns)
        columns << QString::fromLatin1(c);
    QSqlQuery query(m_db.handle());
    query.exec(
        QStringLiteral("select %1 from PRINT_TEXT order by rowid").arg(columns.join(QStringLiteral(", "))));
    m_model->setQuery(std::move(query));
    QHeaderView* header = m_grid->horizontalHeader();
    const int last = m_model->columnCount() - 1;
    for (int visual = 0; visual <= last; ++visual)
        header->moveSection(header->visualIndex(last - visual), visual);
    fitColumns();
}

void Form7::fitColumns() {
    m_grid->resizeColumnsToContents();
    // The text column takes what the grid has to spare, or gives up what the other columns need,
    // so the shares stay in sight at every font size.
    QHeaderView* header = m_grid->horizontalHeader();
    if (header->count() <= TextColumn)
        return;
    const int others = header->length() - header->sectionSize(TextColumn);
    const int room = m_grid->viewport()->width() - others;
    header->resizeSection(TextColumn, std::max(room, MinTextColumnWidth));
}

void Form7::Combo1_Click() {
    const double size = static_cast<double>(data::leadingNumber(m_fontSize->currentText()));
    if (size <= 0)
        return;
    QFont font = m_grid->font();
    font.setPointSizeF(size);
    m_grid->setFont(font);
    fitColumns();
}

void Form7::showResult(const QString& text, unsigned colour) {
    QPalette p = m_resultFrame->palette();
    p.setColor(QPalette::Window, QColor::fromRgb(colour));
    p.setColor(QPalette::WindowText, Qt::black);
    m_resultFrame->setPalette(p);
    m_result->setText(text);
    m_resultFrame->show();
}

void Form7::showFinalScore(const training::FinalScore& score) {
    showResult(score.text(), score.pass() ? Green : Red);
    QPushButton* ok = command("Command5");
    ok->show();
    QPushButton* next = command("Command_return_to_case");
    const bool hadFocus = next->hasFocus();
    next->setEnabled(false);
    // The disabled button would leave the focus nowhere; "موافق" leads out now.
    if (hadFocus || !focusWidget() || !focusWidget()->isEnabled())
        ok->setFocus(Qt::OtherFocusReason);
}

void Form7::Command3_Click() {
    m_errors->clear();
    const training::Verdict& v = m_verdicts.onShow(m_db);
    switch (v.kind) {
    case training::Verdict::Kind::NothingToCompare:
        m_resultFrame->hide();
        m_errorFrame->hide();
        return;
    case training::Verdict::Kind::Wrong:
        m_errors->addItems(v.wrongRelations);
        m_errorFrame->show();
        showResult(v.text(), Red);
        return;
    case training::Verdict::Kind::Right:
        command("Command6")->hide();
        m_errorFrame->hide();
        showResult(v.text(), Green);
        return;
    }
}

void Form7::Command4_Click() {
    QWidget* focus = focusWidget();
    m_errorFrame->hide();
    m_resultFrame->hide();
    const training::FinalScore f = training::ExerciseResultsActions::finalScore(m_db);
    if (f.unfinished) {
        platform::MessageService::show(training::AnswerGrading::unfinishedMessage(),
                                       platform::MessageIcon::Critical);
        platform::FocusReturn::to(focus);
        return;
    }
    showFinalScore(f);
}

void Form7::Command5_Click() {
    training::ExerciseResultsActions::acknowledge(m_db, questionNo(), m_context.Text_deth_name);
    handBack("10");
}

void Form7::Command6_Click() {
    if (!training::AnswerGrading::anotherAttempt(m_db)) {
        m_result->setText(training::AnswerGrading::attemptsOver());
        return;
    }
    training::AnswerGrading::handOff(m_db, questionNo(), m_context.Text_deth_name);
    handBack("10");
}

void Form7::Command_return_to_case_Click() {
    training::FinalScore f;
    if (training::ExerciseResultsActions::continueBatch(m_db, questionNo(), m_context.Text_deth_name, f)) {
        handBack("10");
        return;
    }
    m_errorFrame->hide();
    if (f.unfinished)
        return;
    showFinalScore(f);
}

void Form7::Command_start_new_Click() {
    training::ExerciseResultsActions::newGroup(m_db);
    handBack("10");
}

void Form7::Command_show_case_Click() {
    command("Command6")->hide();
    m_errorFrame->hide();
    m_resultFrame->hide();
    refreshGrid();
    m_grid->show();
    fitColumns();
}

void Form7::Command_percent_Click() {
    m_db.transaction([this] {
        m_db.execute(QStringLiteral("delete from REPORT_DESTRIBUTER"));
        m_db.execute(QStringLiteral("insert into REPORT_DESTRIBUTER (REPORT_DESTRIBUTER) values (?)"),
                     {QStringLiteral("مئوية")});
        m_db.execute(QStringLiteral("delete from TAWHEED"));
        m_db.execute(QStringLiteral("delete from TAWHEED_CHILED"));
    });
    handBack("3");
}

void Form7::Command_share_Click() {
    // The engine asks the amount and the currency through the entry dialogue's estate stage.
    handBack("4");
}

void Form7::Command_stored_case_Click() {
    m_db.execute(QStringLiteral("delete from REPORT_DESTRIBUTER"));
    handBack("8");
}

void Form7::Command_methahib_Click() {
    m_db.execute(QStringLiteral("delete from REPORT_DESTRIBUTER"));
    handBack("9");
}

void Form7::Command_print_Click() {
    m_db.transaction([this] {
        // The words set before each deceased's name in the printed division.
        m_db.execute(QStringLiteral("update PRINT_TEXT2 set and_text = ? where serial_deth <> 1"),
                     {QStringLiteral("ثم توفي المدعو")});
        m_db.execute(QStringLiteral("update PRINT_TEXT2 set and_text = ? where serial_deth = 1"),
                     {QStringLiteral("توفي المدعو")});
    });
    const data::Rows conversion = m_db.select(
        QStringLiteral("select REPORT_DESTRIBUTER from REPORT_DESTRIBUTER where REPORT_DESTRIBUTER = ? or "
                       "REPORT_DESTRIBUTER = ?"),
        {QStringLiteral("تركة"), QStringLiteral("مئوية")});
    if (conversion.isEmpty()) {
        QString mode = QStringLiteral("بدون توحيد");
        if (m_db.exists(QStringLiteral("select 1 from PRINT_TEXT where instr(ser, ?) <> 0 limit 1"),
                        {QStringLiteral("توحيد القسامات ")}))
            mode = platform::MessageService::askYesNo(QStringLiteral("اظهار توحيد القسامات فقط ؟"))
                       ? QStringLiteral("توحيد فقط")
                       : QStringLiteral("كامل");
        m_db.transaction([&] {
            m_db.execute(QStringLiteral("delete from REPORT_DESTRIBUTER"));
            m_db.execute(QStringLiteral("insert into REPORT_DESTRIBUTER (REPORT_DESTRIBUTER) values (?)"),
                         {mode});
        });
    } else if (conversion.front().value(0).toString() == QStringLiteral("تركة")) {
        m_db.execute(QStringLiteral("update TAWHEED_CHILED set currency_type = ?"),
                     {m_context.Text_tariqa_currency});
    } else {
        m_db.execute(QStringLiteral("update TAWHEED_CHILED set currency_type = '%'"));
    }

    QWidget* focus = focusWidget();
    QString message;
    if (!ReportModeCopy::copy(m_db, platform::AppPaths::appFile(QStringLiteral("TALVENO_TEST_REPORT.mdb")),
                              message)) {
        platform::MessageService::show(message, platform::MessageIcon::Critical);
        platform::FocusReturn::to(focus);
        return;
    }
    const platform::ReportDocument document = platform::ReportDocument::fromTables(m_db.handle());
    if (document.isEmpty()) {
        platform::MessageService::show(QStringLiteral("لا توجد قسمة للطباعة"),
                                       platform::MessageIcon::Warning);
        platform::FocusReturn::to(focus);
        return;
    }
    platform::ReportPreview::show(document, this);
    if (focus)
        focus->setFocus(Qt::OtherFocusReason);
}

void Form7::Command_endprogram_Click() {
    if (m_links.cleanExit)
        m_links.cleanExit(m_db);
}

void Form7::Command1_Click() {
    if (m_links.mainMenu)
        m_links.mainMenu();
}

void Form7::handBack(const char* code) {
    m_context.Text_choos_no = QString::fromLatin1(code);
    leaveDialogue();
}

} // namespace exercise
