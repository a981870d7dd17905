#include "rules/RuleFile.h"

#include "platform/AppPaths.h"
#include "platform/ProcessExit.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace rules {

QStringList RuleFile::splitLine(const QString& line) {
    // Fields are cut out whole rather than built a character at a time: a line of a million
    // characters must cost no more than copying it.
    QStringList fields;
    const qsizetype n = line.size();
    const auto isBlank = [&](qsizetype k) {
        return line[k] == QLatin1Char(' ') || line[k] == QLatin1Char('\t');
    };
    qsizetype i = 0;
    while (true) {
        while (i < n && isBlank(i))
            ++i;
        if (i < n && line[i] == QLatin1Char('"')) {
            const qsizetype start = ++i;
            while (i < n && line[i] != QLatin1Char('"'))
                ++i;
            fields << line.sliced(start, i - start);
            // Whatever follows the closing quote up to the comma belongs to no field.
            while (i < n && line[i] != QLatin1Char(','))
                ++i;
        } else {
            const qsizetype start = i;
            while (i < n && line[i] != QLatin1Char(','))
                ++i;
            // Blanks before the separator are not part of a plain field.
            qsizetype end = i;
            while (end > start && isBlank(end - 1))
                --end;
            fields << line.sliced(start, end - start);
        }
        if (i >= n)
            break;
        ++i; // the comma
    }
    return fields;
}

RuleFile RuleFile::fromText(const QString& text, const QString& name) {
    RuleFile file;
    file.m_name = name;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        file.m_fields << splitLine(line);
    }
    return file;
}

RuleFile RuleFile::open(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        platform::ProcessExit::fail(QStringLiteral("ملف القواعد غير موجود او لا يمكن قراءته: ") + name);
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(f.readAll());
    if (decoder.hasError())
        platform::ProcessExit::fail(QStringLiteral("ملف القواعد ناقص او تالف: ") + name);
    return fromText(text, name);
}

RuleFile RuleFile::openAppFile(const QString& name) {
    return open(platform::AppPaths::appFile(name));
}

void RuleFile::failShort() const {
    platform::ProcessExit::fail(QStringLiteral("ملف القواعد ناقص او تالف: ") + m_name);
}

QString RuleFile::readText() {
    if (atEnd())
        failShort();
    return m_fields[m_next++];
}

qint64 RuleFile::readNumber() {
    if (atEnd())
        failShort();
    const QString field = m_fields[m_next++];
    bool ok = false;
    const qint64 value = field.toLongLong(&ok);
    if (!ok)
        failShort();
    return value;
}

} // namespace rules
