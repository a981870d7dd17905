#include "exercise/Form5.h"

#include "entry/BoundTableModel.h"
#include "entry/EntryStageFrames.h"
#include "entry/EntryTexts.h"
#include "entry/EntryWidgets.h"
#include "entry/ModelCaseStage.h"
#include "entry/NameLists.h"
#include "entry/RunCaptionAnimation.h"
#include "exercise/ExerciseTexts.h"
#include "platform/MessageService.h"
#include "platform/RandomGenerator.h"
#include "platform/widgets/ArabicKeyboard.h"
#include "platform/widgets/FocusReturn.h"
#include "platform/widgets/ScreenPlacement.h"
#include "training/AnswerHandIn.h"
#include "training/AnswerSums.h"
#include "training/ExerciseAuthoring.h"
#include "training/ExerciseBatch.h"
#include "training/ExerciseLevelMark.h"
#include "training/ExerciseQuestion.h"
#include "training/ExerciseResume.h"
#include "training/QuestionStepper.h"
#include "training/ShareCellDelegate.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace exercise {

using namespace entry::EntryWidgets;
using engine::EntryStage;

namespace {

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

QLineEdit* hiddenBox(const QString& name, QWidget* parent) {
    QLineEdit* box = lineEdit(name, parent);
    box->hide();
    return box;
}

} // namespace

Form5::Form5(data::Database db, engine::CaseContext& context, entry::ExitHooks hooks, QWidget* host)
    : QDialog(host), m_db(std::move(db)), m_host(context), m_hooks(std::move(hooks)) {
    setObjectName(QStringLiteral("Form5"));
    // No title bar and no close button: the dialogue is left only through its own commands.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint);
    setModal(true);
    setLayoutDirection(Qt::RightToLeft);
    resize(twips(FixedWidthTwips), twips(FixedHeightTwips));
    buildWidgets();
    // The dialogue sees every key before its controls.
    qApp->installEventFilter(this);
    Form_Load();
}

Form5::~Form5() {
    qApp->removeEventFilter(this);
    // A cell editor that hands its text over as the grid goes finds the dialogue half gone.
    DBGrid1->itemDelegate()->blockSignals(true);
}

// Layout ----------------------------------------------------------------------------------------

void Form5::buildWidgets() {
    auto* layout = new QVBoxLayout(this);

    // Outside the layout, at the top left corner, as on the single-case dialogue: the folded
    // strip is lower than the layout's margins.
    Command10 = button(QStringLiteral("Command10"), entry::Texts::Enlarge, this);
    Command10->setGeometry(0, 0, twips(1515), twips(555));
    Command10->hide();

    m_frames = new entry::EntryStageFrames(m_db, m_host, this);
    connect(m_frames, &entry::EntryStageFrames::answered, this, &Form5::leave);
    layout->addWidget(m_frames->sourceFrame());
    layout->addWidget(m_frames->typeFrame());
    layout->addWidget(m_frames->estateFrame());
    layout->addWidget(buildDetailsFrame(), 1);

    m_modelCases = new entry::ModelCaseStage(m_db, m_host, this, entry::ModelCaseQueue::Owner::Exercise);
    connect(m_modelCases, &entry::ModelCaseStage::answered, this, &Form5::leave);
    for (QLineEdit* box : {m_modelCases->fromBox(), m_modelCases->toBox()})
        platform::ArabicKeyboard::setMapped(box, false);
    layout->addWidget(m_modelCases, 1);
    layout->addStretch(0);

    auto* bottom = new QHBoxLayout;
    Command9 = button(QStringLiteral("Command9"), entry::Texts::Shrink, this);
    Command8 = button(QStringLiteral("Command8"), entry::Texts::MainMenu, this);
    Command7 = button(QStringLiteral("Command7"), QString(), this);
    Command7->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    Command7->setIconSize(QSize(16, 16));
    Command7->setToolTip(Texts::EndProgram);
    bottom->addWidget(Command9);
    bottom->addStretch(1);
    bottom->addWidget(Command8);
    bottom->addWidget(Command7);
    layout->addLayout(bottom);

    connect(Command7, &QPushButton::clicked, this, [this] {
        if (m_hooks.cleanExit)
            m_hooks.cleanExit();
    });
    connect(Command8, &QPushButton::clicked, this, [this] {
        // The answer is written cell by cell; a cell still open is taken before the way back.
        takeCellInHand();
        if (m_hooks.mainMenu)
            m_hooks.mainMenu();
    });

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    connect(Timer2, &QTimer::timeout, this, &Form5::Timer2_Timer);
    Timer2->start(IdleDrawInterval);

    buildTwins();
}

