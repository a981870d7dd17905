// Form6's deceased and heir-name lists: the next deceased accepted, a heir's name and relation.
#include "succession/Form6.h"

#include "entry/EntryWidgets.h"
#include "entry/RelationSpelling.h"
#include "succession/ChainGridModel.h"
#include "succession/ChainRelations.h"
#include "succession/ChainRename.h"
#include "succession/ChainRowRules.h"
#include "succession/ChainTable.h"
#include "succession/DeceasedNameBox.h"
#include "succession/NextDeceased.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTextBrowser>

namespace succession {

namespace {

using Column = ChainGridModel::Column;
using namespace entry::EntryWidgets;

} // namespace

void Form6::GET_NAMES_TO_DBLIST_WARITH_NAMES() {
    RichTextBox2->show();
    QStringList names;
    m_db.transaction([&] { names = NextDeceased::candidates(m_db); });
    refill(DBList_deth_name, names);
    showList(DBList_deth_name);
}

void Form6::GET_NAMES_TO_DBLIST_WARITH_NAMES_WARITH() {
    RichTextBox2->show();
    const ChainRow line = currentLine();
    PreviousHeirName = line.heirName;
    QStringList names;
    m_db.transaction([&] {
        names = NextDeceased::heirNames(m_db, ChainRowRules::deceasedOf(line, Text_deth_no_ind->text()));
    });
    refill(DBCombo_w_name, names);
    DBCombo_w_name->setEditText(line.heirName);
    showList(DBCombo_w_name);
}

void Form6::DBList_deth_name_Accept() {
    acceptDeceased(DBList_deth_name->currentText(), DBList_deth_name);
}

void Form6::acceptDeceased(const QString& typed, QWidget* back) {
    const int row = currentRow();
    const ChainRow line = m_chain->line(row);
    NextDeceased::Acceptance a;
    m_db.transaction(
        [&] { a = NextDeceased::accept(m_db, typed, line.stored() && !line.arrange.isEmpty()); });
    if (!a.accepted) {
        if (!a.message.isEmpty())
            refuse(a.message, back);
        return;
    }
    // A heir typed on the new line before the first deceased was chosen could never be saved: he
    // waits there for him, the deceased takes the line, and the heir follows on the next one.
    ChainRow waiting;
    const bool heirWaiting = m_deceasedBox->typeable() && !line.stored() && m_chain->changedRow() == row &&
                             line.deceasedName.isEmpty() &&
                             (!line.relation.isEmpty() || !line.heirName.isEmpty());
    if (heirWaiting) {
        waiting = line;
        m_chain->dropChanges();
    }
    DBGrid3->setFocus(Qt::OtherFocusReason);
    DBList_deth_name->hide();
    RichTextBox2->hide();
    const QString previousArrange = Text_deth_no_ind->text();
    const QString previousName = Text_deth_name_ind->text();
    const bool previousAdding = Check_add_warith->isChecked();
    m_chain->writeCell(row, Column::DeceasedName, a.name);
    Text_deth_no_ind->setText(QString::number(a.arrange));
    Text_deth_name_ind->setText(a.name);
    Check_add_warith->setChecked(true);
    if (saveCurrentRow()) {
        // He is taken: the list, opened again for the next deceased, does not offer him as typed.
        DBList_deth_name->setEditText(QString());
        nextLine();
        if (heirWaiting) {
            const int entry = m_chain->entryRow();
            m_chain->writeCell(entry, Column::Relation, waiting.relation);
            m_chain->writeCell(entry, Column::HeirName, waiting.heirName);
            afterCellWritten(entry);
        }
        return;
    }
    // Without his row he is no deceased: heirs typed next would belong to nobody.
    m_chain->writeCell(row, Column::DeceasedName, QString());
    if (heirWaiting) {
        m_chain->writeCell(row, Column::Relation, waiting.relation);
        m_chain->writeCell(row, Column::HeirName, waiting.heirName);
    }
    Text_deth_no_ind->setText(previousArrange);
    Text_deth_name_ind->setText(previousName);
    Check_add_warith->setChecked(previousAdding);
}

// The side box takes the first deceased while the chain has none.
void Form6::updateDeceasedBox() {
    if (!m_deceasedBox)
        return;
    m_deceasedBox->setTypeable(
        m_db.count(QStringLiteral("select count(*) from MUNASKA_TEMP where deth_name <> ''")) == 0);
}

void Form6::DBCombo_w_name_Accept() {
    const QString name = DBCombo_w_name->currentText().trimmed();
    if (name.isEmpty())
        return;
    const int row = currentRow();
    const ChainRow line = m_chain->line(row);
    DBCombo_w_name->hide();
    RichTextBox2->hide();
    DBGrid3->setFocus(Qt::OtherFocusReason);
    if (line.stored() && !PreviousHeirName.isEmpty()) {
        switch (ChainRename::heirNamePicked(m_db, PreviousHeirName, name)) {
        case ChainRename::PickEffect::Nothing:
            return;
        case ChainRename::PickEffect::RenamedThroughout: {
            const int column = DBGrid3->currentIndex().column();
            m_chain->reload();
            goTo(m_chain->rowOf(line.ar), column);
            if (ChainTable::numeric(Text_deth_no_ind->text()) != 0 &&
                Text_deth_name_ind->text() == PreviousHeirName)
                Text_deth_name_ind->setText(name);
            PreviousHeirName = name;
            return;
        }
        case ChainRename::PickEffect::ThisRowOnly:
            break;
        }
    }
    m_chain->setData(m_chain->index(row, Column::HeirName), name);
}

void Form6::ADD_RELATION() {
    const QString relation = entry::RelationSpelling::listSpelling(m_db, DBList_relation->currentText());
    const int row = currentRow();
    const ChainRow line = m_chain->line(row);
    const auto verdict = ChainRelations::check(
        m_db, relation, ChainRowRules::deceasedOf(line, Text_deth_no_ind->text()), line.ar);
    if (!verdict.accepted()) {
        refuse(verdict.messages.front(), DBList_relation);
        return;
    }
    DBGrid3->setFocus(Qt::OtherFocusReason);
    m_chain->writeCell(row, Column::Relation, relation);
    DBList_relation->hide();
    RichTextBox1->hide();
    afterCellWritten(row);
}

} // namespace succession
