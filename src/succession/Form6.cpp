#include "succession/Form6.h"

#include "entry/EntryTexts.h"
#include "entry/EntryWidgets.h"
#include "entry/GridCellDelegate.h"
#include "entry/ListBrowsing.h"
#include "entry/NameLists.h"
#include "entry/NameText.h"
#include "entry/RelationSpelling.h"
#include "platform/MessageService.h"
#include "platform/widgets/AccessKeyCaption.h"
#include "platform/widgets/ArabicKeyboard.h"
#include "platform/widgets/FirstKeyConversion.h"
#include "platform/widgets/FocusReturn.h"
#include "platform/widgets/GridTabOut.h"
#include "platform/widgets/LanguageOptionFrame.h"
#include "results/ShrinkEnlargeButtons.h"
#include "succession/ChainCellKeys.h"
#include "succession/ChainGridModel.h"
#include "succession/ChainRelations.h"
#include "succession/ChainRename.h"
#include "succession/ChainRowRules.h"
#include "succession/ChainRun.h"
#include "succession/ChainTable.h"
#include "succession/DeceasedNameBox.h"
#include "succession/NextDeceased.h"
#include "succession/StoredChains.h"
#include "succession/SuccessionTexts.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTableView>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

namespace succession {

namespace {

using Column = ChainGridModel::Column;
namespace ET = entry::Texts;
using NameList = entry::NameLists::List;

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    // Enter presses only the button that has the focus (keyPressEvent).
    b->setAutoDefault(false);
    platform::AccessKeyCaption::apply(b, caption);
    return b;
}

QComboBox* combo(const QString& name, QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    // A typed name is taken as typed, never completed into a longer one of the list.
    c->setCompleter(nullptr);
    return c;
}

QLineEdit* lineEdit(const QString& name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    return e;
}

// Refills a list without losing what its box holds.
void refill(QComboBox* box, const QStringList& items) {
    const QString text = box->currentText();
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

bool within(const QWidget* ancestor, const QWidget* w) {
    return w && (w == ancestor || ancestor->isAncestorOf(w));
}

// The combo, its box, or its open list.
bool withinCombo(const QComboBox* box, const QWidget* w) {
    return within(box, w) ||
           (w && box->view() && w->window() == box->view()->window() && w->window() != box->window());
}

QTextBrowser* note(const QString& name, const QString& html, QWidget* parent) {
    auto* t = new QTextBrowser(parent);
    t->setObjectName(name);
    t->setHtml(html);
    QSizePolicy policy = t->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    t->setSizePolicy(policy);
    t->hide();
    return t;
}

QString relationNoteHtml() {
    auto span = [](const QString& text, const char* colour) {
        return QStringLiteral("<span style=\"color:%1\">%2</span>")
            .arg(QLatin1String(colour), text.toHtmlEscaped());
    };
    return QStringLiteral(
               "<div dir=\"rtl\" align=\"right\" style=\"font-size:13pt; font-weight:bold\">"
               "<p><span style=\"color:red; text-decoration:underline\">%1</span></p><p>%2</p></div>")
        .arg(ET::NoteHeading.toHtmlEscaped(), span(ET::Note1, "black") + span(ET::Note2, "green") +
                                                  span(ET::Note3, "black") + span(ET::Note4, "green") +
                                                  span(ET::Note5, "black") + span(ET::Note6, "red") +
                                                  span(ET::Note7, "black"));
}

QString helpHtml() {
    const QStringList lines = {
        QStringLiteral("بعد كتابة الحقل اضغط Enter ثم احد مفاتيح الاسهم للانتقال الى الحقل التالي."),
        QStringLiteral("بعد اخر وارث للمتوفي اضغط Enter للانتقال الى المتوفي التالي وورثته."),
        QStringLiteral("لاضافة وارث الى متوفي سبق ادخاله ضع المؤشر على ذلك المتوفي فيظهر اسمه في النافذة "
                       "الجانبية، ثم اشر على مربع اضافة ورثة فيها، واكتب الوارث الجديد في السطر الاخير، "
                       "ثم اضغط ترتيب المسألة ليظهر الوارث تحت متوفيه."),
        QStringLiteral("ازل الاشارة من مربع اضافة ورثة قبل اختيار المتوفي."),
        QStringLiteral("لالغاء سطر لم يحفظ بعد اضغط Esc."),
        QStringLiteral("لحذف سطر انقر المربع الذي على يمينه، او ضع المؤشر فيه واضغط Shift+Space، "
                       "ثم اضغط Delete."),
    };
    QString body;
    for (const QString& line : lines)
        body += QStringLiteral("<p>%1</p>").arg(line.toHtmlEscaped());
    return QStringLiteral("<div dir=\"rtl\" align=\"right\" style=\"font-size:12pt\">"
                          "<p><b><u>%1</u></b></p>%2</div>")
        .arg(Texts::HelpHeading.toHtmlEscaped(), body);
}

} // namespace

Form6::Form6(data::Database db, engine::CaseContext& host, ExitHooks hooks, QWidget* parent)
    : platform::CommandOnlyDialog(parent), m_db(std::move(db)), m_host(host), m_hooks(std::move(hooks)) {
    setObjectName(QStringLiteral("Form6"));
    // No title bar and no close button: the dialogue is left only through its own commands.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint);
    setModal(true);
    setLayoutDirection(Qt::RightToLeft);
    resize(1016, 740);
    buildWidgets();
    // The dialogue sees every key before its controls.
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &Form6::onFocusChanged);
    Form_Load();
}

Form6::~Form6() {
    // Hiding the window takes a cell still being edited; the checks are no longer there to ask.
    m_chain->beforeColUpdate = {};
    m_chain->afterColUpdate = {};
    m_chain->beforeUpdate = {};
    qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
}

// Layout ----------------------------------------------------------------------------------------

