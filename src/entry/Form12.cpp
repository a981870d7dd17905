#include "entry/Form12.h"

#include "entry/BoundTableModel.h"
#include "entry/EntryStageFrames.h"
#include "entry/EntryTexts.h"
#include "entry/EntryWidgets.h"
#include "entry/GridCellDelegate.h"
#include "entry/ListBrowsing.h"
#include "entry/ModelCaseStage.h"
#include "entry/NameLists.h"
#include "entry/NameText.h"
#include "entry/RelationCellKeys.h"
#include "entry/RelationRules.h"
#include "entry/RelationSpelling.h"
#include "entry/RunCaptionAnimation.h"
#include "entry/StageAnswers.h"
#include "entry/StoredCases.h"
#include "platform/MessageService.h"
#include "platform/widgets/ArabicKeyboard.h"
#include "platform/widgets/FirstKeyConversion.h"
#include "platform/widgets/FocusReturn.h"
#include "platform/widgets/GridTabOut.h"
#include "platform/widgets/LanguageOptionFrame.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
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

#include <algorithm>
#include <functional>
#include <utility>

namespace entry {

using namespace EntryWidgets;

namespace {

using engine::EntryStage;

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// Shows each message of a relation check; whether the check accepted.
bool told(const RelationRules::Verdict& verdict) {
    for (const QString& message : verdict.messages)
        platform::MessageService::show(message, platform::MessageIcon::Critical);
    return verdict.accepted();
}

QLabel* label(const QString& text, QWidget* parent) {
    return new QLabel(text, parent);
}

QString noteHtml() {
    auto span = [](const QString& text, const char* colour) {
        return QStringLiteral("<span style=\"color:%1\">%2</span>")
            .arg(QLatin1String(colour), text.toHtmlEscaped());
    };
    return QStringLiteral("<div dir=\"rtl\" align=\"right\" style=\"font-size:15pt; font-weight:bold\">"
                          "<p>&nbsp;</p>"
                          "<p><span style=\"color:red; text-decoration:underline\">%1</span></p>"
                          "<p>%2</p></div>")
        .arg(Texts::NoteHeading.toHtmlEscaped(),
             span(Texts::Note1, "black") + span(Texts::Note2, "green") + span(Texts::Note3, "black") +
                 span(Texts::Note4, "green") + span(Texts::Note5, "black") + span(Texts::Note6, "red") +
                 span(Texts::Note7, "black"));
}

} // namespace

Form12::Form12(data::Database db, engine::CaseContext& host, ExitHooks hooks, QWidget* parent)
    : CommandOnlyDialog(parent), m_db(std::move(db)), m_host(host), m_hooks(std::move(hooks)) {
    setObjectName(QStringLiteral("Form12"));
    // No title bar and no close button: the dialogue is left only through its own commands.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint);
    setModal(true);
    setLayoutDirection(Qt::RightToLeft);
    resize(twips(15360), twips(11520));
    buildWidgets();
    // One filter for every key and mouse reaction: the dialogue sees the keys before its
    // controls, and the keys a cell's editor passes on reach the grid this way too.
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &Form12::onFocusChanged);
    Form_Load();
}

Form12::~Form12() {
    // A cell still being edited is taken when its editor goes with the window; the checks are no
    // longer there to ask.
    m_heirs->readText = {};
    m_heirs->beforeColUpdate = {};
    m_heirs->beforeUpdate = {};
    m_heirs->afterDelete = {};
    // Closing the window moves the focus; the dialogue is no longer there to follow it.
    qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
    // Nor is it there for a cell editor that hands its text over as the grid goes.
    DBGrid1->itemDelegate()->blockSignals(true);
}

// Layout ----------------------------------------------------------------------------------------

