#include "rules/NumberField.h"

namespace rules {

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

NumberField::Result NumberField::whole(QStringView text) {
    using K = Kind;
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && isBlank(text[i]))
        ++i;
    while (end > i && isBlank(text[end - 1]))
        --end;
    bool negative = false;
    if (i < end && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    qint64 value = 0;
    int significant = 0;
    bool anyDigit = false;
    for (; i < end && isDigit(text[i]); ++i) {
        anyDigit = true;
        if (value == 0 && text[i] == QLatin1Char('0'))
            continue; // leading zeros add nothing
        if (++significant > MaxWholeDigits)
            return {K::TooLarge, 0};
        value = value * 10 + (text[i].unicode() - '0');
    }
    if (!anyDigit)
        return {};
    bool fractional = false;
    if (i < end && text[i] == QLatin1Char('.')) {
        for (++i; i < end && isDigit(text[i]); ++i)
            fractional = fractional || text[i] != QLatin1Char('0');
    }
    if (i != end)
        return {};
    if (fractional)
        return {K::Fractional, 0};
    return {K::Whole, negative ? -value : value};
}

} // namespace rules