void Form6::buildWidgets() {
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* heading = new QLabel(Texts::Heading, this);
    heading->setObjectName(QStringLiteral("Label_heading"));
    QFont headingFont = heading->font();
    headingFont.setPointSize(headingFont.pointSize() + 6);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    Text_case_no_appeare = lineEdit(QStringLiteral("Text_case_no_appeare"), this);
    Text_case_no_appeare->setMaximumWidth(90);
    Text_case_no_appeare->setEnabled(false);
    Text_serch_case_name = lineEdit(QStringLiteral("Text_serch_case_name"), this);
    Text_serch_case_name->setMaximumWidth(160);
    Text_serch_case_name->setEnabled(false);
    Command7 = button(QStringLiteral("Command7"), ET::Enlarge, this);
    // Outside the layout, at the top left corner: a folded dialogue is a strip too low for its
    // rows, and the button must stay whole in the part of the strip left on the screen.
    Command7->setGeometry(0, 0, results::ShrinkEnlargeButtons::toPixels(1515),
                          results::ShrinkEnlargeButtons::toPixels(555));
    Command7->hide();
    top->addWidget(new QLabel(Texts::CaseNoLabel, this));
    top->addWidget(Text_case_no_appeare);
    top->addSpacing(12);
    top->addWidget(new QLabel(Texts::SearchLabel, this));
    top->addWidget(Text_serch_case_name);
    top->addStretch(1);
    top->addWidget(heading);
    top->addStretch(1);
    Frame2 = new platform::LanguageOptionFrame(this);
    top->addWidget(Frame2);
    layout->addLayout(top);

    auto* middle = new QHBoxLayout;
    DBGrid3 = new QTableView(this);
    DBGrid3->setObjectName(QStringLiteral("DBGrid3"));
    m_chain = new ChainGridModel(m_db, this);
    m_chain->beforeColUpdate = [this](int row, int column, QString& text) {
        return cellAccepted(row, column, text);
    };
    m_chain->afterColUpdate = [this](int row, int) {
        // The editor closes first; then the row may be saved and the cursor move on.
        QTimer::singleShot(0, this, [this, row] { afterCellWritten(row); });
    };
    m_chain->beforeUpdate = [this](ChainRow& row) { return rowAccepted(row); };
    DBGrid3->setModel(m_chain);
    connect(m_chain, &ChainGridModel::modelReset, this, &Form6::updateDeceasedBox);
    connect(m_chain, &ChainGridModel::rowsInserted, this, &Form6::updateDeceasedBox);
    connect(m_chain, &ChainGridModel::rowsRemoved, this, &Form6::updateDeceasedBox);
    auto* cells = new entry::GridCellDelegate(-1, DBGrid3);
    cells->setNameColumns({Column::HeirName, Column::DeceasedName});
    DBGrid3->setItemDelegate(cells);
    DBGrid3->setToolTip(Texts::GridTip);
    DBGrid3->setTabKeyNavigation(false);
    new platform::GridTabOut(DBGrid3);
    DBGrid3->setSelectionBehavior(QAbstractItemView::SelectItems);
    DBGrid3->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
    for (int c : {int(Column::CaseNo), int(Column::Arrange), int(Column::Ar)})
        DBGrid3->setColumnHidden(c, true);
    // Names and relations set their columns' widths at every font size; the status takes the rest.
    DBGrid3->horizontalHeader()->setMinimumSectionSize(80);
    DBGrid3->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    DBGrid3->horizontalHeader()->setSectionResizeMode(Column::Status, QHeaderView::Stretch);
    DBGrid3->verticalHeader()->setMinimumWidth(18);
    connect(DBGrid3->verticalHeader(), &QHeaderView::sectionClicked, this, [this](int row) {
        DBGrid3->selectionModel()->setCurrentIndex(m_chain->index(row, Column::Relation),
                                                   QItemSelectionModel::NoUpdate);
        entry::EntryWidgets::selectWholeRow(DBGrid3, row);
    });
    connect(DBGrid3, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() >= Column::Relation && index.column() <= Column::DeceasedName)
            openColumnList(index.column());
    });
    connect(DBGrid3->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                if (m_settlingRow)
                    return;
                if (previous.isValid() && current.row() != previous.row() &&
                    m_chain->changedRow() == previous.row()) {
                    m_settlingRow = true;
                    const bool saved = m_chain->saveRow();
                    m_settlingRow = false;
                    if (!saved) {
                        const int row = previous.row();
                        const int column = previous.column();
                        QTimer::singleShot(0, this, [this, row, column] { goTo(row, column); });
                        return;
                    }
                }
                if (current.isValid())
                    followRow(current.row());
            });

    RichTextBox1 = note(QStringLiteral("RichTextBox1"), relationNoteHtml(), this);
    RichTextBox2 = note(QStringLiteral("RichTextBox2"), helpHtml(), this);
    auto* notes = new QVBoxLayout;
    notes->addWidget(RichTextBox1);
    notes->addWidget(RichTextBox2);

    auto* side = new QVBoxLayout;
    side->addWidget(new QLabel(Texts::DeceasedLabel, this));
    Text_deth_name_ind = lineEdit(QStringLiteral("Text_deth_name_ind"), this);
    Text_deth_name_ind->setMinimumWidth(150);
    m_deceasedBox = new DeceasedNameBox(Text_deth_name_ind, [this](const QString& name) {
        goTo(m_chain->entryRow(), Column::DeceasedName);
        acceptDeceased(name, Text_deth_name_ind);
    });
    side->addWidget(Text_deth_name_ind);
    Check_add_warith = new QCheckBox(Texts::AddHeirs, this);
    Check_add_warith->setObjectName(QStringLiteral("Check_add_warith"));
    side->addWidget(Check_add_warith);
    Command5 = button(QStringLiteral("Command5"), Texts::Regroup, this);
    Command13 = button(QStringLiteral("Command13"), Texts::Help, this);
    Command14 = button(QStringLiteral("Command14"), Texts::RenameHeirCaption, this);
    Command15 = button(QStringLiteral("Command15"), Texts::RenameFirstCaption, this);
    for (QPushButton* b : {Command5, Command13, Command14, Command15})
        side->addWidget(b);
    side->addSpacing(10);
    DBGrid_put = new QTableView(this);
    DBGrid_put->setObjectName(QStringLiteral("DBGrid_put"));
    DBGrid_put->setEnabled(false);
    DBGrid_put->setMaximumHeight(120);
    side->addWidget(DBGrid_put);
    auto* stored = new QHBoxLayout;
    Command_save = button(QStringLiteral("Command_save"), Texts::Save, this);
    Command_edit = button(QStringLiteral("Command_edit"), Texts::Edit, this);
    Command_delete = button(QStringLiteral("Command_delete"), Texts::Delete, this);
    for (QPushButton* b : {Command_save, Command_edit, Command_delete}) {
        b->setEnabled(false);
        stored->addWidget(b);
    }
    side->addLayout(stored);
    side->addStretch(1);

    middle->addWidget(DBGrid3, 5);
    middle->addLayout(notes, 3);
    middle->addLayout(side, 0);
    layout->addLayout(middle, 1);

    auto* preparerRow = new QHBoxLayout;
    Text_DATA_ENTRY_NAME = combo(QStringLiteral("Text_DATA_ENTRY_NAME"), this);
    Text_DATA_ENTRY_NAME->setMinimumWidth(220);
    Command12 = button(QStringLiteral("Command12"), ET::DeletePreparer, this);
    Command9 = button(QStringLiteral("Command9"), ET::DeleteAllPreparers, this);
    Command4 = button(QStringLiteral("Command4"), ET::AddIssuingBody, this);
    preparerRow->addWidget(new QLabel(ET::PreparerLabel, this));
    preparerRow->addWidget(Text_DATA_ENTRY_NAME);
    preparerRow->addWidget(Command12);
    preparerRow->addWidget(Command9);
    preparerRow->addStretch(1);
    preparerRow->addWidget(Command4);
    layout->addLayout(preparerRow);

    FrameADRESS = new QGroupBox(this);
    FrameADRESS->setObjectName(QStringLiteral("FrameADRESS"));
    auto* bodyRow = new QHBoxLayout(FrameADRESS);
    Text_ADRESS_ENTRY_NAME = combo(QStringLiteral("Text_ADRESS_ENTRY_NAME"), FrameADRESS);
    Text_ADRESS_ENTRY_NAME->setMinimumWidth(220);
    Command11 = button(QStringLiteral("Command11"), ET::DeleteIssuingBody, FrameADRESS);
    Command10 = button(QStringLiteral("Command10"), ET::DeleteAllIssuingBodies, FrameADRESS);
    bodyRow->addWidget(new QLabel(ET::IssuingBodyLabel, FrameADRESS));
    bodyRow->addWidget(Text_ADRESS_ENTRY_NAME);
    bodyRow->addWidget(Command11);
    bodyRow->addWidget(Command10);
    bodyRow->addStretch(1);
    FrameADRESS->hide();
    layout->addWidget(FrameADRESS);

    auto* bottom = new QHBoxLayout;
    Command1 = button(QStringLiteral("Command1"), ET::RunCaption, this);
    Command1->setMinimumSize(120, 40);
    QFont runFont = Command1->font();
    runFont.setPointSize(runFont.pointSize() + 4);
    runFont.setBold(true);
    Command1->setFont(runFont);
    Command1->setMouseTracking(true);
    Command_new = button(QStringLiteral("Command_new"), ET::NewCase, this);
    Command8 = button(QStringLiteral("Command8"), ET::Shrink, this);
    Command3 = button(QStringLiteral("Command3"), ET::MainMenu, this);
    Command2 = button(QStringLiteral("Command2"), QString(), this);
    Command2->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    Command2->setToolTip(QStringLiteral("انهاء البرنامج"));
    bottom->addWidget(Command1);
    bottom->addWidget(Command_new);
    bottom->addStretch(1);
    bottom->addWidget(Command8);
    bottom->addWidget(Command3);
    bottom->addWidget(Command2);
    layout->addLayout(bottom);

    // Never shown: the current deceased's place, the case number and title, and the copy.
    Text_deth_no_ind = lineEdit(QStringLiteral("Text_deth_no_ind"), this);
    Text_case_no = lineEdit(QStringLiteral("Text_case_no"), this);
    Text_case_name = lineEdit(QStringLiteral("Text_case_name"), this);
    Command6 = button(QStringLiteral("Command6"), Texts::CopyCaption, this);
    for (QWidget* w :
         std::initializer_list<QWidget*>{Text_deth_no_ind, Text_case_no, Text_case_name, Command6})
        w->hide();

    // The pick lists float over the grid, outside every layout.
    DBList_deth_name = combo(QStringLiteral("DBList_deth_name"), this);
    DBCombo_w_name = combo(QStringLiteral("DBCombo_w_name"), this);
    DBList_relation = combo(QStringLiteral("DBList_relation"), this);
    for (QComboBox* list : {DBList_deth_name, DBCombo_w_name, DBList_relation}) {
        list->setMaxVisibleItems(15);
        list->hide();
    }
    for (QComboBox* list : {DBList_deth_name, DBCombo_w_name, DBList_relation})
        new entry::ListBrowsing(list);
    // A pick from the open list is a pick; the combo also reports a typed text that matches an
    // item when it loses the focus, which is none.
    auto onPick = [this](QComboBox* list, void (Form6::*accept)()) {
        connect(list, &QComboBox::activated, this, [this, list, accept](int) {
            if (withinCombo(list, QApplication::focusWidget()))
                (this->*accept)();
        });
    };
    onPick(DBList_deth_name, &Form6::DBList_deth_name_Accept);
    onPick(DBCombo_w_name, &Form6::DBCombo_w_name_Accept);
    onPick(DBList_relation, &Form6::ADD_RELATION);
    connect(DBList_deth_name, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (DBList_deth_name->isVisible())
            RichTextBox2->setVisible(!text.isEmpty());
    });

    Timer16 = new QTimer(this);
    Timer16->setObjectName(QStringLiteral("Timer16"));
    connect(Timer16, &QTimer::timeout, this, &Form6::Timer16_Timer);

    connect(Command1, &QPushButton::clicked, this, &Form6::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, [this] {
        if (m_hooks.cleanExit)
            m_hooks.cleanExit();
    });
    connect(Command3, &QPushButton::clicked, this, [this] {
        // Should the main window come back instead of the program ending, the chain in hand is
        // still there for the next command, with its preparer and issuing body.
        ChainRun::stampHeader(m_db, Text_DATA_ENTRY_NAME->currentText().trimmed(),
                              Text_ADRESS_ENTRY_NAME->currentText().trimmed());
        if (m_hooks.mainMenu)
            m_hooks.mainMenu();
    });
    connect(Command4, &QPushButton::clicked, this, &Form6::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form6::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form6::Command6_Click);
    connect(Command9, &QPushButton::clicked, this, &Form6::Command9_Click);
    connect(Command10, &QPushButton::clicked, this, &Form6::Command10_Click);
    connect(Command11, &QPushButton::clicked, this, &Form6::Command11_Click);
    connect(Command12, &QPushButton::clicked, this, &Form6::Command12_Click);
    connect(Command13, &QPushButton::clicked, this, &Form6::Command13_Click);
    connect(Command14, &QPushButton::clicked, this, &Form6::Command14_Click);
    connect(Command15, &QPushButton::clicked, this, &Form6::Command15_Click);
    connect(Command_new, &QPushButton::clicked, this, &Form6::Command_new_Click);
    connect(Check_add_warith, &QCheckBox::clicked, this, &Form6::Check_add_warith_Click);

    offerStoredChains();
    buildTwins();

    // The grid's conversion must see a key before the typed character opens a list: the filter
    // installed last sees it first.
    new ChainCellKeys(DBGrid3, [this](int column, const QString& text) { return typedInCell(column, text); });
    auto* firstKey = new platform::FirstKeyConversion(this, Frame2->arabicOption());
    for (const char* field :
         {"DBCombo_w_name", "DBList_deth_name", "DBList_relation", "Text_ADRESS_ENTRY_NAME",
          "Text_DATA_ENTRY_NAME", "DBGrid3", "Text_deth_name_ind"})
        firstKey->attach(QString::fromLatin1(field));
    for (QLineEdit* number : {Text_case_no_appeare, Text_case_no, Text_deth_no_ind})
        platform::ArabicKeyboard::setMapped(number, false);
    entry::NameText::guard(Text_deth_name_ind);
    for (QComboBox* names : {DBList_deth_name, DBCombo_w_name, Text_DATA_ENTRY_NAME, Text_ADRESS_ENTRY_NAME})
        entry::NameText::guard(names);
}

