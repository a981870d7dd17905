#include "results/Form14.h"

#include "data/FlagTable.h"
#include "data/Numbers.h"
#include "platform/AppPaths.h"
#include "platform/MessageService.h"
#include "platform/widgets/AccessKeyCaption.h"
#include "platform/widgets/ReportDocument.h"
#include "platform/widgets/ReportPreview.h"
#include "results/PaddedLineDelegate.h"
#include "results/ResultsSetUp.h"
#include "results/ShrinkEnlargeButtons.h"
#include "results/TouchedReport.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace results {

namespace {

// The grid's columns in the order they are bound; on screen they run the other way, so that a
// line reads from the right as the engine printed it (serial, name, relation, share).
const char* const gridColumns[] = {"share", "kinds", "print_text", "case_ser", "unit", "deth_name", "ser"};
constexpr int TextColumn = 2;
// The least the text column keeps however narrow the grid: a name still shows.
constexpr int MinTextColumnWidth = 120;

constexpr int ButtonHeight = 30;

struct Command {
    const char* name;
    const char* caption;
    const char* twin;    // nullptr: no twin
    QKeyCombination key; // the twin's Latin letter on the same key as the caption's Arabic one
    void (Form14::*handler)();
};

// In tab order; the gaps in the numbering belong to controls that are not on this screen.
const Command commands[] = {
    {"Command_stored_case", "&مسألة نموذجية", "Command_ALTER_stored_case", Qt::ALT | Qt::Key_L,
     &Form14::Command_stored_case_Click},
    {"Command_endprogram", "", "Command_ALTER_endprogram", Qt::ALT | Qt::Key_K,
     &Form14::Command_endprogram_Click},
    {"Command_return_to_case", "عودة الى بيانات المسألة", nullptr, {}, &Form14::Command_return_to_case_Click},
    {"Command1", "ال&قائمة الرئيسية", nullptr, {}, &Form14::Command1_Click},
    {"Command_start_new", "البدأ بم&سألة جديدة", "Command_ALTER_start_new", Qt::ALT | Qt::Key_S,
     &Form14::Command_start_new_Click},
    {"Command_print", "معاينة قبل الطبع", "Command_ALTER_print", Qt::ALT | Qt::Key_L,
     &Form14::Command_print_Click},
    {"Command_methahib", "ال&حل وفق المذهب الآخر", "Command_ALTER_methahib", Qt::ALT | Qt::Key_P,
     &Form14::Command_methahib_Click},
    {"Command_show_case", "اظ&هار المسألة", "Command_ALTER_show_case", Qt::ALT | Qt::Key_I,
     &Form14::Command_show_case_Click},
    {"Command_share", "قسمة ت&ركة معينة", "Command_ALTER_share", Qt::ALT | Qt::Key_V,
     &Form14::Command_share_Click},
    {"Command_percent", "ال&قسام بالنسبة المئوية", "Command_ALTER_percent", Qt::ALT | Qt::Key_R,
     &Form14::Command_percent_Click},
};

} // namespace

const QStringList Form14::FontSizes = {QStringLiteral("8.25"), QStringLiteral("10"), QStringLiteral("12"),
                                       QStringLiteral("14")};

Form14::Form14(data::Database db, engine::CaseContext& hostContext, TouchedReport& touched, Links links,
               QWidget* parent)
    : platform::CommandOnlyDialog(parent), m_db(std::move(db)), m_context(hostContext), m_touched(touched),
      m_links(std::move(links)) {
    setObjectName(QStringLiteral("Form14"));
    setLayoutDirection(Qt::RightToLeft);
    // No caption, no title bar and no window controls: the commands are the only way out.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setModal(true);
    resize(1016, 760); // 15240 x 11400 twips
    buildControls();
    Form_Load();
}

Form14::~Form14() = default;