void Form12::buildWidgets() {
    auto* layout = new QVBoxLayout(this);

    // Outside the layout, at the top left corner: a folded dialogue is a strip lower than the
    // layout's margins and rows, and the button must stand whole in it.
    Command5 = button(QStringLiteral("Command5"), Texts::Enlarge, this);
    Command5->setGeometry(0, 0, twips(1515), twips(555));
    Command5->hide();

    m_frames = new EntryStageFrames(m_db, m_host, this);
    connect(m_frames, &EntryStageFrames::answered, this, &Form12::leave);
    layout->addWidget(m_frames->sourceFrame());
    layout->addWidget(m_frames->typeFrame());
    layout->addWidget(m_frames->estateFrame());
    layout->addWidget(buildDetailsFrame(), 1);
    layout->addWidget(buildStoredFrame(), 1);
    layout->addStretch(0);

    auto* bottom = new QHBoxLayout;
    Command2 = button(QStringLiteral("Command2"), Texts::Shrink, this);
    Command8 = button(QStringLiteral("Command8"), Texts::MainMenu, this);
    Command7 = button(QStringLiteral("Command7"), QString(), this);
    Command7->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    Command7->setIconSize(QSize(16, 16));
    Command7->setToolTip(QStringLiteral("انهاء البرنامج"));
    bottom->addWidget(Command2);
    bottom->addStretch(1);
    bottom->addWidget(Command8);
    bottom->addWidget(Command7);
    layout->addLayout(bottom);

    connect(Command7, &QPushButton::clicked, this, [this] {
        if (m_hooks.cleanExit)
            m_hooks.cleanExit();
    });
    connect(Command8, &QPushButton::clicked, this, [this] {
        // Should the main window come back instead of the program ending, the case in hand is
        // still there for the next command.
        if (Frame_case_details->isVisibleTo(this))
            CaseHandOver::stampHeader(m_db, header());
        if (m_hooks.mainMenu)
            m_hooks.mainMenu();
    });

    buildTwins();
}

