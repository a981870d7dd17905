#pragma once

#include "engine/calc/EngineState.h"
#include "engine/calc/Num.h"

#include <QString>
#include <QVariant>

#include <boost/multiprecision/cpp_int.hpp>

namespace engine {

using Rational = boost::multiprecision::cpp_rational;

// The plain decimal text of an exact value, as the report prints and stores numbers: "12",
// "12.5", "-0.125", no exponent however small or large. The values the report meets all end
// after a few places; one that would not is cut after twelve.
QString decimalText(const Rational& value);
QString decimalText(const Num& value);
QString decimalText(const BigInt& value);

// An amount cut down to thousandths: the precision of the percentage and estate tables. Held as
// a whole count of thousandths so that sums and repeated conversions never drift.
class Thousandths {
public:
    Thousandths() = default;
    static Thousandths whole(const BigInt& value) { return Thousandths(value * 1000); }
    static Thousandths fromCount(BigInt count) { return Thousandths(std::move(count)); }
    // share / base of amount, cut down to the thousandth at or below it (never rounded up).
    static Thousandths shareOf(const BigInt& share, const BigInt& base, const Rational& amount);

    const BigInt& count() const { return m_count; }
    bool isZero() const { return m_count == 0; }
    QString text() const;

    Thousandths& operator+=(const Thousandths& other) {
        m_count += other.m_count;
        return *this;
    }
    friend bool operator==(const Thousandths& a, const Thousandths& b) { return a.m_count == b.m_count; }

private:
    explicit Thousandths(BigInt count) : m_count(std::move(count)) {}
    BigInt m_count = 0;
};

// A value for the share columns that have no type affinity: a whole number within 64 bits goes
// in as a number, anything else (a wider number, a fraction) as its exact decimal text, so no
// digit is lost to a floating value.
QVariant storedNumber(const BigInt& value);
QVariant storedNumber(const Thousandths& value);

} // namespace engine