void Form14::buildControls() {
    auto* layout = new QVBoxLayout(this);
    // The bottom row stands where the window buttons of every case screen stand (its top between
    // 688 and 720 pixels of the 760-pixel client area).
    layout->setContentsMargins(12, 40, 12, 18);
    layout->setSpacing(8);

    auto* top = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("حجم الخط"), this);
    label->setObjectName(QStringLiteral("Label14"));
    m_fontSize = new QComboBox(this);
    m_fontSize->setObjectName(QStringLiteral("Combo1"));
    m_fontSize->addItems(FontSizes);
    label->setBuddy(m_fontSize);
    top->addWidget(label);
    top->addWidget(m_fontSize);
    top->addStretch(1);

    m_tawheedFrame = new QGroupBox(QStringLiteral("خيارات طباعة المسائل المناسخة"), this);
    m_tawheedFrame->setObjectName(QStringLiteral("Frame1_tawheed_print"));
    auto* frameLayout = new QHBoxLayout(m_tawheedFrame);
    auto* all = new QRadioButton(QStringLiteral("الكل"), m_tawheedFrame);
    all->setObjectName(QStringLiteral("Option_all"));
    all->setChecked(true);
    auto* only = new QRadioButton(QStringLiteral("توحية القسامات فقط"), m_tawheedFrame);
    only->setObjectName(QStringLiteral("Option_tawheed_only"));
    frameLayout->addWidget(all);
    frameLayout->addWidget(only);
    m_tawheedFrame->hide();
    top->addWidget(m_tawheedFrame);
    layout->addLayout(top);

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_grid->setWordWrap(false);
    // Tab goes on to the buttons: the grid is read, not moved through cell by cell.
    m_grid->setTabKeyNavigation(false);
    m_model = new QSqlQueryModel(this);
    m_model->setObjectName(QStringLiteral("Data8"));
    m_grid->setModel(m_model);
    m_grid->setItemDelegateForColumn(TextColumn, new PaddedLineDelegate(m_grid));
    m_grid->viewport()->installEventFilter(this);
    layout->addWidget(m_grid, 1);

    std::map<QString, QPushButton*> buttons;
    for (const Command& c : commands) {
        auto* button = new QPushButton(this);
        button->setObjectName(QString::fromLatin1(c.name));
        platform::AccessKeyCaption::apply(button, QString::fromUtf8(c.caption));
        // No default button: Enter on the grid or the font size would otherwise press whichever
        // button the dialogue made its default, the exit among them (keyPressEvent).
        button->setAutoDefault(false);
        button->setMinimumHeight(ButtonHeight);
        connect(button, &QPushButton::clicked, this, c.handler);
        buttons[button->objectName()] = button;
        if (c.twin) {
            // A twin is never seen: it is the Latin letter of the same key, so the command
            // answers under either keyboard layout.
            auto* twin = new QShortcut(QKeySequence(c.key), this);
            twin->setObjectName(QString::fromLatin1(c.twin));
            connect(twin, &QShortcut::activated, this, c.handler);
            m_twins[button] = twin;
        }
    }
    QPushButton* exit = buttons.at(QStringLiteral("Command_endprogram"));
    exit->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    exit->setToolTip(QStringLiteral("انهاء البرنامج"));

    // "l" is the letter of both the stored-case and the print twin. While both are enabled the
    // key hands back the next model case; the print twin answers alone otherwise.
    QShortcut* storedTwin = m_twins.at(buttons.at(QStringLiteral("Command_stored_case")));
    QShortcut* printTwin = m_twins.at(buttons.at(QStringLiteral("Command_print")));
    for (QShortcut* twin : {storedTwin, printTwin}) {
        connect(twin, &QShortcut::activatedAmbiguously, this, [this, storedTwin, printTwin] {
            if (storedTwin->isEnabled())
                Command_stored_case_Click();
            else if (printTwin->isEnabled())
                Command_print_Click();
        });
    }

    m_windowButtons = new ShrinkEnlargeButtons(this, QStringLiteral("Command8"), QStringLiteral("Command7"),
                                               m_links.windows);
    m_windowButtons->shrinkButton()->setMinimumHeight(ButtonHeight);
    m_windowButtons->shrinkButton()->setAutoDefault(false);
    m_windowButtons->enlargeButton()->setAutoDefault(false);

    auto* rowCase = new QHBoxLayout;
    for (const char* name : {"Command_show_case", "Command_percent", "Command_share", "Command_methahib",
                             "Command_stored_case", "Command_print"})
        rowCase->addWidget(buttons.at(QString::fromLatin1(name)));
    layout->addLayout(rowCase);

    auto* rowRun = new QHBoxLayout;
    for (const char* name : {"Command_start_new", "Command_return_to_case", "Command1"})
        rowRun->addWidget(buttons.at(QString::fromLatin1(name)));
    rowRun->addStretch(1);
    rowRun->addWidget(m_windowButtons->shrinkButton());
    rowRun->addWidget(exit);
    layout->addLayout(rowRun);
    m_windowButtons->enlargeButton()->raise();

    m_tabOrder = {buttons.at(QStringLiteral("Command_stored_case")),
                  exit,
                  m_fontSize,
                  m_grid,
                  buttons.at(QStringLiteral("Command_return_to_case")),
                  buttons.at(QStringLiteral("Command1")),
                  buttons.at(QStringLiteral("Command_start_new")),
                  buttons.at(QStringLiteral("Command_print")),
                  buttons.at(QStringLiteral("Command_methahib")),
                  buttons.at(QStringLiteral("Command_show_case")),
                  buttons.at(QStringLiteral("Command_share")),
                  buttons.at(QStringLiteral("Command_percent")),
                  m_windowButtons->shrinkButton(),
                  m_windowButtons->enlargeButton(),
                  all,
                  only};
    applyTabOrder();

    connect(m_fontSize, &QComboBox::currentTextChanged, this, &Form14::Combo1_Click);
}