QGroupBox* Form12::buildDetailsFrame() {
    Frame_case_details = frame(QStringLiteral("Frame_case_details"), Texts::DetailsFrame, this);
    auto* layout = new QVBoxLayout(Frame_case_details);

    auto* caseRow = new QHBoxLayout;
    Text_deth_name = lineEdit(QStringLiteral("Text_deth_name"), Frame_case_details);
    Text_deth_name->setMinimumWidth(220);
    Text_case_no_appeare = lineEdit(QStringLiteral("Text_case_no_appeare"), Frame_case_details);
    Text_case_no_appeare->setMaximumWidth(90);
    Command_new = button(QStringLiteral("Command_new"), Texts::NewCase, Frame_case_details);
    caseRow->addWidget(label(Texts::DeceasedLabel, Frame_case_details));
    caseRow->addWidget(Text_deth_name);
    caseRow->addSpacing(20);
    caseRow->addWidget(label(Texts::CaseNoLabel, Frame_case_details));
    caseRow->addWidget(Text_case_no_appeare);
    caseRow->addStretch(1);
    Frame2 = new platform::LanguageOptionFrame(Frame_case_details);
    caseRow->addWidget(Frame2);
    caseRow->addWidget(Command_new);
    layout->addLayout(caseRow);

    // The case title and the number of a stored case travel with the case but are not edited.
    Text_case_name = lineEdit(QStringLiteral("Text_case_name"), Frame_case_details);
    Text_case_name->hide();
    Text_case_no = lineEdit(QStringLiteral("Text_case_no"), Frame_case_details);
    Text_case_no->hide();

    auto* preparerRow = new QHBoxLayout;
    Text_DATA_ENTRY_NAME = combo(QStringLiteral("Text_DATA_ENTRY_NAME"), true, Frame_case_details);
    Text_DATA_ENTRY_NAME->setMinimumWidth(220);
    Command6 = button(QStringLiteral("Command6"), Texts::DeletePreparer, Frame_case_details);
    Command9 = button(QStringLiteral("Command9"), Texts::DeleteAllPreparers, Frame_case_details);
    Command4 = button(QStringLiteral("Command4"), Texts::AddIssuingBody, Frame_case_details);
    preparerRow->addWidget(label(Texts::PreparerLabel, Frame_case_details));
    preparerRow->addWidget(Text_DATA_ENTRY_NAME);
    preparerRow->addWidget(Command6);
    preparerRow->addWidget(Command9);
    preparerRow->addStretch(1);
    preparerRow->addWidget(Command4);
    layout->addLayout(preparerRow);

    FrameADRESS = frame(QStringLiteral("FrameADRESS"), QString(), Frame_case_details);
    auto* bodyRow = new QHBoxLayout(FrameADRESS);
    Text_ADRESS_ENTRY_NAME = combo(QStringLiteral("Text_ADRESS_ENTRY_NAME"), true, FrameADRESS);
    Text_ADRESS_ENTRY_NAME->setMinimumWidth(220);
    selectAllOnFocus(Text_ADRESS_ENTRY_NAME);
    Command11 = button(QStringLiteral("Command11"), Texts::DeleteIssuingBody, FrameADRESS);
    Command10 = button(QStringLiteral("Command10"), Texts::DeleteAllIssuingBodies, FrameADRESS);
    bodyRow->addWidget(label(Texts::IssuingBodyLabel, FrameADRESS));
    bodyRow->addWidget(Text_ADRESS_ENTRY_NAME);
    bodyRow->addWidget(Command11);
    bodyRow->addWidget(Command10);
    bodyRow->addStretch(1);
    layout->addWidget(FrameADRESS);

    auto* heirsRow = new QHBoxLayout;
    DBGrid1 = new QTableView(Frame_case_details);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    m_heirs = new BoundTableModel(m_db, QStringLiteral("WARITH"),
                                  {{QStringLiteral("warith_relation"), Texts::RelationColumn},
                                   {QStringLiteral("warith_name"), Texts::HeirNameColumn}},
                                  QStringLiteral("order by ar"), this);
    m_heirs->readText = [this](int column, const QString& text) {
        return column == 0 ? RelationSpelling::listSpelling(m_db, text) : text;
    };
    m_heirs->beforeColUpdate = [this](int row, int column, const QString& text) {
        return typedCellAccepted(row, column, text);
    };
    m_heirs->beforeUpdate = [this] { CaseHandOver::stampDeceased(m_db, Text_deth_name->text()); };
    m_heirs->afterDelete = [this] { m_heirs->reload(); };
    DBGrid1->setModel(m_heirs);
    auto* delegate = new GridCellDelegate(0, DBGrid1);
    delegate->setNameColumns({1});
    DBGrid1->setItemDelegate(delegate);
    DBGrid1->setTabKeyNavigation(false);
    new platform::GridTabOut(DBGrid1);
    DBGrid1->setToolTip(Texts::GridTip);
    DBGrid1->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->setColumnWidth(0, 200);
    // The record selectors hold no text but must stay wide enough to be clicked.
    DBGrid1->verticalHeader()->setMinimumWidth(18);
    selectRowsBySelector(DBGrid1);
    connect(delegate, &GridCellDelegate::buttonClicked, this, [this](const QModelIndex& index) {
        DBGrid1->setCurrentIndex(index);
        showPickList();
    });

    RichTextBox1 = new QTextBrowser(Frame_case_details);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1->setHtml(noteHtml());
    QSizePolicy notePolicy = RichTextBox1->sizePolicy();
    notePolicy.setRetainSizeWhenHidden(true);
    RichTextBox1->setSizePolicy(notePolicy);
    RichTextBox1->hide();
    heirsRow->addWidget(DBGrid1, 3);
    heirsRow->addWidget(RichTextBox1, 2);
    buildStoredCases(heirsRow);
    layout->addLayout(heirsRow, 1);

    auto* runRow = new QHBoxLayout;
    Command1 = button(QStringLiteral("Command1"), Texts::RunCaption, Frame_case_details);
    Command1->setMinimumSize(twips(1800), twips(600));
    QFont runFont = Command1->font();
    runFont.setPointSize(runFont.pointSize() + 4);
    runFont.setBold(true);
    Command1->setFont(runFont);
    m_caption = new RunCaptionAnimation(Command1);
    runRow->addStretch(1);
    runRow->addWidget(Command1);
    runRow->addStretch(1);
    layout->addLayout(runRow);

    // The pick list floats over the grid, outside the frame's layout.
    DBList_relation = combo(QStringLiteral("DBList_relation"), true, Frame_case_details);
    // Named as the grid's column it fills, where a message names the list.
    DBList_relation->setAccessibleName(Texts::RelationColumn);
    DBList_relation->setMaxVisibleItems(20);
    DBList_relation->hide();
    new ListBrowsing(DBList_relation);
    // The combo also reports a typed text that matches an item when its box loses the focus;
    // only a pick from the open list is a pick.
    connect(DBList_relation, &QComboBox::activated, this, [this](int) {
        if (withinCombo(DBList_relation, QApplication::focusWidget()))
            ADD_RELATION();
    });

    connect(Command1, &QPushButton::clicked, this, &Form12::Command1_Click);
    connect(Command4, &QPushButton::clicked, this, &Form12::Command4_Click);
    connect(Command6, &QPushButton::clicked, this, &Form12::Command6_Click);
    connect(Command9, &QPushButton::clicked, this, &Form12::Command9_Click);
    connect(Command10, &QPushButton::clicked, this, &Form12::Command10_Click);
    connect(Command11, &QPushButton::clicked, this, &Form12::Command11_Click);
    connect(Command_new, &QPushButton::clicked, this, &Form12::Command_new_Click);

    // The grid's conversion must see a key before the relation list takes it: the filter
    // installed last sees it first.
    new RelationCellKeys(DBGrid1, m_heirs, [this](const QString& typed) { openPickListWith(typed); });
    m_firstKey = new platform::FirstKeyConversion(this, Frame2->arabicOption());
    for (const char* field :
         {"Text_deth_name", "Text_DATA_ENTRY_NAME", "Text_ADRESS_ENTRY_NAME", "DBList_relation", "DBGrid1"})
        m_firstKey->attach(QString::fromLatin1(field));
    for (QLineEdit* number : {Text_case_no_appeare, Text_case_no})
        platform::ArabicKeyboard::setMapped(number, false);
    NameText::guard(Text_deth_name);
    NameText::guard(Text_DATA_ENTRY_NAME);
    NameText::guard(Text_ADRESS_ENTRY_NAME);
    return Frame_case_details;
}