// The Latin twins of the buttons' Arabic access keys: the same key under either keyboard layout.
void Form6::buildTwins() {
    auto twin = [this](const QString& name, QKeyCombination key, std::function<void()> run) {
        auto* action = new QAction(this);
        action->setObjectName(name);
        action->setShortcut(QKeySequence(key));
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        if (run)
            connect(action, &QAction::triggered, this, std::move(run));
        else
            action->setEnabled(false);
        return action;
    };
    // A shortcut leaves the focus where it is, so the box the user is in has not been left: its
    // steps (the name into its list, the header on the rows) run first, as on a click of the button.
    auto leavingHeaderBox = [this] {
        if (withinCombo(Text_DATA_ENTRY_NAME, QApplication::focusWidget()))
            Text_DATA_ENTRY_NAME_LostFocus();
        if (withinCombo(Text_ADRESS_ENTRY_NAME, QApplication::focusWidget()))
            Text_ADRESS_ENTRY_NAME_LostFocus();
    };
    twin(QStringLiteral("Command_ALTER_run"), Qt::ALT | Qt::Key_J, [this, leavingHeaderBox] {
        leavingHeaderBox();
        Command1_Click();
    });
    twin(QStringLiteral("Command_ALTER_endprogram"), Qt::ALT | Qt::Key_K, [this] { Command2->click(); });
    twin(QStringLiteral("Command_ALTER_NEW"), Qt::ALT | Qt::Key_BracketLeft, [this] { Command_new_Click(); });
    twin(QStringLiteral("Command_ALTER_SAVE"), Qt::ALT | Qt::Key_O, [this, leavingHeaderBox] {
        leavingHeaderBox();
        Command_save_Click();
    });
    twin(QStringLiteral("Command_ALTER_EDIT"), Qt::ALT | Qt::Key_U, [this, leavingHeaderBox] {
        leavingHeaderBox();
        Command_edit_Click();
    });
    twin(QStringLiteral("Command_ALTER_delete"), Qt::ALT | Qt::Key_P, [this] { Command_delete_Click(); });
    twin(QStringLiteral("Command_ALTER_put"), Qt::ALT | Qt::Key_L, [] {});
}

