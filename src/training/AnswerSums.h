#pragma once

#include "data/Database.h"

#include <QString>
#include <QStringList>

namespace training {

// The aids beside the learner's answer grid and the check of what is typed in a share cell.
class AnswerSums {
public:
    // GET_SUM: the total of the shares entered in WARITH as text; empty with no share.
    static QString total(const data::Database& db);

    // RELATION_SUM: the question's heir types, fewest heirs first, equal counts in text order; a
    // relation with more than one heir is followed by " -التكرار: " and the count.
    static QStringList relationSummary(const data::Database& db);

    // A share cell takes a whole number in Western or Arabic-Indic digits; an empty cell is 0.
    // Anything else ("1/8", a sign, a letter) is refused with RefusedShare.
    static bool parseShare(const QString& text, qint64& value);
    static QString refusedShare() { return QStringLiteral("الحصة غير صحيحة"); }
};

} // namespace training