QGroupBox* Form5::buildDetailsFrame() {
    Frame_case_details = frame(QStringLiteral("Frame_case_details"), QString(), this);
    auto* layout = new QVBoxLayout(Frame_case_details);

    auto* exerciseRow = new QHBoxLayout;
    exerciseRow->addWidget(buildLevelsFrame());
    exerciseRow->addWidget(buildQuestionListFrame());
    Command6 = button(QStringLiteral("Command6"), Texts::Stepper.front(), Frame_case_details);
    Command6->hide();
    QSizePolicy keepPlace = Command6->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    Command6->setSizePolicy(keepPlace);
    exerciseRow->addWidget(Command6, 0, Qt::AlignTop);
    exerciseRow->addStretch(1);
    layout->addLayout(exerciseRow);

    auto* caseRow = new QHBoxLayout;
    Text_case_no_appeare = lineEdit(QStringLiteral("Text_case_no_appeare"), Frame_case_details);
    Text_case_no_appeare->setReadOnly(true);
    Text_case_no_appeare->setMaximumWidth(90);
    platform::ArabicKeyboard::setMapped(Text_case_no_appeare, false);
    caseRow->addWidget(new QLabel(entry::Texts::CaseNoLabel, Frame_case_details));
    caseRow->addWidget(Text_case_no_appeare);
    caseRow->addSpacing(20);
    // The question's deceased, title, number and level travel with it but are not shown.
    Text_case_no = hiddenBox(QStringLiteral("Text_case_no"), Frame_case_details);
    Text_deth_name = hiddenBox(QStringLiteral("Text_deth_name"), Frame_case_details);
    Text_case_name = hiddenBox(QStringLiteral("Text_case_name"), Frame_case_details);
    Text2 = hiddenBox(QStringLiteral("Text2"), Frame_case_details);

    // The preparer and issuing body only carry the question's header: the learner is offered
    // neither. The preparer box and the issuing-body toggle stay hidden; the issuing-body frame
    // stands left of the form, outside what is drawn, and the keyboard never reaches it.
    Text_DATA_ENTRY_NAME = combo(QStringLiteral("Text_DATA_ENTRY_NAME"), true, Frame_case_details);
    Text_DATA_ENTRY_NAME->hide();
    Command4 = button(QStringLiteral("Command4"), entry::Texts::AddIssuingBody, Frame_case_details);
    Command4->hide();
    FrameADRESS = frame(QStringLiteral("FrameADRESS"), QString(), this);
    auto* bodyRow = new QHBoxLayout(FrameADRESS);
    bodyRow->setContentsMargins(0, 0, 0, 0);
    Text_ADRESS_ENTRY_NAME = combo(QStringLiteral("Text_ADRESS_ENTRY_NAME"), true, FrameADRESS);
    Text_ADRESS_ENTRY_NAME->setFocusPolicy(Qt::NoFocus);
    Text_ADRESS_ENTRY_NAME->lineEdit()->setFocusPolicy(Qt::NoFocus);
    bodyRow->addWidget(new QLabel(entry::Texts::IssuingBodyLabel, FrameADRESS));
    bodyRow->addWidget(Text_ADRESS_ENTRY_NAME);
    FrameADRESS->adjustSize();
    FrameADRESS->move(-FrameADRESS->width() - twips(600), 0);
    caseRow->addStretch(1);
    layout->addLayout(caseRow);

    auto* heirsRow = new QHBoxLayout;
    DBGrid1 = new QTableView(Frame_case_details);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    m_heirs = new entry::BoundTableModel(m_db, QStringLiteral("WARITH"),
                                         {{QStringLiteral("no_check"), QString()},
                                          {QStringLiteral("warith_relation"), entry::Texts::RelationColumn},
                                          {QStringLiteral("warith_name"), entry::Texts::HeirNameColumn}},
                                         QString(), this);
    DBGrid1->setModel(m_heirs);
    auto* shares = new training::ShareCellDelegate(0, DBGrid1);
    shares->setNameColumns({2});
    connect(shares, &training::ShareCellDelegate::refused, this, [this] { ++m_shareRefusals; });
    DBGrid1->setItemDelegate(shares);
    DBGrid1->horizontalHeader()->hide();
    DBGrid1->setTabKeyNavigation(false);
    DBGrid1->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
    DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->horizontalHeader()->setMinimumSectionSize(90);
    DBGrid1->verticalHeader()->setMinimumWidth(18);
    connect(m_heirs, &QAbstractItemModel::dataChanged, this, &Form5::GET_SUM);
    heirsRow->addWidget(DBGrid1, 3);

    auto* aside = new QVBoxLayout;
    auto* sumRow = new QHBoxLayout;
    Text_sum = lineEdit(QStringLiteral("Text_sum"), Frame_case_details);
    Text_sum1 = lineEdit(QStringLiteral("Text_sum1"), Frame_case_details);
    for (QLineEdit* sum : {Text_sum, Text_sum1}) {
        sum->setReadOnly(true);
        sum->setFocusPolicy(Qt::NoFocus);
        sum->setMaximumWidth(110);
    }
    Text_sum1->hide();
    sumRow->addWidget(new QLabel(Texts::SumLabel, Frame_case_details));
    sumRow->addWidget(Text_sum);
    sumRow->addWidget(Text_sum1);
    sumRow->addStretch(1);
    aside->addLayout(sumRow);
    aside->addWidget(buildTypesFrame(), 1);
    heirsRow->addLayout(aside, 2);
    layout->addLayout(heirsRow, 1);

    auto* runRow = new QHBoxLayout;
    Command1 = button(QStringLiteral("Command1"), Texts::HandIn, Frame_case_details);
    Command1->setEnabled(false);
    Command1->setMinimumHeight(twips(600));
    QFont runFont = Command1->font();
    runFont.setPointSize(runFont.pointSize() + 4);
    runFont.setBold(true);
    Command1->setFont(runFont);
    m_caption = new entry::RunCaptionAnimation(Command1);
    runRow->addStretch(1);
    runRow->addWidget(Command1);
    runRow->addStretch(1);
    layout->addLayout(runRow);

    // The bank's commands have no button on screen; their twins reach them.
    Command_save = button(QStringLiteral("Command_save"), Texts::Save, Frame_case_details);
    Command_edit = button(QStringLiteral("Command_edit"), Texts::Edit, Frame_case_details);
    Command_delete = button(QStringLiteral("Command_delete"), Texts::Delete, Frame_case_details);
    Command_new = button(QStringLiteral("Command_new"), entry::Texts::NewCase, Frame_case_details);
    for (QPushButton* hidden : {Command_save, Command_edit, Command_delete, Command_new})
        hidden->hide();

    connect(Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
    connect(Command6, &QPushButton::clicked, this, &Form5::Command6_Click);
    connect(Command4, &QPushButton::clicked, this, [this] {
        const bool adding = Command4->text() == entry::Texts::AddIssuingBody;
        showIssuingBody(adding);
        if (adding)
            Text_ADRESS_ENTRY_NAME->setFocus(Qt::OtherFocusReason);
        else
            Text_ADRESS_ENTRY_NAME->setEditText(entry::Texts::NoIssuingBody);
    });
    connect(Command_save, &QPushButton::clicked, this, &Form5::Command_save_Click);
    connect(Command_edit, &QPushButton::clicked, this, &Form5::Command_edit_Click);
    connect(Command_delete, &QPushButton::clicked, this, &Form5::Command_delete_Click);
    connect(Command_new, &QPushButton::clicked, this, &Form5::Command_new_Click);
    return Frame_case_details;
}

QGroupBox* Form5::buildLevelsFrame() {
    Frame_levels = new QGroupBox(Texts::LevelsFrame, Frame_case_details);
    Frame_levels->setObjectName(QStringLiteral("Frame_levels"));
    auto* layout = new QVBoxLayout(Frame_levels);
    Option_1_LEVEL = new QRadioButton(Texts::Level1, Frame_levels);
    Option_1_LEVEL->setObjectName(QStringLiteral("Option_1_LEVEL"));
    Option_2_LEVEL = new QRadioButton(Texts::Level2, Frame_levels);
    Option_2_LEVEL->setObjectName(QStringLiteral("Option_2_LEVEL"));
    Option_3_LEVEL = new QRadioButton(Texts::Level3, Frame_levels);
    Option_3_LEVEL->setObjectName(QStringLiteral("Option_3_LEVEL"));
    Option_1_LEVEL->setChecked(true);
    Command_put = button(QStringLiteral("Command_put"), Texts::NewBatch, Frame_levels);
    for (QWidget* w :
         std::initializer_list<QWidget*>{Option_1_LEVEL, Option_2_LEVEL, Option_3_LEVEL, Command_put})
        layout->addWidget(w);
    // A level chosen with the mouse or the keyboard alike is the level kept for the next showing.
    connect(Option_1_LEVEL, &QRadioButton::clicked, this, &Form5::Option_1_LEVEL_MouseUp);
    connect(Option_2_LEVEL, &QRadioButton::clicked, this, &Form5::Option_2_LEVEL_MouseUp);
    connect(Option_3_LEVEL, &QRadioButton::clicked, this, &Form5::Option_3_LEVEL_MouseUp);
    connect(Command_put, &QPushButton::clicked, this, &Form5::Command_put_Click);
    return Frame_levels;
}

QGroupBox* Form5::buildQuestionListFrame() {
    Frame_put = frame(QStringLiteral("Frame_put"), QString(), Frame_case_details);
    QSizePolicy keepPlace = Frame_put->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    Frame_put->setSizePolicy(keepPlace);
    auto* layout = new QVBoxLayout(Frame_put);
    DBGrid_put = new QTableView(Frame_put);
    DBGrid_put->setObjectName(QStringLiteral("DBGrid_put"));
    Data3 = new QStandardItemModel(this);
    Data3->setObjectName(QStringLiteral("Data3"));
    Data3->setHorizontalHeaderLabels({Texts::QuestionNoColumn});
    DBGrid_put->setModel(Data3);
    DBGrid_put->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid_put->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid_put->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid_put->setTabKeyNavigation(false);
    // Row numbers beside question numbers would read as one more number.
    DBGrid_put->verticalHeader()->hide();
    DBGrid_put->horizontalHeader()->setStretchLastSection(true);
    DBGrid_put->horizontalHeader()->setMinimumSectionSize(90);
    DBGrid_put->setMaximumHeight(160);
    DBGrid_put->setMinimumWidth(120);
    layout->addWidget(DBGrid_put);
    connect(DBGrid_put, &QTableView::doubleClicked, this, &Form5::DBGrid_put_DblClick);
    return Frame_put;
}

QGroupBox* Form5::buildTypesFrame() {
    Frame_SHARE_AMOUNT_ERROR =
        frame(QStringLiteral("Frame_SHARE_AMOUNT_ERROR"), Texts::HeirTypesFrame, Frame_case_details);
    auto* layout = new QVBoxLayout(Frame_SHARE_AMOUNT_ERROR);
    List_SHARE_AMOUNT_ERROR = new QListWidget(Frame_SHARE_AMOUNT_ERROR);
    List_SHARE_AMOUNT_ERROR->setObjectName(QStringLiteral("List_SHARE_AMOUNT_ERROR"));
    List_SHARE_AMOUNT_ERROR->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(List_SHARE_AMOUNT_ERROR);
    return Frame_SHARE_AMOUNT_ERROR;
}

// The Latin twins of the bank's commands and of the batch and hand-in buttons: the same key under
// either keyboard layout.
void Form5::buildTwins() {
    auto twin = [this](const QString& name, QKeyCombination key, void (Form5::*click)()) {
        auto* action = new QAction(this);
        action->setObjectName(name);
        action->setShortcut(QKeySequence(key));
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        if (click)
            connect(action, &QAction::triggered, this, [this, click] {
                if (twinAllowed())
                    (this->*click)();
            });
        return action;
    };
    twin(QStringLiteral("Command_ALTER_SAVE"), Qt::ALT | Qt::Key_O, &Form5::Command_save_Click);
    twin(QStringLiteral("Command_ALTER_EDIT"), Qt::ALT | Qt::Key_U, &Form5::Command_edit_Click);
    twin(QStringLiteral("Command_ALTER_delete"), Qt::ALT | Qt::Key_P, &Form5::Command_delete_Click);
    twin(QStringLiteral("Command_ALTER_NEW"), Qt::ALT | Qt::Key_BracketLeft, &Form5::Command_new_Click);
    twin(QStringLiteral("Command_ALTER_put"), Qt::ALT | Qt::Key_L, &Form5::Command_put_Click);
    twin(QStringLiteral("Command_ALTER_run"), Qt::ALT | Qt::Key_J, &Form5::Command1_Click);
    twin(QStringLiteral("Command_ALTER_endprogram"), Qt::ALT | Qt::Key_K, nullptr);
}

bool Form5::twinAllowed() const {
    // The exercise commands belong to the question's stage.
    return Frame_case_details->isVisibleTo(this) && !m_leaving;
}

void Form5::attachWindowButtons(const results::PartnerWindows& partners) {
    new results::ShrinkEnlargeButtons(this, Command9, Command10, partners);
}

// Load step -------------------------------------------------------------------------------------

void Form5::Form_Load() {
    m_db.transaction([&] {
        m_db.execute(QStringLiteral("delete from CHECK_FILE"));
        m_db.execute(QStringLiteral("insert into CHECK_FILE (CHECK_FILE) values ('1')"));
    });
    load_currency_list();
    m_modelCases->fillRange();

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
            m_frames->pressOnShow(m_frames->prepareSource());
            break;
        case EntryStage::Type:
            if (QPushButton* press = m_frames->prepareType())
                m_frames->pressOnShow(press);
            else
                m_focusOnShow = m_frames->typeCombo();
            break;
        case EntryStage::Estate:
            m_focusOnShow = m_frames->prepareEstate();
            break;
        case EntryStage::Details:
            prepareDetailsStage();
            break;
        case EntryStage::Stored:
            if (QPushButton* press = m_modelCases->prepare()) {
                // The queue hands its next case over by itself; nothing else of the load matters.
                m_frames->pressOnShow(press);
                return;
            }
            // The host's run flag sends Enter to the search box, where it only searches again.
            m_focusOnShow = m_modelCases->searchBox();
            break;
        }
    }

    requeryNames();

    const int level = training::ExerciseBatch::storedLevel(m_db);
    if (level == 2)
        Option_2_LEVEL->setChecked(true);
    else if (level == 3)
        Option_3_LEVEL->setChecked(true);

    requeryQuestions();

    const int waiting = static_cast<int>(training::ExerciseBatch::waiting(m_db).size());
    const bool retry = training::ExerciseQuestion::retryPending(m_db);
    if (retry) {
        m_heirs->reload(QStringLiteral("order by ar"));
        // The shares come back typed; their total comes back with them, not at the first key.
        GET_SUM();
        // The deceased's name is the one the hand-in stamped on the question's rows.
        const QVariant deceased = m_db.scalar(QStringLiteral("select deth_name from WARITH order by ar"));
        if (!deceased.toString().isEmpty())
            Text_deth_name->setText(deceased.toString());
    }
    setStepper(training::ExerciseResume::stepperCaption(waiting, retry));
}