void Form14::Form_Load() {
    m_fontSize->setCurrentIndex(0);
    Combo1_Click(); // the first item is selected already, so no change is signalled

    // The set-up's two changes to the report are made only on lines the engine has written
    // since the last set-up.
    const bool freshReport = !m_touched.isCurrent(m_db);

    if (freshReport)
        ResultsSetUp::joinDeedTerm(m_db);

    const bool complete = setCommandStates();
    if (complete) {
        if (freshReport)
            ResultsSetUp::removeSecondLine(m_db);
        m_tawheedFrame->setVisible(
            m_db.exists(QStringLiteral("select 1 from PRINT_TEXT where instr(ser, ?) <> 0 limit 1"),
                        {QString::fromUtf16(UnifiedHeading)}));
    }

    m_touched.remember(m_db);
    refreshGrid();
}

bool Form14::setCommandStates() {
    const ResultsSetUp::CommandStates states = ResultsSetUp::commandStates(m_db, m_context);
    for (const QString& name : states.disabled)
        setCommandEnabled(findChild<QPushButton*>(name), false);
    if (states.storedCaseFirst)
        moveToFrontOfTabOrder(findChild<QPushButton*>(QStringLiteral("Command_stored_case")));
    // Pressed once the screen is up, as an Enter typed at that moment would.
    if (states.pressFocused)
        QMetaObject::invokeMethod(this, &Form14::pressFocusedButton, Qt::QueuedConnection);
    return states.complete;
}

void Form14::setCommandEnabled(QPushButton* button, bool enabled) {
    button->setEnabled(enabled);
    if (const auto twin = m_twins.find(button); twin != m_twins.end())
        twin->second->setEnabled(enabled);
}

void Form14::moveToFrontOfTabOrder(QWidget* control) {
    const auto it = std::find(m_tabOrder.begin(), m_tabOrder.end(), control);
    if (it != m_tabOrder.end())
        std::rotate(m_tabOrder.begin(), it, it + 1);
    applyTabOrder();
}