QGroupBox* Form12::buildStoredFrame() {
    m_modelCases = new ModelCaseStage(m_db, m_host, this);
    Frame_stord_case = m_modelCases;
    Text_from = m_modelCases->fromBox();
    Text_to = m_modelCases->toBox();
    platform::ArabicKeyboard::setMapped(Text_from, false);
    platform::ArabicKeyboard::setMapped(Text_to, false);
    connect(m_modelCases, &ModelCaseStage::answered, this, &Form12::leave);
    return Frame_stord_case;
}

// The Latin twins of the buttons' Arabic access keys: the same key under either keyboard layout.
void Form12::buildTwins() {
    auto twin = [this](const QString& name, QKeyCombination key, QPushButton* visible,
                       void (Form12::*click)()) {
        auto* action = new QAction(this);
        action->setObjectName(name);
        action->setShortcut(QKeySequence(key));
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, [this, visible, click] {
            // A twin does nothing while its button's frame is not the stage on screen.
            if (!visible->isVisibleTo(this))
                return;
            // A click moves the focus onto the button, so the box the user was in runs its
            // lost-focus step first; a key leaves the focus where it is, so the step runs here.
            QWidget* was = QApplication::focusWidget();
            const bool inPreparer = withinCombo(Text_DATA_ENTRY_NAME, was);
            const bool inIssuingBody = withinCombo(Text_ADRESS_ENTRY_NAME, was);
            if (inPreparer || inIssuingBody) {
                visible->setFocus(Qt::ShortcutFocusReason);
                if (QApplication::focusWidget() == was) {
                    if (inPreparer)
                        Text_DATA_ENTRY_NAME_LostFocus();
                    if (inIssuingBody)
                        Text_ADRESS_ENTRY_NAME_LostFocus();
                }
            }
            (this->*click)();
        });
    };
    twin(QStringLiteral("Command_ALTER_run"), Qt::ALT | Qt::Key_J, Command1, &Form12::Command1_Click);
    twin(QStringLiteral("Command_ALTER_NEW"), Qt::ALT | Qt::Key_BracketLeft, Command_new,
         &Form12::Command_new_Click);
    twin(QStringLiteral("Command_ALTER_SAVE"), Qt::ALT | Qt::Key_O, Command_save,
         &Form12::Command_save_Click);
    twin(QStringLiteral("Command_ALTER_EDIT"), Qt::ALT | Qt::Key_U, Command_edit,
         &Form12::Command_edit_Click);
    twin(QStringLiteral("Command_ALTER_delete"), Qt::ALT | Qt::Key_P, Command_delete,
         &Form12::Command_delete_Click);
}

// Load step -------------------------------------------------------------------------------------

