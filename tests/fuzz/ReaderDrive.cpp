#include "ReaderDrive.h"

#include "engine/calc/EngineState.h"
#include "engine/run/HeadlessCase.h"
#include "engine/calc/NameTables.h"
#include "engine/calc/ShareCalculation.h"
#include "engine/calc/StoredCaseCalculation.h"
#include "platform/MessageService.h"
#include "platform/ProcessExit.h"
#include "rules/CalcRuleFiles.h"
#include "rules/ClassNameFiles.h"
#include "rules/ExpectedSharesFile.h"
#include "rules/RuleFile.h"
#include "rules/StoredCaseFile.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <memory>

namespace fuzzsupport {

namespace {

class QuietSink : public platform::MessageSink {
public:
    void show(const QString& text, platform::MessageIcon) override { last = text; }
    bool askYesNo(const QString&) override { return false; }
    QString input(const QString&, const QString&) override { return {}; }
    QString last;
};

std::shared_ptr<QuietSink>& sink() {
    static std::shared_ptr<QuietSink> s;
    return s;
}

// Inputs go through real files: the readers take paths, and their decoding is part of the test.
const QString& scratchDir() {
    static QTemporaryDir dir;
    static const QString path = dir.path();
    return path;
}

QString writeScratch(const QString& name, const QByteArray& bytes) {
    const QString path = scratchDir() + QLatin1Char('/') + name;
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
    return path;
}

QByteArray shipped(const char* name) {
    QFile f(QStringLiteral(FARAID_APPDATA_DIR "/") + QString::fromUtf8(name));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

const engine::NameTables& names() {
    static const engine::NameTables tables = [] {
        engine::NameTables n;
        n.fillRelationNames();
        return n;
    }();
    return tables;
}

rules::RuleFile ruleFile(const char* name, const QByteArray& bytes) {
    return rules::RuleFile::open(writeScratch(QString::fromUtf8(name), bytes));
}

// Families that reach every part of the rules read from AF, AV and AH.
const char* const Families[][4] = {
    {"ام اب اب", "اب اب", "ام ام", nullptr},    {"ام ام ام", "ام ام اب", "ام اب", nullptr},
    {"ابن بنت", "بنت بنت", nullptr, nullptr},   {"عمة", "خال", "خالة", nullptr},
    {"زوجة", "ابن عمة", "ابن خال", nullptr},    {"زوج", "خال اب لام", "خالة اب لام", nullptr},
    {"خالة اب لام", nullptr, nullptr, nullptr}, {"زوجة", "اب ام", "ابن اخ لام", nullptr},
};

void divideFamilies(const rules::CalcRules& calcRules, RuleFileVerdict& verdict) {
    for (const auto& family : Families) {
        std::vector<engine::HeirRow> heirs;
        for (int k = 0; k < 4 && family[k]; ++k)
            heirs.push_back({QStringLiteral("و") + QString::number(k), QString::fromUtf8(family[k])});
        for (int school : {1, 2}) {
            try {
                const engine::HeadlessResult r = engine::solveCase(heirs, school, calcRules, names());
                if (r.accepted && r.shareSum() != r.base)
                    verdict.faults << QStringLiteral("shares do not add up to the base: ") +
                                          QString::fromUtf8(family[0]);
            } catch (const engine::CalculationRefused&) {
                // A refusal with its message is an outcome, not a fault.
            }
        }
    }
}

} // namespace

void prepare() {
    if (sink())
        return;
    sink() = std::make_shared<QuietSink>();
    platform::MessageService::setSink(sink());
    platform::ProcessExit::throwOnEnd();
}

StoredCaseVerdict driveStoredCases(const QByteArray& bytes) {
    prepare();
    static const rules::CalcRules calcRules = rules::parseCalcRules(
        ruleFile("AF", shipped("AF")), ruleFile("AV", shipped("AV")), ruleFile("AH", shipped("AH")));

    StoredCaseVerdict verdict;
    rules::StoredCaseFile file(writeScratch(QStringLiteral("STORG"), bytes));
    using Outcome = rules::StoredCaseFile::Outcome;
    engine::EngineState state;
    for (auto r = file.scanFirst(); r.outcome != Outcome::NotFound; r = file.scanNext()) {
        if (r.outcome == Outcome::Missing) {
            verdict.problems << r.problem;
            break;
        }
        if (r.outcome == Outcome::Malformed) {
            ++verdict.refused;
            verdict.problems << r.problem;
            if (!r.problem.contains(r.record.key) || !r.problem.contains(QStringLiteral("STORG")))
                verdict.unnamed << r.problem;
            continue;
        }
        ++verdict.loaded;
        engine::LoadReferenceCase(state, r.record);
        try {
            engine::CalculateStoredCase(state, calcRules, engine::CalcOptions::referenceVariant());
        } catch (const engine::CalculationRefused& refused) {
            verdict.problems << r.record.key + QStringLiteral(": ") + refused.message();
            continue;
        }
        ++verdict.calculated;
        engine::BigInt sum = 0;
        for (int j = 1; j <= state.HeirTotal; ++j)
            sum += state.HeirShare[static_cast<std::size_t>(j)];
        if (sum != state.CombinedBase)
            verdict.wrongSums << r.record.key;
    }
    return verdict;
}

RuleFileVerdict driveRuleFile(const QByteArray& input) {
    prepare();
    RuleFileVerdict verdict;
    if (input.isEmpty())
        return verdict;
    const char which = input.front();
    const QByteArray rest = input.mid(1);
    sink()->last.clear();
    try {
        switch (which) {
        case 'F':
        case 'V':
        case 'H': {
            const rules::CalcRules calcRules =
                rules::parseCalcRules(ruleFile("AF", which == 'F' ? rest : shipped("AF")),
                                      ruleFile("AV", which == 'V' ? rest : shipped("AV")),
                                      ruleFile("AH", which == 'H' ? rest : shipped("AH")));
            divideFamilies(calcRules, verdict);
            break;
        }
        case 'Q':
            rules::ClassNameFiles::readClassList(ruleFile("AQ", rest));
            break;
        case 'G': {
            rules::ClassNameFiles files([&](const QString& name) {
                return ruleFile(name.toUtf8().constData(),
                                name == QLatin1String("ORVEL") ? rest : shipped(name.toUtf8().constData()));
            });
            files.openFiles();
            rules::ClassNames classNames;
            files.readGroupNames(classNames);
            files.readClassNames(classNames);
            break;
        }
        case 'S': {
            rules::ExpectedSharesFile stor(writeScratch(QStringLiteral("STOR"), rest));
            stor.open();
            while (const auto field = stor.next()) {
                stor.nextIsKey();
                rules::ExpectedSharesFile::value(*field);
            }
            break;
        }
        default:
            return verdict; // no reader of ours: nothing to say
        }
        verdict.accepted = true;
    } catch (const platform::ProgramEnded&) {
        verdict.message = sink()->last;
        static const QHash<char, QString> fileOf = {
            {'F', QStringLiteral("AF")}, {'V', QStringLiteral("AV")},    {'H', QStringLiteral("AH")},
            {'Q', QStringLiteral("AQ")}, {'G', QStringLiteral("ORVEL")}, {'S', QStringLiteral("STOR")}};
        if (!verdict.message.contains(fileOf.value(which)))
            verdict.faults << QStringLiteral("refused without naming the file: ") + verdict.message;
    }
    return verdict;
}

} // namespace fuzzsupport
