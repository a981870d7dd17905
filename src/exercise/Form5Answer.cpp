// Form5's answer: the learner's shares summed, the heir types listed, and the hand-in.
#include "exercise/Form5.h"

#include "entry/BoundTableModel.h"
#include "entry/EntryWidgets.h"
#include "platform/MessageService.h"
#include "platform/widgets/FocusReturn.h"
#include "training/AnswerHandIn.h"
#include "training/AnswerSums.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>

namespace exercise {

using namespace entry::EntryWidgets;

void Form5::GET_SUM() {
    const QString total = training::AnswerSums::total(m_db);
    Text_sum->setText(total);
    Text_sum1->setText(total);
}

void Form5::RELATION_SUM() {
    const QStringList types = training::AnswerSums::relationSummary(m_db);
    List_SHARE_AMOUNT_ERROR->clear();
    if (types.isEmpty())
        return;
    Frame_SHARE_AMOUNT_ERROR->show();
    List_SHARE_AMOUNT_ERROR->addItems(types);
}

bool Form5::takeCellInHand() {
    // A share still being typed is taken, or refused with its message, before the answer is read:
    // the learner corrects it rather than see the answer go without it.
    const int refusalsBefore = m_shareRefusals;
    if (QWidget* editor = QApplication::focusWidget(); editor != DBGrid1 && within(DBGrid1, editor))
        DBGrid1->setFocus(Qt::OtherFocusReason);
    return m_shareRefusals == refusalsBefore;
}

void Form5::Command1_Click() {
    if (m_leaving || !takeCellInHand())
        return;
    m_heirs->reload();
    QString message;
    const int questionNo =
        training::AnswerHandIn::questionNumber(m_db, Text_case_no->text().trimmed().toInt());
    if (!training::AnswerHandIn::handIn(m_db, questionNo, Text_deth_name->text(), Text_case_name->text(),
                                        message)) {
        platform::MessageService::show(message, platform::MessageIcon::Critical);
        platform::FocusReturn::to(DBGrid1);
        return;
    }
    m_host.Text_deth_name = Text_deth_name->text();
    m_host.Text_case_no = questionNo != 0 ? QString::number(questionNo) : QString();
    emit handedIn();
    leave();
}

} // namespace exercise
