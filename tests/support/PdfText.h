#pragma once

#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <algorithm>

namespace testsupport {

// The words of a text as a reader of the page sees them, whatever order the extraction put
// their letters in: compatibility forms folded (a PDF's text may come back in the presentation
// forms of Arabic letters), direction marks, vowel signs and brackets dropped (a right-to-left
// line mirrors brackets and may set a vowel sign after the letter that follows it), a change
// between digits and letters taken as a word break (extraction drops blanks where the direction
// turns), and each word in one fixed order of its letters, so that a word extracted in visual
// order still matches the same word in logical order.
inline QStringList pageWords(const QString& text) {
    QString folded;
    for (const QChar c : text.normalized(QString::NormalizationForm_KC)) {
        if (c.category() == QChar::Other_Format || c.category() == QChar::Mark_NonSpacing)
            continue;
        if (!folded.isEmpty() &&
            ((folded.back().isDigit() && c.isLetter()) || (folded.back().isLetter() && c.isDigit())))
            folded += QLatin1Char(' ');
        folded += c;
    }
    QStringList out;
    static const QRegularExpression separators(QStringLiteral("[\\s()\\[\\]:/]+"));
    for (const QString& word : folded.split(separators, Qt::SkipEmptyParts)) {
        QString reversed = word;
        std::reverse(reversed.begin(), reversed.end());
        out << std::min(word, reversed);
    }
    return out;
}

// The text of a PDF file (or of its pages first..last) as pdftotext extracts it.
inline QString pdfText(const QString& path, int first = 0, int last = 0) {
    QProcess p;
    QStringList args;
    if (first > 0)
        args << QStringLiteral("-f") << QString::number(first);
    if (last > 0)
        args << QStringLiteral("-l") << QString::number(last);
    args << path << QStringLiteral("-");
    p.start(QStringLiteral("pdftotext"), args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The words of `expected` that `found` does not hold, each counted as often as it is missing.
inline QStringList missingWords(const QStringList& expected, const QStringList& found) {
    QMap<QString, int> available;
    for (const QString& w : found)
        ++available[w];
    QStringList missing;
    for (const QString& w : expected) {
        if (available.value(w) > 0)
            --available[w];
        else
            missing << w;
    }
    return missing;
}

} // namespace testsupport