void Form14::applyTabOrder() {
    for (std::size_t i = 1; i < m_tabOrder.size(); ++i)
        QWidget::setTabOrder(m_tabOrder[i - 1], m_tabOrder[i]);
}

std::vector<QWidget*> Form14::tabOrder() const {
    return m_tabOrder;
}

QWidget* Form14::firstFocusControl() const {
    for (QWidget* control : m_tabOrder) {
        if (!control->isHidden() && control->isEnabled() && control->focusPolicy() != Qt::NoFocus)
            return control;
    }
    return nullptr;
}

void Form14::pressFocusedButton() {
    if (auto* button = qobject_cast<QPushButton*>(firstFocusControl()))
        button->click();
}

void Form14::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QWidget* first = firstFocusControl())
        first->setFocus(Qt::TabFocusReason);
}

bool Form14::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid->viewport() && event->type() == QEvent::Resize)
        fitColumns();
    return QDialog::eventFilter(watched, event);
}

void Form14::refreshGrid() {
    QStringList columns;
    for (const char* c : gridColumns)
        columns << QString::fromLatin1(c);
    QSqlQuery query(m_db.handle());
    query.exec(
        QStringLiteral("select %1 from PRINT_TEXT order by rowid").arg(columns.join(QStringLiteral(", "))));
    m_model->setQuery(std::move(query));
    for (int i = 0; i < m_model->columnCount(); ++i)
        m_model->setHeaderData(i, Qt::Horizontal, QString());

    QHeaderView* header = m_grid->horizontalHeader();
    const int last = m_model->columnCount() - 1;
    for (int visual = 0; visual <= last; ++visual)
        header->moveSection(header->visualIndex(last - visual), visual);
    fitColumns();
}

void Form14::fitColumns() {
    m_grid->resizeColumnsToContents();
    // The text column takes what the grid has to spare, so the lines do not end in a blank band,
    // or gives up what the other columns need: at a large font a long title line would otherwise
    // push the shares out of sight at the far end of the grid ("23" showing as "3").
    QHeaderView* header = m_grid->horizontalHeader();
    const int others = header->length() - header->sectionSize(TextColumn);
    const int room = m_grid->viewport()->width() - others;
    header->resizeSection(TextColumn, std::max(room, MinTextColumnWidth));
}

void Form14::Combo1_Click() {
    QFont font = m_grid->font();
    const double size = static_cast<double>(data::leadingNumber(m_fontSize->currentText()));
    if (size <= 0)
        return;
    font.setPointSizeF(size);
    m_grid->setFont(font);
    fitColumns();
}

void Form14::handBack(const char* code, const QString& newCaseFlag) {
    m_context.Text_start_new_case = newCaseFlag;
    m_context.Text_choos_no = QString::fromLatin1(code);
    leaveDialogue();
}

void Form14::Command_show_case_Click() {
    m_db.execute(QStringLiteral("delete from REPORT_DESTRIBUTER"));
    handBack("2", QStringLiteral("1"));
}

void Form14::Command_percent_Click() {
    m_db.transaction([this] {
        m_db.execute(QStringLiteral("delete from REPORT_DESTRIBUTER"));
        m_db.execute(QStringLiteral("insert into REPORT_DESTRIBUTER (REPORT_DESTRIBUTER) values (?)"),
                     {QStringLiteral("مئوية")});
        m_db.execute(QStringLiteral("delete from TAWHEED"));
        m_db.execute(QStringLiteral("delete from TAWHEED_CHILED"));
    });
    handBack("3", QString());
}

void Form14::Command_share_Click() {
    // The engine asks the amount and the currency through the entry dialogue's estate stage.
    handBack("4", QString());
}

void Form14::Command_stored_case_Click() {
    m_db.execute(QStringLiteral("delete from REPORT_DESTRIBUTER"));
    handBack("8", QStringLiteral("1"));
}

void Form14::Command_methahib_Click() {
    m_db.execute(QStringLiteral("delete from REPORT_DESTRIBUTER"));
    handBack("9", QStringLiteral("1"));
}

