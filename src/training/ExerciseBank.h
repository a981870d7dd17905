#pragma once

#include "data/Database.h"

#include <QString>

#include <vector>

namespace training {

// One heir row of a stored exercise question.
struct ExerciseBankRow {
    int case_no = 0;
    QString deth_name;
    QString case_name;
    QString warith_relation;
    QString warith_name;
    int ar = 0;
    int no_check = 0;
    int case_level = 0;
};

// The exercise bank as it ships: the seed rows that lay out a new case database, read back so an
// older database whose bank is empty gets the same questions.
class ExerciseBank {
public:
    static constexpr int LastQuestion = 115;

    // Reads the seed script's rows; on a line it cannot take, false with the file's name, the
    // line and, where known, the question's number in `error`.
    static bool parse(const QString& text, const QString& fileName, std::vector<ExerciseBankRow>& rows,
                      QString& error);
    static bool shipped(std::vector<ExerciseBankRow>& rows, QString& error);

    // Fills WARITH_GENERAL_TEST from the shipped rows when it has no row; returns the rows added.
    static int seedIfEmpty(const data::Database& db);
};

} // namespace training
