#include "results/Form7.h"

#include "platform/AppPaths.h"
#include "platform/MessageService.h"
#include "platform/widgets/ReportDocument.h"
#include "platform/widgets/ReportPreview.h"
#include "results/ReportModeCopy.h"
#include "training/ExerciseResultsActions.h"
#include "training/VerdictKeeper.h"

#include <QCloseEvent>
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
#include <QTableView>
#include <QVBoxLayout>

namespace results {

namespace {

constexpr int ButtonHeight = 30;

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setMinimumHeight(ButtonHeight);
    b->setAutoDefault(false);
    return b;
}

} // namespace

Form7::Form7(data::Database db, engine::CaseContext& hostContext, training::VerdictKeeper& verdicts, Links links,
             QWidget* parent)
    : QDialog(parent), m_db(std::move(db)), m_context(hostContext), m_verdicts(verdicts),
      m_links(std::move(links)) {
    setObjectName(QStringLiteral("Form7"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setModal(true);
    resize(1016, 760);
    buildControls();
}

Form7::~Form7() = default;

void Form7::buildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 40, 12, 18);

    m_model = new QSqlQueryModel(this);
    m_model->setQuery(QStringLiteral("select case_ser, print_text, kinds, share from PRINT_TEXT order by rowid"),
                      m_db.handle());
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setTabKeyNavigation(false);
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_grid->hide(); // until the learner asks for the engine's result
    layout->addWidget(m_grid, 1);
    layout->addStretch(0);

    m_resultFrame = new QFrame(this);
    m_resultFrame->setObjectName(QStringLiteral("Frame1"));
    m_resultFrame->setAutoFillBackground(true);
    auto* resultRow = new QHBoxLayout(m_resultFrame);
    m_result = new QLabel(m_resultFrame);
    m_result->setObjectName(QStringLiteral("Label6"));
    QFont big = m_result->font();
    big.setPointSize(16);
    big.setBold(true);
    m_result->setFont(big);
    resultRow->addWidget(m_result, 1);
    auto* ok = button(m_resultFrame, "Command5", QStringLiteral("موافق"));
    ok->hide();
    resultRow->addWidget(ok);
    connect(ok, &QPushButton::clicked, this, &Form7::Command5_Click);
    m_resultFrame->hide();
    layout->addWidget(m_resultFrame);

    m_errorFrame = new QGroupBox(QStringLiteral("خطأ في الحصص التالية"), this);
    m_errorFrame->setObjectName(QStringLiteral("Frame_SHARE_AMOUNT_ERROR"));
    m_errorFrame->setAutoFillBackground(true);
    QPalette red = m_errorFrame->palette();
    red.setColor(QPalette::Window, QColor::fromRgb(Red));
    m_errorFrame->setPalette(red);
    auto* errorsLayout = new QVBoxLayout(m_errorFrame);
    m_errors = new QListWidget(m_errorFrame);
    m_errors->setObjectName(QStringLiteral("List_SHARE_AMOUNT_ERROR"));
    errorsLayout->addWidget(m_errors);
    m_errorFrame->hide();
    layout->addWidget(m_errorFrame);

    auto* grading = button(this, "Command3", QStringLiteral("تدقيق سؤال"));
    grading->hide();
    connect(grading, &QPushButton::clicked, this, &Form7::Command3_Click);

    struct Command {
        const char* name;
        QString caption;
        void (Form7::*handler)();
    };
    const Command rowOne[] = {
        {"Command_show_case", QStringLiteral("اظ&هار نتيجة المسألة"), &Form7::Command_show_case_Click},
        {"Command6", QStringLiteral("محاولة اخرى لحل السؤال"), &Form7::Command6_Click},
        {"Command4", QStringLiteral("النتيجة النهائية"), &Form7::Command4_Click},
    };
    const Command rowTwo[] = {
        {"Command_start_new", QStringLiteral("البدأ بمجموعة جديدة من الاسئلة"), &Form7::Command_start_new_Click},
        {"Command_return_to_case", QStringLiteral("اكمال بقية الاسئلة"), &Form7::Command_return_to_case_Click},
        {"Command1", QStringLiteral("ال&قائمة الرئيسية"), &Form7::Command1_Click},
        {"Command_endprogram", QStringLiteral("انهاء البرنامج"), &Form7::Command_endprogram_Click},
    };
    for (const auto* row : {std::begin(rowOne), std::begin(rowTwo)}) {
        auto* line = new QHBoxLayout;
        const auto* end = row == std::begin(rowOne) ? std::end(rowOne) : std::end(rowTwo);
        for (const Command* c = row; c != end; ++c) {
            auto* b = button(this, c->name, c->caption);
            connect(b, &QPushButton::clicked, this, c->handler);
            line->addWidget(b);
        }
        layout->addLayout(line);
    }

    // The print has no button of its own here, only its letter.
    auto* print = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_L), this);
    print->setObjectName(QStringLiteral("Command_ALTER_print"));
    connect(print, &QShortcut::activated, this, &Form7::Command_print_Click);

    m_windowButtons = new ShrinkEnlargeButtons(this, QStringLiteral("Command9"), QStringLiteral("Command10"),
                                               m_links.windows);
    m_windowButtons->shrinkButton()->setMinimumHeight(ButtonHeight);
    m_windowButtons->shrinkButton()->setAutoDefault(false);
    m_windowButtons->enlargeButton()->setAutoDefault(false);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_windowButtons->shrinkButton());
    bottom->addStretch(1);
    layout->addLayout(bottom);
}