void Form12::Form_Load() {
    m_db.transaction([&] {
        m_db.execute(QStringLiteral("delete from CHECK_FILE"));
        m_db.execute(QStringLiteral("insert into CHECK_FILE (CHECK_FILE) values ('1')"));
    });
    load_currency_list();

    m_modelCases->fillRange();

    QStringList relations;
    for (const QSqlRecord& r : m_db.select(QStringLiteral("select relations from relations order by au")))
        relations << r.value(0).toString();
    DBList_relation->addItems(relations);
    DBList_relation->setCurrentIndex(relations.isEmpty() ? -1 : 0);

    const QString stageText =
        m_db.scalar(QStringLiteral("select case_type from CASE_TYPE order by rowid")).toString();
    for (EntryStage s : {EntryStage::Source, EntryStage::Type, EntryStage::Estate, EntryStage::Details,
                         EntryStage::Stored}) {
        if (stageText == engine::entryStageText(s)) {
            m_stage = s;
            break;
        }
    }
    if (m_stage) {
        switch (*m_stage) {
        case EntryStage::Source:
            prepareSourceStage();
            break;
        case EntryStage::Type:
            prepareTypeStage();
            break;
        case EntryStage::Estate:
            prepareEstateStage();
            break;
        case EntryStage::Details:
            prepareDetailsStage();
            break;
        case EntryStage::Stored:
            prepareStoredStage();
            break;
        }
    }

    m_heirs->reload(QStringLiteral("order by ar"));
    requeryIssuingBodies();
    requeryPreparers();
}

void Form12::prepareSourceStage() {
    m_frames->pressOnShow(m_frames->prepareSource());
}

void Form12::prepareTypeStage() {
    if (QPushButton* press = m_frames->prepareType())
        m_frames->pressOnShow(press);
    else
        m_focusOnShow = m_frames->typeCombo();
}

void Form12::prepareEstateStage() {
    m_focusOnShow = m_frames->prepareEstate();
}

void Form12::prepareDetailsStage() {
    Frame_case_details->show();
    requeryStoredCases(StoredCases::all());
    Command1->setEnabled(true);
    m_focusOnShow = Text_deth_name;

    // The heirs stay in WARITH between showings and carry the header of the case in hand.
    const data::Rows first =
        m_db.select(QStringLiteral("select case_no, deth_name, ADRESS_ENTRY_NAME, "
                                   "DATA_ENTRY_NAME, case_name from WARITH order by ar limit 1"));
    if (first.isEmpty())
        return;
    const QSqlRecord& r = first.front();
    // A Null number is a case never stored, as 0 is.
    const qint64 caseNo = r.value(0).toLongLong();
    if (caseNo != 0) {
        Text_case_no->setText(QString::number(caseNo));
        Text_case_no_appeare->setText(QString::number(caseNo));
        m_heirsOnShow = true;
        // The results screen's return-to-case row has been spent.
        m_db.execute(QStringLiteral("delete from case_no"));
    }
    if (!r.isNull(1))
        Text_deth_name->setText(r.value(1).toString());
    if (!r.isNull(2)) {
        Text_ADRESS_ENTRY_NAME->setEditText(r.value(2).toString());
        const QString body = r.value(2).toString();
        showIssuingBody(!body.isEmpty() && body != Texts::NoIssuingBody);
    }
    if (!r.isNull(3))
        Text_DATA_ENTRY_NAME->setEditText(r.value(3).toString());
    if (!r.isNull(4))
        Text_case_name->setText(r.value(4).toString());
    // A stored case in hand: its deceased's cases are listed, as the Enter that moves into the
    // heirs grid would list them.
    if (caseNo != 0)
        requeryStoredCases(StoredCases::byNamePrefix(Text_deth_name->text()));
}

void Form12::prepareStoredStage() {
    // While a range run has cases queued the stage hands the next one over by itself.
    if (QPushButton* press = m_modelCases->prepare())
        m_frames->pressOnShow(press);
    else
        m_focusOnShow = m_modelCases->searchBox();
}

void Form12::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_focusOnShow) {
        m_focusOnShow->setFocus(Qt::OtherFocusReason);
        m_focusOnShow = nullptr;
    }
    if (m_heirsOnShow) {
        m_heirsOnShow = false;
        QTimer::singleShot(0, this, &Form12::moveToHeirs);
    }
    m_frames->shown();
}

void Form12::Timer1_Timer() {
    m_frames->Timer1_Timer();
}

// Leaving ---------------------------------------------------------------------------------------

void Form12::leave() {
    m_frames->stop();
    m_caption->stop();
    leaveDialogue();
}

// Stage commands --------------------------------------------------------------------------------

