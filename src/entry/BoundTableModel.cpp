#include "entry/BoundTableModel.h"

#include <utility>

namespace entry {

BoundTableModel::BoundTableModel(data::Database db, QString table, std::vector<Column> columns, QString order,
                                 QObject* parent)
    : QAbstractTableModel(parent), m_db(std::move(db)), m_table(std::move(table)),
      m_columns(std::move(columns)), m_order(std::move(order)) {
    reload();
}

int BoundTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : storedRows() + (m_entryShown ? 1 : 0);
}

int BoundTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant BoundTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return cell(index.row(), index.column());
}

QVariant BoundTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < columnCount() ? m_columns[section].caption : QVariant();
    // The record selectors: only the entry row is marked.
    return isEntryRow(section) ? QStringLiteral("*") : QString();
}

Qt::ItemFlags BoundTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QString BoundTableModel::cell(int row, int column) const {
    if (row < 0 || row >= storedRows() || column < 0 || column >= columnCount())
        return {};
    return m_rows[row].values.value(column);
}

bool BoundTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const QString text = readText ? readText(index.column(), value.toString()) : value.toString();
    if (beforeColUpdate && !beforeColUpdate(index.row(), index.column(), text))
        return false;
    write(index.row(), index.column(), text);
    return true;
}

void BoundTableModel::writeCell(int row, int column, const QString& text) {
    if (row < 0 || row > storedRows() || column < 0 || column >= columnCount())
        return;
    write(row, column, text);
}

void BoundTableModel::write(int row, int column, const QString& text) {
    // Those told of the change read the table: it is written before they are told.
    const bool adding = isEntryRow(row);
    const QString& field = m_columns[column].field;
    qint64 key = adding ? 0 : m_rows[row].key;
    m_db.transaction([&] {
        if (beforeUpdate)
            beforeUpdate();
        // Names of tables and columns are the program's own; only the values are bound.
        if (!adding) {
            m_db.execute(QStringLiteral("update %1 set %2 = ? where rowid = ?").arg(m_table, field),
                         {text, key});
            return;
        }
        m_db.execute(QStringLiteral("insert into %1 (%2) values (?)").arg(m_table, field), {text});
        key = m_db.scalar(QStringLiteral("select last_insert_rowid()")).toLongLong();
    });
    if (!adding) {
        m_rows[row].values[column] = text;
        emit dataChanged(index(row, column), index(row, column));
        return;
    }
    QStringList values;
    for (int c = 0; c < columnCount(); ++c)
        values << (c == column ? text : QString());
    // The entry row becomes a stored row in place, so a cursor on it stays with it, and a new
    // entry row follows.
    m_entryShown = false;
    m_rows.push_back({key, values});
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    emit headerDataChanged(Qt::Vertical, row, row);
    beginInsertRows({}, row + 1, row + 1);
    m_entryShown = true;
    endInsertRows();
}

bool BoundTableModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count <= 0 || row + count > storedRows())
        return false;
    m_db.transaction([&] {
        for (int r = row; r < row + count; ++r)
            m_db.execute(QStringLiteral("delete from %1 where rowid = ?").arg(m_table), {m_rows[r].key});
    });
    beginRemoveRows({}, row, row + count - 1);
    m_rows.erase(m_rows.begin() + row, m_rows.begin() + row + count);
    endRemoveRows();
    if (afterDelete)
        afterDelete();
    return true;
}

void BoundTableModel::reload(const QString& order) {
    m_order = order;
    reload();
}

void BoundTableModel::reload() {
    QStringList fields;
    for (const Column& c : m_columns)
        fields << c.field;
    const data::Rows rows = m_db.select(QStringLiteral("select rowid, %1 from %2 %3")
                                            .arg(fields.join(QStringLiteral(", ")), m_table, m_order));
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(rows.size());
    for (const QSqlRecord& r : rows) {
        Row row{r.value(0).toLongLong(), {}};
        for (int c = 0; c < columnCount(); ++c)
            row.values << r.value(c + 1).toString();
        m_rows.push_back(std::move(row));
    }
    endResetModel();
}

} // namespace entry
