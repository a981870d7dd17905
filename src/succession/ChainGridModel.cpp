#include "succession/ChainGridModel.h"

#include "succession/ChainTable.h"
#include "succession/SuccessionTexts.h"

#include "entry/EntryTexts.h"

namespace succession {

ChainGridModel::ChainGridModel(data::Database db, QObject* parent)
    : QAbstractTableModel(parent), m_db(std::move(db)) {
    reload();
}

int ChainGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : storedRows() + 1;
}

int ChainGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString ChainGridModel::value(const ChainRow& row, int column) {
    switch (column) {
    case CaseNo:
        return row.caseNo;
    case Relation:
        return row.relation;
    case HeirName:
        return row.heirName;
    case DeceasedName:
        return row.deceasedName;
    case Status:
        return row.status;
    case Arrange:
        return row.arrange;
    case Ar:
        return row.stored() ? QString::number(row.ar) : QString();
    default:
        return {};
    }
}

void ChainGridModel::setValue(ChainRow& row, int column, const QString& text) {
    switch (column) {
    case Relation:
        row.relation = text;
        break;
    case HeirName:
        row.heirName = text;
        break;
    case DeceasedName:
        row.deceasedName = text;
        break;
    case Status:
        row.status = text;
        break;
    case Arrange:
        row.arrange = text;
        break;
    default:
        break;
    }
}

ChainRow ChainGridModel::line(int row) const {
    if (m_changed && m_changed->first == row)
        return m_changed->second;
    if (row >= 0 && row < storedRows())
        return m_rows[row];
    return {};
}

QString ChainGridModel::cell(int row, int column) const {
    return value(line(row), column);
}

int ChainGridModel::rowOf(qint64 ar) const {
    for (int r = 0; r < storedRows(); ++r)
        if (m_rows[r].ar == ar)
            return r;
    return -1;
}

QVariant ChainGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return cell(index.row(), index.column());
}

QVariant ChainGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section == changedRow() ? QStringLiteral("✎")
               : isEntryRow(section)   ? QStringLiteral("*")
                                       : QString();
    switch (section) {
    case CaseNo:
        return QStringLiteral("case_no");
    case Relation:
        return entry::Texts::RelationColumn;
    case HeirName:
        return entry::Texts::HeirNameColumn;
    case DeceasedName:
        return Texts::DeceasedColumn;
    case Status:
        return Texts::StatusColumn;
    case Arrange:
        return QStringLiteral("arrange");
    case Ar:
        return QStringLiteral("ar");
    default:
        return {};
    }
}

Qt::ItemFlags ChainGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() >= Relation && index.column() <= Status)
        f |= Qt::ItemIsEditable;
    return f;
}

bool ChainGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    QString text = value.toString();
    if (index.column() == HeirName || index.column() == DeceasedName)
        text = text.trimmed();
    if (beforeColUpdate && !beforeColUpdate(index.row(), index.column(), text))
        return false;
    writeCell(index.row(), index.column(), text);
    if (afterColUpdate)
        afterColUpdate(index.row(), index.column());
    return true;
}

void ChainGridModel::writeCell(int row, int column, const QString& text) {
    if (row < 0 || row > storedRows() || column < 0 || column >= ColumnCount)
        return;
    // One changed row at a time: a change to another row is only made once this one is settled.
    if (m_changed && m_changed->first != row)
        return;
    if (!m_changed)
        m_changed.emplace(row, line(row));
    setValue(m_changed->second, column, text);
    emitRow(row);
}

bool ChainGridModel::saveRow() {
    if (!m_changed)
        return true;
    ChainRow row = m_changed->second;
    if (beforeUpdate && !beforeUpdate(row))
        return false;
    const int at = m_changed->first;
    const bool stored = row.stored();
    m_db.transaction([&] {
        if (stored)
            ChainTable::update(m_db, row);
        else
            ChainTable::insert(m_db, row);
    });
    if (stored) {
        m_rows[at] = row;
        m_changed.reset();
        emitRow(at);
        return true;
    }
    m_changed.reset();
    // The new line becomes a saved row in place, so a cursor on it stays with it, and a new line
    // follows.
    beginInsertRows({}, at + 1, at + 1);
    m_rows.push_back(row);
    endInsertRows();
    emitRow(at);
    return true;
}

void ChainGridModel::dropChanges() {
    if (!m_changed)
        return;
    const int at = m_changed->first;
    m_changed.reset();
    emitRow(at);
}

bool ChainGridModel::removeStored(int row) {
    if (row < 0 || row >= storedRows())
        return false;
    m_db.transaction([&] { ChainTable::remove(m_db, m_rows[row].ar); });
    if (m_changed && m_changed->first == row)
        m_changed.reset();
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
    if (m_changed && m_changed->first > row)
        --m_changed->first;
    return true;
}

void ChainGridModel::reload() {
    beginResetModel();
    m_changed.reset();
    m_rows.clear();
    for (const ChainRow& r : ChainTable::rows(m_db))
        m_rows.push_back(r);
    endResetModel();
}

void ChainGridModel::emitRow(int row) {
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    emit headerDataChanged(Qt::Vertical, row, row);
}

} // namespace succession
