#pragma once

#include "data/Database.h"
#include "entry/CaseHandOver.h"
#include "entry/StoredCaseList.h"

#include <QList>
#include <QString>

#include <optional>

// The library of stored single-death cases (WARITH_GENERAL) and the case in hand (WARITH and the
// header). Every change runs in one transaction; a new number is taken inside it.
namespace entry::StoredCases {

inline const QString AlreadyStored = QStringLiteral("مسألة مخزونة ");
inline const QString StoredUnder = QStringLiteral("  تم خزن المسالة تحت رقم التسلسل    ");
inline const QString EditedNumber = QStringLiteral("  تم تعديل المسالة  رقم     ");
inline const QString AskDelete = QStringLiteral(" هل ترغب بحذف المسألة ؟");
inline const QString DeletedNumber = QStringLiteral("  تم حذف المسالة  رقم     ");
inline const QString NoIssuingBody = QStringLiteral("-");
// A line of the list whose rows no longer load (gone, or their number no whole number).
inline const QString Damaged = QStringLiteral("لا يمكن تحميل المسألة رقم %1 من %2: المسألة المخزونة تالفة");

struct Outcome {
    enum class Kind { Refused, Stopped, Done } kind = Kind::Stopped;
    QString message; // the refusal, or the report of what was done
    qint64 caseNo = 0;
    QString title; // the title stored (the deceased's name for an empty title)

    static Outcome refused(const QString& message) { return {Kind::Refused, message, 0, {}}; }
    static Outcome stopped() { return {Kind::Stopped, {}, 0, {}}; }
};

// Stores the case in hand under a new number and writes the number on its heirs.
Outcome store(const data::Database& db, const CaseHeader& header);
// Replaces the stored case header.caseNo by the case in hand.
Outcome edit(const data::Database& db, const CaseHeader& header);
// Removes the stored case and empties the case in hand (the caller has asked).
void remove(const data::Database& db, qint64 caseNo);

// Makes the stored case the case in hand: its heirs in their stored order, its header on every
// row, its preparer and issuing body back in their lists. A number no case has changes nothing.
std::optional<CaseHeader> load(const data::Database& db, qint64 caseNo);

bool isStored(const data::Database& db, qint64 caseNo);

// The list of stored cases: one line per case, by deceased's name, then number.
StoredCaseList all();
StoredCaseList byNumberPrefix(const QString& typed);
StoredCaseList byNamePrefix(const QString& typed);
StoredCaseList byNumber(qint64 caseNo);

struct Line {
    qint64 caseNo = 0;
    QString deceased;
    bool operator==(const Line&) const = default;
};
QList<Line> lines(const data::Database& db, const StoredCaseList& list);

} // namespace entry::StoredCases
