#pragma once

#include "data/Database.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace training {

// The grade of one hand-in: every heir's entered share against the calculated share of the
// heir's relation (the first report row of that relation).
struct Verdict {
    enum class Kind { NothingToCompare, Right, Wrong };
    Kind kind = Kind::NothingToCompare;
    QStringList wrongRelations; // once per wrong heir, in WARITH's order

    QString text() const;
};

// The final score of a batch: 20 for each of the batch's questions answered right.
struct FinalScore {
    bool unfinished = false; // questions of the batch still wait; no score
    int score = 0;
    bool pass() const { return score >= 50; }
    QString text() const;
};

class AnswerGrading {
public:
    static QString unfinishedMessage() { return QStringLiteral("اكمل بقية اسئلة الوجبة للحصول على النتيجة النهائية"); }
    static QString attemptsOver() { return QStringLiteral(" انتهت المحاولات الثلاث للاجابة  "); }

    // Grades WARITH against PRINT_TEXT. A wrong answer removes its whole question from
    // PRACTIC_SINGLE. An heir whose relation has no report row is not graded; with no heir
    // graded at all there is nothing to compare and no verdict.
    static Verdict grade(const data::Database& db);

    static FinalScore finalScore(const data::Database& db);

    // Another attempt at the question in hand: counts the request; false once the first answer
    // and two further attempts are used (the refused press counts too).
    static bool anotherAttempt(const data::Database& db);

    // The hand-off row the entry dialogue's load reads to take the learner on: the question's
    // number and the deceased's name.
    static void handOff(const data::Database& db, int questionNo, const QString& deceased);
};

} // namespace training
