#pragma once

#include "data/Database.h"

#include <QString>

namespace training {

// The hand-in of the learner's answer to the question in hand.
class AnswerHandIn {
public:
    static QString incomplete() { return QStringLiteral("تفاصيل المسألة غير مكتملة"); }

    // The number the answer goes under: the one the question's own rows carry (a question stored
    // from the screen carries it there alone), else `loadedNo`, the number of the question loaded;
    // 0 for a question the bank does not hold.
    static int questionNumber(const data::Database& db, int loadedNo);

    // Stamps the deceased and title on every WARITH row, files every row (added ones too) under
    // `questionNo`, the number of the question loaded, and replaces only that question's rows in
    // PRACTIC_SINGLE. Refuses, writing nothing, when WARITH is empty or the deceased is unnamed;
    // `message` then holds the refusal.
    static bool handIn(const data::Database& db, int questionNo, const QString& deceased,
                       const QString& title, QString& message);
};

} // namespace training