// Load and new case ------------------------------------------------------------------------------

void Form6::Form_Load() {
    m_db.transaction([&] {
        m_db.execute(QStringLiteral("delete from CHECK_FILE"));
        m_db.execute(QStringLiteral("insert into CHECK_FILE (CHECK_FILE) values ('1')"));
        m_db.execute(QStringLiteral("delete from MUNASKA_TEMP where arrange = 0"));
    });
    const data::Rows first = m_db.select(QStringLiteral(
        "select case_no, ADRESS_ENTRY_NAME, DATA_ENTRY_NAME from MUNASKA_TEMP order by arrange, ar limit 1"));
    if (first.isEmpty()) {
        DBList_deth_name->show();
        m_focusOnShow = DBList_deth_name;
    } else {
        const QSqlRecord& r = first.front();
        if (const qint64 caseNo = r.value(0).toLongLong(); caseNo != 0)
            restoreStoredChain(caseNo);
        if (const QString body = r.value(1).toString(); !body.isEmpty()) {
            Text_ADRESS_ENTRY_NAME->setEditText(body);
            FrameADRESS->setVisible(body != ET::NoIssuingBody);
            // The toggle's caption says what it would do to the frame as it now stands.
            Command4->setText(body != ET::NoIssuingBody ? ET::RemoveIssuingBody : ET::AddIssuingBody);
        }
        if (const QString preparer = r.value(2).toString(); !preparer.isEmpty())
            Text_DATA_ENTRY_NAME->setEditText(preparer);
        m_focusOnShow = DBGrid3;
    }
    for (const QSqlRecord& r : m_db.select(QStringLiteral("select relations from relations order by au")))
        m_relations << r.value(0).toString();
    DBList_relation->addItems(m_relations);
    DBList_relation->setCurrentIndex(m_relations.isEmpty() ? -1 : 0);
    m_chain->reload();
    requeryIssuingBodies();
    requeryPreparers();
    requeryStoredChains(StoredChains::all());
}

void Form6::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QWidget* w = std::exchange(m_focusOnShow, nullptr)) {
        if (w == DBList_deth_name)
            showList(DBList_deth_name);
        else
            goTo(0, Column::Relation);
    }
}

void Form6::Command_new_Click() {
    Check_add_warith->setChecked(false);
    Text_deth_no_ind->clear();
    Text_deth_name_ind->clear();
    m_db.transaction([&] {
        for (const char* table : {"DETH", "WARITH_DUBLE", "MUNASKA_TEMP", "CHECK_NAME"})
            m_db.execute(QStringLiteral("delete from %1").arg(QLatin1String(table)));
    });
    refill(DBList_deth_name, {});
    hideLists();
    RichTextBox2->hide();
    m_chain->reload();
    Text_case_name->clear();
    Text_case_no->clear();
    Text_case_no_appeare->clear();
    Text_DATA_ENTRY_NAME->setEditText(QString());
    DBList_deth_name->setEditText(QString());
    requeryStoredChains(StoredChains::all());
    showList(DBList_deth_name);
}

