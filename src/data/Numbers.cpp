#include "data/Numbers.h"

#include <limits>

namespace data {

Rational leadingNumber(const QString& text) {
    int i = 0;
    const int n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    BigInt whole = 0;
    BigInt fraction = 0;
    BigInt scale = 1;
    bool any = false;
    while (i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
        whole = whole * 10 + (text[i].unicode() - '0');
        any = true;
        ++i;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
            fraction = fraction * 10 + (text[i].unicode() - '0');
            scale *= 10;
            any = true;
            ++i;
        }
    }
    if (!any)
        return 0;
    Rational value = Rational(whole) + Rational(fraction, scale);
    return negative ? Rational(-value) : value;
}

BigInt roundHalfEven(const Rational& value) {
    const BigInt num = boost::multiprecision::numerator(value);
    const BigInt den = boost::multiprecision::denominator(value);
    // Floor division (den is always positive).
    BigInt q = num / den;
    BigInt r = num % den;
    if (r < 0) {
        q -= 1;
        r += den;
    }
    const BigInt twice = r * 2;
    if (twice > den || (twice == den && (q % 2) != 0))
        q += 1;
    return q;
}

qint64 leadingInteger(const QString& text) {
    const BigInt v = roundHalfEven(leadingNumber(text));
    if (v > std::numeric_limits<qint64>::max())
        return std::numeric_limits<qint64>::max();
    if (v < std::numeric_limits<qint64>::min())
        return std::numeric_limits<qint64>::min();
    return v.convert_to<qint64>();
}

} // namespace data
