#pragma once

#include <QString>
#include <QStringList>

namespace rules {

// A rule data file of the application folder, read field by field from its start. A field ends
// at a comma or at the end of a line; blanks before it are skipped; a field in double quotes may
// hold commas. Blank lines hold no field. Files are UTF-8.
//
// The program cannot go on without its rule files: a missing file, one that ends before the
// field asked for, or a number that is not written as a plain number shows an Arabic message
// naming the file and ends the program.
class RuleFile {
public:
    // The file `name` ("AG", "AV", ...) of the application folder.
    static RuleFile openAppFile(const QString& name);
    static RuleFile open(const QString& path);
    // Splits text as a file would be read; `name` is used in messages.
    static RuleFile fromText(const QString& text, const QString& name);

    QString name() const { return m_name; }
    bool atEnd() const { return m_next >= m_fields.size(); }
    int fieldCount() const { return static_cast<int>(m_fields.size()); }

    QString readText();
    qint64 readNumber();

    // The fields of one line, for files read line by line.
    static QStringList splitLine(const QString& line);

private:
    [[noreturn]] void failShort() const;

    QString m_name;
    QStringList m_fields;
    qsizetype m_next = 0;
};

} // namespace rules
