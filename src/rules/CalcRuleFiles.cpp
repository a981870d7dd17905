#include "rules/CalcRuleFiles.h"

#include "platform/ProcessExit.h"

#include <algorithm>

namespace rules {

namespace {

constexpr int ClassTop = 112;
constexpr int FirstGrandmother = 18;
constexpr int LastGrandmother = 26;

[[noreturn]] void refuse(const RuleFile& file, const QString& reason) {
    platform::ProcessExit::fail(QStringLiteral("ملف القواعد غير صالح: ") + file.name() +
                                QStringLiteral(" - ") + reason);
}

// Every number is checked against its field's range while it is still 64 bits wide: narrowed
// first, 4294967396 would pass as 100.
int readInRange(RuleFile& file, int low, int high) {
    const qint64 value = file.readNumber();
    if (value < low || value > high)
        refuse(file, QStringLiteral("رقم خارج المدى"));
    return static_cast<int>(value);
}

int readClass(RuleFile& file, int low = 1, int high = ClassTop) {
    const qint64 value = file.readNumber();
    if (value < low || value > high)
        refuse(file, QStringLiteral("رقم صنف خارج المدى"));
    return static_cast<int>(value);
}

// 1 - count(B) must stay 0 or 1: B names a class that never has two heads.
bool isSingleHeadClass(int c) {
    return (c >= 1 && c <= 4) || (c >= 18 && c <= 26) || (c >= 96 && c <= 98);
}

std::array<ExclusionPair, 4> readExclusionPairs(RuleFile& af) {
    std::array<ExclusionPair, 4> pairs;
    for (ExclusionPair& pair : pairs) {
        pair.excluded = readClass(af);
        pair.excluding = readClass(af);
        if (!isSingleHeadClass(pair.excluding))
            refuse(af, QStringLiteral("الصنف الحاجب يجب ان يكون فرداً واحداً"));
    }
    return pairs;
}

std::vector<ResiduaryRange> readResiduaryOrder(RuleFile& av) {
    if (av.fieldCount() == 0 || av.fieldCount() % 3 != 0)
        refuse(av, QStringLiteral("عدد القيم لا يكمل السجلات"));
    std::vector<ResiduaryRange> order;
    while (!av.atEnd()) {
        ResiduaryRange r;
        r.FirstClass = readInRange(av, 1, ClassTop);
        r.LastClass = readInRange(av, 1, ClassTop);
        r.SideOffset = readInRange(av, 0, ClassTop);
        const int top = r.LastClass + 1 + (r.isSide() ? r.SideOffset : 0);
        if (r.LastClass < r.FirstClass || (r.LastClass - r.FirstClass) % 2 != 0 || top > ClassTop)
            refuse(av, QStringLiteral("مدى غير صالح"));
        // A side record from class 100 on ends the walk; one before the last would hide the rest.
        if (!order.empty() && order.back().isSide() && order.back().FirstClass >= 100)
            refuse(av, QStringLiteral("سجل الجهتين الاخير يجب ان يكون آخر السجلات"));
        order.push_back(r);
    }
    if (!order.back().isSide() || order.back().FirstClass < 100)
        refuse(av, QStringLiteral("السجل الاخير يجب ان يكون سجل جهتين يبدأ من الصنف 100 فما فوق"));
    return order;
}

std::vector<int> readGrandmotherOrder(RuleFile& ah) {
    std::vector<int> order;
    while (!ah.atEnd())
        order.push_back(readClass(ah, FirstGrandmother, LastGrandmother));
    for (int c = FirstGrandmother; c <= LastGrandmother; ++c) {
        if (std::find(order.begin(), order.end(), c) == order.end())
            refuse(ah, QStringLiteral("لا يذكر كل اصناف الجدات"));
    }
    return order;
}

} // namespace

CalcRules parseCalcRules(RuleFile af, RuleFile av, RuleFile ah) {
    CalcRules rules;
    rules.exclusionPairs = readExclusionPairs(af);
    rules.residuaryOrder = readResiduaryOrder(av);
    rules.grandmotherOrder = readGrandmotherOrder(ah);
    return rules;
}

CalcRules loadCalcRules() {
    return parseCalcRules(RuleFile::openAppFile(QStringLiteral("AF")),
                          RuleFile::openAppFile(QStringLiteral("AV")),
                          RuleFile::openAppFile(QStringLiteral("AH")));
}

} // namespace rules