void Form12::Command_source_case_Click() {
    m_frames->Command_source_case_Click();
}

void Form12::Command_type_case_Click() {
    m_frames->Command_type_case_Click();
}

void Form12::Command_tariqa_Click() {
    m_frames->Command_tariqa_Click();
}

CaseHeader Form12::header() const {
    return {Text_deth_name->text(), Text_case_name->text(), Text_case_no->text(),
            Text_DATA_ENTRY_NAME->currentText(), Text_ADRESS_ENTRY_NAME->currentText()};
}

void Form12::Command1_Click() {
    // A cell still being edited is taken (or refused) before the case is read. A refused text
    // has had its message and the cell shows the stored value again: the user corrects the case
    // before it runs, rather than see it run without what was typed.
    const int refusalsBefore = m_cellRefusals;
    if (QWidget* editor = QApplication::focusWidget(); editor != DBGrid1 && within(DBGrid1, editor))
        Command1->setFocus(Qt::OtherFocusReason);
    if (m_cellRefusals != refusalsBefore)
        return;
    m_heirs->reload();
    const CaseHeader h = header();
    if (const QString refusal = CaseHandOver::refusal(m_db, h); !refusal.isEmpty()) {
        platform::MessageService::show(refusal, platform::MessageIcon::Critical);
        platform::FocusReturn::to(focusAfter(refusal, nullptr));
        return;
    }
    m_db.transaction([&] { CaseHandOver::handOver(m_db, h, m_host); });
    leave();
}

void Form12::Timer16_Timer() {
    m_caption->Timer16_Timer();
}

void Form12::Command_new_Click() {
    m_db.execute(QStringLiteral("delete from WARITH"));
    hidePickList();
    m_heirs->reload();
    Text_case_name->clear();
    Text_case_no->clear();
    Text_case_no_appeare->clear();
    Text_deth_name->clear();
    Text_DATA_ENTRY_NAME->setEditText(QString());
    Text_deth_name->setFocus(Qt::OtherFocusReason);
    requeryStoredCases(StoredCases::all());
}

// Estate stage ----------------------------------------------------------------------------------

void Form12::load_currency_list() {
    m_frames->load_currency_list();
}

void Form12::Command3_Click() {
    m_frames->Command3_Click();
}

void Form12::Form_KeyUp(int key) {
    if (key != Qt::Key_Escape)
        return;
    m_frames->escape();
    hidePickList();
}

// Preparer and issuing body ---------------------------------------------------------------------

void Form12::requeryPreparers() {
    refill(Text_DATA_ENTRY_NAME, NameLists::names(m_db, NameLists::List::Preparers));
}

void Form12::requeryIssuingBodies() {
    refill(Text_ADRESS_ENTRY_NAME, NameLists::names(m_db, NameLists::List::IssuingBodies));
}

void Form12::showIssuingBody(bool shown) {
    FrameADRESS->setVisible(shown);
    Command4->setText(shown ? Texts::RemoveIssuingBody : Texts::AddIssuingBody);
}

void Form12::keepHeader(NameLists::List list, const QString& name) {
    m_db.transaction([&] {
        NameLists::add(m_db, list, name);
        CaseHandOver::stampHeader(m_db, header());
    });
    if (list == NameLists::List::Preparers)
        requeryPreparers();
    else
        requeryIssuingBodies();
}

void Form12::Text_DATA_ENTRY_NAME_LostFocus() {
    keepHeader(NameLists::List::Preparers, Text_DATA_ENTRY_NAME->currentText());
}

void Form12::Text_ADRESS_ENTRY_NAME_LostFocus() {
    keepHeader(NameLists::List::IssuingBodies, Text_ADRESS_ENTRY_NAME->currentText());
}

void Form12::Command4_Click() {
    // The caption decides, whatever the frame shows.
    if (Command4->text() == Texts::AddIssuingBody) {
        Command4->setText(Texts::RemoveIssuingBody);
        FrameADRESS->show();
        Text_ADRESS_ENTRY_NAME->setFocus(Qt::OtherFocusReason);
    } else if (Command4->text() == Texts::RemoveIssuingBody) {
        FrameADRESS->hide();
        Text_ADRESS_ENTRY_NAME->setEditText(Texts::NoIssuingBody);
        Command4->setText(Texts::AddIssuingBody);
    }
}

