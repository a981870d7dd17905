#include "entry/EntryStageFrames.h"

#include "engine/report/AmountCommands.h"
#include "entry/BoundTableModel.h"
#include "entry/EntryTexts.h"
#include "entry/EntryWidgets.h"
#include "entry/GridCellDelegate.h"
#include "entry/StageAnswers.h"
#include "platform/MessageService.h"
#include "platform/widgets/ArabicKeyboard.h"
#include "platform/widgets/FocusReturn.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace entry {

using namespace EntryWidgets;

EntryStageFrames::EntryStageFrames(data::Database db, engine::CaseContext& host, QWidget* dialog)
    : QObject(dialog), m_db(std::move(db)), m_host(host) {
    setObjectName(QStringLiteral("EntryStageFrames"));
    buildSourceFrame(dialog);
    buildTypeFrame(dialog);
    buildEstateFrame(dialog);
    Timer1 = new QTimer(dialog);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &EntryStageFrames::Timer1_Timer);
}

QGroupBox* EntryStageFrames::buildSourceFrame(QWidget* dialog) {
    Frame_source_case = frame(QStringLiteral("Frame_source_case"), QString(), dialog);
    auto* row = new QHBoxLayout(Frame_source_case);
    auto* caption = new QLabel(Texts::SourceLabel, Frame_source_case);
    caption->setObjectName(QStringLiteral("Label1"));
    Combo1_SOURCE_CASE = combo(Texts::SourceComboName, true, Frame_source_case);
    Combo1_SOURCE_CASE->addItems({Texts::SourceNew, Texts::SourceStored});
    Combo1_SOURCE_CASE->setCurrentIndex(-1);
    Combo1_SOURCE_CASE->setEditText(Texts::SourceComboName);
    Combo1_SOURCE_CASE->setMinimumWidth(160);
    Command_source_case =
        button(QStringLiteral("Command_source_case"), Texts::StageButton, Frame_source_case);
    Command_source_case->setEnabled(false);
    row->addWidget(caption);
    row->addWidget(Combo1_SOURCE_CASE);
    row->addWidget(Command_source_case);
    row->addStretch(1);
    connect(Command_source_case, &QPushButton::clicked, this, &EntryStageFrames::Command_source_case_Click);
    return Frame_source_case;
}

QGroupBox* EntryStageFrames::buildTypeFrame(QWidget* dialog) {
    Frame_type_case = frame(QStringLiteral("Frame_type_case"), QString(), dialog);
    auto* row = new QHBoxLayout(Frame_type_case);
    auto* caption = new QLabel(Texts::TypeLabel, Frame_type_case);
    caption->setObjectName(QStringLiteral("Label2"));
    Combo_TYPE_CASE = combo(QStringLiteral("Combo_TYPE_CASE"), false, Frame_type_case);
    Combo_TYPE_CASE->addItems({Texts::TypeSingle, Texts::TypeSuccessive});
    Combo_TYPE_CASE->setCurrentIndex(-1);
    Combo_TYPE_CASE->setMinimumWidth(120);
    Command_type_case = button(QStringLiteral("Command_type_case"), Texts::StageButton, Frame_type_case);
    Command_type_case->setEnabled(false);
    row->addWidget(caption);
    row->addWidget(Combo_TYPE_CASE);
    row->addWidget(Command_type_case);
    row->addStretch(1);
    connect(Command_type_case, &QPushButton::clicked, this, &EntryStageFrames::Command_type_case_Click);
    return Frame_type_case;
}

QGroupBox* EntryStageFrames::buildEstateFrame(QWidget* dialog) {
    Frame_tariqa = frame(QStringLiteral("Frame_tariqa"), Texts::EstateFrame, dialog);
    auto* grid = new QGridLayout(Frame_tariqa);
    Text_tariqa_ammount = lineEdit(QStringLiteral("Text_tariqa_ammount"), Frame_tariqa);
    platform::ArabicKeyboard::setMapped(Text_tariqa_ammount, false);
    Text_tariqa_currency = combo(QStringLiteral("Text_tariqa_currency"), true, Frame_tariqa);
    Text_tariqa_currency->setMinimumWidth(180);
    // The preset "دينار" is typed over, not added to.
    selectAllOnFocus(Text_tariqa_currency);
    Command3 = button(QStringLiteral("Command3"), Texts::CurrencyTable, Frame_tariqa);
    Command_tariqa = button(QStringLiteral("Command_tariqa"), Texts::StageButton, Frame_tariqa);
    Command_tariqa->setEnabled(false);

    DBGrid2 = new QTableView(Frame_tariqa);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    m_currencies = new BoundTableModel(m_db, QStringLiteral("currency_name"),
                                       {{QStringLiteral("currency_name"), Texts::CurrencyLabel}},
                                       QStringLiteral("order by currency_name"), this);
    m_currencies->afterDelete = [this] { m_currencies->reload(); };
    DBGrid2->setModel(m_currencies);
    DBGrid2->setItemDelegate(new GridCellDelegate(-1, DBGrid2));
    DBGrid2->setSelectionBehavior(QAbstractItemView::SelectItems);
    DBGrid2->horizontalHeader()->setStretchLastSection(true);
    DBGrid2->setMinimumHeight(180);
    DBGrid2->hide();
    selectRowsBySelector(DBGrid2);

    grid->addWidget(new QLabel(Texts::EstateFrame, Frame_tariqa), 0, 0);
    grid->addWidget(Text_tariqa_ammount, 0, 1);
    grid->addWidget(new QLabel(Texts::CurrencyLabel, Frame_tariqa), 1, 0);
    grid->addWidget(Text_tariqa_currency, 1, 1);
    grid->addWidget(Command3, 1, 2);
    grid->addWidget(Command_tariqa, 2, 1);
    grid->addWidget(DBGrid2, 3, 0, 1, 3);
    grid->setColumnStretch(3, 1);

    connect(Command3, &QPushButton::clicked, this, &EntryStageFrames::Command3_Click);
    connect(Command_tariqa, &QPushButton::clicked, this, &EntryStageFrames::Command_tariqa_Click);
    return Frame_tariqa;
}

