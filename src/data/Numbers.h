#pragma once

#include <QString>

#include <boost/multiprecision/cpp_int.hpp>

namespace data {

using BigInt = boost::multiprecision::cpp_int;
using Rational = boost::multiprecision::cpp_rational;

// The number at the start of a text, 0 when the text does not begin with one: leading blanks
// are skipped, then an optional sign, digits and an optional decimal part ("12abc" is 12,
// " 3.5" is 3.5, "abc" and "" are 0). Exact: no binary fraction is involved.
Rational leadingNumber(const QString& text);

// Rounds to the nearest whole number, a half to the even neighbour (2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2), as the program's whole-number conversions do.
BigInt roundHalfEven(const Rational& value);

// The leading number of a text rounded half to even; numbers past the 64-bit range are clamped.
qint64 leadingInteger(const QString& text);

} // namespace data
