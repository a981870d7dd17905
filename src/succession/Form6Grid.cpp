// Form6's chain grid: rows, cell and row checks, its keys and the pick lists over it.
#include "succession/Form6.h"

#include "entry/EntryWidgets.h"
#include "entry/RelationSpelling.h"
#include "platform/MessageService.h"
#include "platform/widgets/FocusReturn.h"
#include "succession/ChainGridModel.h"
#include "succession/ChainRelations.h"
#include "succession/ChainRowRules.h"
#include "succession/ChainTable.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <QTextBrowser>
#include <QTimer>

namespace succession {

namespace {

using Column = ChainGridModel::Column;
using namespace entry::EntryWidgets;

} // namespace

int Form6::currentRow() const {
    const QModelIndex current = DBGrid3->currentIndex();
    return current.isValid() ? current.row() : m_chain->entryRow();
}

ChainRow Form6::currentLine() const {
    return m_chain->line(currentRow());
}

void Form6::goTo(int row, int column) {
    row = qBound(0, row, m_chain->entryRow());
    DBGrid3->setFocus(Qt::OtherFocusReason);
    DBGrid3->setCurrentIndex(m_chain->index(row, column));
}

void Form6::nextLine() {
    goTo(m_chain->entryRow(), Column::Relation);
}

bool Form6::saveCurrentRow() {
    if (!m_chain->hasChanges())
        return true;
    const int row = m_chain->changedRow();
    if (m_chain->saveRow())
        return true;
    goTo(row, DBGrid3->currentIndex().isValid() ? DBGrid3->currentIndex().column() : int(Column::Relation));
    return false;
}

void Form6::refuse(const QString& message, QWidget* back) {
    platform::MessageService::show(message, platform::MessageIcon::Critical);
    platform::FocusReturn::to(back);
}

bool Form6::cellAccepted(int row, int column, QString& text) {
    const ChainRow line = m_chain->line(row);
    QString refused;
    if (column == Column::HeirName && !text.isEmpty()) {
        refused = ChainRowRules::beforeHeirName(m_db, line, text, line.heirName, Text_deth_no_ind->text());
    } else if (column == Column::Relation && !text.isEmpty()) {
        text = entry::RelationSpelling::listSpelling(m_db, text);
        const auto verdict = ChainRelations::check(
            m_db, text, ChainRowRules::deceasedOf(line, Text_deth_no_ind->text()), line.ar);
        if (!verdict.accepted())
            refused = verdict.messages.front();
    } else if (column == Column::DeceasedName && !text.isEmpty() && m_chain->isEntryRow(row)) {
        // A new deceased enters by the next-deceased list alone, which gives him a place of his own.
        QTimer::singleShot(0, this, [this, text] {
            goTo(m_chain->entryRow(), Column::DeceasedName);
            GET_NAMES_TO_DBLIST_WARITH_NAMES();
            DBList_deth_name->setEditText(text);
            DBList_deth_name_Accept();
        });
        return false;
    }
    if (refused.isEmpty())
        return true;
    // The cell keeps its old value; a user who left the row for another is brought back to it.
    ++m_cellRefusals;
    platform::MessageService::show(refused, platform::MessageIcon::Critical);
    platform::FocusReturn::toCell(DBGrid3, row, column);
    return false;
}

bool Form6::rowAccepted(ChainRow& row) {
    const QString refused =
        ChainRowRules::beforeUpdate(m_db, row, Check_add_warith->isChecked(), Text_deth_no_ind->text());
    if (refused.isEmpty())
        return true;
    refuse(refused, DBGrid3);
    return false;
}

// After a cell was filled, a row that is whole is saved and the cursor goes on to what is missing
// or to the next line.
void Form6::afterCellWritten(int row) {
    if (m_chain->changedRow() != row)
        return;
    const ChainRow line = m_chain->line(row);
    // A user who left the grid by Tab goes on where he went: only the cursor moves.
    const bool inGrid = within(DBGrid3, QApplication::focusWidget());
    auto moveTo = [&](int r, int column) {
        if (inGrid)
            goTo(r, column);
        else
            DBGrid3->setCurrentIndex(m_chain->index(qBound(0, r, m_chain->entryRow()), column));
    };
    const bool heirRow = !line.relation.isEmpty() && !line.heirName.isEmpty();
    if (heirRow || !line.deceasedName.isEmpty()) {
        const bool newLine = m_chain->isEntryRow(row);
        if (!saveCurrentRow())
            return;
        if (newLine)
            moveTo(m_chain->entryRow(), Column::Relation);
        return;
    }
    if (!line.relation.isEmpty())
        moveTo(row, Column::HeirName);
    else if (!line.heirName.isEmpty())
        moveTo(row, Column::Relation);
}

// While no deceased is being given heirs, the current deceased is the one of the current row.
void Form6::followRow(int row) {
    if (Check_add_warith->isChecked())
        return;
    const QString arrange = m_chain->line(row).arrange;
    Text_deth_no_ind->setText(arrange);
    const data::Rows found = m_db.select(
        QStringLiteral("select deth_name from MUNASKA_TEMP where arrange = ? order by ar limit 1"),
        {ChainTable::numeric(arrange)});
    if (found.isEmpty())
        Text_deth_name_ind->clear();
    else if (const QString name = found.front().value(0).toString(); !name.isEmpty())
        Text_deth_name_ind->setText(name);
}

void Form6::deleteRow(int row) {
    if (!m_chain->line(row).stored()) {
        m_chain->dropChanges();
        return;
    }
    const ChainRow line = m_chain->line(row);
    if (const QString refused = ChainRowRules::beforeDelete(m_db, line); !refused.isEmpty()) {
        refuse(refused, DBGrid3);
        return;
    }
    if (!m_chain->removeStored(row))
        return;
    // Heirs typed after the current deceased's own row is gone would belong to nobody.
    if (!line.deceasedName.isEmpty() &&
        ChainTable::numeric(line.arrange) == ChainTable::numeric(Text_deth_no_ind->text())) {
        Text_deth_no_ind->clear();
        Text_deth_name_ind->clear();
        Check_add_warith->setChecked(false);
    }
    m_chain->reload();
    goTo(qMin(row, m_chain->entryRow()), Column::Relation);
}

bool Form6::gridKey(QKeyEvent* event) {
    const QModelIndex current = DBGrid3->currentIndex();
    const int column = current.isValid() ? current.column() : int(Column::Relation);
    const int row = currentRow();
    switch (event->key()) {
    case Qt::Key_Space:
        // The keyboard's click on the record selector.
        if (event->modifiers() != Qt::ShiftModifier)
            return false;
        entry::EntryWidgets::selectWholeRow(DBGrid3, row);
        return true;
    case Qt::Key_F4:
    case Qt::Key_F5:
        openColumnList(column);
        return true;
    case Qt::Key_Delete: {
        const QModelIndexList rows = DBGrid3->selectionModel()->selectedRows();
        if (!rows.isEmpty()) {
            deleteRow(rows.front().row());
            return true;
        }
        if (column == Column::Relation) {
            m_chain->writeCell(row, Column::Relation, QString());
            return true;
        }
        return false;
    }
    case Qt::Key_Escape:
        // A row the rules refuse is given up, as it was before the typing.
        if (m_chain->changedRow() == row) {
            m_chain->dropChanges();
            return true;
        }
        return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!m_chain->line(row).arrange.isEmpty()) {
            Text_DATA_ENTRY_NAME->setFocus(Qt::OtherFocusReason);
            return true;
        }
        return false;
    default:
        break;
    }
    return false;
}

