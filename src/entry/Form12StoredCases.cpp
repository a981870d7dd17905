// Form12's stored single-death cases: the store, edit and delete commands, the list of stored
// cases, loading from it and the two search boxes. The library itself is StoredCases.
#include "entry/Form12.h"

#include "data/Numbers.h"
#include "entry/BoundTableModel.h"
#include "entry/EntryTexts.h"
#include "entry/NameLists.h"
#include "entry/StoredCaseListModel.h"
#include "entry/StoredCases.h"
#include "entry/StoredNumberBox.h"
#include "platform/MessageService.h"
#include "platform/widgets/AccessKeyCaption.h"
#include "platform/widgets/FocusReturn.h"

#include <QApplication>
#include <QBoxLayout>
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

namespace entry {

namespace {

using platform::MessageIcon;
using platform::MessageService;
using Kind = StoredCases::Outcome::Kind;

const QString SaveCaption = QStringLiteral("&خزن");
const QString EditCaption = QStringLiteral("ت&عديل");
const QString DeleteCaption = QStringLiteral("&حذف");

QPushButton* commandButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    platform::AccessKeyCaption::apply(b, caption);
    b->setAutoDefault(false);
    return b;
}

bool towardsList(int key) {
    return key == Qt::Key_Down || key == Qt::Key_PageDown;
}

bool isEnterKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

void Form12::buildStoredCases(QBoxLayout* into) {
    auto* column = new QVBoxLayout;
    auto* commands = new QHBoxLayout;
    Command_save = commandButton(QStringLiteral("Command_save"), SaveCaption, Frame_case_details);
    Command_edit = commandButton(QStringLiteral("Command_edit"), EditCaption, Frame_case_details);
    Command_delete = commandButton(QStringLiteral("Command_delete"), DeleteCaption, Frame_case_details);
    commands->addWidget(Command_save);
    commands->addWidget(Command_edit);
    commands->addWidget(Command_delete);
    column->addLayout(commands);

    DBGrid_put = new QTableView(Frame_case_details);
    DBGrid_put->setObjectName(QStringLiteral("DBGrid_put"));
    m_storedCases = new StoredCaseListModel(Texts::DeceasedLabel, Texts::ModelNumberColumn, this);
    DBGrid_put->setModel(m_storedCases);
    DBGrid_put->setTabKeyNavigation(false);
    DBGrid_put->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid_put->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid_put->verticalHeader()->hide();
    DBGrid_put->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    DBGrid_put->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    column->addWidget(DBGrid_put, 1);
    into->addLayout(column, 2);

    connect(Command_save, &QPushButton::clicked, this, &Form12::Command_save_Click);
    connect(Command_edit, &QPushButton::clicked, this, &Form12::Command_edit_Click);
    connect(Command_delete, &QPushButton::clicked, this, &Form12::Command_delete_Click);
    connect(DBGrid_put, &QTableView::doubleClicked, this, [this] { DBGrid_put_DblClick(); });
}

void Form12::requeryStoredCases(const StoredCaseList& list) {
    m_storedCases->requery(m_db, list);
    if (m_storedCases->rowCount() > 0)
        DBGrid_put->setCurrentIndex(m_storedCases->index(0, 0));
}

bool Form12::storedCaseEvent(QObject* watched, QEvent* event) {
    if (watched == Text_case_no_appeare)
        return StoredNumberBox::event(
            Text_case_no_appeare, event, [this](int key) { Text_case_no_appeare_KeyUp(key); },
            [this](int key) { Text_case_no_appeare_KeyDown(key); });
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat() && type == QEvent::KeyRelease)
        return false;
    if (watched == Text_deth_name && type == QEvent::KeyPress) {
        Text_deth_name_KeyDown(key->key());
        return towardsList(key->key());
    }
    if (watched == DBGrid_put && type == QEvent::KeyRelease && isEnterKey(key->key())) {
        DBGrid_put_DblClick();
        return true;
    }
    return false;
}

void Form12::Text_case_no_appeare_KeyUp(int key) {
    requeryStoredCases(StoredCases::byNumberPrefix(Text_case_no_appeare->text()));
    if (towardsList(key))
        DBGrid_put->setFocus(Qt::OtherFocusReason);
}

