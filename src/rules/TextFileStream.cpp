#include "rules/TextFileStream.h"

#include <QStringDecoder>

namespace rules {

bool TextFileStream::open(const QString& path) {
    reset();
    auto f = std::make_unique<QFile>(path);
    if (!f->open(QIODevice::ReadOnly))
        return false;
    if (f->peek(3) == QByteArrayLiteral("\xEF\xBB\xBF"))
        f->skip(3);
    m_file = std::move(f);
    return true;
}

void TextFileStream::reset() {
    m_file.reset();
    m_line = 0;
}

TextLine TextFileStream::readLine() {
    if (atEnd())
        return {};
    QByteArray bytes = m_file->readLine();
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    TextLine line = decode(bytes);
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