void Form6::Check_add_warith_Click() {
    if (Check_add_warith->isChecked() && Text_deth_no_ind->text().isEmpty()) {
        Check_add_warith->setChecked(false);
        refuse(Texts::ChooseDeceased, Check_add_warith);
    }
}

void Form6::Command13_Click() {
    RichTextBox2->show();
}

void Form6::Form_KeyUp(int key) {
    if (key != Qt::Key_Escape)
        return;
    for (QComboBox* list : {DBList_relation, DBList_deth_name, DBCombo_w_name}) {
        if (list->isVisible()) {
            DBGrid3->setFocus(Qt::OtherFocusReason);
            list->hide();
        }
    }
    RichTextBox1->hide();
    RichTextBox2->hide();
}

// Leaving ---------------------------------------------------------------------------------------

void Form6::leave() {
    Timer16->stop();
    leaveDialogue();
}

// The run ---------------------------------------------------------------------------------------

void Form6::Command6_Click() {
    ChainRun::copy(m_db);
}

void Form6::Command5_Click() {
    if (!saveCurrentRow())
        return;
    const ChainRow line = currentLine();
    const int column =
        DBGrid3->currentIndex().isValid() ? DBGrid3->currentIndex().column() : int(Column::Relation);
    m_chain->reload();
    const int row = line.stored() ? m_chain->rowOf(line.ar) : m_chain->entryRow();
    goTo(row < 0 ? m_chain->entryRow() : row, column);
}

void Form6::Command1_Click() {
    QWidget* from = QApplication::focusWidget();
    // A cell still being edited is taken (or refused) before the chain is read. A refused cell has
    // had its message: the user corrects it first, and hears nothing more of this press.
    const int refusalsBefore = m_cellRefusals;
    if (from && from != DBGrid3 && within(DBGrid3, from))
        Command1->setFocus(Qt::OtherFocusReason);
    if (m_cellRefusals != refusalsBefore)
        return;
    if (!saveCurrentRow())
        return;
    const ChainHeader header{Text_case_name->text(), Text_case_no->text(),
                             Text_DATA_ENTRY_NAME->currentText().trimmed(),
                             Text_ADRESS_ENTRY_NAME->currentText().trimmed()};
    const QString refused = ChainRun::run(m_db, header, m_host);
    if (!refused.isEmpty()) {
        refuse(refused, focusAfter(refused, from && from->window() == this ? from : Command1));
        return;
    }
    leave();
}

void Form6::Timer16_Timer() {
    const QString caption = Command1->text();
    if (caption == ET::RunCaption)
        Command1->setText(ET::RunStep1);
    else if (caption == ET::RunStep1)
        Command1->setText(ET::RunStep2);
    else if (caption == ET::RunStep2)
        Command1->setText(ET::RunStep3);
    else if (caption == ET::RunStep3)
        Command1->setText(ET::RunStep4);
    else if (caption == ET::RunStep4) {
        Command1->setText(ET::RunCaption);
        Timer16->stop();
    }
}

// Grid rows -------------------------------------------------------------------------------------

int Form6::currentRow() const {
    const QModelIndex current = DBGrid3->currentIndex();
    return current.isValid() ? current.row() : m_chain->entryRow();
}

ChainRow Form6::currentLine() const {
    return m_chain->line(currentRow());
}

void Form6::goTo(int row, int column) {
    row = qBound(0, row, m_chain->entryRow());
    DBGrid3->setFocus(Qt::OtherFocusReason);
    DBGrid3->setCurrentIndex(m_chain->index(row, column));
}

void Form6::nextLine() {
    goTo(m_chain->entryRow(), Column::Relation);
}

bool Form6::saveCurrentRow() {
    if (!m_chain->hasChanges())
        return true;
    const int row = m_chain->changedRow();
    if (m_chain->saveRow())
        return true;
    goTo(row, DBGrid3->currentIndex().isValid() ? DBGrid3->currentIndex().column() : int(Column::Relation));
    return false;
}

void Form6::refuse(const QString& message, QWidget* back) {
    platform::MessageService::show(message, platform::MessageIcon::Critical);
    platform::FocusReturn::to(back);
}

bool Form6::cellAccepted(int row, int column, QString& text) {
    const ChainRow line = m_chain->line(row);
    QString refused;
    if (column == Column::HeirName && !text.isEmpty()) {
        refused = ChainRowRules::beforeHeirName(m_db, line, text, line.heirName, Text_deth_no_ind->text());
    } else if (column == Column::Relation && !text.isEmpty()) {
        text = entry::RelationSpelling::listSpelling(m_db, text);
        const auto verdict = ChainRelations::check(
            m_db, text, ChainRowRules::deceasedOf(line, Text_deth_no_ind->text()), line.ar);
        if (!verdict.accepted())
            refused = verdict.messages.front();
    } else if (column == Column::DeceasedName && !text.isEmpty() && m_chain->isEntryRow(row)) {
        // A new deceased enters by the next-deceased list alone, which gives him a place of his own.
        QTimer::singleShot(0, this, [this, text] {
            goTo(m_chain->entryRow(), Column::DeceasedName);
            GET_NAMES_TO_DBLIST_WARITH_NAMES();
            DBList_deth_name->setEditText(text);
            DBList_deth_name_Accept();
        });
        return false;
    }
    if (refused.isEmpty())
        return true;
    // The cell keeps its old value; a user who left the row for another is brought back to it.
    ++m_cellRefusals;
    platform::MessageService::show(refused, platform::MessageIcon::Critical);
    platform::FocusReturn::toCell(DBGrid3, row, column);
    return false;
}

bool Form6::rowAccepted(ChainRow& row) {
    const QString refused =
        ChainRowRules::beforeUpdate(m_db, row, Check_add_warith->isChecked(), Text_deth_no_ind->text());
    if (refused.isEmpty())
        return true;
    refuse(refused, DBGrid3);
    return false;
}

