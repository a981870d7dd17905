#pragma once

#include <compare>
#include <cstdint>
#include <numeric>
#include <stdexcept>
#include <string>

namespace engine {

// Thrown when a value of the calculation leaves the 64-bit range. Cases the program accepts stay
// far inside it; the run turns this into a refusal with a message, never into a wrong share.
class NumberOverflow : public std::overflow_error {
public:
    NumberOverflow() : std::overflow_error("number overflow") {}
};

// An exact number of the calculation: a fraction of two 64-bit integers in lowest terms, the
// denominator positive. Bases, parts and head counts are whole; share-kind denominators may be
// 3/2 (two thirds). Never a binary floating value.
class Num {
public:
    constexpr Num() = default;
    constexpr Num(std::int64_t whole) : m_n(whole) {} // NOLINT: numbers mix freely with integers
    static Num fraction(std::int64_t n, std::int64_t d) {
        Num r;
        r.m_n = n;
        r.m_d = d;
        r.normalise();
        return r;
    }

    std::int64_t num() const { return m_n; }
    std::int64_t den() const { return m_d; }
    bool isWhole() const { return m_d == 1; }
    // The whole value; the caller knows it is whole.
    std::int64_t whole() const { return m_d == 1 ? m_n : intPart().m_n; }

    // Int(x): the largest whole number not greater than x.
    Num intPart() const {
        std::int64_t q = m_n / m_d;
        if ((m_n % m_d) != 0 && m_n < 0)
            --q;
        return Num(q);
    }
    // Whole(x): to the nearest whole number, a half going to the even neighbour.
    Num roundHalfEven() const {
        const Num f = intPart();
        const Num rest = *this - f;
        const int cmp = (rest * 2).compare(Num(1));
        if (cmp > 0 || (cmp == 0 && (f.m_n % 2) != 0))
            return f + 1;
        return f;
    }

    friend Num operator+(const Num& a, const Num& b) {
        if (a.m_d == 1 && b.m_d == 1)
            return Num(add(a.m_n, b.m_n));
        return fraction(add(mul(a.m_n, b.m_d), mul(b.m_n, a.m_d)), mul(a.m_d, b.m_d));
    }
    friend Num operator-(const Num& a, const Num& b) {
        if (a.m_d == 1 && b.m_d == 1)
            return Num(sub(a.m_n, b.m_n));
        return fraction(sub(mul(a.m_n, b.m_d), mul(b.m_n, a.m_d)), mul(a.m_d, b.m_d));
    }
    friend Num operator*(const Num& a, const Num& b) {
        if (a.m_d == 1 && b.m_d == 1)
            return Num(mul(a.m_n, b.m_n));
        return fraction(mul(a.m_n, b.m_n), mul(a.m_d, b.m_d));
    }
    // Division by zero is a fault of the caller's logic, reported as an overflow rather than crashing.
    friend Num operator/(const Num& a, const Num& b) {
        if (b.m_n == 0)
            throw NumberOverflow();
        // Whole numbers that divide evenly, the common case, need no reduction (-1 is left to the
        // checked path: the lowest number divided by it overflows).
        if (a.m_d == 1 && b.m_d == 1 && b.m_n != -1 && a.m_n % b.m_n == 0)
            return Num(a.m_n / b.m_n);
        std::int64_t n = mul(a.m_n, b.m_d);
        std::int64_t d = mul(a.m_d, b.m_n);
        if (d < 0) {
            n = sub(0, n);
            d = sub(0, d);
        }
        return fraction(n, d);
    }
    Num operator-() const { return Num(0) - *this; }
    Num& operator+=(const Num& o) { return *this = *this + o; }
    Num& operator-=(const Num& o) { return *this = *this - o; }
    Num& operator*=(const Num& o) { return *this = *this * o; }
    Num& operator/=(const Num& o) { return *this = *this / o; }

    int compare(const Num& o) const {
        if (m_d == o.m_d)
            return m_n < o.m_n ? -1 : (m_n > o.m_n ? 1 : 0);
        const std::int64_t l = mul(m_n, o.m_d);
        const std::int64_t r = mul(o.m_n, m_d);
        return l < r ? -1 : (l > r ? 1 : 0);
    }
    friend bool operator==(const Num& a, const Num& b) { return a.m_n == b.m_n && a.m_d == b.m_d; }
    friend auto operator<=>(const Num& a, const Num& b) { return a.compare(b) <=> 0; }
    // Against a whole number, mostly 0 (the steps test every count and share for it): a value in
    // lowest terms is 0 exactly when its numerator is, and its denominator is positive.
    friend bool operator==(const Num& a, std::int64_t b) { return a.m_n == b && (b == 0 || a.m_d == 1); }
    friend std::strong_ordering operator<=>(const Num& a, std::int64_t b) {
        if (b == 0 || a.m_d == 1)
            return a.m_n <=> b;
        return a.compare(Num(b)) <=> 0;
    }

    std::string str() const {
        return m_d == 1 ? std::to_string(m_n) : std::to_string(m_n) + "/" + std::to_string(m_d);
    }

private:
    static std::int64_t add(std::int64_t a, std::int64_t b) {
        std::int64_t r;
        if (__builtin_add_overflow(a, b, &r))
            throw NumberOverflow();
        return r;
    }
    static std::int64_t sub(std::int64_t a, std::int64_t b) {
        std::int64_t r;
        if (__builtin_sub_overflow(a, b, &r))
            throw NumberOverflow();
        return r;
    }
    static std::int64_t mul(std::int64_t a, std::int64_t b) {
        std::int64_t r;
        if (__builtin_mul_overflow(a, b, &r))
            throw NumberOverflow();
        return r;
    }
    void normalise() {
        if (m_d == 1)
            return;
        if (m_d == 0)
            throw NumberOverflow();
        if (m_d < 0) {
            m_n = sub(0, m_n);
            m_d = sub(0, m_d);
        }
        const std::int64_t g = std::gcd(m_n, m_d);
        if (g > 1) {
            m_n /= g;
            m_d /= g;
        }
    }

    std::int64_t m_n = 0;
    std::int64_t m_d = 1;
};

} // namespace engine