void Form5::prepareDetailsStage() {
    Frame_case_details->show();
    Command1->setEnabled(true);
    m_focusOnShow = Text_case_no_appeare;
    const training::ExerciseResume::InHand inHand = training::ExerciseResume::check(
        m_db, [](const QString& q) { return platform::MessageService::askYesNo(q); });
    if (inHand.kept) {
        Text_deth_name->setText(inHand.deceased);
        Text_case_name->setText(inHand.title);
    }
    if (inHand.fromBank) {
        Frame_put->show();
        Text_case_no->setText(QString::number(inHand.questionNo));
        Text_case_no_appeare->setText(QString::number(inHand.questionNo));
        // The level box goes with the question, for the bank's Edit.
        Text2->setText(QString::number(training::ExerciseLevelMark::levelOf(
            m_db.scalar(QStringLiteral("select case_level from WARITH order by ar")).toInt())));
    }
    m_heirs->reload(QStringLiteral("order by ar"));
    // Whether or not another attempt is still counted (start-up forgets the count), the question
    // kept comes back with its heir types, as one loaded from the list does.
    if (inHand.kept)
        RELATION_SUM();
}

void Form5::setStepper(const QString& caption) {
    if (caption.isEmpty())
        return;
    Command6->setText(caption);
    Command6->show();
}

