#include "rules/ExpectedSharesFile.h"

#include "platform/AppPaths.h"

#include <QRegularExpression>
#include <QStringConverter>
#include <QStringList>

namespace rules {

namespace {

const QString KeyPrefix = QStringLiteral("ت/");

} // namespace

ExpectedSharesFile::ExpectedSharesFile()
    : ExpectedSharesFile(platform::AppPaths::appFile(QStringLiteral("STOR"))) {}

ExpectedSharesFile::ExpectedSharesFile(QString path) : m_path(std::move(path)) {}

ExpectedSharesFile::~ExpectedSharesFile() = default;

bool ExpectedSharesFile::open() {
    close();
    return m_text.open(m_path);
}

void ExpectedSharesFile::close() {
    m_text.reset();
    m_pending.clear();
}

bool ExpectedSharesFile::fetch() {
    while (m_pending.empty()) {
        if (m_text.atEnd())
            return false;
        const TextLine line = m_text.readLine();
        if (line.text.trimmed().isEmpty())
            continue;
        // Quotation marks stay in the field: a quoted number is text, never a share. A byte that
        // is not UTF-8 reads as U+FFFD, so its field is text too.
        for (const QString& field : line.text.split(QLatin1Char(',')))
            m_pending.push_back(field.trimmed());
    }
    return true;
}

std::optional<QString> ExpectedSharesFile::next() {
    if (!fetch())
        return std::nullopt;
    QString field = std::move(m_pending.front());
    m_pending.pop_front();
    return field;
}

bool ExpectedSharesFile::nextIsKey() {
    return fetch() && isKey(m_pending.front());
}

bool ExpectedSharesFile::atEnd() {
    return !fetch();
}

bool ExpectedSharesFile::isKey(const QString& field) {
    return field.startsWith(KeyPrefix);
}

std::optional<ExpectedSharesFile::Rational> ExpectedSharesFile::value(const QString& field) {
    if (field.isEmpty())
        return Rational(0);
    // No share of a case the engine accepts comes near this many digits; converting a longer
    // field would take time that grows with the square of its length.
    if (field.size() > MaxDigits + 2)
        return std::nullopt;
    static const QRegularExpression number(QStringLiteral("^([+-]?)(\\d*)(?:\\.(\\d*))?$"));
    const QRegularExpressionMatch m = number.match(field);
    const QString whole = m.captured(2);
    const QString fraction = m.captured(3);
    if (!m.hasMatch() || (whole.isEmpty() && fraction.isEmpty()) ||
        whole.size() + fraction.size() > MaxDigits)
        return std::nullopt;
    // Exact: "0.1" is one tenth, never the double nearest to it. Leading zeros go first: the
    // big-number conversion reads "010" as octal 8, and throws on "08".
    QString digits = whole + fraction;
    qsizetype zeros = 0;
    while (zeros + 1 < digits.size() && digits[zeros] == QLatin1Char('0'))
        ++zeros;
    digits.remove(0, zeros);
    Rational v(BigInt(digits.toStdString()));
    v /= pow(BigInt(10), static_cast<unsigned>(fraction.size()));
    if (m.captured(1) == QLatin1String("-"))
        v = -v;
    return v;
}

QString ExpectedSharesFile::record(const QString& key, const std::vector<BigInt>& shares) {
    QStringList values;
    values.reserve(static_cast<qsizetype>(shares.size()));
    for (const BigInt& share : shares)
        values << QString::fromStdString(share.str());
    return key + QLatin1Char('\n') + values.join(QLatin1Char(',')) + QLatin1Char('\n');
}

} // namespace rules
