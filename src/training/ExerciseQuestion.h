#pragma once

#include "data/Database.h"

#include <QString>

namespace training {

// A stored question put into WARITH for the learner to answer.
struct LoadedQuestion {
    bool found = false; // false: the bank holds no question under the number; WARITH is empty
    int case_no = 0;
    QString case_name;
    QString deth_name;
    int case_level = 0;
    QString preparer;      // DATA_ENTRY_NAME of the question, added to the user's list
    QString issuingBody;   // ADRESS_ENTRY_NAME of the question, added to the user's list
};

class ExerciseQuestion {
public:
    // Empties WARITH and fills it with question `n` in the bank's order, each heir's starting
    // answer no_check (0 when the bank leaves it empty). The question leaves the batch unless a
    // retry is pending (Q_TIMES has a row).
    static LoadedQuestion load(const data::Database& db, int n);

    // Whether a retry of the question in hand is pending.
    static bool retryPending(const data::Database& db);
};

} // namespace training