void Form5::requeryQuestions() {
    Data3->removeRows(0, Data3->rowCount());
    for (int n : training::ExerciseBatch::waiting(m_db)) {
        auto* item = new QStandardItem(QString::number(n));
        item->setTextAlignment(Qt::AlignCenter);
        Data3->appendRow(item);
    }
    if (Data3->rowCount() > 0)
        DBGrid_put->setCurrentIndex(Data3->index(0, 0));
}

void Form5::requeryNames() {
    refill(Text_DATA_ENTRY_NAME, entry::NameLists::names(m_db, entry::NameLists::List::Preparers));
    refill(Text_ADRESS_ENTRY_NAME, entry::NameLists::names(m_db, entry::NameLists::List::IssuingBodies));
}

void Form5::showIssuingBody(bool shown) {
    FrameADRESS->setVisible(shown);
    Command4->setText(shown ? entry::Texts::RemoveIssuingBody : entry::Texts::AddIssuingBody);
}

// Stage commands --------------------------------------------------------------------------------

void Form5::Command_source_case_Click() {
    m_frames->Command_source_case_Click();
}

void Form5::Command_type_case_Click() {
    m_frames->Command_type_case_Click();
}

void Form5::Command_tariqa_Click() {
    m_frames->Command_tariqa_Click();
}