bool Form6::typedInCell(int column, const QString& text) {
    const int row = currentRow();
    if (column == Column::Relation && m_chain->cell(row, Column::Relation).isEmpty()) {
        openColumnList(Column::Relation);
        DBList_relation->setEditText(text);
        DBList_relation->lineEdit()->end(false);
        return true;
    }
    if (column == Column::HeirName)
        RichTextBox2->show();
    if (column == Column::DeceasedName) {
        RichTextBox2->show();
        if (m_chain->cell(row, Column::DeceasedName).isEmpty()) {
            GET_NAMES_TO_DBLIST_WARITH_NAMES();
            DBList_deth_name->setEditText(text);
            DBList_deth_name->lineEdit()->end(false);
            return true;
        }
    }
    return false;
}

void Form6::openColumnList(int column) {
    switch (column) {
    case Column::DeceasedName:
        GET_NAMES_TO_DBLIST_WARITH_NAMES();
        break;
    case Column::HeirName:
        GET_NAMES_TO_DBLIST_WARITH_NAMES_WARITH();
        break;
    case Column::Relation:
        showList(DBList_relation);
        RichTextBox1->show();
        break;
    default:
        break;
    }
}

void Form6::showList(QComboBox* list) {
    const QModelIndex current = DBGrid3->currentIndex();
    const int column = list == DBList_relation  ? int(Column::Relation)
                       : list == DBCombo_w_name ? int(Column::HeirName)
                                                : int(Column::DeceasedName);
    const int width = qMax(DBGrid3->columnWidth(column), 180);
    const int columnLeft =
        DBGrid3->viewport()->mapTo(this, QPoint(DBGrid3->columnViewportPosition(column), 0)).x();
    const int left =
        layoutDirection() == Qt::RightToLeft ? columnLeft + DBGrid3->columnWidth(column) - width : columnLeft;
    int top = m_listTop;
    if (top < 0) {
        const int row = current.isValid() ? current.row() : m_chain->entryRow();
        const int rowBottom = DBGrid3->rowViewportPosition(row) + DBGrid3->rowHeight(row);
        top = DBGrid3->viewport()->mapTo(this, QPoint(0, qMax(rowBottom, 0))).y();
    }
    list->setGeometry(qMax(left, 0), top, width, list->sizeHint().height());
    list->show();
    list->raise();
    list->setFocus(Qt::OtherFocusReason);
    // What is typed now replaces the text the list held.
    list->lineEdit()->selectAll();
}

void Form6::hideLists() {
    DBList_deth_name->hide();
    DBCombo_w_name->hide();
    DBList_relation->hide();
    RichTextBox1->hide();
}

void Form6::placeLists(const QPoint& pos) {
    const int row = DBGrid3->rowAt(pos.y());
    if (row < 0 || DBGrid3->columnAt(pos.x()) < 0)
        return;
    const int rowBottom = DBGrid3->rowViewportPosition(row) + DBGrid3->rowHeight(row);
    m_listTop = DBGrid3->viewport()->mapTo(this, QPoint(0, rowBottom)).y();
    for (QComboBox* list : {DBList_deth_name, DBCombo_w_name, DBList_relation})
        list->move(list->x(), m_listTop);
}

} // namespace succession
