#pragma once

#include <QByteArray>
#include <QString>

namespace rules {

// One line of a text file, without its line end.
struct TextLine {
    QString text;
    int number = 0;          // 1 for the first line
    bool wellFormed = true;  // false when its bytes are not UTF-8 (a file ending inside a
                             // character included)
    bool hasControl = false; // holds a control character other than the tab: a NUL is no part
                             // of a name or a number
};

// A UTF-8 text file open for reading line by line, as the stored-case and expected-shares files
// are read. Lines end at "\n", "\r\n" or "\r"; a byte-order mark at the start of the file is skipped.
// Every line is decoded on its own, so a bad byte marks the line it stands in and nothing else.
// The file is read whole when opened (these files are small), so a line of a million characters
// costs no more than a million short ones. Closed when reset; `open` on a missing file leaves it
// closed.
class TextFileStream {
public:
    bool open(const QString& path);
    void reset();
    bool isOpen() const { return m_open; }
    bool atEnd() const { return !m_open || m_next >= m_bytes.size(); }
    // The next line; at the end of the file a line of no text.
    TextLine readLine();

    // Decodes `bytes` (one line, without its line end) as readLine does.
    static TextLine decode(const QByteArray& bytes);

private:
    bool m_open = false;
    QByteArray m_bytes;
    qsizetype m_next = 0;
    int m_line = 0;
};

} // namespace rules
