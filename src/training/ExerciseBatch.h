#pragma once

#include "data/Database.h"

#include <QList>
#include <QString>

namespace training {

// The three question levels and the draw of a batch of five questions of one level. A level is a
// fixed range of question numbers of the bank; the draw never reads the bank.
class ExerciseBatch {
public:
    static constexpr int BatchSize = 5;

    struct Range {
        int low;
        int high;
    };
    // Level 1: 1 to 50, level 2: 51 to 85, level 3: 86 to 115 (any other level is taken as 1).
    static Range range(int level);

    // One draw of the generator for `level`: level 1 gives 0 to 50 (0 is dropped by the batch),
    // levels 2 and 3 a number of their range.
    static int drawOne(int level);

    // The level kept for the next showing of the dialogue: no row is level 1.
    static int storedLevel(const data::Database& db);
    // Choosing a level: keeps it and drops the answers collected for the batch score. The old
    // batch's numbers stay until the next batch.
    static void chooseLevel(const data::Database& db, int level);

    // A new batch: ends any retry, drops the collected answers and fills TEST_CASE_NO_WAJBA_MAIN
    // (and TEST_CASE_NO_WAJBA, the batch's record for the final score) with five distinct numbers
    // of the level, drawing passes of five until five are found. Returns them in ascending order.
    static QList<int> drawBatch(const data::Database& db, int level);

    // The numbers of the batch still waiting, ascending.
    static QList<int> waiting(const data::Database& db);
};

} // namespace training