int Form7::questionNo() const {
    return m_context.Text_case_no.trimmed().toInt();
}

void Form7::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Command3_Click();
}

void Form7::showResult(const QString& text, unsigned colour) {
    QPalette p = m_resultFrame->palette();
    p.setColor(QPalette::Window, QColor::fromRgb(colour));
    m_resultFrame->setPalette(p);
    m_result->setText(text);
    m_resultFrame->show();
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
        findChild<QPushButton*>(QStringLiteral("Command6"))->hide();
        m_errorFrame->hide();
        showResult(v.text(), Green);
        return;
    }
}

void Form7::Command4_Click() {
    m_errorFrame->hide();
    m_resultFrame->hide();
    const training::FinalScore f = training::ExerciseResultsActions::finalScore(m_db);
    if (f.unfinished) {
        platform::MessageService::show(training::AnswerGrading::unfinishedMessage(), platform::MessageIcon::Critical);
        return;
    }
    showResult(f.text(), f.pass() ? Green : Red);
    findChild<QPushButton*>(QStringLiteral("Command5"))->show();
    findChild<QPushButton*>(QStringLiteral("Command_return_to_case"))->setEnabled(false);
}

void Form7::Command5_Click() {
    training::ExerciseResultsActions::acknowledge(m_db, questionNo(), m_context.Text_deth_name);
    handBack();
}

void Form7::Command6_Click() {
    if (!training::AnswerGrading::anotherAttempt(m_db)) {
        m_result->setText(training::AnswerGrading::attemptsOver());
        return;
    }
    training::AnswerGrading::handOff(m_db, questionNo(), m_context.Text_deth_name);
    handBack();
}

void Form7::Command_return_to_case_Click() {
    training::FinalScore f;
    if (training::ExerciseResultsActions::continueBatch(m_db, questionNo(), m_context.Text_deth_name, f)) {
        handBack();
        return;
    }
    m_errorFrame->hide();
    if (f.unfinished)
        return;
    showResult(f.text(), f.pass() ? Green : Red);
    findChild<QPushButton*>(QStringLiteral("Command5"))->show();
    findChild<QPushButton*>(QStringLiteral("Command_return_to_case"))->setEnabled(false);
}

void Form7::Command_start_new_Click() {
    training::ExerciseResultsActions::newGroup(m_db);
    handBack();
}

void Form7::Command_show_case_Click() {
    findChild<QPushButton*>(QStringLiteral("Command6"))->hide();
    m_errorFrame->hide();
    m_resultFrame->hide();
    m_model->setQuery(m_model->query().lastQuery(), m_db.handle());
    m_grid->show();
}

void Form7::Command_print_Click() {
    m_db.transaction([this] {
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
            m_db.execute(QStringLiteral("insert into REPORT_DESTRIBUTER (REPORT_DESTRIBUTER) values (?)"), {mode});
        });
    } else if (conversion.front().value(0).toString() == QStringLiteral("تركة")) {
        m_db.execute(QStringLiteral("update TAWHEED_CHILED set currency_type = ?"), {m_context.Text_tariqa_currency});
    } else {
        m_db.execute(QStringLiteral("update TAWHEED_CHILED set currency_type = '%'"));
    }

    QString message;
    if (!ReportModeCopy::copy(m_db, platform::AppPaths::appFile(QStringLiteral("TALVENO_TEST_REPORT.mdb")),
                              message)) {
        platform::MessageService::show(message, platform::MessageIcon::Critical);
        return;
    }
    const platform::ReportDocument document = platform::ReportDocument::fromTables(m_db.handle());
    if (document.isEmpty()) {
        platform::MessageService::show(QStringLiteral("لا توجد قسمة للطباعة"), platform::MessageIcon::Warning);
        return;
    }
    platform::ReportPreview::show(document, this);
}

void Form7::Command_endprogram_Click() {
    if (m_links.cleanExit)
        m_links.cleanExit(m_db);
}

void Form7::Command1_Click() {
    if (m_links.mainMenu)
        m_links.mainMenu();
}

void Form7::handBack() {
    m_context.Text_choos_no = QStringLiteral("10");
    done(QDialog::Accepted);
}

void Form7::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier) {
        if (auto* b = qobject_cast<QPushButton*>(focusWidget()); b && b->isEnabled() && b->isVisible())
            b->click();
        return;
    }
    if (enter || event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void Form7::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void Form7::reject() {}

} // namespace results
