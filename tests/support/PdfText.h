#pragma once

#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>

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

// A word on a page of a PDF, where pdftotext found it, in points from the page's top left.
struct PdfWord {
    int page = 0;
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

struct PdfPage {
    double width = 0, height = 0;
};

// Every word of a PDF file with its box, and the size of every page. The extraction gives each
// glyph of a joined Arabic word as a word of its own; glyphs that touch on one line are one word.
inline QList<PdfWord> pdfWords(const QString& path, QList<PdfPage>* pages = nullptr) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    static const QRegularExpression pageLine(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\""));
    static const QRegularExpression wordLine(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">(.*)</word>"));
    QList<PdfWord> words;
    int page = 0;
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (const auto m = pageLine.match(line); m.hasMatch()) {
            ++page;
            if (pages)
                pages->append({m.captured(1).toDouble(), m.captured(2).toDouble()});
        } else if (const auto w = wordLine.match(line); w.hasMatch()) {
            QString text = w.captured(5);
            text.replace(QStringLiteral("&amp;"), QStringLiteral("&"))
                .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                .replace(QStringLiteral("&gt;"), QStringLiteral(">"));
            const PdfWord word{page,
                               text,
                               w.captured(1).toDouble(),
                               w.captured(2).toDouble(),
                               w.captured(3).toDouble(),
                               w.captured(4).toDouble()};
            if (!words.isEmpty()) {
                PdfWord& previous = words.back();
                const double gap = word.xMin - previous.xMax;
                if (previous.page == page && std::abs(word.yMax - previous.yMax) < 1.5 && gap > -0.5 &&
                    gap < 0.5) {
                    previous.text += word.text;
                    previous.xMax = word.xMax;
                    previous.yMin = std::min(previous.yMin, word.yMin);
                    continue;
                }
            }
            words.append(word);
        }
    }
    return words;
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
