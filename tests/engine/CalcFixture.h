#pragma once

// What the calculation tests share: the shipped rule files, the relation table, and a
// single-death case set up from a list of relations.

#include "engine/calc/NameTables.h"
#include "engine/run/HeadlessCase.h"
#include "rules/CalcRuleFiles.h"
#include "support/TempAppFolder.h"

#include <QStringList>

#include <ostream>
#include <vector>

// Readable texts in test failures.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace testsupport {

inline const rules::CalcRules& shippedCalcRules() {
    static const rules::CalcRules rules = [] {
        const QString dir = appdataDir() + QLatin1Char('/');
        return rules::parseCalcRules(rules::RuleFile::open(dir + QStringLiteral("AF")),
                                     rules::RuleFile::open(dir + QStringLiteral("AV")),
                                     rules::RuleFile::open(dir + QStringLiteral("AH")));
    }();
    return rules;
}

inline const engine::NameTables& relationNames() {
    static const engine::NameTables names = [] {
        engine::NameTables n;
        n.fillRelationNames();
        return n;
    }();
    return names;
}

// Heirs named after their position ("و1", "و2", ...), one per relation, in entry order.
inline std::vector<engine::HeirRow> heirsOf(const QStringList& relations) {
    std::vector<engine::HeirRow> rows;
    for (int k = 0; k < relations.size(); ++k)
        rows.push_back({QStringLiteral("و") + QString::number(k + 1), relations[k]});
    return rows;
}

inline QStringList rel(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* t : texts)
        list << QString::fromUtf8(t);
    return list;
}

} // namespace testsupport