// After a cell was filled, a row that is whole is saved and the cursor goes on to what is missing
// or to the next line.
void Form6::afterCellWritten(int row) {
    if (m_chain->changedRow() != row)
        return;
    const ChainRow line = m_chain->line(row);
    // A user who left the grid by Tab goes on where he went: only the cursor moves.
    const bool inGrid = within(DBGrid3, QApplication::focusWidget());
    auto moveTo = [&](int r, int column) {
        if (inGrid)
            goTo(r, column);
        else
            DBGrid3->setCurrentIndex(m_chain->index(qBound(0, r, m_chain->entryRow()), column));
    };
    const bool heirRow = !line.relation.isEmpty() && !line.heirName.isEmpty();
    if (heirRow || !line.deceasedName.isEmpty()) {
        const bool newLine = m_chain->isEntryRow(row);
        if (!saveCurrentRow())
            return;
        if (newLine)
            moveTo(m_chain->entryRow(), Column::Relation);
        return;
    }
    if (!line.relation.isEmpty())
        moveTo(row, Column::HeirName);
    else if (!line.heirName.isEmpty())
        moveTo(row, Column::Relation);
}

// While no deceased is being given heirs, the current deceased is the one of the current row.
void Form6::followRow(int row) {
    if (Check_add_warith->isChecked())
        return;
    const QString arrange = m_chain->line(row).arrange;
    Text_deth_no_ind->setText(arrange);
    const data::Rows found = m_db.select(
        QStringLiteral("select deth_name from MUNASKA_TEMP where arrange = ? order by ar limit 1"),
        {ChainTable::numeric(arrange)});
    if (found.isEmpty())
        Text_deth_name_ind->clear();
    else if (const QString name = found.front().value(0).toString(); !name.isEmpty())
        Text_deth_name_ind->setText(name);
}

void Form6::deleteRow(int row) {
    if (!m_chain->line(row).stored()) {
        m_chain->dropChanges();
        return;
    }
    const ChainRow line = m_chain->line(row);
    if (const QString refused = ChainRowRules::beforeDelete(m_db, line); !refused.isEmpty()) {
        refuse(refused, DBGrid3);
        return;
    }
    // Heirs typed after the current deceased's own row is gone would belong to nobody.
    if (!line.deceasedName.isEmpty() &&
        ChainTable::numeric(line.arrange) == ChainTable::numeric(Text_deth_no_ind->text())) {
        Text_deth_no_ind->clear();
        Text_deth_name_ind->clear();
        Check_add_warith->setChecked(false);
    }
    m_chain->removeStored(row);
    m_chain->reload();
    goTo(qMin(row, m_chain->entryRow()), Column::Relation);
}

bool Form6::gridKey(QKeyEvent* event) {
    const QModelIndex current = DBGrid3->currentIndex();
    const int column = current.isValid() ? current.column() : int(Column::Relation);
    const int row = currentRow();
    switch (event->key()) {
    case Qt::Key_Space:
        // The keyboard's click on the record selector.
        if (event->modifiers() != Qt::ShiftModifier)
            return false;
        entry::EntryWidgets::selectWholeRow(DBGrid3, row);
        return true;
    case Qt::Key_F4:
    case Qt::Key_F5:
        openColumnList(column);
        return true;
    case Qt::Key_Delete: {
        const QModelIndexList rows = DBGrid3->selectionModel()->selectedRows();
        if (!rows.isEmpty()) {
            deleteRow(rows.front().row());
            return true;
        }
        if (column == Column::Relation) {
            m_chain->writeCell(row, Column::Relation, QString());
            return true;
        }
        return false;
    }
    case Qt::Key_Escape:
        // A row the rules refuse is given up, as it was before the typing.
        if (m_chain->changedRow() == row) {
            m_chain->dropChanges();
            return true;
        }
        return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!m_chain->line(row).arrange.isEmpty()) {
            Text_DATA_ENTRY_NAME->setFocus(Qt::OtherFocusReason);
            return true;
        }
        return false;
    default:
        break;
    }
    return false;
}

bool Form6::typedInCell(int column, const QString& text) {
    const int row = currentRow();
    if (column == Column::Relation && m_chain->cell(row, Column::Relation).isEmpty()) {
        openColumnList(Column::Relation);
        DBList_relation->setEditText(text);
        DBList_relation->lineEdit()->end(false);
        return true;
    }
    if (column == Column::HeirName)
        RichTextBox2->show();
    if (column == Column::DeceasedName) {
        RichTextBox2->show();
        if (m_chain->cell(row, Column::DeceasedName).isEmpty()) {
            GET_NAMES_TO_DBLIST_WARITH_NAMES();
            DBList_deth_name->setEditText(text);
            DBList_deth_name->lineEdit()->end(false);
            return true;
        }
    }
    return false;
}

// Pick lists ------------------------------------------------------------------------------------

void Form6::openColumnList(int column) {
    switch (column) {
    case Column::DeceasedName:
        GET_NAMES_TO_DBLIST_WARITH_NAMES();
        break;
    case Column::HeirName:
        GET_NAMES_TO_DBLIST_WARITH_NAMES_WARITH();
        break;
    case Column::Relation:
        showList(DBList_relation);
        RichTextBox1->show();
        break;
    default:
        break;
    }
}

void Form6::showList(QComboBox* list) {
    const QModelIndex current = DBGrid3->currentIndex();
    const int column = list == DBList_relation  ? int(Column::Relation)
                       : list == DBCombo_w_name ? int(Column::HeirName)
                                                : int(Column::DeceasedName);
    const int width = qMax(DBGrid3->columnWidth(column), 180);
    const int columnLeft =
        DBGrid3->viewport()->mapTo(this, QPoint(DBGrid3->columnViewportPosition(column), 0)).x();
    const int left =
        layoutDirection() == Qt::RightToLeft ? columnLeft + DBGrid3->columnWidth(column) - width : columnLeft;
    int top = m_listTop;
    if (top < 0) {
        const int row = current.isValid() ? current.row() : m_chain->entryRow();
        const int rowBottom = DBGrid3->rowViewportPosition(row) + DBGrid3->rowHeight(row);
        top = DBGrid3->viewport()->mapTo(this, QPoint(0, qMax(rowBottom, 0))).y();
    }
    list->setGeometry(qMax(left, 0), top, width, list->sizeHint().height());
    list->show();
    list->raise();
    list->setFocus(Qt::OtherFocusReason);
    // What is typed now replaces the text the list held.
    list->lineEdit()->selectAll();
}

void Form6::hideLists() {
    DBList_deth_name->hide();
    DBCombo_w_name->hide();
    DBList_relation->hide();
    RichTextBox1->hide();
}

