#include "training/Form15.h"

#include "platform/AppPaths.h"
#include "platform/ProcessExit.h"
#include "platform/widgets/AccessKeyCaption.h"
#include "platform/widgets/ScreenPlacement.h"
#include "results/ShrinkEnlargeButtons.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace training {

namespace {

// The idle draw only has to keep taking values while the learner thinks; a tick every few
// milliseconds does that without keeping a processor busy.
constexpr int IdleDrawInterval = 5;

struct Option {
    const char* name;
    const char* caption;
    const char* answer; // nullptr: the option only opens its share panel
};

const Option kindOptions[] = {
    {"Option12", "1.صاحب فرض", nullptr},
    {"Option11", "2.عصبة (الباقي بعد الفروض )", nullptr},
    {"Option13", "3.حجب(حرمان)", "حجب"},
};
const Option fixedOptions[] = {
    {"Option4", "الثمن", "الثمن"},
    {"Option5", "الربع", "الربع"},
    {"Option6", "النصف", "النصف"},
    {"Option7", "السدس", "السدس"},
    {"Option8", "الثلث", "الثلث"},
    {"Option9", "الثلثان", "الثلثان"},
    {"Option10", "ثلث الباقي", "ثلث الباقي"},
};
const Option residuaryOptions[] = {
    {"Option1", "عصبة بالنفس", "عصبة بالنفس"},
    {"Option2", "عصبة بالغير", "عصبة بالغير"},
    {"Option3", "عصبة مع الغير", "عصبة مع الغير"},
};

QColor colourOf(int value) {
    // The program's colour values are 0xBBGGRR.
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QPointer<Form15>& theQuiz() {
    static QPointer<Form15> quiz;
    return quiz;
}

} // namespace

const QString Form15::Title = QStringLiteral(" اسئلة اختبارية ");

Form15::Form15(data::Database db, Links links, QWidget* parent)
    : QWidget(parent), m_db(db), m_links(std::move(links)), m_session(db) {
    setObjectName(QStringLiteral("Form15"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(Title);
    // A title, but no window-close control: the quiz is left through its own buttons.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    // As tall as the case screens, so its shrink button stands where theirs do.
    resize(800, 760);
    platform::ScreenPlacement::keepOnScreen(this);
    buildControls();

    m_session.Form_Load();
    sync();
}

Form15::~Form15() {
    // The grid outlives the session that owns its rows.
    m_timer2->stop();
    m_grid->setModel(nullptr);
}

Form15* Form15::open(Links links) {
    QPointer<Form15>& quiz = theQuiz();
    if (!quiz) {
        const data::Database db =
            data::Database::OpenDatabase(platform::AppPaths::appFile(QStringLiteral("TALVENO_TEST.mdb")));
        quiz = new Form15(db, std::move(links));
        quiz->setAttribute(Qt::WA_DeleteOnClose);
    }
    quiz->show();
    quiz->raise();
    quiz->activateWindow();
    return quiz;
}

Form15* Form15::current() {
    return theQuiz();
}

void Form15::buildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 44, 12, 18);
    layout->setSpacing(8);

    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        platform::AccessKeyCaption::apply(b, caption);
        b->setAutoDefault(false);
        b->setMinimumHeight(30);
        return b;
    };

    auto* top = new QHBoxLayout;
    QPushButton* command6 = button("Command6", QStringLiteral("اضافة سؤال"));
    m_command1 = button("Command1", QStringLiteral("تدقيق الاجابة"));
    connect(command6, &QPushButton::clicked, this, &Form15::Command6_Click);
    connect(m_command1, &QPushButton::clicked, this, &Form15::Command1_Click);
    top->addWidget(command6);
    top->addWidget(m_command1);
    top->addStretch(1);
    layout->addLayout(top);

    auto* middle = new QHBoxLayout;
    auto* gridColumn = new QVBoxLayout;
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setModel(&m_session.answers());
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    // Tab leaves the grid for the next control instead of walking its cells.
    m_grid->setTabKeyNavigation(false);
    m_grid->setWordWrap(false);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_grid->horizontalHeader()->setSectionResizeMode(QuizAnswerModel::AnswerColumn,
                                                     QHeaderView::ResizeToContents);
    m_grid->horizontalHeader()->setSectionResizeMode(QuizAnswerModel::HeirColumn, QHeaderView::Stretch);
    m_grid->installEventFilter(this);
    gridColumn->addWidget(m_grid, 1);

