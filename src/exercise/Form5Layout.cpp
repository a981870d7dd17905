// Form5's controls and their layout, the Latin twins of its commands and its window buttons.
#include "exercise/Form5.h"

#include "entry/BoundTableModel.h"
#include "entry/EntryStageFrames.h"
#include "entry/EntryTexts.h"
#include "entry/EntryWidgets.h"
#include "entry/ModelCaseStage.h"
#include "entry/RunCaptionAnimation.h"
#include "exercise/ExerciseTexts.h"
#include "platform/widgets/ArabicKeyboard.h"
#include "training/ShareCellDelegate.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
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

namespace {

QLineEdit* hiddenBox(const QString& name, QWidget* parent) {
    QLineEdit* box = lineEdit(name, parent);
    box->hide();
    return box;
}

} // namespace

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

} // namespace exercise
