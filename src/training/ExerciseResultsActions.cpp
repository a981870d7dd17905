#include "training/ExerciseResultsActions.h"

namespace training {

FinalScore ExerciseResultsActions::finalScore(const data::Database& db) {
    FinalScore f;
    db.transaction([&] {
        f = AnswerGrading::finalScore(db);
        // Asked too early, the score only says so: the question in hand and its answer stay for a
        // retry.
        if (!f.unfinished)
            db.execute(QStringLiteral("delete from WARITH"));
    });
    return f;
}

bool ExerciseResultsActions::continueBatch(const data::Database& db, int questionNo, const QString& deceased,
                                           FinalScore& score) {
    db.execute(QStringLiteral("delete from Q_TIMES"));
    if (!db.exists(QStringLiteral("select * from TEST_CASE_NO_WAJBA_MAIN"))) {
        score = finalScore(db);
        return false;
    }
    acknowledge(db, questionNo, deceased);
    return true;
}

void ExerciseResultsActions::acknowledge(const data::Database& db, int questionNo, const QString& deceased) {
    db.transaction([&] {
        db.execute(QStringLiteral("delete from WARITH"));
        AnswerGrading::handOff(db, questionNo, deceased);
    });
}

void ExerciseResultsActions::newGroup(const data::Database& db) {
    db.transaction([&] {
        for (const char* table : {"Q_TIMES", "WARITH", "TEST_CASE_NO_WAJBA_MAIN", "PRACTIC_SINGLE"})
            db.execute(QStringLiteral("delete from ") + QString::fromLatin1(table));
        db.execute(QStringLiteral("update WARITH_GENERAL set no_check = 0"));
    });
}

} // namespace training
