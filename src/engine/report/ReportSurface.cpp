#include "engine/report/ReportSurface.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

namespace engine {

namespace {

using boost::multiprecision::cpp_int;

// The decimal text of a fraction in lowest terms whose denominator has no prime factor but 2
// and 5, so its expansion ends: 3/2 gives "1.5", -1/8 gives "-0.125".
std::string finiteDecimal(const Num& n) {
    int twos = 0;
    int fives = 0;
    std::int64_t d = n.den();
    while (d % 2 == 0) {
        d /= 2;
        ++twos;
    }
    while (d % 5 == 0) {
        d /= 5;
        ++fives;
    }
    const int places = std::max(twos, fives);
    // n/d * 10^places is whole; cpp_int, as 10^places may pass every fixed width.
    cpp_int scaled = abs(cpp_int(n.num()));
    scaled *= pow(cpp_int(10), static_cast<unsigned>(places));
    scaled /= cpp_int(n.den());
    std::string digits = scaled.str();
    if (digits.size() <= static_cast<std::size_t>(places))
        digits.insert(0, places + 1 - digits.size(), '0');
    digits.insert(digits.size() - places, 1, '.');
    if (n.num() < 0)
        digits.insert(0, 1, '-');
    return digits;
}

bool hasFiniteDecimal(std::int64_t den) {
    while (den % 2 == 0)
        den /= 2;
    while (den % 5 == 0)
        den /= 5;
    return den == 1;
}

} // namespace

ReportSurface& ReportSurface::text(const QString& t) {
    m_current.append(t);
    changed();
    return *this;
}

ReportSurface& ReportSurface::number(std::int64_t n) {
    std::array<char, 24> buffer;
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), n).ptr;
    appendNumber(QLatin1StringView(buffer.data(), end - buffer.data()));
    changed();
    return *this;
}

ReportSurface& ReportSurface::number(const cpp_int& n) {
    const std::string digits = n.str();
    appendNumber(QLatin1StringView(digits.data(), static_cast<qsizetype>(digits.size())));
    changed();
    return *this;
}

ReportSurface& ReportSurface::number(const Num& n) {
    if (n.isWhole())
        return number(n.num());
    const std::string digits = hasFiniteDecimal(n.den()) ? finiteDecimal(n) : n.str();
    appendNumber(QLatin1StringView(digits.data(), static_cast<qsizetype>(digits.size())));
    changed();
    return *this;
}

ReportSurface& ReportSurface::numberText(const QString& formatted) {
    appendNumber(QStringView(formatted));
    changed();
    return *this;
}

ReportSurface& ReportSurface::spc(int n) {
    if (n > 0)
        m_current.resize(m_current.size() + n, QLatin1Char(' '));
    changed();
    return *this;
}

ReportSurface& ReportSurface::tab(int column) {
    column = std::max(column, 1);
    // Exactly at the column is not past it: the item follows on this line.
    if (this->column() > column)
        finishLine();
    padTo(column);
    changed();
    return *this;
}

// A zone starts at columns 1, 15, 29, ...; the move goes to the first zone start strictly after
// the current column. So a position exactly on a zone start, whether at the start of the line or
// right after an item that filled its zone to the last column, still moves on by a whole zone:
// the zone it stands at counts as begun, and a leading move leaves the first zone empty.
ReportSurface& ReportSurface::zone() {
    const int zoneIndex = (column() - 1) / ZoneWidth;
    padTo((zoneIndex + 1) * ZoneWidth + 1);
    changed();
    return *this;
}

void ReportSurface::endLine() {
    finishLine();
    changed();
}

void ReportSurface::clear() {
    m_lines.clear();
    m_current.clear();
    changed();
}

void ReportSurface::pageBreak() {
    m_lines.clear();
    m_current.clear();
    m_lines.append(QString());
    QString head(5, QLatin1Char(' '));
    head.append(QStringView(ContinuationText));
    m_lines.append(head);
    m_lines.append(QString());
    changed();
}

QStringList ReportSurface::lines() const {
    if (m_current.isEmpty())
        return m_lines;
    QStringList all = m_lines;
    all.append(m_current);
    return all;
}

void ReportSurface::changed() {
    if (m_listener)
        m_listener();
}

void ReportSurface::padTo(int column) {
    const qsizetype target = column - 1;
    if (m_current.size() < target)
        m_current.resize(target, QLatin1Char(' '));
}

void ReportSurface::finishLine() {
    // The finished line keeps the buffer; the next line starts a fresh one.
    m_lines.append(std::move(m_current));
    m_current = QString();
}

void ReportSurface::appendNumber(QLatin1StringView signedDigits) {
    if (!signedDigits.startsWith(QLatin1Char('-')))
        m_current.append(QLatin1Char(' '));
    m_current.append(signedDigits);
    m_current.append(QLatin1Char(' '));
}

void ReportSurface::appendNumber(QStringView signedDigits) {
    if (!signedDigits.startsWith(QLatin1Char('-')))
        m_current.append(QLatin1Char(' '));
    m_current.append(signedDigits);
    m_current.append(QLatin1Char(' '));
}

} // namespace engine