void Form14::Command_start_new_Click() {
    m_db.transaction([this] {
        m_db.execute(QStringLiteral("delete from WARITH"));
        m_db.execute(QStringLiteral("delete from DETH"));
        m_db.execute(QStringLiteral("delete from MUNASKA_TEMP"));
    });
    handBack("10", QStringLiteral("1"));
}

void Form14::Command_return_to_case_Click() {
    // The case-entry dialogue opens again on the case in hand, whose heirs are still in WARITH.
    const qint64 caseNo = data::leadingInteger(m_context.Text_case_no);
    m_db.transaction([this, caseNo] {
        m_db.execute(QStringLiteral("delete from case_no"));
        m_db.execute(QStringLiteral("insert into case_no (case_no, \"case\") values (?, '1')"), {caseNo});
    });
    handBack("10", QStringLiteral("1"));
}

void Form14::Command_print_Click() {
    namespace Mode = platform::ReportModeText;
    m_db.transaction([this] {
        // The words set before each deceased's name in the printed division.
        m_db.execute(QStringLiteral("update PRINT_TEXT2 set and_text = ? where serial_deth <> 1"),
                     {QStringLiteral("ثم توفي المدعو")});
        m_db.execute(QStringLiteral("update PRINT_TEXT2 set and_text = ? where serial_deth = 1"),
                     {QStringLiteral("توفي المدعو")});

        // A conversion chosen on this screen or at the estate stage stays the mode; otherwise the
        // mode is chosen anew at every print, from the option as it stands now.
        const data::Rows conversion = m_db.select(
            QStringLiteral(
                "select REPORT_DESTRIBUTER from REPORT_DESTRIBUTER where REPORT_DESTRIBUTER = ? or "
                "REPORT_DESTRIBUTER = ?"),
            {Mode::Estate, Mode::Percentages});
        if (conversion.isEmpty()) {
            m_db.execute(QStringLiteral("delete from REPORT_DESTRIBUTER"));
            QString mode = Mode::WithoutUnification;
            if (m_db.exists(QStringLiteral("select 1 from PRINT_TEXT where instr(ser, ?) <> 0 limit 1"),
                            {QString::fromUtf16(UnifiedHeading)})) {
                const auto* only = findChild<QRadioButton*>(QStringLiteral("Option_tawheed_only"));
                mode = only->isChecked() ? Mode::UnifiedOnly : Mode::Full;
            }
            m_db.execute(QStringLiteral("insert into REPORT_DESTRIBUTER (REPORT_DESTRIBUTER) values (?)"),
                         {mode});
        } else if (conversion.front().value(0).toString() == Mode::Estate) {
            m_db.execute(QStringLiteral("update TAWHEED_CHILED set currency_type = ?"),
                         {m_context.Text_tariqa_currency});
        } else {
            m_db.execute(QStringLiteral("update TAWHEED_CHILED set currency_type = '%'"));
        }
    });

    // The program shows the division itself rather than opening the report database in another
    // application; a folder without that database is still no whole installation.
    const QString reportDatabase = QStringLiteral("TALVENO_TEST_REPORT.mdb");
    if (!QFileInfo(platform::AppPaths::appFile(reportDatabase)).isFile()) {
        platform::MessageService::show(QStringLiteral("الملف غير موجود: ") + reportDatabase,
                                       platform::MessageIcon::Critical);
        return;
    }
    const platform::ReportDocument document = platform::ReportDocument::fromTables(m_db.handle());
    if (document.isEmpty()) {
        platform::MessageService::show(QStringLiteral("لا توجد قسمة للطباعة"),
                                       platform::MessageIcon::Warning);
        return;
    }
    platform::ReportPreview::show(document, this);
}

void Form14::Command_endprogram_Click() {
    if (m_links.cleanExit)
        m_links.cleanExit(m_db);
}

void Form14::Command1_Click() {
    if (m_links.mainMenu)
        m_links.mainMenu();
}

} // namespace results
