// Form12's heirs grid: the typed-cell checks, its keys and the relation pick list over it.
#include "entry/Form12.h"

#include "entry/BoundTableModel.h"
#include "entry/EntryWidgets.h"
#include "entry/RelationSpelling.h"
#include "platform/MessageService.h"
#include "platform/widgets/FocusReturn.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <QTextBrowser>

#include <algorithm>
#include <functional>

namespace entry {

using namespace EntryWidgets;

namespace {

// Shows each message of a relation check; whether the check accepted.
bool told(const RelationRules::Verdict& verdict) {
    for (const QString& message : verdict.messages)
        platform::MessageService::show(message, platform::MessageIcon::Critical);
    return verdict.accepted();
}

} // namespace

bool Form12::typedCellAccepted(int row, int column, const QString& text) {
    const RelationRules::Verdict verdict = column == 0
                                               ? RelationRules::typedCell(m_db, text)
                                               : RelationRules::nameChanged(m_db, m_heirs->cell(row, 0));
    if (!told(verdict)) {
        ++m_cellRefusals;
        // The user corrects the refused cell next, not whatever took the focus meanwhile.
        platform::FocusReturn::toCell(DBGrid1, row, column);
    }
    return verdict.accepted();
}

void Form12::moveToHeirs() {
    DBGrid1->setFocus(Qt::OtherFocusReason);
    const int row = DBGrid1->currentIndex().isValid() ? DBGrid1->currentIndex().row() : 0;
    DBGrid1->setCurrentIndex(m_heirs->index(row, 1));
}

void Form12::showPickList() {
    const QModelIndex current = DBGrid1->currentIndex();
    const int width = qMax(DBGrid1->columnWidth(0), 180);
    const int columnLeft =
        DBGrid1->viewport()->mapTo(Frame_case_details, QPoint(DBGrid1->columnViewportPosition(0), 0)).x();
    const int left =
        layoutDirection() == Qt::RightToLeft ? columnLeft + DBGrid1->columnWidth(0) - width : columnLeft;
    // The list opens over the cell it is for: the relation typed into it stands where the cell is.
    const int rowTop = current.isValid() ? DBGrid1->rowViewportPosition(current.row()) : 0;
    const int top = DBGrid1->viewport()->mapTo(Frame_case_details, QPoint(0, rowTop)).y();
    m_pickListTop = top;
    DBList_relation->setGeometry(left, top, width, DBList_relation->sizeHint().height());
    DBList_relation->show();
    DBList_relation->raise();
    RichTextBox1->show();
    DBList_relation->setFocus(Qt::OtherFocusReason);
    // The list opens on the text it last held; a relation typed now replaces it rather than
    // being added to its end.
    DBList_relation->lineEdit()->selectAll();
}

void Form12::openPickListWith(const QString& typed) {
    showPickList();
    DBList_relation->setEditText(typed);
    DBList_relation->lineEdit()->end(false);
}

void Form12::hidePickList() {
    DBList_relation->hide();
    RichTextBox1->hide();
}

void Form12::placePickList(const QPoint& pos) {
    const int row = DBGrid1->rowAt(pos.y());
    if (row < 0 || DBGrid1->columnAt(pos.x()) < 0)
        return;
    const int rowBottom = DBGrid1->rowViewportPosition(row) + DBGrid1->rowHeight(row);
    m_pickListTop = DBGrid1->viewport()->mapTo(Frame_case_details, QPoint(0, rowBottom)).y();
    DBList_relation->move(DBList_relation->x(), m_pickListTop);
}

void Form12::ADD_RELATION() {
    const QString relation = RelationSpelling::listSpelling(m_db, DBList_relation->currentText());
    const RelationRules::Verdict verdict = RelationRules::pickList(m_db, relation);
    if (!verdict.accepted()) {
        platform::MessageService::show(verdict.messages.front(), platform::MessageIcon::Critical);
        DBList_relation->setFocus(Qt::OtherFocusReason);
        platform::FocusReturn::to(DBList_relation);
        return;
    }
    DBGrid1->setFocus(Qt::OtherFocusReason);
    const QModelIndex current = DBGrid1->currentIndex();
    const int row = current.isValid() ? current.row() : m_heirs->storedRows();
    m_heirs->writeCell(row, 0, relation);
    hidePickList();
    // On to the heir's name when it is still missing, else to the next heir's.
    const int next = m_heirs->cell(row, 1).isEmpty() ? row : qMin(row + 1, m_heirs->rowCount() - 1);
    DBGrid1->setCurrentIndex(m_heirs->index(next, 1));
    CaseHandOver::stampDeceased(m_db, Text_deth_name->text());
}

bool Form12::gridKey(QKeyEvent* event) {
    const QModelIndex current = DBGrid1->currentIndex();
    if (isEnter(event)) {
        const int row = current.isValid() ? current.row() : m_heirs->storedRows();
        if (m_heirs->cell(row, 0).isEmpty() && m_heirs->cell(row, 1).isEmpty())
            Text_DATA_ENTRY_NAME->setFocus(Qt::OtherFocusReason);
        else if (DBList_relation->isVisibleTo(this))
            ADD_RELATION();
        return true;
    }
    // The keyboard's click on the record selector.
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::ShiftModifier) {
        if (current.isValid())
            selectWholeRow(DBGrid1, current.row());
        return true;
    }
    if (event->key() == Qt::Key_F5 || event->key() == Qt::Key_F4) {
        if (current.isValid() && current.column() == 0)
            showPickList();
        return true;
    }
    if (event->key() == Qt::Key_Delete) {
        QList<int> rows;
        for (const QModelIndex& index : DBGrid1->selectionModel()->selectedRows())
            if (!m_heirs->isEntryRow(index.row()))
                rows << index.row();
        if (rows.isEmpty())
            return false;
        std::sort(rows.begin(), rows.end(), std::greater<>());
        for (int row : rows)
            m_heirs->removeRows(row, 1);
        return true;
    }
    return false;
}

} // namespace entry