// Stages ----------------------------------------------------------------------------------------

QPushButton* EntryStageFrames::prepareSource() {
    Frame_source_case->show();
    Command_source_case->setEnabled(true);
    const data::Rows preset =
        m_db.select(QStringLiteral("select RLAS_TABLE from RLAS_TABLE order by rowid limit 1"));
    if (!preset.isEmpty())
        Combo1_SOURCE_CASE->setEditText(preset.front().value(0).toString());
    // A press without a valid choice does nothing, so the source stage may press whatever it holds.
    return Command_source_case;
}

QPushButton* EntryStageFrames::prepareType() {
    Frame_type_case->show();
    Command_type_case->setEnabled(true);
    const data::Rows preset =
        m_db.select(QStringLiteral("select TYPS_TABLE from TYPS_TABLE order by rowid limit 1"));
    if (!preset.isEmpty())
        Combo_TYPE_CASE->setCurrentIndex(Combo_TYPE_CASE->findText(preset.front().value(0).toString()));
    // The type command closes the dialogue even without a choice, and the engine asks again: a
    // press without a valid preset would go round for ever, so then the user chooses.
    return Combo_TYPE_CASE->currentIndex() >= 0 ? Command_type_case : nullptr;
}

QWidget* EntryStageFrames::prepareEstate() {
    Frame_tariqa->show();
    Text_tariqa_currency->setEditText(Texts::DefaultCurrency);
    Command_tariqa->setEnabled(true);
    return Text_tariqa_ammount;
}

void EntryStageFrames::shown() {
    QPushButton* b = std::exchange(m_pressOnShow, nullptr);
    if (!b || m_stopped)
        return;
    b->setFocus(Qt::OtherFocusReason);
    QMetaObject::invokeMethod(b, &QAbstractButton::click, Qt::QueuedConnection);
    if (b == Command_source_case)
        Timer1->start(SourcePressDelay);
}

void EntryStageFrames::stop() {
    m_stopped = true;
    Timer1->stop();
}

void EntryStageFrames::Timer1_Timer() {
    Timer1->stop();
    if (m_stopped)
        return;
    Command_source_case->setFocus(Qt::OtherFocusReason);
    QMetaObject::invokeMethod(Command_source_case, &QAbstractButton::click, Qt::QueuedConnection);
}

void EntryStageFrames::answer() {
    stop();
    emit answered();
}

void EntryStageFrames::Command_source_case_Click() {
    if (StageAnswers::source(m_db, Combo1_SOURCE_CASE->currentText(), m_host))
        answer();
}

void EntryStageFrames::Command_type_case_Click() {
    StageAnswers::type(Combo_TYPE_CASE->currentIndex() >= 0 ? Combo_TYPE_CASE->currentText() : QString(),
                       m_host);
    answer();
}

void EntryStageFrames::Command_tariqa_Click() {
    // The amount is judged here, with the stage still on screen, by the same rule the engine
    // applies to it. A missing currency has no text of its own: the user is put in its box.
    if (!engine::parseEstateAmount(Text_tariqa_ammount->text())) {
        platform::MessageService::show(engine::AmountRefusedText, platform::MessageIcon::Critical);
        platform::FocusReturn::to(Text_tariqa_ammount);
        return;
    }
    if (Text_tariqa_currency->currentText().isEmpty()) {
        platform::FocusReturn::to(Text_tariqa_currency);
        return;
    }
    if (StageAnswers::estate(m_db, Text_tariqa_ammount->text(), Text_tariqa_currency->currentText(), m_host))
        answer();
}

// Currencies ------------------------------------------------------------------------------------

void EntryStageFrames::load_currency_list() {
    Text_tariqa_currency->clear();
    Text_tariqa_currency->setEditText(QString());
    for (const QSqlRecord& r :
         m_db.select(QStringLiteral("select currency_name from currency_name order by currency_name")))
        Text_tariqa_currency->addItem(r.value(0).toString());
    Text_tariqa_currency->setCurrentIndex(-1);
    Text_tariqa_currency->setEditText(QString());
}

void EntryStageFrames::Command3_Click() {
    m_currencies->reload(QStringLiteral("order by currency_name"));
    DBGrid2->show();
    DBGrid2->setFocus(Qt::OtherFocusReason);
}

void EntryStageFrames::escape() {
    if (DBGrid2->isVisibleTo(DBGrid2->window())) {
        DBGrid2->hide();
        load_currency_list();
    }
}

bool EntryStageFrames::keyPress(QObject* watched, QKeyEvent* key) {
    if (watched == DBGrid2) {
        if (key->key() != Qt::Key_Delete)
            return false;
        QList<int> rows;
        for (const QModelIndex& index : DBGrid2->selectionModel()->selectedRows())
            if (!m_currencies->isEntryRow(index.row()))
                rows << index.row();
        if (rows.isEmpty())
            return false;
        std::sort(rows.begin(), rows.end(), std::greater<>());
        for (int row : rows)
            m_currencies->removeRows(row, 1);
        return true;
    }
    if (!isEnter(key))
        return false;
    if (watched == Text_tariqa_ammount) {
        Text_tariqa_currency->setFocus(Qt::OtherFocusReason);
        return true;
    }
    if (watched == Text_tariqa_currency || watched == Text_tariqa_currency->lineEdit()) {
        Text_tariqa_ammount->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return false;
}

} // namespace entry
