// Form5's question bank: storing, editing and deleting a question, and the new, empty question.
#include "exercise/Form5.h"

#include "entry/BoundTableModel.h"
#include "platform/MessageService.h"
#include "platform/widgets/FocusReturn.h"
#include "training/ExerciseAuthoring.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>

namespace exercise {

namespace {

training::ExerciseAuthoring::Fields fieldsOf(const QLineEdit* deceased, const QLineEdit* title,
                                             const QLineEdit* number, const QLineEdit* level,
                                             const QComboBox* preparer, const QComboBox* issuingBody) {
    return {deceased->text(), title->text(),           number->text(),
            level->text(),    preparer->currentText(), issuingBody->currentText()};
}

} // namespace

void Form5::Command_save_Click() {
    if (!takeCellInHand())
        return;
    QWidget* was = QApplication::focusWidget();
    training::ExerciseAuthoring::Fields fields = fieldsOf(Text_deth_name, Text_case_name, Text_case_no, Text2,
                                                          Text_DATA_ENTRY_NAME, Text_ADRESS_ENTRY_NAME);
    const training::ExerciseAuthoring::Outcome o = training::ExerciseAuthoring::store(m_db, fields);
    Text_case_name->setText(fields.title);
    m_heirs->reload();
    platform::MessageService::show(o.message, o.critical ? platform::MessageIcon::Critical
                                                         : platform::MessageIcon::None);
    if (o.done) {
        Text_case_no_appeare->setText(QString::number(o.number));
        platform::FocusReturn::to(Text_case_no_appeare);
    } else if (was) {
        platform::FocusReturn::to(was);
    }
}

void Form5::Command_edit_Click() {
    if (!takeCellInHand())
        return;
    QWidget* was = QApplication::focusWidget();
    const training::ExerciseAuthoring::Outcome o =
        training::ExerciseAuthoring::edit(m_db, fieldsOf(Text_deth_name, Text_case_name, Text_case_no, Text2,
                                                         Text_DATA_ENTRY_NAME, Text_ADRESS_ENTRY_NAME));
    m_heirs->reload(QStringLiteral("order by ar"));
    if (o.message.isEmpty())
        return;
    platform::MessageService::show(o.message, o.critical ? platform::MessageIcon::Critical
                                                         : platform::MessageIcon::None);
    if (was)
        platform::FocusReturn::to(was);
}

void Form5::Command_delete_Click() {
    if (Text_case_no->text().trimmed().isEmpty())
        return;
    QWidget* was = QApplication::focusWidget();
    if (!platform::MessageService::askYesNo(training::ExerciseAuthoring::deleteQuestion())) {
        if (was)
            platform::FocusReturn::to(was);
        return;
    }
    training::ExerciseAuthoring::Fields fields = fieldsOf(Text_deth_name, Text_case_name, Text_case_no, Text2,
                                                          Text_DATA_ENTRY_NAME, Text_ADRESS_ENTRY_NAME);
    const training::ExerciseAuthoring::Outcome o = training::ExerciseAuthoring::remove(m_db, fields);
    Text_case_name->setText(fields.title);
    m_heirs->reload(QStringLiteral("order by ar"));
    GET_SUM();
    platform::MessageService::show(o.message);
    if (was)
        platform::FocusReturn::to(was);
}

void Form5::Command_new_Click() {
    Frame_SHARE_AMOUNT_ERROR->hide();
    List_SHARE_AMOUNT_ERROR->clear();
    m_db.execute(QStringLiteral("delete from WARITH"));
    m_heirs->reload();
    Text_DATA_ENTRY_NAME->hidePopup();
    Text_ADRESS_ENTRY_NAME->hidePopup();
    Text_case_name->clear();
    Text_case_no->clear();
    Text_case_no_appeare->clear();
    Text_case_no_appeare->setFocus(Qt::OtherFocusReason);
    Text_sum->clear();
    Text_sum1->clear();
}

} // namespace exercise
