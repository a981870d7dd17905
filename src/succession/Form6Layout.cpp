// Form6's controls and their layout, and the Latin twins of its access keys.
#include "succession/Form6.h"

#include "entry/EntryTexts.h"
#include "entry/EntryWidgets.h"
#include "entry/GridCellDelegate.h"
#include "entry/ListBrowsing.h"
#include "entry/NameText.h"
#include "platform/widgets/ArabicKeyboard.h"
#include "platform/widgets/FirstKeyConversion.h"
#include "platform/widgets/GridTabOut.h"
#include "platform/widgets/LanguageOptionFrame.h"
#include "results/ShrinkEnlargeButtons.h"
#include "succession/ChainCellKeys.h"
#include "succession/ChainGridModel.h"
#include "succession/ChainRun.h"
#include "succession/DeceasedNameBox.h"
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
using namespace entry::EntryWidgets;

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
    Text_DATA_ENTRY_NAME = combo(QStringLiteral("Text_DATA_ENTRY_NAME"), true, this);
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
    Text_ADRESS_ENTRY_NAME = combo(QStringLiteral("Text_ADRESS_ENTRY_NAME"), true, FrameADRESS);
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
    DBList_deth_name = combo(QStringLiteral("DBList_deth_name"), true, this);
    DBCombo_w_name = combo(QStringLiteral("DBCombo_w_name"), true, this);
    DBList_relation = combo(QStringLiteral("DBList_relation"), true, this);
    for (QComboBox* list : {DBList_deth_name, DBCombo_w_name, DBList_relation}) {
        list->setMaxVisibleItems(15);
        list->hide();
    }
    // Named as the grid's columns they fill, where a message names the list.
    DBList_deth_name->setAccessibleName(Texts::DeceasedColumn);
    DBCombo_w_name->setAccessibleName(entry::Texts::HeirNameColumn);
    DBList_relation->setAccessibleName(entry::Texts::RelationColumn);
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
        m_db.transaction([this] {
            ChainRun::stampHeader(m_db, Text_DATA_ENTRY_NAME->currentText().trimmed(),
                                  Text_ADRESS_ENTRY_NAME->currentText().trimmed());
        });
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

} // namespace succession
