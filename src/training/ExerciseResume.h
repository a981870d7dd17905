#pragma once

#include "data/Database.h"

#include <QString>

#include <functional>

namespace training {

// What the exercise dialogue's load finds in hand when it opens at the details stage.
class ExerciseResume {
public:
    // The stepper on opening, from the questions left in the batch and whether a retry of the
    // question in hand is pending: the caption names the question in hand; empty leaves the
    // stepper hidden.
    static QString stepperCaption(int waiting, bool retryPending);

    static QString unsavedQuestion() {
        return QStringLiteral("هناك مسألة غير مخزونة ... هل ترغب بأعادة عرضها لتهيئتها للخزن ؟");
    }

    struct InHand {
        bool kept = false;     // WARITH still holds the question, shown again
        bool fromBank = false; // a bank question (the question list is shown)
        int questionNo = 0;    // its number, from its own rows
        QString deceased;
        QString title;
    };

    // Hand-typed heirs (no number) are kept when the user says so; a bank question with the
    // learner's answer is resumed when the results screen left a hand-off row, under the number
    // its own rows carry and with the deceased's name the hand-in stamped on them. The hand-off row
    // is consumed. Anything else leaves WARITH empty.
    static InHand check(const data::Database& db, const std::function<bool(const QString&)>& askYesNo);
};

} // namespace training
