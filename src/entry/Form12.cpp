// The case-entry dialogue of real cases: construction, the load step, the stage commands, leaving,
// the focus and the keys it sees first.
#include "entry/Form12.h"

#include "entry/BoundTableModel.h"
#include "entry/EntryStageFrames.h"
#include "entry/EntryTexts.h"
#include "entry/EntryWidgets.h"
#include "entry/ModelCaseStage.h"
#include "entry/RunCaptionAnimation.h"
#include "entry/StageAnswers.h"
#include "entry/StoredCases.h"
#include "platform/MessageService.h"
#include "platform/widgets/FocusReturn.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>

#include <utility>

namespace entry {

using namespace EntryWidgets;

namespace {

using engine::EntryStage;

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

// Focus and keys --------------------------------------------------------------------------------

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
