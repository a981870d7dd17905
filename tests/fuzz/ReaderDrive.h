#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace fuzzsupport {

// One input through the readers of the files the program reads, as the fuzz targets and the
// corpus replay both run it. Nothing here may crash, hang or end the process: a reader accepts
// or refuses, and what it refuses it names.

// The stored-case file: every record scanned; each record loaded is calculated.
struct StoredCaseVerdict {
    int loaded = 0;
    int refused = 0;       // records reported malformed
    int calculated = 0;    // loaded records the engine divided
    QStringList problems;  // one per refused record or refused calculation
    QStringList unnamed;   // refusals that do not name the key of their record and the file
    QStringList wrongSums; // calculated records whose shares do not add up to their base
};
StoredCaseVerdict driveStoredCases(const QByteArray& bytes);

// The rule files. The input's first byte says which file the rest is; the others are the
// shipped ones:
//   'F', 'V', 'H'  AF, AV or AH, then a few families divided with the rules read
//   'Q'            AQ, the class list
//   'G'            ORVEL, the class genders, read with the class names
//   'S'            STOR, the expected shares, every field looked at
struct RuleFileVerdict {
    bool accepted = false;
    QString message;    // the message shown when the program would have ended
    QStringList faults; // what went wrong beyond a refusal: shares not adding up, a refusal
                        // that does not name its file
};
RuleFileVerdict driveRuleFile(const QByteArray& input);

// Installs a message sink that keeps nothing and makes the end of the program a C++ exception;
// called once before the first input.
void prepare();

} // namespace fuzzsupport
