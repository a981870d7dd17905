#include "engine/run/EngineSelfTest.h"

#include "engine/calc/ExactDecimal.h"
#include "engine/calc/ShareCalculation.h"
#include "engine/calc/StoredCaseCalculation.h"
#include "engine/report/DeceasedReport.h"
#include "platform/AppPaths.h"
#include "platform/MessageService.h"
#include "platform/ProcessExit.h"
#include "rules/StoredCaseFile.h"

#include <QFileInfo>

namespace engine {

namespace {

using rules::ExpectedSharesFile;
using rules::StoredCaseFile;
using Comparison = EngineSelfTest::Comparison;

const QString CaseSerial = QStringLiteral("التسلسل/");
const QString SerialMark = QStringLiteral(":-");
const QString FirstDeceased = QStringLiteral(" توفى المدعو: ");
const QString LaterDeceased = QStringLiteral(" ثم توفــى :-");
const QString TableHead = QStringLiteral("( عــن )");
const QString Rule = QStringLiteral("-----------");
const QString ShortRule = QStringLiteral("-----");
const QString HeirSerialMark = QStringLiteral(":-  ");
const QString Total = QStringLiteral("المجموع ");
const QString UnifiedTitle = QStringLiteral("توحيد القسامات ");
const QString UnifiedUnderline = QStringLiteral("ــــــــــــــــ");
const QString UnifiedDeceased = QStringLiteral("      توفى المدعو ");
const QString UnifiedHead = QStringLiteral("( عــن)");
const QString UnifiedTotal = QStringLiteral("المجمـــوع");

QString slotText(const EngineState& s, int slot) {
    QString text = QString::number(slot);
    if (slot < static_cast<int>(s.HeirName.size()) && !s.HeirName[slot].isEmpty())
        text += QStringLiteral(" (") + s.HeirName[slot] + QLatin1Char(')');
    return text;
}

QString shareText(const BigInt& share) {
    return QString::fromStdString(share.str());
}

// The title block of the engine's menu texts. The self-test runs before any engine host has
// loaded those texts, so the block is its blank lines alone.
void titleBlock(ReportSurface& out) {
    out.clear();
    out.emptyLine();
    out.spc(60).endLine();
    for (int line = 0; line < 4; ++line)
        out.spc(2).endLine();
}

// Prints the heading of deceased i; false when a later deceased received nothing from the
// earlier divisions and so has no table. Names are matched whole, as the merge matches them.
bool heading(EngineState& s, ReportSurface& out, int i) {
    if (i == 1) {
        titleBlock(out);
        out.spc(10).text(CaseSerial).text(s.CaseKey).endLine();
        out.emptyLine();
        out.spc(3)
            .number(std::int64_t{i})
            .text(SerialMark)
            .text(FirstDeceased)
            .spc(2)
            .text(s.DeceasedName[i])
            .endLine();
        return true;
    }
    out.clear();
    for (int line = 0; line < 3; ++line)
        out.emptyLine();
    out.spc(3)
        .number(std::int64_t{i})
        .text(SerialMark)
        .text(LaterDeceased)
        .spc(3)
        .text(s.DeceasedName[i])
        .endLine();
    BigInt inherited = 0;
    for (int k = 1; k <= s.DeceasedLastHeir[i - 1]; ++k) {
        if (s.HeirName[k] == s.DeceasedName[i])
            inherited += s.HeirShare[k];
    }
    if (inherited == 0) {
        ++s.SkippedDeceased;
        return false;
    }
    return true;
}

void deceasedTable(EngineState& s, ReportSurface& out, int i) {
    if (!heading(s, out, i))
        return;
    out.zone().zone().zone().text(TableHead).tab(65).number(s.CaseBase).endLine();
    out.zone().zone().zone().text(Rule).tab(65).text(ShortRule).endLine();
    BigInt total = 0;
    for (int j = s.DeceasedLastHeir[i - 1] + 1; j <= s.DeceasedLastHeir[i]; ++j) {
        if (!s.HeirName[j].isEmpty()) {
            PrintHeirLine(out, s, j, decimalText(s.HeirShare[j]));
        }
        total += s.HeirShare[j];
    }
    out.zone().zone().zone().text(Rule).tab(65).text(ShortRule).endLine();
    out.zone().zone().zone().text(Total).tab(65).number(total).endLine();
}

void combinedTable(EngineState& s, ReportSurface& out) {
    out.clear();
    out.emptyLine();
    out.zone().zone().text(UnifiedTitle).endLine();
    out.zone().zone().text(UnifiedUnderline).endLine();
    out.text(UnifiedDeceased).zone().text(s.DeceasedName[1]).endLine();
    s.LineCount = 0;
    s.PageNo = 1;
    // The combined base, not CaseBase: a long chain's base outgrows the engine's 64-bit numbers.
    out.zone().text(UnifiedHead).tab(45).number(s.CombinedBase).endLine();
    out.zone().text(Rule).tab(45).text(ShortRule).endLine();
    BigInt total = 0;
    for (int j = 1; j <= s.HeirTotal; ++j) {
        if (s.HeirShare[j] == 0)
            continue;
        ++s.LineCount;
        out.spc(9)
            .number(std::int64_t{s.LineCount})
            .text(HeirSerialMark)
            .text(s.HeirName[j])
            .zone()
            .tab(45)
            .number(s.HeirShare[j])
            .tab(70)
            .text(s.AmountUnit)
            .endLine();
        total += s.HeirShare[j];
    }
    out.zone().text(Rule).tab(45).text(ShortRule).endLine();
    out.zone().text(UnifiedTotal).tab(45).number(total).endLine();
}

QString comparisonProblem(const EngineState& s, const EngineSelfTest::ComparisonResult& c,
                          const QString& key) {
    const QString expectedFile = QStringLiteral(" في ملف القسامات المتوقعة ");
    switch (c.outcome) {
    case Comparison::Agrees:
        return {};
    case Comparison::KeyDiffers:
        if (c.field.isNull())
            return QStringLiteral("ملف القسامات المتوقعة ينتهي قبل المسألة ") + key;
        return QStringLiteral("المفتاح \"") + c.field + QLatin1Char('"') + expectedFile +
               QStringLiteral("لا يطابق مفتاح المسألة ") + key;
    case Comparison::ShareDiffers:
        return QStringLiteral("المسألة ") + key + QStringLiteral(": سهم الوارث ") + slotText(s, c.slot) +
               QStringLiteral(" هو ") + shareText(s.HeirShare[c.slot]) + QStringLiteral(" والمتوقع \"") +
               c.field + QLatin1Char('"');
    case Comparison::TooFewValues:
        return QStringLiteral("قسامات المسألة ") + key + expectedFile +
               QStringLiteral("اقل من عدد خانات ورثتها ") + QString::number(s.HeirTotal);
    case Comparison::TooManyValues:
        return QStringLiteral("قسامات المسألة ") + key + expectedFile +
               QStringLiteral("اكثر من عدد خانات ورثتها ") + QString::number(s.HeirTotal);
    }
    return {};
}

} // namespace

EngineSelfTest::ComparisonResult
EngineSelfTest::CompareExpectedShares(EngineState& s, ExpectedSharesFile& file, const QString& storedKey) {
    const std::optional<QString> key = file.next();
    if (!key)
        return {Comparison::KeyDiffers, 0, QString()};
    s.CaseKey = *key;
    if (*key != storedKey)
        return {Comparison::KeyDiffers, 0, *key};

    for (int i = 1; i <= s.DeceasedCount; ++i) {
        for (int j = s.DeceasedLastHeir[i - 1] + 1; j <= s.DeceasedLastHeir[i]; ++j) {
            if (file.atEnd() || file.nextIsKey())
                return {Comparison::TooFewValues, j, QString()};
            const QString field = *file.next();
            const auto expected = ExpectedSharesFile::value(field);
            if (!expected || *expected != ExpectedSharesFile::Rational(s.HeirShare[j]))
                return {Comparison::ShareDiffers, j, field};
        }
    }
    // A record with a value too many would put every later record out of step, and the last
    // record has no later one to show it.
    if (!file.atEnd() && !file.nextIsKey())
        return {Comparison::TooManyValues, s.HeirTotal + 1, *file.next()};
    return {};
}

EngineSelfTest::Result EngineSelfTest::replay(EngineState& s, const rules::CalcRules& rules,
                                              ReportSurface& surface, const QString& storedCasesPath,
                                              const QString& expectedSharesPath) {
    surface.clear();
    Result result;
    StoredCaseFile storedCases(storedCasesPath);
    ExpectedSharesFile expected(expectedSharesPath);

    const auto fail = [&](const QString& problem) {
        result.problem = problem;
        surface.emptyLine();
        surface.text(problem).endLine();
        return result;
    };

    StoredCaseFile::Result record = storedCases.scanFirst();
    if (record.outcome == StoredCaseFile::Outcome::Missing)
        return fail(record.problem);
    if (!expected.open())
        return fail(QStringLiteral("ملف القسامات المتوقعة غير موجود او لا يمكن قراءته: ") +
                    QFileInfo(expectedSharesPath).fileName());

    const CalcOptions variant = CalcOptions::referenceVariant();
    while (record.outcome != StoredCaseFile::Outcome::NotFound) {
        if (record.outcome != StoredCaseFile::Outcome::Loaded)
            return fail(record.problem);
        LoadReferenceCase(s, record.record);
        try {
            CalculateStoredCase(s, rules, variant, [&](int i) { deceasedTable(s, surface, i); });
        } catch (const CalculationRefused& refused) {
            return fail(QStringLiteral("المسألة ") + record.record.key + QStringLiteral(": ") +
                        refused.message());
        }
        combinedTable(s, surface);
        const ComparisonResult comparison = CompareExpectedShares(s, expected, record.record.key);
        if (comparison.outcome != Comparison::Agrees)
            return fail(comparisonProblem(s, comparison, record.record.key));
        ++result.casesChecked;
        record = storedCases.scanNext();
    }
    result.passed = true;
    return result;
}

void EngineSelfTest::run(ReportSurface& surface, const std::function<void()>& beforeFailureMessage) {
    const rules::CalcRules rules = rules::loadCalcRules();
    EngineState state;
    const Result result = replay(state, rules, surface, platform::AppPaths::appFile(QStringLiteral("STORG")),
                                 platform::AppPaths::appFile(QStringLiteral("STOR")));
    if (result.passed) {
        surface.clear();
        return;
    }
    if (beforeFailureMessage)
        beforeFailureMessage();
    platform::MessageService::show(FailureMessage, platform::MessageIcon::None);
    platform::ProcessExit::end(1);
}

} // namespace engine
