// Form6's stored chains: the store, edit and delete commands, the list of stored chains, loading
// from it and the two search boxes. The library itself is StoredChains.
#include "succession/Form6.h"

#include "data/Numbers.h"
#include "entry/EntryTexts.h"
#include "entry/StoredCaseListModel.h"
#include "entry/StoredNumberBox.h"
#include "platform/MessageService.h"
#include "platform/widgets/FocusReturn.h"
#include "succession/ChainGridModel.h"
#include "succession/StoredChains.h"
#include "succession/SuccessionTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

namespace succession {

namespace {

using platform::MessageIcon;
using platform::MessageService;
using Kind = StoredChains::Outcome::Kind;
namespace SC = entry::StoredCases;

bool towardsList(int key) {
    return key == Qt::Key_Down || key == Qt::Key_PageDown;
}

bool isEnterKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

void Form6::offerStoredChains() {
    m_storedChains =
        new entry::StoredCaseListModel(entry::Texts::ModelTitleColumn, entry::Texts::ModelNumberColumn, this);
    DBGrid_put->setModel(m_storedChains);
    DBGrid_put->setTabKeyNavigation(false);
    DBGrid_put->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid_put->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid_put->verticalHeader()->hide();
    DBGrid_put->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    DBGrid_put->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    for (QWidget* w : std::initializer_list<QWidget*>{DBGrid_put, Text_case_no_appeare, Text_serch_case_name,
                                                      Command_save, Command_edit, Command_delete})
        w->setEnabled(true);
    connect(Command_save, &QPushButton::clicked, this, &Form6::Command_save_Click);
    connect(Command_edit, &QPushButton::clicked, this, &Form6::Command_edit_Click);
    connect(Command_delete, &QPushButton::clicked, this, &Form6::Command_delete_Click);
    connect(DBGrid_put, &QTableView::doubleClicked, this, [this] { DBGrid_put_DblClick(); });
}

// Reopened on a chain that was stored (a return from the results screen): its name and number
// come back with it, so that Edit stores the changes instead of stopping without a word.
void Form6::restoreStoredChain(qint64 caseNo) {
    Text_case_no->setText(QString::number(caseNo));
    if (const auto name = StoredChains::storedName(m_db, caseNo)) {
        Text_case_name->setText(*name);
        Text_case_no_appeare->setText(QString::number(caseNo));
    }
}

void Form6::requeryStoredChains(const entry::StoredCaseList& list) {
    m_storedChains->requery(m_db, list);
    if (m_storedChains->rowCount() > 0)
        DBGrid_put->setCurrentIndex(m_storedChains->index(0, 0));
}

void Form6::forgetCurrentDeceased() {
    Check_add_warith->setChecked(false);
    Text_deth_no_ind->clear();
    Text_deth_name_ind->clear();
}

bool Form6::storedChainEvent(QObject* watched, QEvent* event) {
    if (watched == Text_case_no_appeare)
        return entry::StoredNumberBox::event(
            Text_case_no_appeare, event, [this](int key) { Text_case_no_appeare_KeyUp(key); },
            [this](int key) { Text_case_no_appeare_KeyDown(key); });
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat() && type == QEvent::KeyRelease)
        return false;
    if (watched == Text_serch_case_name && type == QEvent::KeyRelease) {
        Text_serch_case_name_KeyUp(key->key());
        return false;
    }
    if (watched == DBGrid_put && type == QEvent::KeyRelease) {
        DBGrid_put_KeyUp(key->key());
        return isEnterKey(key->key()) || key->key() == Qt::Key_Home;
    }
    return false;
}

void Form6::Text_case_no_appeare_KeyUp(int key) {
    requeryStoredChains(StoredChains::byNumberPrefix(Text_case_no_appeare->text()));
    if (towardsList(key))
        DBGrid_put->setFocus(Qt::OtherFocusReason);
}

void Form6::Text_case_no_appeare_KeyDown(int key) {
    if (!isEnterKey(key))
        return;
    if (!Text_case_no_appeare->text().isEmpty()) {
        requeryStoredChains(StoredChains::byNumber(data::leadingInteger(Text_case_no_appeare->text())));
        DBGrid_put_DblClick();
    }
    DBGrid3->setFocus(Qt::OtherFocusReason);
}

void Form6::Text_serch_case_name_KeyUp(int key) {
    requeryStoredChains(StoredChains::byNamePrefix(Text_serch_case_name->text()));
    if (towardsList(key))
        DBGrid_put->setFocus(Qt::OtherFocusReason);
}

void Form6::DBGrid_put_KeyUp(int key) {
    if (isEnterKey(key))
        DBGrid_put_DblClick();
    else if (key == Qt::Key_Home)
        Text_serch_case_name->setFocus(Qt::OtherFocusReason);
}

void Form6::DBGrid_put_DblClick() {
    // An empty list (a number no chain has): the chain on screen stays as it is.
    if (m_storedChains->rowCount() == 0)
        return;
    const QModelIndex current = DBGrid_put->currentIndex();
    const qint64 k = m_storedChains->numberAt(current.isValid() ? current.row() : 0);
    QWidget* userWasIn = QApplication::focusWidget();
    QString refused;
    std::optional<ChainHeader> loaded;
    m_db.transaction([&] { loaded = StoredChains::load(m_db, k, &refused); });
    // A damaged chain: the chain on screen stays as it is.
    if (!loaded) {
        if (refused.isEmpty())
            refused = SC::Damaged.arg(k).arg(QFileInfo(m_db.path()).fileName());
        MessageService::show(refused, MessageIcon::Critical);
        platform::FocusReturn::to(userWasIn);
        return;
    }
    Text_case_no->setText(loaded->caseNo);
    Text_case_name->setText(loaded->title);
    Text_case_no_appeare->setText(loaded->caseNo);
    requeryPreparers();
    requeryIssuingBodies();
    Text_DATA_ENTRY_NAME->setEditText(loaded->preparer);
    Text_ADRESS_ENTRY_NAME->setEditText(loaded->issuingBody);
    const bool body = !loaded->issuingBody.isEmpty() && loaded->issuingBody != SC::NoIssuingBody;
    FrameADRESS->setVisible(body);
    Command4->setText(body ? entry::Texts::RemoveIssuingBody : entry::Texts::AddIssuingBody);
    // The current deceased and add-heirs mode belonged to the chain that was on screen.
    forgetCurrentDeceased();
    m_chain->reload();
    DBGrid3->setFocus(Qt::OtherFocusReason);
}

QWidget* Form6::focusAfter(const QString& refusal, QWidget* userWasIn) const {
    return refusal == Texts::NoPreparer ? Text_DATA_ENTRY_NAME : userWasIn;
}

void Form6::Command_save_Click() {
    QWidget* userWasIn = QApplication::focusWidget();
    const ChainHeader header{Text_case_name->text(), Text_case_no->text(),
                             Text_DATA_ENTRY_NAME->currentText().trimmed(),
                             Text_ADRESS_ENTRY_NAME->currentText().trimmed()};
    StoredChains::Outcome o;
    m_db.transaction([&] { o = StoredChains::store(m_db, header); });
    requeryIssuingBodies();
    if (o.kind != Kind::Done) {
        if (!o.message.isEmpty()) {
            MessageService::show(o.message, MessageIcon::Critical);
            platform::FocusReturn::to(focusAfter(o.message, userWasIn));
        }
        return;
    }
    Text_case_name->setText(o.title);
    Text_case_no_appeare->setText(QString::number(o.caseNo));
    Text_case_no->setText(Text_case_no_appeare->text());
    MessageService::show(o.message);
    platform::FocusReturn::to(userWasIn);
    requeryStoredChains(StoredChains::all());
}

void Form6::Command_edit_Click() {
    QWidget* userWasIn = QApplication::focusWidget();
    const ChainHeader header{Text_case_name->text(), Text_case_no->text(),
                             Text_DATA_ENTRY_NAME->currentText().trimmed(),
                             Text_ADRESS_ENTRY_NAME->currentText().trimmed()};
    StoredChains::Outcome o;
    m_db.transaction([&] { o = StoredChains::edit(m_db, header); });
    if (o.kind == Kind::Refused) {
        MessageService::show(o.message, MessageIcon::Critical);
        platform::FocusReturn::to(focusAfter(o.message, userWasIn));
    }
    if (o.kind != Kind::Done)
        return;
    Text_case_name->setText(o.title);
    MessageService::show(o.message);
    platform::FocusReturn::to(userWasIn);
    requeryStoredChains(StoredChains::all());
}

void Form6::Command_delete_Click() {
    if (Text_case_no->text().isEmpty())
        return;
    if (!MessageService::askYesNo(SC::AskDelete))
        return;
    const qint64 k = data::leadingInteger(Text_case_no->text());
    m_db.transaction([&] { StoredChains::remove(m_db, k); });
    Text_case_name->clear();
    forgetCurrentDeceased();
    m_chain->reload();
    MessageService::show(SC::DeletedNumber + QString::number(k));
    Text_case_no->clear();
    Text_case_no_appeare->clear();
    requeryStoredChains(StoredChains::all());
}

} // namespace succession