void Form5::Command3_Click() {
    m_frames->Command3_Click();
}

void Form5::load_currency_list() {
    m_frames->load_currency_list();
}

void Form5::Timer1_Timer() {
    m_frames->Timer1_Timer();
}

void Form5::Timer16_Timer() {
    m_caption->Timer16_Timer();
}

// Levels, batch and stepper ---------------------------------------------------------------------

int Form5::levelOnScreen() const {
    if (Option_1_LEVEL->isChecked())
        return 1;
    if (Option_2_LEVEL->isChecked())
        return 2;
    return Option_3_LEVEL->isChecked() ? 3 : 1;
}

void Form5::levelChosen(int level) {
    QWidget* option = QApplication::focusWidget();
    Frame_put->hide();
    Command_new_Click();
    training::ExerciseBatch::chooseLevel(m_db, level);
    Command6->hide();
    // The arrow keys go on from level to level; the emptied form does not take the focus away.
    if (option && within(Frame_levels, option))
        option->setFocus(Qt::OtherFocusReason);
}

void Form5::Option_1_LEVEL_MouseUp() {
    levelChosen(1);
}

void Form5::Option_2_LEVEL_MouseUp() {
    levelChosen(Option_2_LEVEL->isChecked() ? 2 : 1);
}

void Form5::Option_3_LEVEL_MouseUp() {
    levelChosen(Option_3_LEVEL->isChecked() ? 3 : 1);
}