void Form6::placeLists(const QPoint& pos) {
    const int row = DBGrid3->rowAt(pos.y());
    if (row < 0 || DBGrid3->columnAt(pos.x()) < 0)
        return;
    const int rowBottom = DBGrid3->rowViewportPosition(row) + DBGrid3->rowHeight(row);
    m_listTop = DBGrid3->viewport()->mapTo(this, QPoint(0, rowBottom)).y();
    for (QComboBox* list : {DBList_deth_name, DBCombo_w_name, DBList_relation})
        list->move(list->x(), m_listTop);
}

void Form6::GET_NAMES_TO_DBLIST_WARITH_NAMES() {
    RichTextBox2->show();
    refill(DBList_deth_name, NextDeceased::candidates(m_db));
    showList(DBList_deth_name);
}

void Form6::GET_NAMES_TO_DBLIST_WARITH_NAMES_WARITH() {
    RichTextBox2->show();
    const ChainRow line = currentLine();
    PreviousHeirName = line.heirName;
    refill(DBCombo_w_name,
           NextDeceased::heirNames(m_db, ChainRowRules::deceasedOf(line, Text_deth_no_ind->text())));
    DBCombo_w_name->setEditText(line.heirName);
    showList(DBCombo_w_name);
}

void Form6::DBList_deth_name_Accept() {
    acceptDeceased(DBList_deth_name->currentText(), DBList_deth_name);
}

void Form6::acceptDeceased(const QString& typed, QWidget* back) {
    const int row = currentRow();
    const ChainRow line = m_chain->line(row);
    const NextDeceased::Acceptance a =
        NextDeceased::accept(m_db, typed, line.stored() && !line.arrange.isEmpty());
    if (!a.accepted) {
        if (!a.message.isEmpty())
            refuse(a.message, back);
        return;
    }
    // A heir typed on the new line before the first deceased was chosen could never be saved: he
    // waits there for him, the deceased takes the line, and the heir follows on the next one.
    ChainRow waiting;
    const bool heirWaiting = m_deceasedBox->typeable() && !line.stored() && m_chain->changedRow() == row &&
                             line.deceasedName.isEmpty() &&
                             (!line.relation.isEmpty() || !line.heirName.isEmpty());
    if (heirWaiting) {
        waiting = line;
        m_chain->dropChanges();
    }
    DBGrid3->setFocus(Qt::OtherFocusReason);
    DBList_deth_name->hide();
    RichTextBox2->hide();
    const QString previousArrange = Text_deth_no_ind->text();
    const QString previousName = Text_deth_name_ind->text();
    const bool previousAdding = Check_add_warith->isChecked();
    m_chain->writeCell(row, Column::DeceasedName, a.name);
    Text_deth_no_ind->setText(QString::number(a.arrange));
    Text_deth_name_ind->setText(a.name);
    Check_add_warith->setChecked(true);
    if (saveCurrentRow()) {
        // He is taken: the list, opened again for the next deceased, does not offer him as typed.
        DBList_deth_name->setEditText(QString());
        nextLine();
        if (heirWaiting) {
            const int entry = m_chain->entryRow();
            m_chain->writeCell(entry, Column::Relation, waiting.relation);
            m_chain->writeCell(entry, Column::HeirName, waiting.heirName);
            afterCellWritten(entry);
        }
        return;
    }
    // Without his row he is no deceased: heirs typed next would belong to nobody.
    m_chain->writeCell(row, Column::DeceasedName, QString());
    if (heirWaiting) {
        m_chain->writeCell(row, Column::Relation, waiting.relation);
        m_chain->writeCell(row, Column::HeirName, waiting.heirName);
    }
    Text_deth_no_ind->setText(previousArrange);
    Text_deth_name_ind->setText(previousName);
    Check_add_warith->setChecked(previousAdding);
}

// The side box takes the first deceased while the chain has none.
void Form6::updateDeceasedBox() {
    if (!m_deceasedBox)
        return;
    m_deceasedBox->setTypeable(
        m_db.count(QStringLiteral("select count(*) from MUNASKA_TEMP where deth_name <> ''")) == 0);
}

void Form6::DBCombo_w_name_Accept() {
    const QString name = DBCombo_w_name->currentText().trimmed();
    if (name.isEmpty())
        return;
    const int row = currentRow();
    const ChainRow line = m_chain->line(row);
    DBCombo_w_name->hide();
    RichTextBox2->hide();
    DBGrid3->setFocus(Qt::OtherFocusReason);
    if (line.stored() && !PreviousHeirName.isEmpty()) {
        switch (ChainRename::heirNamePicked(m_db, PreviousHeirName, name)) {
        case ChainRename::PickEffect::Nothing:
            return;
        case ChainRename::PickEffect::RenamedThroughout: {
            const int column = DBGrid3->currentIndex().column();
            m_chain->reload();
            goTo(m_chain->rowOf(line.ar), column);
            if (ChainTable::numeric(Text_deth_no_ind->text()) != 0 &&
                Text_deth_name_ind->text() == PreviousHeirName)
                Text_deth_name_ind->setText(name);
            PreviousHeirName = name;
            return;
        }
        case ChainRename::PickEffect::ThisRowOnly:
            break;
        }
    }
    m_chain->setData(m_chain->index(row, Column::HeirName), name);
}

void Form6::ADD_RELATION() {
    const QString relation = entry::RelationSpelling::listSpelling(m_db, DBList_relation->currentText());
    const int row = currentRow();
    const ChainRow line = m_chain->line(row);
    const auto verdict = ChainRelations::check(
        m_db, relation, ChainRowRules::deceasedOf(line, Text_deth_no_ind->text()), line.ar);
    if (!verdict.accepted()) {
        refuse(verdict.messages.front(), DBList_relation);
        return;
    }
    DBGrid3->setFocus(Qt::OtherFocusReason);
    m_chain->writeCell(row, Column::Relation, relation);
    DBList_relation->hide();
    RichTextBox1->hide();
    afterCellWritten(row);
}

// Renaming --------------------------------------------------------------------------------------

void Form6::Command14_Click() {
    if (!saveCurrentRow())
        return;
    const ChainRow line = currentLine();
    const QString name = platform::MessageService::input(Texts::RenameHeirPrompt, line.heirName);
    const ChainRename::Outcome outcome = ChainRename::renameHeir(m_db, line.heirName, name);
    if (!outcome.message.isEmpty())
        refuse(outcome.message, DBGrid3);
    if (!outcome.changed)
        return;
    if (Text_deth_name_ind->text() == line.heirName)
        Text_deth_name_ind->setText(name.trimmed());
    Command5_Click();
}

