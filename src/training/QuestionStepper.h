#pragma once

#include "training/ExerciseQuestion.h"

#include <QString>

#include <optional>

namespace training {

// The button that names and loads the batch's next question.
class QuestionStepper {
public:
    // The caption for the number of questions still waiting before the load: 5 "السؤال الاول" to
    // 1 "السؤال الخامس"; empty for any other count (the caption stays as it is).
    static QString captionFor(int waiting);

    struct Step {
        int waiting = 0;       // questions waiting before the press
        QString caption;       // empty: the caption is unchanged
        bool visible = true;   // false: nothing left, the button hides
        std::optional<LoadedQuestion> loaded; // the question loaded, when one was waiting
    };

    // A press: ends a pending retry and loads the lowest waiting number. With none left it only
    // hides the button; the question in hand and its answer stay.
    static Step press(const data::Database& db);
};

} // namespace training
