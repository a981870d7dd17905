#pragma once

#include "data/Database.h"
#include "succession/ChainRow.h"

#include <QAbstractTableModel>

#include <functional>
#include <optional>
#include <vector>

namespace succession {

// The chain grid's rows: MUNASKA_TEMP in the grid's order, then a new line for the next row. A
// changed row is held here until it is saved as a whole (the row rules judge the whole row), or
// dropped. Saved rows stay where they stand until the rows are read again, so heirs added to an
// earlier deceased show at the bottom until the chain is regrouped.
class ChainGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { CaseNo, Relation, HeirName, DeceasedName, Status, Arrange, Ar, ColumnCount };

    explicit ChainGridModel(data::Database db, QObject* parent = nullptr);

    // Asked before a typed cell is taken, with its text trimmed where it is a name; it may give
    // the text the spelling to keep. False keeps the cell as it was.
    std::function<bool(int row, int column, QString& text)> beforeColUpdate;
    // Told after a typed cell was taken.
    std::function<void(int row, int column)> afterColUpdate;
    // Asked before a changed row is written; it may fill in cells. False: the row stays changed.
    std::function<bool(ChainRow& row)> beforeUpdate;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The row as the grid shows it, changes not yet saved included.
    ChainRow line(int row) const;
    QString cell(int row, int column) const;
    int storedRows() const { return static_cast<int>(m_rows.size()); }
    int entryRow() const { return storedRows(); }
    bool isEntryRow(int row) const { return row == entryRow(); }
    int rowOf(qint64 ar) const;

    // A cell written as the program's own step, without beforeColUpdate.
    void writeCell(int row, int column, const QString& text);
    bool hasChanges() const { return m_changed.has_value(); }
    int changedRow() const { return m_changed ? m_changed->first : -1; }
    // Saves the changed row; true when there was none or it was saved. A row refused by the
    // rules stays changed.
    bool saveRow();
    void dropChanges();

    // Deletes a saved row (the rules are the caller's); false when it stays.
    bool removeStored(int row);
    // Reads the rows again, dropping any change.
    void reload();

private:
    static QString value(const ChainRow& row, int column);
    static void setValue(ChainRow& row, int column, const QString& text);
    void emitRow(int row);

    data::Database m_db;
    std::vector<ChainRow> m_rows;
    std::optional<std::pair<int, ChainRow>> m_changed;
};

} // namespace succession
