#include "entry/ModelCaseStage.h"

#include "entry/EntryTexts.h"
#include "entry/ModelCaseQueue.h"
#include "platform/widgets/AccessKeyCaption.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlRecord>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace entry {

namespace {

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    platform::AccessKeyCaption::apply(b, caption);
    b->setAutoDefault(false);
    return b;
}

QLineEdit* lineEdit(const QString& name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    return e;
}

} // namespace

ModelCaseStage::ModelCaseStage(data::Database db, engine::CaseContext& host, QWidget* parent,
                               ModelCaseQueue::Owner owner)
    : QGroupBox(parent), m_db(std::move(db)), m_host(host), m_owner(owner) {
    setObjectName(QStringLiteral("Frame_stord_case"));
    hide();

    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(Texts::ModelCasesFrame, this);
    title->setObjectName(QStringLiteral("Label_stord_case"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(Texts::ModelSearchLabel, this));
    Text1 = lineEdit(QStringLiteral("Text1"), this);
    searchRow->addWidget(Text1, 1);
    layout->addLayout(searchRow);

    DBGrid3 = new QTableView(this);
    DBGrid3->setObjectName(QStringLiteral("DBGrid3"));
    Data5 = new QStandardItemModel(this);
    Data5->setObjectName(QStringLiteral("Data5"));
    Data5->setHorizontalHeaderLabels({Texts::ModelTitleColumn, Texts::ModelNumberColumn});
    DBGrid3->setModel(Data5);
    DBGrid3->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid3->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid3->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab leaves the list for the next control instead of walking its cells.
    DBGrid3->setTabKeyNavigation(false);
    // The list numbers its cases in its own column.
    DBGrid3->verticalHeader()->hide();
    // The number fits its digits at any font size; the title takes the rest of the width.
    DBGrid3->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    DBGrid3->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    DBGrid3->horizontalHeader()->setStretchLastSection(false);
    layout->addWidget(DBGrid3, 1);

    auto* runRow = new QHBoxLayout;
    Command_stord_case = button(QStringLiteral("Command_stord_case"), Texts::RunOneModelCase, this);
    Command_stord_case->setEnabled(false);
    Command_AUTO_GET_CASE_NO_STORED_CASES =
        button(QStringLiteral("Command_AUTO_GET_CASE_NO_STORED_CASES"), Texts::RunModelRange, this);
    Text_from = lineEdit(QStringLiteral("Text_from"), this);
    Text_to = lineEdit(QStringLiteral("Text_to"), this);
    for (QLineEdit* box : {Text_from, Text_to}) {
        box->setMaximumWidth(90);
        box->installEventFilter(this);
    }
    runRow->addWidget(Command_stord_case);
    runRow->addWidget(Command_AUTO_GET_CASE_NO_STORED_CASES);
    runRow->addWidget(new QLabel(Texts::RangeFrom, this));
    runRow->addWidget(Text_from);
    runRow->addWidget(new QLabel(Texts::RangeTo, this));
    runRow->addWidget(Text_to);
    runRow->addStretch(1);
    layout->addLayout(runRow);

    // The queue's press comes by itself; nobody needs to see or reach the button.
    Command_AUTO_RUN_STORED_CASES =
        button(QStringLiteral("Command_AUTO_RUN_STORED_CASES"), Texts::RunQueuedModelCase, this);
    Command_AUTO_RUN_STORED_CASES->hide();

    connect(Text1, &QLineEdit::textChanged, this, &ModelCaseStage::Text1_KeyUp);
    connect(Command_stord_case, &QPushButton::clicked, this, &ModelCaseStage::Command_stord_case_Click);
    connect(Command_AUTO_GET_CASE_NO_STORED_CASES, &QPushButton::clicked, this,
            &ModelCaseStage::Command_AUTO_GET_CASE_NO_STORED_CASES_Click);
    connect(Command_AUTO_RUN_STORED_CASES, &QPushButton::clicked, this,
            &ModelCaseStage::Command_AUTO_RUN_STORED_CASES_Click);
    // Enter on the list runs its current case, as the single-run button does.
    connect(DBGrid3, &QTableView::activated, this, [this] { Command_stord_case_Click(); });

    Text1_KeyUp();
}

void ModelCaseStage::fillRange() {
    if (const auto range = ModelCaseQueue::offeredRange(m_db, m_owner)) {
        Text_from->setText(range->first);
        Text_to->setText(range->second);
    }
}

QPushButton* ModelCaseStage::prepare() {
    if (m_owner == ModelCaseQueue::Owner::RealCase)
        ModelCaseQueue::prepareReportHeader(m_db);
    show();
    if (ModelCaseQueue::queued(m_db))
        return Command_AUTO_RUN_STORED_CASES;
    Command_stord_case->setEnabled(true);
    return nullptr;
}

void ModelCaseStage::Text1_KeyUp() {
    const ModelCaseQueue::Query q = ModelCaseQueue::search(Text1->text());
    Data5->removeRows(0, Data5->rowCount());
    for (const QSqlRecord& r : m_db.select(q.sql, q.params)) {
        auto* title = new QStandardItem(r.value(0).toString());
        auto* number = new QStandardItem(r.value(1).toString());
        number->setTextAlignment(Qt::AlignCenter);
        Data5->appendRow({title, number});
    }
    if (Data5->rowCount() > 0)
        DBGrid3->setCurrentIndex(Data5->index(0, 0));
}

void ModelCaseStage::Command_stord_case_Click() {
    const QModelIndex current = DBGrid3->currentIndex();
    if (!current.isValid())
        return;
    const QString number = Data5->index(current.row(), 1).data().toString();
    if (number.isEmpty())
        return;
    hand(number);
}

void ModelCaseStage::Command_AUTO_GET_CASE_NO_STORED_CASES_Click() {
    if (ModelCaseQueue::startRange(m_db, Text_from->text(), Text_to->text(), m_owner))
        Command_AUTO_RUN_STORED_CASES_Click();
}

void ModelCaseStage::Command_AUTO_RUN_STORED_CASES_Click() {
    if (const auto number = ModelCaseQueue::popHead(m_db))
        hand(*number);
}

void ModelCaseStage::hand(const QString& number) {
    m_host.Text_stord_case = number;
    emit answered();
}

bool ModelCaseStage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        // After the click that gave the focus, which would place the cursor instead.
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace entry
