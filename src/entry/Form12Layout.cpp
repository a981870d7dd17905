// Form12's controls and their layout, and the Latin twins of its buttons' access keys.
#include "entry/Form12.h"

#include "entry/BoundTableModel.h"
#include "entry/EntryStageFrames.h"
#include "entry/EntryTexts.h"
#include "entry/EntryWidgets.h"
#include "entry/GridCellDelegate.h"
#include "entry/ListBrowsing.h"
#include "entry/ModelCaseStage.h"
#include "entry/NameText.h"
#include "entry/RelationCellKeys.h"
#include "entry/RelationSpelling.h"
#include "entry/RunCaptionAnimation.h"
#include "platform/widgets/ArabicKeyboard.h"
#include "platform/widgets/FirstKeyConversion.h"
#include "platform/widgets/GridTabOut.h"
#include "platform/widgets/LanguageOptionFrame.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTableView>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace entry {

using namespace EntryWidgets;

namespace {

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

} // namespace entry