void Form6::Command15_Click() {
    if (!saveCurrentRow())
        return;
    const ChainRow line = currentLine();
    if (!ChainRename::isFirstDeceasedRow(m_db, line)) {
        refuse(Texts::FirstDeceasedOnly, DBGrid3);
        return;
    }
    const QString name = platform::MessageService::input(Texts::RenameFirstPrompt, line.deceasedName);
    const ChainRename::Outcome outcome = ChainRename::renameFirstDeceased(m_db, line, name);
    if (!outcome.message.isEmpty())
        refuse(outcome.message, DBGrid3);
    if (!outcome.changed)
        return;
    if (Text_deth_name_ind->text() == line.deceasedName)
        Text_deth_name_ind->setText(name.trimmed());
    Command5_Click();
}

// Preparer and issuing body ---------------------------------------------------------------------

void Form6::requeryPreparers() {
    refill(Text_DATA_ENTRY_NAME, entry::NameLists::names(m_db, NameList::Preparers));
}

void Form6::requeryIssuingBodies() {
    refill(Text_ADRESS_ENTRY_NAME, entry::NameLists::names(m_db, NameList::IssuingBodies));
}

void Form6::Text_DATA_ENTRY_NAME_LostFocus() {
    const QString name = Text_DATA_ENTRY_NAME->currentText().trimmed();
    if (!name.isEmpty())
        entry::NameLists::add(m_db, NameList::Preparers, name);
    requeryPreparers();
    ChainRun::stampHeader(m_db, name, Text_ADRESS_ENTRY_NAME->currentText().trimmed());
}

void Form6::Text_ADRESS_ENTRY_NAME_LostFocus() {
    const QString name = Text_ADRESS_ENTRY_NAME->currentText().trimmed();
    if (!name.isEmpty())
        entry::NameLists::add(m_db, NameList::IssuingBodies, name);
    requeryIssuingBodies();
    ChainRun::stampHeader(m_db, Text_DATA_ENTRY_NAME->currentText().trimmed(), name);
}

void Form6::Command4_Click() {
    // The caption decides, whatever the frame shows.
    if (Command4->text() == ET::AddIssuingBody) {
        Command4->setText(ET::RemoveIssuingBody);
        FrameADRESS->show();
        Text_ADRESS_ENTRY_NAME->setFocus(Qt::OtherFocusReason);
    } else {
        FrameADRESS->hide();
        Text_ADRESS_ENTRY_NAME->setEditText(ET::NoIssuingBody);
        entry::NameLists::add(m_db, NameList::IssuingBodies, ET::NoIssuingBody);
        requeryIssuingBodies();
        Command4->setText(ET::AddIssuingBody);
    }
}

void Form6::Command9_Click() {
    entry::NameLists::removeAll(m_db, NameList::Preparers);
    requeryPreparers();
}

void Form6::Command12_Click() {
    entry::NameLists::remove(m_db, NameList::Preparers, Text_DATA_ENTRY_NAME->currentText().trimmed());
    requeryPreparers();
}

void Form6::Command10_Click() {
    entry::NameLists::removeAll(m_db, NameList::IssuingBodies);
    requeryIssuingBodies();
}

void Form6::Command11_Click() {
    entry::NameLists::remove(m_db, NameList::IssuingBodies, Text_ADRESS_ENTRY_NAME->currentText().trimmed());
    requeryIssuingBodies();
}

// Focus and keys --------------------------------------------------------------------------------

void Form6::onFocusChanged(QWidget* old, QWidget* now) {
    // Leaving the window for another program is no leaving of a field.
    if (!now || (now->window() != this && !withinCombo(Text_DATA_ENTRY_NAME, now) &&
                 !withinCombo(Text_ADRESS_ENTRY_NAME, now)))
        return;
    if (withinCombo(Text_DATA_ENTRY_NAME, old) && !withinCombo(Text_DATA_ENTRY_NAME, now))
        Text_DATA_ENTRY_NAME_LostFocus();
    if (withinCombo(Text_ADRESS_ENTRY_NAME, old) && !withinCombo(Text_ADRESS_ENTRY_NAME, now))
        Text_ADRESS_ENTRY_NAME_LostFocus();
    if (withinCombo(Text_ADRESS_ENTRY_NAME, now) && !withinCombo(Text_ADRESS_ENTRY_NAME, old))
        QTimer::singleShot(0, Text_ADRESS_ENTRY_NAME->lineEdit(), &QLineEdit::selectAll);
    // A list left by Tab or a click elsewhere closes, as Esc closes it.
    for (QComboBox* list : {DBList_relation, DBList_deth_name, DBCombo_w_name}) {
        if (list->isVisible() && withinCombo(list, old) && !withinCombo(list, now)) {
            list->hide();
            if (list == DBList_relation)
                RichTextBox1->hide();
        }
    }
    if (now == DBGrid3 && !within(DBGrid3, old)) {
        hideLists();
        RichTextBox2->hide();
    }
}

bool Form6::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyRelease && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
        // Taken here, so it is handled once and not again by each parent it would travel to.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != this)
            return false;
        Form_KeyUp(Qt::Key_Escape);
        return true;
    }
    if (storedChainEvent(watched, event))
        return true;
    if (watched == Command1 && type == QEvent::MouseMove) {
        if (!Timer16->isActive())
            Timer16->start(RunCaptionInterval);
        return false;
    }
    if (watched == DBGrid3->viewport() && type == QEvent::MouseButtonRelease) {
        placeLists(static_cast<QMouseEvent*>(event)->position().toPoint());
        return false;
    }
    if (type != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == DBGrid3)
        return DBGrid3->hasFocus() && gridKey(key);
    if (!isEnter(key))
        return false;
    if (watched == DBList_relation || watched == DBList_relation->lineEdit()) {
        ADD_RELATION();
        return true;
    }
    if (watched == DBList_deth_name || watched == DBList_deth_name->lineEdit()) {
        DBList_deth_name_Accept();
        return true;
    }
    if (watched == DBCombo_w_name || watched == DBCombo_w_name->lineEdit()) {
        DBCombo_w_name_Accept();
        return true;
    }
    return false;
}

} // namespace succession
