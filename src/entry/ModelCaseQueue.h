#pragma once

#include "data/Database.h"

#include <QString>
#include <QVariantList>

#include <optional>
#include <utility>

// The model-case library STORDE_STANDERD as the entry dialogue's model-case stage works with it:
// the report header of a model case, the search of the list, and the queue of a range run in
// STORDE_STANDERD_TEMP, whose head (lowest number) is handed to the engine one case at a time.
namespace entry::ModelCaseQueue {

// Whose model-case stage it is. The exercise dialogue's leaves the report header, the preparer and
// issuing-body lists and the last range alone, and offers the whole library as its range.
enum class Owner { RealCase, Exercise };

// The range the stage offers, as the first and last numbers: the last range run for real cases,
// the whole library for the exercise dialogue. Nothing when that table is empty.
std::optional<std::pair<QString, QString>> offeredRange(const data::Database& db, Owner owner);

// The stage's set-up: the report header rows name the default preparer and no issuing body.
// The kept preparer list is not emptied (names kept for real cases stay); the default preparer
// is added to it when absent.
void prepareReportHeader(const data::Database& db);

// The list's statement for a search text: every case by number for an empty text; the one case of
// that number for a text that reads as a number (sign, decimal point, exponent and blanks around
// allowed); otherwise the cases whose titles contain the text, by title.
struct Query {
    QString sql;
    QVariantList params;
};
Query search(const QString& text);
// The platform's numeric test that the search uses.
bool readsAsNumber(const QString& text);

// A range run: the library rows from..to (leading numbers of the texts, 0 when none) become the
// last range and the queue, in one transaction. False, and nothing changed but the default
// names, when to is below from.
// The exercise dialogue's run writes the queue alone.
bool startRange(const data::Database& db, const QString& fromText, const QString& toText,
                Owner owner = Owner::RealCase);

bool queued(const data::Database& db);
// The state a start leaves: nothing queued, and the whole library as the last range.
void reset(const data::Database& db);
// Takes the head of the queue off it, in one transaction; its number as plain decimal text.
std::optional<QString> popHead(const data::Database& db);

} // namespace entry::ModelCaseQueue
