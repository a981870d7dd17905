#pragma once

// Reader of the golden inheritance cases (cases.txt). One case per block:
//
//   case <title>
//   # comments anywhere: where the expected division comes from
//   heir <relation>                    a heir named after his place ("و1", "و2", ...)
//   heir <name> | <relation>           a named heir; a relation in double quotes keeps its blanks
//   school 1 2 : <base> = <share> ...  the reduced division, one share per heir slot in slot order
//   state 2 : CaseKind=5 GrandfatherOption=10   values the notes read, when the case shows them
//   end
//
// A case names each school it is checked in; "school 1 2" when both give the same division.

#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace golden {

struct Heir {
    QString name;
    QString relation;
};

struct Division {
    long long base = 0;
    std::vector<long long> shares;
};

struct GoldenCase {
    QString title;
    int line = 0;
    std::vector<Heir> heirs;
    std::map<int, Division> bySchool;                          // school -> expected division
    std::map<int, std::map<QString, long long>> stateBySchool; // school -> member -> value
};

inline std::vector<int> parseSchools(const QString& text, int line) {
    std::vector<int> schools;
    for (const QString& s : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (s != QLatin1String("1") && s != QLatin1String("2"))
            throw std::runtime_error("line " + std::to_string(line) + ": unknown school " + s.toStdString());
        schools.push_back(s.toInt());
    }
    if (schools.empty())
        throw std::runtime_error("line " + std::to_string(line) + ": no school");
    return schools;
}

inline long long parseNumber(const QString& text, int line) {
    bool ok = false;
    const long long value = text.toLongLong(&ok);
    if (!ok)
        throw std::runtime_error("line " + std::to_string(line) + ": not a number: " + text.toStdString());
    return value;
}

inline std::vector<GoldenCase> parseGoldenCases(const QString& text) {
    std::vector<GoldenCase> cases;
    GoldenCase current;
    bool open = false;
    int lineNo = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString raw : lines) {
        ++lineNo;
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype space = line.indexOf(QLatin1Char(' '));
        const QString keyword = space < 0 ? line : line.left(space);
        const QString rest = space < 0 ? QString() : line.mid(space + 1).trimmed();
        auto fail = [&](const std::string& why) {
            throw std::runtime_error("line " + std::to_string(lineNo) + ": " + why);
        };
        if (keyword == QLatin1String("case")) {
            if (open)
                fail("case inside a case");
            current = GoldenCase{rest, lineNo, {}, {}, {}};
            open = true;
        } else if (!open) {
            fail("outside a case");
        } else if (keyword == QLatin1String("heir")) {
            Heir heir;
            QString relation = rest;
            const qsizetype bar = rest.indexOf(QLatin1Char('|'));
            if (bar >= 0) {
                heir.name = rest.left(bar).trimmed();
                relation = rest.mid(bar + 1).trimmed();
            } else {
                heir.name = QStringLiteral("و") + QString::number(current.heirs.size() + 1);
            }
            if (relation.size() >= 2 && relation.startsWith(QLatin1Char('"')) &&
                relation.endsWith(QLatin1Char('"')))
                relation = relation.mid(1, relation.size() - 2);
            heir.relation = relation;
            current.heirs.push_back(heir);
        } else if (keyword == QLatin1String("school")) {
            const QStringList parts = rest.split(QLatin1Char(':'));
            if (parts.size() != 2)
                fail("school line without ':'");
            const QStringList division = parts[1].split(QLatin1Char('='));
            if (division.size() != 2)
                fail("school line without '='");
            Division d;
            d.base = parseNumber(division[0].trimmed(), lineNo);
            for (const QString& s : division[1].split(QLatin1Char(' '), Qt::SkipEmptyParts))
                d.shares.push_back(parseNumber(s, lineNo));
            for (int school : parseSchools(parts[0], lineNo)) {
                if (current.bySchool.count(school))
                    fail("school given twice");
                current.bySchool[school] = d;
            }
        } else if (keyword == QLatin1String("state")) {
            const QStringList parts = rest.split(QLatin1Char(':'));
            if (parts.size() != 2)
                fail("state line without ':'");
            for (int school : parseSchools(parts[0], lineNo)) {
                for (const QString& item : parts[1].split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                    const QStringList kv = item.split(QLatin1Char('='));
                    if (kv.size() != 2)
                        fail("state item without '='");
                    current.stateBySchool[school][kv[0]] = parseNumber(kv[1], lineNo);
                }
            }
        } else if (keyword == QLatin1String("end")) {
            if (current.heirs.empty() || current.bySchool.empty())
                fail("a case needs heirs and an expected division");
            cases.push_back(current);
            open = false;
        } else {
            fail("unknown keyword " + keyword.toStdString());
        }
    }
    if (open)
        throw std::runtime_error("the last case has no end");
    return cases;
}

inline std::vector<GoldenCase> readGoldenCases(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return parseGoldenCases(QString::fromUtf8(file.readAll()));
}

} // namespace golden
