// The successive-deaths dialogue: construction, load, the focus and the keys it sees first.
#include "succession/Form6.h"

#include "entry/EntryTexts.h"
#include "entry/EntryWidgets.h"
#include "succession/ChainGridModel.h"
#include "succession/StoredChains.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QTextBrowser>
#include <QTimer>

namespace succession {

namespace {

using Column = ChainGridModel::Column;
namespace ET = entry::Texts;
using namespace entry::EntryWidgets;

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

void Form6::leave() {
    Timer16->stop();
    leaveDialogue();
}

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
