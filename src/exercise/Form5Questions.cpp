// Form5's questions: the level, the batch drawn for it, the stepper through the batch and the
// question loaded from the list.
#include "exercise/Form5.h"

#include "entry/BoundTableModel.h"
#include "entry/EntryTexts.h"
#include "entry/EntryWidgets.h"
#include "platform/RandomGenerator.h"
#include "platform/widgets/FocusReturn.h"
#include "training/ExerciseBatch.h"
#include "training/ExerciseQuestion.h"
#include "training/QuestionStepper.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>

namespace exercise {

using namespace entry::EntryWidgets;

int Form5::levelOnScreen() const {
    if (Option_1_LEVEL->isChecked())
        return 1;
    if (Option_2_LEVEL->isChecked())
        return 2;
    return Option_3_LEVEL->isChecked() ? 3 : 1;
}

void Form5::levelChosen(int level) {
    QWidget* option = QApplication::focusWidget();
    Frame_put->hide();
    Command_new_Click();
    training::ExerciseBatch::chooseLevel(m_db, level);
    Command6->hide();
    // The arrow keys go on from level to level; the emptied form does not take the focus away.
    if (option && within(Frame_levels, option))
        option->setFocus(Qt::OtherFocusReason);
}

void Form5::Option_1_LEVEL_MouseUp() {
    levelChosen(1);
}

void Form5::Option_2_LEVEL_MouseUp() {
    levelChosen(Option_2_LEVEL->isChecked() ? 2 : 1);
}

void Form5::Option_3_LEVEL_MouseUp() {
    levelChosen(Option_3_LEVEL->isChecked() ? 3 : 1);
}

void Form5::Command_put_Click() {
    Command6->show();
    Command_new_Click();
    Timer2->stop();
    DrawnQuestionNo = 0;
    const QList<int> batch = training::ExerciseBatch::drawBatch(m_db, levelOnScreen());
    if (!batch.isEmpty())
        DrawnQuestionNo = batch.back();
    requeryQuestions();
    Frame_put->show();
    Command6_Click();
}

void Form5::Command6_Click() {
    const training::QuestionStepper::Step step = training::QuestionStepper::press(m_db);
    if (!step.caption.isEmpty())
        Command6->setText(step.caption);
    if (!step.visible) {
        // Nothing left to load: the question in hand and its answer stay.
        Command6->hide();
        platform::FocusReturn::to(DBGrid1);
        return;
    }
    if (step.loaded)
        showLoaded(*step.loaded);
}

void Form5::DBGrid_put_DblClick() {
    const QModelIndex current = DBGrid_put->currentIndex();
    if (!current.isValid())
        return;
    const int n = Data3->index(current.row(), 0).data().toInt();
    showLoaded(training::ExerciseQuestion::load(m_db, n));
}

void Form5::showLoaded(const training::LoadedQuestion& q) {
    Text_sum->clear();
    Text_sum1->clear();
    Timer2->start(IdleDrawInterval);
    if (q.found) {
        Text_case_no->setText(QString::number(q.case_no));
        Text_case_name->setText(q.case_name);
        Text_deth_name->setText(q.deth_name);
        Text_case_no_appeare->setText(QString::number(q.case_no));
        Text2->setText(QString::number(q.case_level));
        showIssuingBody(!q.issuingBody.isEmpty() && q.issuingBody != entry::Texts::NoIssuingBody);
    }
    m_heirs->reload(QStringLiteral("order by ar"));
    requeryNames();
    if (q.found) {
        Text_DATA_ENTRY_NAME->setEditText(q.preparer);
        Text_ADRESS_ENTRY_NAME->setEditText(q.issuingBody);
    }
    requeryQuestions();
    RELATION_SUM();
    if (List_SHARE_AMOUNT_ERROR->count() == 0)
        Frame_SHARE_AMOUNT_ERROR->hide();
    DBGrid1->setFocus(Qt::OtherFocusReason);
    if (m_heirs->rowCount() > 0)
        DBGrid1->setCurrentIndex(m_heirs->index(0, 0));
}

void Form5::Timer2_Timer() {
    DrawnQuestionNo = platform::RandomGenerator::draw(115);
}

} // namespace exercise