void Form12::Text_case_no_appeare_KeyDown(int key) {
    if (!isEnterKey(key))
        return;
    if (!Text_case_no_appeare->text().isEmpty()) {
        requeryStoredCases(StoredCases::byNumber(data::leadingInteger(Text_case_no_appeare->text())));
        DBGrid_put_DblClick();
    }
    Text_deth_name->setFocus(Qt::OtherFocusReason);
}

void Form12::Text_deth_name_KeyDown(int key) {
    requeryStoredCases(StoredCases::byNamePrefix(Text_deth_name->text()));
    if (towardsList(key))
        DBGrid_put->setFocus(Qt::OtherFocusReason);
}

void Form12::DBGrid_put_DblClick() {
    // An empty list (a number no case has): the case in hand stays as it is.
    if (m_storedCases->rowCount() == 0)
        return;
    const QModelIndex current = DBGrid_put->currentIndex();
    const qint64 n = m_storedCases->numberAt(current.isValid() ? current.row() : 0);
    QWidget* userWasIn = QApplication::focusWidget();
    std::optional<CaseHeader> loaded;
    m_db.transaction([&] { loaded = StoredCases::load(m_db, n); });
    if (!loaded) {
        MessageService::show(StoredCases::Damaged.arg(n).arg(QFileInfo(m_db.path()).fileName()),
                             MessageIcon::Critical);
        platform::FocusReturn::to(userWasIn);
        return;
    }
    Text_case_no->setText(loaded->caseNo);
    Text_case_name->setText(loaded->title);
    Text_deth_name->setText(loaded->deceased);
    Text_case_no_appeare->setText(loaded->caseNo);
    requeryPreparers();
    requeryIssuingBodies();
    Text_DATA_ENTRY_NAME->setEditText(loaded->preparer);
    Text_ADRESS_ENTRY_NAME->setEditText(loaded->issuingBody);
    showIssuingBody(!loaded->issuingBody.isEmpty() && loaded->issuingBody != StoredCases::NoIssuingBody);
    m_heirs->reload();
    DBGrid1->setFocus(Qt::OtherFocusReason);
}

QWidget* Form12::focusAfter(const QString& refusal, QWidget* userWasIn) const {
    return refusal == Texts::NoPreparer ? Text_DATA_ENTRY_NAME : userWasIn;
}

void Form12::Command_save_Click() {
    QWidget* userWasIn = QApplication::focusWidget();
    StoredCases::Outcome o;
    m_db.transaction([&] { o = StoredCases::store(m_db, header()); });
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
    m_heirs->reload();
    MessageService::show(o.message);
    Text_case_no_appeare->setFocus(Qt::OtherFocusReason);
    requeryStoredCases(StoredCases::all());
    // As an Enter typed into the number box once the command is over: the stored case alone in
    // the list, loaded again from the library.
    QTimer::singleShot(0, this, [this] { Text_case_no_appeare_KeyDown(Qt::Key_Return); });
}

void Form12::Command_edit_Click() {
    QWidget* userWasIn = QApplication::focusWidget();
    m_heirs->reload();
    StoredCases::Outcome o;
    m_db.transaction([&] { o = StoredCases::edit(m_db, header()); });
    if (o.kind == Kind::Refused) {
        MessageService::show(o.message, MessageIcon::Critical);
        platform::FocusReturn::to(focusAfter(o.message, userWasIn));
    }
    if (o.kind != Kind::Done)
        return;
    MessageService::show(o.message);
    platform::FocusReturn::to(userWasIn);
    requeryStoredCases(StoredCases::all());
}

void Form12::Command_delete_Click() {
    if (Text_case_no->text().isEmpty())
        return;
    if (!MessageService::askYesNo(StoredCases::AskDelete))
        return;
    const qint64 n = data::leadingInteger(Text_case_no->text());
    m_db.transaction([&] { StoredCases::remove(m_db, n); });
    Text_case_name->clear();
    Text_deth_name->clear();
    m_heirs->reload();
    MessageService::show(StoredCases::DeletedNumber + QString::number(n));
    Text_case_no->clear();
    Text_case_no_appeare->clear();
    requeryStoredCases(StoredCases::all());
}

} // namespace entry
