#include "rules/TextFileStream.h"

#include <QFile>
#include <QStringDecoder>

namespace rules {

bool TextFileStream::open(const QString& path) {
    reset();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    m_bytes = f.readAll();
    if (m_bytes.startsWith("\xEF\xBB\xBF"))
        m_next = 3;
    m_open = true;
    return true;
}

void TextFileStream::reset() {
    m_open = false;
    m_bytes.clear();
    m_next = 0;
    m_line = 0;
}

TextLine TextFileStream::readLine() {
    if (atEnd())
        return {};
    const char* const bytes = m_bytes.constData();
    const qsizetype size = m_bytes.size();
    qsizetype end = m_next;
    while (end < size && bytes[end] != '\n' && bytes[end] != '\r')
        ++end;
    qsizetype after = end;
    if (after < size && bytes[after] == '\r')
        ++after;
    if (after < size && bytes[after] == '\n')
        ++after;
    TextLine line = decode(m_bytes.sliced(m_next, end - m_next));
    m_next = after;
    line.number = ++m_line;
    return line;
}

TextLine TextFileStream::decode(const QByteArray& bytes) {
    // Stateless: a sequence cut short by the end of the line is an error, not left pending.
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    TextLine line;
    line.text = decoder.decode(bytes);
    line.wellFormed = !decoder.hasError();
    for (const QChar c : std::as_const(line.text)) {
        if ((c.unicode() < 0x20 && c != QLatin1Char('\t')) || c.unicode() == 0x7F) {
            line.hasControl = true;
            break;
        }
    }
    return line;
}

} // namespace rules
