#pragma once

#include "training/AnswerGrading.h"

namespace training {

// What the exercise results screen's buttons do to the exercise tables; the screen shows the
// outcome and hands back to its host.
class ExerciseResultsActions {
public:
    // "النتيجة النهائية": the batch's score, the answer in hand emptied; unfinished changes nothing.
    static FinalScore finalScore(const data::Database& db);

    // "اكمال بقية الاسئلة": ends the retry; with questions waiting, empties the answer in hand and
    // leaves the hand-off row for the next question (true: hand back); with none, gives the final
    // score instead (false: stay on the screen).
    static bool continueBatch(const data::Database& db, int questionNo, const QString& deceased, FinalScore& score);

    // "موافق" after the final score: the answer in hand emptied, the hand-off row left.
    static void acknowledge(const data::Database& db, int questionNo, const QString& deceased);

    // "البدأ بمجموعة جديدة من الاسئلة": the batch, its retry and its collected answers are gone.
    static void newGroup(const data::Database& db);
};

} // namespace training