void Form5::Command_put_Click() {
    Command6->show();
    Command_new_Click();
    Timer2->stop();
    DrawnQuestionNo = 0;
    const QList<int> batch = training::ExerciseBatch::drawBatch(m_db, levelOnScreen());
    if (!batch.isEmpty())
        DrawnQuestionNo = batch.back();
    requeryQuestions();
    Frame_put->show();
    Command6_Click();
}

void Form5::Command6_Click() {
    const training::QuestionStepper::Step step = training::QuestionStepper::press(m_db);
    if (!step.caption.isEmpty())
        Command6->setText(step.caption);
    if (!step.visible) {
        // Nothing left to load: the question in hand and its answer stay.
        Command6->hide();
        platform::FocusReturn::to(DBGrid1);
        return;
    }
    if (step.loaded)
        showLoaded(*step.loaded);
}

void Form5::DBGrid_put_DblClick() {
    const QModelIndex current = DBGrid_put->currentIndex();
    if (!current.isValid())
        return;
    const int n = Data3->index(current.row(), 0).data().toInt();
    showLoaded(training::ExerciseQuestion::load(m_db, n));
}

void Form5::showLoaded(const training::LoadedQuestion& q) {
    Text_sum->clear();
    Text_sum1->clear();
    Timer2->start(IdleDrawInterval);
    if (q.found) {
        Text_case_no->setText(QString::number(q.case_no));
        Text_case_name->setText(q.case_name);
        Text_deth_name->setText(q.deth_name);
        Text_case_no_appeare->setText(QString::number(q.case_no));
        Text2->setText(QString::number(q.case_level));
        showIssuingBody(!q.issuingBody.isEmpty() && q.issuingBody != entry::Texts::NoIssuingBody);
    }
    m_heirs->reload(QStringLiteral("order by ar"));
    requeryNames();
    if (q.found) {
        Text_DATA_ENTRY_NAME->setEditText(q.preparer);
        Text_ADRESS_ENTRY_NAME->setEditText(q.issuingBody);
    }
    requeryQuestions();
    RELATION_SUM();
    if (List_SHARE_AMOUNT_ERROR->count() == 0)
        Frame_SHARE_AMOUNT_ERROR->hide();
    DBGrid1->setFocus(Qt::OtherFocusReason);
    if (m_heirs->rowCount() > 0)
        DBGrid1->setCurrentIndex(m_heirs->index(0, 0));
}

