#pragma once

#include "data/Database.h"

#include <QString>

#include <vector>

namespace training {

// One row of the quiz bank QUESTUNS: one heir of a question.
struct QuizBankRow {
    int q_no = 0;
    int arr = 0;
    QString questun;
    QString unser;
};

// The bank of the share-type quiz as it ships: the rows of its seed script, which builds the
// bank of a new database and which start-up also reads to fill the bank of an older one.
class QuizBank {
public:
    // Rows of a seed script of one insert statement, one row "(q_no, arr, 'questun', 'unser')" to
    // a line. Returns false with a message naming the file and the row when a line is anything
    // else, a number is out of range or a text is empty.
    static bool parse(const QString& text, const QString& fileName, std::vector<QuizBankRow>& rows,
                      QString& error);

    // The shipped rows, read from the copy built into the program.
    static bool shipped(std::vector<QuizBankRow>& rows, QString& error);

    // Fills QUESTUNS with the shipped rows when it has none, in one transaction, every value
    // bound. A bank with rows is left as it is. Returns the number of rows added.
    static int seedIfEmpty(const data::Database& db);

    static constexpr int FirstQuestion = 1;
    static constexpr int LastQuestion = 39;
    static constexpr int MaxRowsPerQuestion = 50;
};

} // namespace training
