#include "engine/calc/ExactDecimal.h"

#include <limits>

namespace engine {

namespace {

constexpr int MaxPlaces = 12;

// Floor division for a positive divisor.
BigInt floorDiv(const BigInt& n, const BigInt& d) {
    BigInt q = n / d;
    if (n % d != 0 && n < 0)
        --q;
    return q;
}

} // namespace

QString decimalText(const Rational& value) {
    const BigInt num = boost::multiprecision::numerator(value);
    const BigInt den = boost::multiprecision::denominator(value);
    const bool negative = num < 0;
    const BigInt absNum = negative ? BigInt(-num) : num;
    const BigInt whole = absNum / den;
    BigInt rest = absNum % den;
    QString out = QString::fromStdString(whole.str());
    if (rest != 0) {
        out += QLatin1Char('.');
        for (int places = 0; rest != 0 && places < MaxPlaces; ++places) {
            rest *= 10;
            out += QChar(QLatin1Char('0' + static_cast<int>(rest / den)));
            rest %= den;
        }
        while (out.endsWith(QLatin1Char('0')))
            out.chop(1);
    }
    if (negative && out != QLatin1String("0"))
        out.prepend(QLatin1Char('-'));
    return out;
}

QString decimalText(const Num& value) {
    return decimalText(Rational(BigInt(value.num()), BigInt(value.den())));
}

QString decimalText(const BigInt& value) {
    return QString::fromStdString(value.str());
}

Thousandths Thousandths::shareOf(const BigInt& share, const BigInt& base, const Rational& amount) {
    const BigInt num = boost::multiprecision::numerator(amount);
    const BigInt den = boost::multiprecision::denominator(amount);
    BigInt d = base * den;
    if (d == 0)
        return Thousandths(); // no division has been calculated: there is nothing to share out
    BigInt n = share * num * 1000;
    if (d < 0) {
        d = -d;
        n = -n;
    }
    return Thousandths(floorDiv(n, d));
}

QString Thousandths::text() const {
    return decimalText(Rational(m_count, BigInt(1000)));
}

QVariant storedNumber(const BigInt& value) {
    if (value >= std::numeric_limits<qlonglong>::min() && value <= std::numeric_limits<qlonglong>::max())
        return QVariant::fromValue(value.convert_to<qlonglong>());
    return decimalText(value);
}

QVariant storedNumber(const Thousandths& value) {
    if (value.count() % 1000 == 0)
        return storedNumber(BigInt(value.count() / 1000));
    return value.text();
}

} // namespace engine
