#pragma once

#include "ScriptedPort.h"
#include "engine/report/EngineContext.h"
#include "support/TempAppFolder.h"

#include <QFile>
#include <QSqlRecord>
#include <QStringList>
#include <QTextStream>

#include <gtest/gtest.h>

#include <initializer_list>

namespace testsupport {

// Name tables with the fixed texts of the program and class words of our own choosing, so the
// expected report lines show plainly which table each word came from.
inline engine::NameTables reportNames() {
    engine::NameTables names;
    names.fillRelationNames();
    names.fillMenuTexts();
    struct ClassWords {
        int c;
        const char* singular;
        const char* plural;
        const char* mixed;
        int gender;
    };
    const ClassWords words[] = {
        {1, "الاب", "الاباء", "الاباء", 1},
        {2, "الام", "الامهات", "الامهات", 2},
        {3, "الجد", "الاجداد", "الاجداد", 1},
        {4, "الزوج", "الازواج", "الازواج", 1},
        {5, "الزوجة", "الزوجات", "الزوجات", 2},
        {6, "الجدة", "الجدات", "الجدات", 2},
        {7, "البنت", "البنات", "البنات", 2},
        {8, "بنت الابن", "بنات الابن", "بنات الابن", 2},
        {10, "الاخت الشقيقة", "الاخوات الشقيقات", "الاخوات الشقيقات", 2},
        {11, "الاخت لاب", "الاخوات لاب", "الاخوات لاب", 2},
        {12, "ولد الام", "اولاد الام", "اولاد الام", 1},
        {13, "الابن", "الابناء", "الابناء والبنات", 1},
        {14, "ابن الابن", "ابناء الابن", "اولاد الابن", 1},
        {16, "الاخ الشقيق", "الاخوة الاشقاء", "الاخوة والاخوات الاشقاء", 1},
        {17, "الاخ لاب", "الاخوة لاب", "الاخوة والاخوات لاب", 1},
        {31, "العم الشقيق", "الاعمام الاشقاء", "الاعمام الاشقاء", 1},
        {46, "ابن البنت", "ابناء البنت", "اولاد البنت", 1},
        {47, "بنت البنت", "بنات البنت", "بنات البنت", 2},
        {53, "بنت ابن البنت", "بنات ابن البنت", "بنات ابن البنت", 0},
    };
    for (const auto& w : words) {
        names.ClassNameSingular[w.c] = QString::fromUtf8(w.singular);
        names.ClassNamePlural[w.c] = QString::fromUtf8(w.plural);
        names.ClassNameMixed[w.c] = QString::fromUtf8(w.mixed);
        names.ClassGender[w.c] = w.gender;
    }
    const char* const groups[] = {"للاباء",          "للامهات",          "للاجداد",     "للازواج",
                                  "للزوجات",         "للجدات",           "للبنات",      "لبنات الابن",
                                  "لبنات ابن الابن", "للاخوات الشقيقات", "للاخوات لاب", "لاولاد الام"};
    for (int g = 1; g <= 12; ++g)
        names.GroupNames[g] = QString::fromUtf8(groups[g - 1]);
    return names;
}

// A heir slot as the calculation leaves it.
struct Heir {
    QString name;
    QString relation;
    int cls;
    int share;
};

// An application folder with the real case database, engine state, name tables and a scripted
// port, wired into one engine context.
struct ReportTestBench {
    TempAppFolder folder;
    data::Database db = folder.caseDatabase();
    ScriptedPort port{db};
    engine::EngineState state;
    engine::NameTables names = reportNames();
    engine::CaseContext context;
    engine::EngineContext ctx{state, names, db, port, context};

    ReportTestBench() {
        state.Madhhab = 2;
        state.OutputMode = 2;
        state.newChain(1);
    }

    // One deceased with these heir slots, as the intake and calculation would leave them.
    void singleDeath(const QString& deceased, std::initializer_list<Heir> heirs) {
        state.newChain(1);
        state.DeceasedName[1] = deceased;
        state.DeceasedIndex = 1;
        addHeirs(1, heirs);
    }
    void addHeirs(int deceased, std::initializer_list<Heir> heirs) {
        int slot = std::max(state.DeceasedLastHeir[deceased - 1], state.DeceasedLastHeir[deceased]);
        for (const Heir& h : heirs) {
            ++slot;
            state.ensureSlots(slot);
            state.HeirName[slot] = h.name;
            state.HeirRelation[slot] = h.relation;
            state.HeirClass[slot] = static_cast<std::int16_t>(h.cls);
            state.HeirShare[slot] = h.share;
        }
        state.DeceasedLastHeir[deceased] = slot;
        state.HeirTotal = slot;
    }
    void setClass(int c, int count, int perHead, engine::Num denom = 0) {
        state.ClassCount[c] = count;
        state.ClassShares[c] = perHead;
        // Only the fixed-share classes have a share kind.
        if (c <= engine::ShareKindTop)
            state.ShareKindDenom[c] = denom;
    }

    QStringList window() { return port.surface().lines(); }
};

// The rows of a report table in writing order, every column quoted so blanks stay visible.
inline QStringList tableRows(const data::Database& db, const QString& table) {
    QStringList out;
    for (const QSqlRecord& r : db.select(QStringLiteral("select * from %1 order by rowid").arg(table))) {
        QStringList fields;
        for (int i = 0; i < r.count(); ++i)
            fields << QLatin1Char('"') + r.value(i).toString() + QLatin1Char('"');
        out << table + QLatin1Char('|') + fields.join(QLatin1Char('|'));
    }
    return out;
}

inline QStringList reportTableRows(const data::Database& db) {
    QStringList out;
    for (const char* table : {"PRINT_TEXT", "PRINT_TEXT2", "PRINT_TEXT2_CHILED", "NOTS_CHILED", "PRINT_TITLE",
                              "TAWHEED", "TAWHEED_CHILED"})
        out << tableRows(db, QString::fromLatin1(table));
    return out;
}

// Window lines between bars, so leading and trailing blanks can be read in a fixture.
inline QStringList barred(const QStringList& lines) {
    QStringList out;
    for (const QString& l : lines)
        out << QLatin1Char('|') + l + QLatin1Char('|');
    return out;
}

// A fixture file under tests/engine/fixtures: its lines, blank lines and "#" comments left out.
inline QStringList fixture(const QString& name) {
    QFile f(testsDir() + QStringLiteral("/engine/fixtures/") + name);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        ADD_FAILURE() << "missing fixture " << name.toStdString();
        return {};
    }
    QStringList out;
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            out << line;
    }
    return out;
}

// Compares line by line, so a failure names the first line that differs.
inline void expectLines(const QStringList& actual, const QStringList& expected) {
    for (qsizetype i = 0; i < std::min(actual.size(), expected.size()); ++i)
        EXPECT_EQ(actual[i].toStdString(), expected[i].toStdString()) << "line " << i + 1;
    EXPECT_EQ(actual.size(), expected.size()) << "actual:\n" << actual.join(QLatin1Char('\n')).toStdString();
}

} // namespace testsupport
