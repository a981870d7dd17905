#pragma once

#include <QStringView>

#include <QtGlobal>

namespace rules {

// A numeric field of the stored-case and expected-shares files, read in one pass over its text:
// blanks around it, an optional sign, decimal digits (0-9 only) and an optional decimal part.
// A field of thousands of digits is given up as soon as it outgrows what any count or class can
// be, so reading it costs no more than looking at it.
class NumberField {
public:
    enum class Kind {
        Whole,      // `value` holds it ("12", " 12", "12.", "12.00")
        Fractional, // a decimal part other than zeros ("13.5")
        TooLarge,   // more digits than MaxWholeDigits before the point
        NotANumber, // anything else, the empty field included
    };
    struct Result {
        Kind kind = Kind::NotANumber;
        qint64 value = 0;
    };

    // Far above every count, class and slot number, and far below the 64-bit limit.
    static constexpr int MaxWholeDigits = 15;

    static Result whole(QStringView text);
};

} // namespace rules