void Form12::Command6_Click() {
    NameLists::remove(m_db, NameLists::List::Preparers, Text_DATA_ENTRY_NAME->currentText());
    requeryPreparers();
}

void Form12::Command9_Click() {
    NameLists::removeAll(m_db, NameLists::List::Preparers);
    requeryPreparers();
}

void Form12::Command11_Click() {
    const QString name = Text_ADRESS_ENTRY_NAME->currentText();
    NameLists::remove(m_db, NameLists::List::IssuingBodies, name);
    requeryIssuingBodies();
}

void Form12::Command10_Click() {
    NameLists::removeAll(m_db, NameLists::List::IssuingBodies);
    requeryIssuingBodies();
}

// Heirs grid ------------------------------------------------------------------------------------

bool Form12::typedCellAccepted(int row, int column, const QString& text) {
    const RelationRules::Verdict verdict = column == 0
                                               ? RelationRules::typedCell(m_db, text)
                                               : RelationRules::nameChanged(m_db, m_heirs->cell(row, 0));
    if (!told(verdict)) {
        ++m_cellRefusals;
        // The user corrects the refused cell next, not whatever took the focus meanwhile.
        platform::FocusReturn::toCell(DBGrid1, row, column);
    }
    return verdict.accepted();
}

void Form12::moveToHeirs() {
    DBGrid1->setFocus(Qt::OtherFocusReason);
    const int row = DBGrid1->currentIndex().isValid() ? DBGrid1->currentIndex().row() : 0;
    DBGrid1->setCurrentIndex(m_heirs->index(row, 1));
}

void Form12::showPickList() {
    const QModelIndex current = DBGrid1->currentIndex();
    const int width = qMax(DBGrid1->columnWidth(0), 180);
    const int columnLeft =
        DBGrid1->viewport()->mapTo(Frame_case_details, QPoint(DBGrid1->columnViewportPosition(0), 0)).x();
    const int left =
        layoutDirection() == Qt::RightToLeft ? columnLeft + DBGrid1->columnWidth(0) - width : columnLeft;
    // The list opens over the cell it is for: the relation typed into it stands where the cell is.
    const int rowTop = current.isValid() ? DBGrid1->rowViewportPosition(current.row()) : 0;
    const int top = DBGrid1->viewport()->mapTo(Frame_case_details, QPoint(0, rowTop)).y();
    m_pickListTop = top;
    DBList_relation->setGeometry(left, top, width, DBList_relation->sizeHint().height());
    DBList_relation->show();
    DBList_relation->raise();
    RichTextBox1->show();
    DBList_relation->setFocus(Qt::OtherFocusReason);
    // The list opens on the text it last held; a relation typed now replaces it rather than
    // being added to its end.
    DBList_relation->lineEdit()->selectAll();
}

void Form12::openPickListWith(const QString& typed) {
    showPickList();
    DBList_relation->setEditText(typed);
    DBList_relation->lineEdit()->end(false);
}

void Form12::hidePickList() {
    DBList_relation->hide();
    RichTextBox1->hide();
}

void Form12::placePickList(const QPoint& pos) {
    const int row = DBGrid1->rowAt(pos.y());
    if (row < 0 || DBGrid1->columnAt(pos.x()) < 0)
        return;
    const int rowBottom = DBGrid1->rowViewportPosition(row) + DBGrid1->rowHeight(row);
    m_pickListTop = DBGrid1->viewport()->mapTo(Frame_case_details, QPoint(0, rowBottom)).y();
    DBList_relation->move(DBList_relation->x(), m_pickListTop);
}

void Form12::ADD_RELATION() {
    const QString relation = RelationSpelling::listSpelling(m_db, DBList_relation->currentText());
    const RelationRules::Verdict verdict = RelationRules::pickList(m_db, relation);
    if (!verdict.accepted()) {
        platform::MessageService::show(verdict.messages.front(), platform::MessageIcon::Critical);
        DBList_relation->setFocus(Qt::OtherFocusReason);
        platform::FocusReturn::to(DBList_relation);
        return;
    }
    DBGrid1->setFocus(Qt::OtherFocusReason);
    const QModelIndex current = DBGrid1->currentIndex();
    const int row = current.isValid() ? current.row() : m_heirs->storedRows();
    m_heirs->writeCell(row, 0, relation);
    hidePickList();
    // On to the heir's name when it is still missing, else to the next heir's.
    const int next = m_heirs->cell(row, 1).isEmpty() ? row : qMin(row + 1, m_heirs->rowCount() - 1);
    DBGrid1->setCurrentIndex(m_heirs->index(next, 1));
    CaseHandOver::stampDeceased(m_db, Text_deth_name->text());
}