    m_frame1 = new QGroupBox(this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame1->setAutoFillBackground(true);
    auto* frame1Layout = new QHBoxLayout(m_frame1);
    m_label6 = new QLabel(m_frame1);
    m_label6->setObjectName(QStringLiteral("Label6"));
    QFont verdictFont = m_label6->font();
    verdictFont.setPointSize(verdictFont.pointSize() + 4);
    verdictFont.setBold(true);
    m_label6->setFont(verdictFont);
    m_command5 = new QPushButton(QStringLiteral("موافق"), m_frame1);
    m_command5->setObjectName(QStringLiteral("Command5"));
    m_command5->setAutoDefault(false);
    m_command5->setMinimumHeight(30);
    connect(m_command5, &QPushButton::clicked, this, &Form15::Command5_Click);
    frame1Layout->addWidget(m_label6, 1);
    frame1Layout->addWidget(m_command5);
    gridColumn->addWidget(m_frame1);
    middle->addLayout(gridColumn, 3);

    auto* optionColumn = new QVBoxLayout;
    auto frame = [&](const char* name, const QString& title, const auto& options) {
        auto* box = new QGroupBox(title, this);
        box->setObjectName(QString::fromLatin1(name));
        auto* boxLayout = new QVBoxLayout(box);
        for (const Option& o : options) {
            auto* radio = new QRadioButton(QString::fromUtf8(o.caption), box);
            radio->setObjectName(QString::fromLatin1(o.name));
            if (o.answer)
                m_answerTexts[radio] = QString::fromUtf8(o.answer);
            // The option acts when the mouse button (or the space bar) is released over it,
            // whether or not it was selected already.
            connect(radio, &QRadioButton::clicked, this, [this, radio] { optionClicked(radio); });
            boxLayout->addWidget(radio);
            m_options.push_back(radio);
        }
        optionColumn->addWidget(box);
        return box;
    };
    m_frame2 = frame("Frame2", QStringLiteral("خيارات كل وارث"), kindOptions);
    m_frameSahib = frame("Frame_SAHIB", QStringLiteral("1.صاحب فرض"), fixedOptions);
    m_frameAsaba = frame("Frame_ASABA", QStringLiteral("2.عصبة (الباقي)"), residuaryOptions);
    optionColumn->addStretch(1);
    middle->addLayout(optionColumn, 2);
    layout->addLayout(middle, 1);

    auto* bottom = new QHBoxLayout;
    QPushButton* command8 = button("Command8", QStringLiteral("ال&قائمة الرئيسية"));
    connect(command8, &QPushButton::clicked, this, &Form15::Command8_Click);
    m_windowButtons = new results::ShrinkEnlargeButtons(
        this, QStringLiteral("Command3"), QStringLiteral("Command2"), {nullptr, m_links.mainWindow});
    m_windowButtons->shrinkButton()->setAutoDefault(false);
    m_windowButtons->shrinkButton()->setMinimumHeight(30);
    m_windowButtons->enlargeButton()->setAutoDefault(false);
    QPushButton* command7 = button("Command7", QString());
    command7->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    command7->setIconSize(QSize(16, 16));
    command7->setToolTip(QStringLiteral("انهاء البرنامج"));
    command7->setFixedSize(32, 30);
    connect(command7, &QPushButton::clicked, this, &Form15::Command7_Click);
    bottom->addWidget(command8);
    bottom->addStretch(1);
    bottom->addWidget(m_windowButtons->shrinkButton());
    bottom->addWidget(command7);
    layout->addLayout(bottom);
    m_windowButtons->enlargeButton()->raise();

    m_timer2 = new QTimer(this);
    m_timer2->setObjectName(QStringLiteral("Timer2"));
    m_timer2->setInterval(IdleDrawInterval);
    connect(m_timer2, &QTimer::timeout, this, &Form15::Timer2_Timer);

    // Tab order: the question, the grid, the options, the verdict's OK, then the way out.
    std::vector<QWidget*> order = {command6, m_command1, m_grid};
    for (QRadioButton* option : m_options)
        order.push_back(option);
    for (QWidget* w :
         {static_cast<QWidget*>(m_command5), static_cast<QWidget*>(command8),
          static_cast<QWidget*>(m_windowButtons->enlargeButton()),
          static_cast<QWidget*>(m_windowButtons->shrinkButton()), static_cast<QWidget*>(command7)})
        order.push_back(w);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void Form15::sync() {
    m_frame1->setVisible(m_session.verdictShown());
    m_label6->setText(m_session.verdictText());
    QPalette palette = m_frame1->palette();
    palette.setColor(QPalette::Window, colourOf(m_session.verdictColour()));
    // Black reads on the verdict's red and green alike; a dark theme's white text does not.
    palette.setColor(QPalette::WindowText, Qt::black);
    m_frame1->setPalette(palette);

    m_command1->setEnabled(m_session.checkEnabled());
    m_frame2->setEnabled(m_session.kindsEnabled());
    m_frameSahib->setVisible(m_session.fixedPanelShown());
    m_frameAsaba->setVisible(m_session.residuaryPanelShown());

    if (m_session.timerRunning() && !m_timer2->isActive())
        m_timer2->start();
    else if (!m_session.timerRunning())
        m_timer2->stop();

    QAbstractItemModel* model = m_grid->model();
    if (!m_grid->currentIndex().isValid() && model->rowCount() > 0)
        m_grid->setCurrentIndex(model->index(0, QuizAnswerModel::AnswerColumn));
}

void Form15::RESET() {
    m_session.RESET();
    for (QRadioButton* option : m_options) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
    sync();
}

void Form15::Command6_Click() {
    m_grid->setCurrentIndex({});
    m_session.Command6_Click();
    RESET();
}

void Form15::Command1_Click() {
    const QPointer<QWidget> before = QApplication::focusWidget();
    RESET();
    if (m_session.Command1_Click()) {
        sync();
        m_command5->setFocus(Qt::OtherFocusReason);
        return;
    }
    sync();
    if (before && before->isVisible() && before->isEnabled())
        before->setFocus(Qt::OtherFocusReason);
}

void Form15::Command5_Click() {
    m_session.Command5_Click();
    sync();
    if (m_frame1->isHidden())
        m_grid->setFocus(Qt::OtherFocusReason);
}

void Form15::Command7_Click() {
    if (m_links.exitProgram)
        m_links.exitProgram();
    else
        platform::ProcessExit::end(0);
}

void Form15::Command8_Click() {
    m_leaving = true;
    m_session.stop();
    sync();
    close();
}

void Form15::Timer2_Timer() {
    m_session.Timer2_Timer();
}

void Form15::optionClicked(QRadioButton* option) {
    const QString name = option->objectName();
    if (name == QLatin1String("Option12") && option->isChecked())
        m_session.chooseKind(QuizSession::Kind::Fixed);
    else if (name == QLatin1String("Option11") && option->isChecked())
        m_session.chooseKind(QuizSession::Kind::Residuary);
    else if (name == QLatin1String("Option13") && option->isChecked())
        m_session.chooseKind(QuizSession::Kind::Blocked);
    sync();
    if (const auto text = m_answerTexts.find(option); text != m_answerTexts.end())
        answer(text->second);
}

void Form15::answer(const QString& text) {
    const QModelIndex current = m_grid->currentIndex();
    const int row = current.isValid() ? current.row() : -1;
    if (!m_session.answers().answerRow(row, text))
        return;
    m_grid->setFocus(Qt::OtherFocusReason);
    // The grid taking the focus resets the options; done here too for a window that is not
    // active and so gets no focus event.
    RESET();
    if (row + 1 < m_grid->model()->rowCount())
        m_grid->setCurrentIndex(m_grid->model()->index(row + 1, current.column()));
}

bool Form15::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid && event->type() == QEvent::FocusIn)
        RESET();
    return QWidget::eventFilter(watched, event);
}

void Form15::keyPressEvent(QKeyEvent* event) {
    // Enter presses the focused button or option, as the space bar does.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier) {
        if (auto* b = qobject_cast<QAbstractButton*>(focusWidget()); b && b->isEnabled() && b->isVisible()) {
            b->click();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void Form15::closeEvent(QCloseEvent* event) {
    if (!m_leaving) {
        event->ignore();
        return;
    }
    m_timer2->stop();
    event->accept();
}

} // namespace training
