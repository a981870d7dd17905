#include "training/QuizAnswerModel.h"

#include <QSqlRecord>

namespace training {

QuizAnswerModel::QuizAnswerModel(data::Database db, QObject* parent)
    : QAbstractTableModel(parent), m_db(std::move(db)) {}

int QuizAnswerModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int QuizAnswerModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant QuizAnswerModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const Row& row = m_rows[static_cast<std::size_t>(index.row())];
    return index.column() == AnswerColumn ? row.answer : row.heir;
}

QVariant QuizAnswerModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == AnswerColumn)
        return QStringLiteral("الحصة");
    if (section == HeirColumn)
        return QStringLiteral("الوارث");
    return {};
}

Qt::ItemFlags QuizAnswerModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == AnswerColumn)
        f |= Qt::ItemIsEditable;
    return f;
}

bool QuizAnswerModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.column() != AnswerColumn ||
        index.row() >= rowCount())
        return false;
    Row& row = m_rows[static_cast<std::size_t>(index.row())];
    const QString text = value.toString();
    m_db.execute(QStringLiteral("update QUESTUNS_TEMP set user_unser=? where rowid=?"), {text, row.key});
    row.answer = text;
    emit dataChanged(index, index);
    return true;
}

QString QuizAnswerModel::heir(int row) const {
    return row >= 0 && row < rowCount() ? m_rows[static_cast<std::size_t>(row)].heir : QString();
}

QString QuizAnswerModel::answer(int row) const {
    return row >= 0 && row < rowCount() ? m_rows[static_cast<std::size_t>(row)].answer : QString();
}

bool QuizAnswerModel::answerRow(int row, const QString& text) {
    if (heir(row).isEmpty())
        return false;
    return setData(index(row, AnswerColumn), text);
}

void QuizAnswerModel::reload() {
    beginResetModel();
    m_rows.clear();
    const data::Rows rows = m_db.select(
        QStringLiteral("select rowid, user_unser, questun from QUESTUNS_TEMP order by arr, rowid"));
    for (const QSqlRecord& r : rows)
        m_rows.push_back({r.value(0).toLongLong(), r.value(1).toString(), r.value(2).toString()});
    endResetModel();
}

} // namespace training
