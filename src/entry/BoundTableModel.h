#pragma once

#include "data/Database.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>
#include <vector>

namespace entry {

// A grid's rows straight from one table of the case database, with an empty row at the bottom
// for a new entry. Every accepted cell is written at once, so the checks that count rows through
// the same connection see exactly what the grid shows: the rows already entered, and not the
// one that is still being added.
class BoundTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString field;
        QString caption;
    };

    // `order` is the clause that orders the rows ("order by ar"); the rows are keyed by rowid.
    BoundTableModel(data::Database db, QString table, std::vector<Column> columns, QString order,
                    QObject* parent = nullptr);

    // A changed cell's text as the grid takes it (for example a relation in the list's spelling);
    // unset: as typed. Runs before beforeColUpdate, which sees the result.
    std::function<QString(int column, const QString& text)> readText;
    // Asked before a changed cell is taken: false keeps the old value. The row is that of the
    // cell; the new entry row counts as a row too.
    std::function<bool(int row, int column, const QString& text)> beforeColUpdate;
    // Runs before a row is written (inserted or updated).
    std::function<void()> beforeUpdate;
    // Runs after rows were deleted by the user.
    std::function<void()> afterDelete;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A user's edit: passes beforeColUpdate, then is written.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    // Deletes stored rows; the entry row cannot be deleted.
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

    // Writes a cell as the program's own step, without beforeColUpdate.
    void writeCell(int row, int column, const QString& text);
    QString cell(int row, int column) const;
    // Rows read from the table (the entry row not counted).
    int storedRows() const { return static_cast<int>(m_rows.size()); }
    bool isEntryRow(int row) const { return m_entryShown && row == storedRows(); }

    // Reads the rows again; `order` replaces the ordering clause (empty:
    // table order).
    void reload();
    void reload(const QString& order);

private:
    struct Row {
        qint64 key; // 0: the entry row, not in the table yet
        QStringList values;
    };
    void write(int row, int column, const QString& text);

    data::Database m_db;
    QString m_table;
    std::vector<Column> m_columns;
    QString m_order;
    std::vector<Row> m_rows;
    bool m_entryShown = true;
};

} // namespace entry
