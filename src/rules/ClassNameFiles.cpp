#include "rules/ClassNameFiles.h"

#include "platform/ProcessExit.h"

#include <stdexcept>

namespace rules {

namespace {

// The message RuleFile gives for a file it cannot use, so that a value it reads well but the
// program cannot take reads the same to the user.
[[noreturn]] void failMalformed(const RuleFile& file) {
    platform::ProcessExit::fail(QStringLiteral("ملف القواعد ناقص او تالف: ") + file.name());
}

RuleFile& opened(std::optional<RuleFile>& file, const char* what) {
    if (!file)
        throw std::logic_error(std::string("ClassNameFiles: ") + what +
                               " read before openFiles() or after it was closed");
    return *file;
}

} // namespace

ClassNameFiles::ClassNameFiles() : ClassNameFiles(&RuleFile::openAppFile) {}

ClassNameFiles::ClassNameFiles(Opener opener) : m_open(std::move(opener)) {}

void ClassNameFiles::openFiles() {
    // One at a time, in the load step's order: a missing file stops the program at its own turn.
    m_ag = m_open(QStringLiteral("AG"));
    m_agn = m_open(QStringLiteral("AGN"));
    m_orvel = m_open(QStringLiteral("ORVEL"));
    m_agg = m_open(QStringLiteral("AGG"));
    m_agl = m_open(QStringLiteral("AGL"));
}

void ClassNameFiles::readGroupNames(ClassNames& names) {
    RuleFile& agl = opened(m_agl, "AGL");
    for (int g = 1; g <= GroupEntries; ++g)
        names.GroupNames[g] = agl.readText();
    m_agl.reset();
}

void ClassNameFiles::readClassNames(ClassNames& names) {
    RuleFile& ag = opened(m_ag, "AG");
    RuleFile& agn = opened(m_agn, "AGN");
    RuleFile& agg = opened(m_agg, "AGG");
    RuleFile& orvel = opened(m_orvel, "ORVEL");
    for (int c = 1; c <= ClassEntries; ++c) {
        names.ClassNamePlural[c] = ag.readText();
        names.ClassNameSingular[c] = agn.readText();
        names.ClassNameMixed[c] = agg.readText();
        const qint64 gender = orvel.readNumber();
        if (gender < 0 || gender > MaxGender)
            failMalformed(orvel);
        names.ClassGender[c] = static_cast<int>(gender);
    }
    m_ag.reset();
    m_agn.reset();
    m_orvel.reset();
    m_agg.reset();
}

ClassNameFiles::ClassList ClassNameFiles::readClassList() {
    return readClassList(RuleFile::openAppFile(QStringLiteral("AQ")));
}

ClassNameFiles::ClassList ClassNameFiles::readClassList(RuleFile aq) {
    ClassList list;
    while (true) {
        const qint64 n = aq.readNumber();
        ++list.fieldsRead;
        if (n == 0)
            break;
        QStringList group;
        // Every name read comes out of the file, so a count larger than what is left fails on
        // the read past the end instead of looping or reserving room for it.
        for (qint64 k = 1; k <= n; ++k) {
            group << aq.readText();
            ++list.fieldsRead;
        }
        list.groups << group;
    }
    return list;
}

} // namespace rules