void Form5::Timer2_Timer() {
    DrawnQuestionNo = platform::RandomGenerator::draw(115);
}

// The learner's answer --------------------------------------------------------------------------

void Form5::GET_SUM() {
    const QString total = training::AnswerSums::total(m_db);
    Text_sum->setText(total);
    Text_sum1->setText(total);
}

void Form5::RELATION_SUM() {
    const QStringList types = training::AnswerSums::relationSummary(m_db);
    List_SHARE_AMOUNT_ERROR->clear();
    if (types.isEmpty())
        return;
    Frame_SHARE_AMOUNT_ERROR->show();
    List_SHARE_AMOUNT_ERROR->addItems(types);
}

bool Form5::takeCellInHand() {
    // A share still being typed is taken, or refused with its message, before the answer is read:
    // the learner corrects it rather than see the answer go without it.
    const int refusalsBefore = m_shareRefusals;
    if (QWidget* editor = QApplication::focusWidget(); editor != DBGrid1 && within(DBGrid1, editor))
        DBGrid1->setFocus(Qt::OtherFocusReason);
    return m_shareRefusals == refusalsBefore;
}

void Form5::Command1_Click() {
    if (m_leaving || !takeCellInHand())
        return;
    m_heirs->reload();
    QString message;
    const int questionNo =
        training::AnswerHandIn::questionNumber(m_db, Text_case_no->text().trimmed().toInt());
    if (!training::AnswerHandIn::handIn(m_db, questionNo, Text_deth_name->text(), Text_case_name->text(),
                                        message)) {
        platform::MessageService::show(message, platform::MessageIcon::Critical);
        platform::FocusReturn::to(DBGrid1);
        return;
    }
    m_host.Text_deth_name = Text_deth_name->text();
    m_host.Text_case_no = questionNo != 0 ? QString::number(questionNo) : QString();
    emit handedIn();
    leave();
}

// The bank's commands ---------------------------------------------------------------------------

namespace {

training::ExerciseAuthoring::Fields fieldsOf(const QLineEdit* deceased, const QLineEdit* title,
                                             const QLineEdit* number, const QLineEdit* level,
                                             const QComboBox* preparer, const QComboBox* issuingBody) {
    return {deceased->text(), title->text(),           number->text(),
            level->text(),    preparer->currentText(), issuingBody->currentText()};
}

} // namespace

void Form5::Command_save_Click() {
    if (!takeCellInHand())
        return;
    QWidget* was = QApplication::focusWidget();
    training::ExerciseAuthoring::Fields fields = fieldsOf(Text_deth_name, Text_case_name, Text_case_no, Text2,
                                                          Text_DATA_ENTRY_NAME, Text_ADRESS_ENTRY_NAME);
    const training::ExerciseAuthoring::Outcome o = training::ExerciseAuthoring::store(m_db, fields);
    Text_case_name->setText(fields.title);
    m_heirs->reload();
    platform::MessageService::show(o.message, o.critical ? platform::MessageIcon::Critical
                                                         : platform::MessageIcon::None);
    if (o.done) {
        Text_case_no_appeare->setText(QString::number(o.number));
        platform::FocusReturn::to(Text_case_no_appeare);
    } else if (was) {
        platform::FocusReturn::to(was);
    }
}

void Form5::Command_edit_Click() {
    if (!takeCellInHand())
        return;
    QWidget* was = QApplication::focusWidget();
    const training::ExerciseAuthoring::Outcome o =
        training::ExerciseAuthoring::edit(m_db, fieldsOf(Text_deth_name, Text_case_name, Text_case_no, Text2,
                                                         Text_DATA_ENTRY_NAME, Text_ADRESS_ENTRY_NAME));
    m_heirs->reload(QStringLiteral("order by ar"));
    if (o.message.isEmpty())
        return;
    platform::MessageService::show(o.message, o.critical ? platform::MessageIcon::Critical
                                                         : platform::MessageIcon::None);
    if (was)
        platform::FocusReturn::to(was);
}

