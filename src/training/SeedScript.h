#pragma once

#include <QRegularExpressionMatch>
#include <QString>

#include <functional>

class QRegularExpression;

namespace training {

// The reader of a bank's seed script as it ships: one insert statement whose head stands on a
// line of its own, then one row to a line, the last ending in ";". Comment lines ("--") and empty
// lines are passed over; anything else refuses the file with a message naming it and the line.
class SeedScript {
public:
    // Takes the match of one row line; returns the refusal naming the row, or an empty text.
    using RowReader = std::function<QString(const QRegularExpressionMatch& row)>;

    // Returns false with `error` set when a line is anything else, a row is refused, or the
    // statement has no row or no end. `rowPattern` captures the row's ending "," or ";" last.
    static bool read(const QString& text, const QString& fileName, const QRegularExpression& head,
                     const QRegularExpression& rowPattern, const RowReader& readRow, QString& error);

    // The text of a script built into the program.
    static bool shipped(const QString& resource, QString& text, QString& error);

    // Whether `digits` is a whole number from low to high; sets `value` when it is.
    static bool inRange(const QString& digits, int low, int high, int& value);
};

} // namespace training
