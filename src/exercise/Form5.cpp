// The exercise path's case-entry dialogue: construction, the load step, the stage commands it
// hands to Form12's frames, its size, the keys it sees first, and leaving.
#include "exercise/Form5.h"

#include "entry/BoundTableModel.h"
#include "entry/EntryStageFrames.h"
#include "entry/EntryTexts.h"
#include "entry/EntryWidgets.h"
#include "entry/ModelCaseStage.h"
#include "entry/NameLists.h"
#include "entry/RunCaptionAnimation.h"
#include "platform/MessageService.h"
#include "platform/widgets/ScreenPlacement.h"
#include "training/ExerciseBatch.h"
#include "training/ExerciseLevelMark.h"
#include "training/ExerciseQuestion.h"
#include "training/ExerciseResume.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>

namespace exercise {

using namespace entry::EntryWidgets;
using engine::EntryStage;

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
