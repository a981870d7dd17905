#pragma once

#include "data/Database.h"

#include <QString>

namespace training {

// The exercise bank's authoring commands over the question in hand (WARITH and the dialogue's
// boxes): store as a new question, store again under its own number, delete.
class ExerciseAuthoring {
public:
    // The dialogue's boxes the commands read and write.
    struct Fields {
        QString deceased;
        QString title;
        QString questionNo; // hidden number of the question in hand: empty for one not in the bank
        QString level;      // hidden level box; empty or not a number stores 0
        QString preparer;
        QString issuingBody;
    };

    struct Outcome {
        bool done = false;
        QString message;  // shown when not empty
        bool critical = false;
        int number = 0;   // the question stored, edited or deleted
    };

    // Store: a new question under the bank's highest number + 1 (1 for an empty bank). Refuses an
    // incomplete question and one that came from the bank ("مسالة مخزونة"). An empty title takes
    // the deceased's name.
    static Outcome store(const data::Database& db, Fields& fields);
    // Edit: the question in hand replaces the bank's rows of its own number.
    static Outcome edit(const data::Database& db, const Fields& fields);
    // Delete, after the caller's Yes: the bank's rows of the question's number and WARITH go.
    static Outcome remove(const data::Database& db, Fields& fields);

    static QString deleteQuestion() { return QStringLiteral(" هل ترغب بحذف المسألة ؟"); }

private:
    static void copyWarith(const data::Database& db, int number, const Fields& fields);
};

} // namespace training