bool Form12::gridKey(QKeyEvent* event) {
    const QModelIndex current = DBGrid1->currentIndex();
    if (isEnter(event)) {
        const int row = current.isValid() ? current.row() : m_heirs->storedRows();
        if (m_heirs->cell(row, 0).isEmpty() && m_heirs->cell(row, 1).isEmpty())
            Text_DATA_ENTRY_NAME->setFocus(Qt::OtherFocusReason);
        else if (DBList_relation->isVisibleTo(this))
            ADD_RELATION();
        return true;
    }
    // The keyboard's click on the record selector.
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::ShiftModifier) {
        if (current.isValid())
            selectWholeRow(DBGrid1, current.row());
        return true;
    }
    if (event->key() == Qt::Key_F5 || event->key() == Qt::Key_F4) {
        if (current.isValid() && current.column() == 0)
            showPickList();
        return true;
    }
    if (event->key() == Qt::Key_Delete) {
        QList<int> rows;
        for (const QModelIndex& index : DBGrid1->selectionModel()->selectedRows())
            if (!m_heirs->isEntryRow(index.row()))
                rows << index.row();
        if (rows.isEmpty())
            return false;
        std::sort(rows.begin(), rows.end(), std::greater<>());
        for (int row : rows)
            m_heirs->removeRows(row, 1);
        return true;
    }
    return false;
}

void Form12::onFocusChanged(QWidget* old, QWidget* now) {
    // Leaving the window for another program is no leaving of a field.
    if (!now || (now->window() != this && !withinCombo(Text_DATA_ENTRY_NAME, now) &&
                 !withinCombo(Text_ADRESS_ENTRY_NAME, now)))
        return;
    if (withinCombo(Text_DATA_ENTRY_NAME, old) && !withinCombo(Text_DATA_ENTRY_NAME, now))
        Text_DATA_ENTRY_NAME_LostFocus();
    if (withinCombo(Text_ADRESS_ENTRY_NAME, old) && !withinCombo(Text_ADRESS_ENTRY_NAME, now))
        Text_ADRESS_ENTRY_NAME_LostFocus();
    if (within(DBGrid1, old) && !within(DBGrid1, now))
        CaseHandOver::stampDeceased(m_db, Text_deth_name->text());
    if (now == DBGrid1 && !within(DBGrid1, old))
        hidePickList();
}

bool Form12::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // The dialogue sees Esc before its controls, wherever the focus is.
    if (type == QEvent::KeyRelease && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this && (widget == QApplication::focusWidget() || widget == this)) {
            Form_KeyUp(Qt::Key_Escape);
            if (within(DBList_relation, widget))
                DBGrid1->setFocus(Qt::OtherFocusReason);
        }
        return false;
    }

    if (storedCaseEvent(watched, event))
        return true;

    if (watched == DBGrid1->viewport() && type == QEvent::MouseButtonRelease) {
        placePickList(static_cast<QMouseEvent*>(event)->position().toPoint());
        return false;
    }
    if (type != QEvent::KeyPress)
        return false;

    auto* key = static_cast<QKeyEvent*>(event);
    // Keys of a cell's editor reach the grid too when the editor leaves them.
    if (watched == DBGrid1)
        return DBGrid1->hasFocus() && gridKey(key);
    if (m_frames->keyPress(watched, key))
        return true;
    // Tab in the pick list takes what is typed there as a pick, as Enter does; it does not go on
    // to the next control.
    if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier &&
        (watched == DBList_relation || watched == DBList_relation->lineEdit())) {
        ADD_RELATION();
        return true;
    }
    if (!isEnter(key))
        return false;
    if (watched == Text_deth_name) {
        moveToHeirs();
        return true;
    }
    if (watched == Text_DATA_ENTRY_NAME || watched == Text_DATA_ENTRY_NAME->lineEdit()) {
        Text_case_no_appeare->setFocus(Qt::OtherFocusReason);
        return true;
    }
    if (watched == DBList_relation || watched == DBList_relation->lineEdit()) {
        ADD_RELATION();
        return true;
    }
    return false;
}

} // namespace entry