void Form5::Command_delete_Click() {
    if (Text_case_no->text().trimmed().isEmpty())
        return;
    QWidget* was = QApplication::focusWidget();
    if (!platform::MessageService::askYesNo(training::ExerciseAuthoring::deleteQuestion())) {
        if (was)
            platform::FocusReturn::to(was);
        return;
    }
    training::ExerciseAuthoring::Fields fields = fieldsOf(Text_deth_name, Text_case_name, Text_case_no, Text2,
                                                          Text_DATA_ENTRY_NAME, Text_ADRESS_ENTRY_NAME);
    const training::ExerciseAuthoring::Outcome o = training::ExerciseAuthoring::remove(m_db, fields);
    Text_case_name->setText(fields.title);
    m_heirs->reload(QStringLiteral("order by ar"));
    GET_SUM();
    platform::MessageService::show(o.message);
    if (was)
        platform::FocusReturn::to(was);
}

void Form5::Command_new_Click() {
    Frame_SHARE_AMOUNT_ERROR->hide();
    List_SHARE_AMOUNT_ERROR->clear();
    m_db.execute(QStringLiteral("delete from WARITH"));
    m_heirs->reload();
    Text_DATA_ENTRY_NAME->hidePopup();
    Text_ADRESS_ENTRY_NAME->hidePopup();
    Text_case_name->clear();
    Text_case_no->clear();
    Text_case_no_appeare->clear();
    Text_case_no_appeare->setFocus(Qt::OtherFocusReason);
    Text_sum->clear();
    Text_sum1->clear();
}

// Window ----------------------------------------------------------------------------------------

void Form5::keepFixedSize() {
    m_sizeQueued = false;
    platform::ScreenPlacement::place(this, QSize(twips(FixedWidthTwips), twips(FixedHeightTwips)));
}

void Form5::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // After whoever resized has finished moving the window too: it stays whole and centred.
    if (!m_sizeQueued) {
        m_sizeQueued = true;
        QTimer::singleShot(0, this, &Form5::keepFixedSize);
    }
}

void Form5::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    keepFixedSize();
    if (QWidget* w = std::exchange(m_focusOnShow, nullptr))
        w->setFocus(Qt::OtherFocusReason);
    m_frames->shown();
}

void Form5::Form_KeyUp(int key) {
    if (key != Qt::Key_Escape)
        return;
    Text_DATA_ENTRY_NAME->hidePopup();
    Text_ADRESS_ENTRY_NAME->hidePopup();
    m_frames->escape();
}

bool Form5::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    // One reaction per key: the key travels from the focused control up to the dialogue.
    if (widget != QApplication::focusWidget() && !(widget == this && !QApplication::focusWidget()))
        return false;
    if (type == QEvent::KeyRelease) {
        if (key->key() == Qt::Key_Escape && !key->isAutoRepeat())
            Form_KeyUp(Qt::Key_Escape);
        if (within(DBGrid1, widget))
            GET_SUM();
        if (widget == DBGrid_put && isEnter(key))
            DBGrid_put_DblClick();
        return false;
    }
    if (within(DBGrid1, widget))
        GET_SUM();
    if (widget == DBGrid_put && isEnter(key))
        return true; // loaded on the release, as the list's key-up does
    return m_frames->keyPress(watched, key);
}

void Form5::keyPressEvent(QKeyEvent* event) {
    // Enter presses the button that has the focus, and nothing else; Esc is Form_KeyUp's.
    if (isEnter(event) && event->modifiers() == Qt::NoModifier) {
        if (auto* b = qobject_cast<QPushButton*>(focusWidget()); b && b->isEnabled())
            b->click();
        return;
    }
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

// Leaving ---------------------------------------------------------------------------------------

void Form5::leave() {
    m_leaving = true;
    m_frames->stop();
    m_caption->stop();
    Timer2->stop();
    accept();
}

void Form5::reject() {}

void Form5::closeEvent(QCloseEvent* event) {
    if (!m_leaving)
        event->ignore();
}

} // namespace exercise
