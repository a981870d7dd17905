#pragma once

#include "data/Database.h"

#include <QAbstractTableModel>

#include <vector>

namespace training {

// The quiz's answer grid over QUESTUNS_TEMP, in `arr` order: column 0 "الحصة" is the learner's
// answer (user_unser), which he may also type; column 1 "الوارث" is the heir, read only. The grid
// neither adds nor deletes rows: it holds exactly the heirs of the question in hand, so no empty
// row can stand among them that no answer option could fill.
class QuizAnswerModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { AnswerColumn = 0, HeirColumn = 1 };

    explicit QuizAnswerModel(data::Database db, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    QString heir(int row) const;
    QString answer(int row) const;

    // An answer option: writes `text` as the answer of `row` unless that row has no heir (or is
    // no row at all). Returns whether it wrote.
    bool answerRow(int row, const QString& text);

    // Reads the rows again.
    void reload();

private:
    struct Row {
        qint64 key;
        QString answer;
        QString heir;
    };

    data::Database m_db;
    std::vector<Row> m_rows;
};

} // namespace training
