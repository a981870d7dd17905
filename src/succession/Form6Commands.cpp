// Form6's commands: a new chain, the run, the notes, and the preparer and issuing-body lists.
#include "succession/Form6.h"

#include "entry/EntryTexts.h"
#include "entry/EntryWidgets.h"
#include "entry/NameLists.h"
#include "platform/MessageService.h"
#include "succession/ChainGridModel.h"
#include "succession/ChainRename.h"
#include "succession/ChainRun.h"
#include "succession/StoredChains.h"
#include "succession/SuccessionTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTextBrowser>
#include <QTimer>

namespace succession {

namespace {

using Column = ChainGridModel::Column;
namespace ET = entry::Texts;
using NameList = entry::NameLists::List;
using namespace entry::EntryWidgets;

} // namespace

void Form6::Command_new_Click() {
    m_db.transaction([this] {
        for (const char* table : {"DETH", "WARITH_DUBLE", "MUNASKA_TEMP", "CHECK_NAME"})
            m_db.execute(QStringLiteral("delete from %1").arg(QLatin1String(table)));
    });
    Check_add_warith->setChecked(false);
    Text_deth_no_ind->clear();
    Text_deth_name_ind->clear();
    refill(DBList_deth_name, {});
    hideLists();
    RichTextBox2->hide();
    m_chain->reload();
    Text_case_name->clear();
    Text_case_no->clear();
    Text_case_no_appeare->clear();
    Text_DATA_ENTRY_NAME->setEditText(QString());
    DBList_deth_name->setEditText(QString());
    requeryStoredChains(StoredChains::all());
    showList(DBList_deth_name);
}

void Form6::Check_add_warith_Click() {
    if (Check_add_warith->isChecked() && Text_deth_no_ind->text().isEmpty()) {
        Check_add_warith->setChecked(false);
        refuse(Texts::ChooseDeceased, Check_add_warith);
    }
}

void Form6::Command13_Click() {
    RichTextBox2->show();
}

void Form6::Command6_Click() {
    m_db.transaction([this] { ChainRun::copy(m_db); });
}

void Form6::Command5_Click() {
    if (!saveCurrentRow())
        return;
    const ChainRow line = currentLine();
    const int column =
        DBGrid3->currentIndex().isValid() ? DBGrid3->currentIndex().column() : int(Column::Relation);
    m_chain->reload();
    const int row = line.stored() ? m_chain->rowOf(line.ar) : m_chain->entryRow();
    goTo(row < 0 ? m_chain->entryRow() : row, column);
}

void Form6::Command1_Click() {
    QWidget* from = QApplication::focusWidget();
    // A cell still being edited is taken (or refused) before the chain is read. A refused cell has
    // had its message: the user corrects it first, and hears nothing more of this press.
    const int refusalsBefore = m_cellRefusals;
    if (from && from != DBGrid3 && within(DBGrid3, from))
        Command1->setFocus(Qt::OtherFocusReason);
    if (m_cellRefusals != refusalsBefore)
        return;
    if (!saveCurrentRow())
        return;
    const ChainHeader header{Text_case_name->text(), Text_case_no->text(),
                             Text_DATA_ENTRY_NAME->currentText().trimmed(),
                             Text_ADRESS_ENTRY_NAME->currentText().trimmed()};
    QString refused;
    m_db.transaction([&] { refused = ChainRun::run(m_db, header, m_host); });
    if (!refused.isEmpty()) {
        refuse(refused, focusAfter(refused, from && from->window() == this ? from : Command1));
        return;
    }
    leave();
}

void Form6::Timer16_Timer() {
    const QString caption = Command1->text();
    if (caption == ET::RunCaption)
        Command1->setText(ET::RunStep1);
    else if (caption == ET::RunStep1)
        Command1->setText(ET::RunStep2);
    else if (caption == ET::RunStep2)
        Command1->setText(ET::RunStep3);
    else if (caption == ET::RunStep3)
        Command1->setText(ET::RunStep4);
    else if (caption == ET::RunStep4) {
        Command1->setText(ET::RunCaption);
        Timer16->stop();
    }
}

void Form6::Command14_Click() {
    if (!saveCurrentRow())
        return;
    const ChainRow line = currentLine();
    const QString name = platform::MessageService::input(Texts::RenameHeirPrompt, line.heirName);
    ChainRename::Outcome outcome;
    m_db.transaction([&] { outcome = ChainRename::renameHeir(m_db, line.heirName, name); });
    if (!outcome.message.isEmpty())
        refuse(outcome.message, DBGrid3);
    if (!outcome.changed)
        return;
    if (Text_deth_name_ind->text() == line.heirName)
        Text_deth_name_ind->setText(name.trimmed());
    Command5_Click();
}

void Form6::Command15_Click() {
    if (!saveCurrentRow())
        return;
    const ChainRow line = currentLine();
    if (!ChainRename::isFirstDeceasedRow(m_db, line)) {
        refuse(Texts::FirstDeceasedOnly, DBGrid3);
        return;
    }
    const QString name = platform::MessageService::input(Texts::RenameFirstPrompt, line.deceasedName);
    ChainRename::Outcome outcome;
    m_db.transaction([&] { outcome = ChainRename::renameFirstDeceased(m_db, line, name); });
    if (!outcome.message.isEmpty())
        refuse(outcome.message, DBGrid3);
    if (!outcome.changed)
        return;
    if (Text_deth_name_ind->text() == line.deceasedName)
        Text_deth_name_ind->setText(name.trimmed());
    Command5_Click();
}

void Form6::requeryPreparers() {
    refill(Text_DATA_ENTRY_NAME, entry::NameLists::names(m_db, NameList::Preparers));
}

void Form6::requeryIssuingBodies() {
    refill(Text_ADRESS_ENTRY_NAME, entry::NameLists::names(m_db, NameList::IssuingBodies));
}

void Form6::keepHeader(NameList list, const QString& name) {
    m_db.transaction([&] {
        if (!name.isEmpty())
            entry::NameLists::add(m_db, list, name);
        ChainRun::stampHeader(m_db, Text_DATA_ENTRY_NAME->currentText().trimmed(),
                              Text_ADRESS_ENTRY_NAME->currentText().trimmed());
    });
    if (list == NameList::Preparers)
        requeryPreparers();
    else
        requeryIssuingBodies();
}

void Form6::Text_DATA_ENTRY_NAME_LostFocus() {
    keepHeader(NameList::Preparers, Text_DATA_ENTRY_NAME->currentText().trimmed());
}

void Form6::Text_ADRESS_ENTRY_NAME_LostFocus() {
    keepHeader(NameList::IssuingBodies, Text_ADRESS_ENTRY_NAME->currentText().trimmed());
}

void Form6::Command4_Click() {
    // The caption decides, whatever the frame shows.
    if (Command4->text() == ET::AddIssuingBody) {
        Command4->setText(ET::RemoveIssuingBody);
        FrameADRESS->show();
        Text_ADRESS_ENTRY_NAME->setFocus(Qt::OtherFocusReason);
    } else {
        m_db.transaction([this] { entry::NameLists::add(m_db, NameList::IssuingBodies, ET::NoIssuingBody); });
        FrameADRESS->hide();
        Text_ADRESS_ENTRY_NAME->setEditText(ET::NoIssuingBody);
        requeryIssuingBodies();
        Command4->setText(ET::AddIssuingBody);
    }
}

void Form6::Command9_Click() {
    m_db.transaction([this] { entry::NameLists::removeAll(m_db, NameList::Preparers); });
    requeryPreparers();
}

void Form6::Command12_Click() {
    const QString name = Text_DATA_ENTRY_NAME->currentText().trimmed();
    m_db.transaction([&] { entry::NameLists::remove(m_db, NameList::Preparers, name); });
    requeryPreparers();
}

void Form6::Command10_Click() {
    m_db.transaction([this] { entry::NameLists::removeAll(m_db, NameList::IssuingBodies); });
    requeryIssuingBodies();
}

void Form6::Command11_Click() {
    const QString name = Text_ADRESS_ENTRY_NAME->currentText().trimmed();
    m_db.transaction([&] { entry::NameLists::remove(m_db, NameList::IssuingBodies, name); });
    requeryIssuingBodies();
}

} // namespace succession
