#pragma once

#include "engine/calc/EngineState.h"
#include "engine/calc/NameTables.h"

#include <QString>

#include <vector>

namespace engine {

// Texts of the heir intake, blanks included.
namespace IntakeText {
inline const QString StretchMark = QStringLiteral("لاتستعمل الرمز ـ ");
inline const QString EmptyHeirName = QStringLiteral("اسم الوارث فارغ");
inline const QString IncompleteCase = QStringLiteral("تفاصيل المسألة غير مكتملة");
inline const QString TooManyHeirs = QStringLiteral("عدد الورثة يجب ان لا يزيد على 50");
inline const QString TreasuryNameTaken = QStringLiteral("لا يسمى الوارث الخزينة العامة ، فهو اسم نصيب بيت المال");
inline const QString Repeated = QStringLiteral(" مكرر تم الغاءه / إستمر");
inline const QString BothSpouses = QStringLiteral("حالة مستحيلة لوجود الزوجين / تم الغاء الأخير/ إستمر");
inline const QString FifthWife = QStringLiteral("خطأ لوجود اكثر من أربعة زوجات / تم الغاء الاخيرة /إستمر");
inline QString badRelation(const QString& relation) {
    return QStringLiteral(" الصلة - ") + relation +
           QStringLiteral(" - غير ملائمة ... سيتم اعادة تنفيذ المسألة");
}
} // namespace IntakeText

enum class NameCheck { Accepted, Empty, HasStretchMark };
// A name is refused when it is empty or holds the stretching stroke "ـ" anywhere.
NameCheck CheckName(const QString& name);

// Where the run goes after the intake.
enum class IntakeStep {
    Calculate,   // the heir slots are filled: the per-deceased loop follows
    RestartCase, // the case cannot be read: show `message`, then the case entry again
};

struct IntakeResult {
    IntakeStep step = IntakeStep::Calculate;
    QString message;

    bool accepted() const { return step == IntakeStep::Calculate; }
    static IntakeResult restart(const QString& message) { return {IntakeStep::RestartCase, message}; }
};

// One row of the heirs as entered; a missing value reads as the empty text.
struct HeirRow {
    QString name;
    QString relation;
};

// What the intake tells the user while it reads: the message of each heir it drops (it then goes
// on with the next row) and a blank line on the engine window after each row read.
class IntakeOutput {
public:
    virtual ~IntakeOutput() = default;
    virtual void message(const QString& text) = 0;
    virtual void heirRead() {}
};

// The heir count of deceased DeceasedIndex: refused when 0 or above the limit of 50; otherwise
// added to HeirTotal, which becomes his last slot.
IntakeResult CountHeirs(EngineState& state, int count);

enum class HeirVerdict { Kept, Dropped, Refused };
struct ReadHeirResult {
    HeirVerdict verdict = HeirVerdict::Kept;
    QString message; // the refusal, for Refused (a dropped heir's message has been given already)
};

// Reads `row` into heir slot `slot` of deceased DeceasedIndex and checks it against his earlier
// heirs. A dropped heir gives up the slot (the slots above move down, the counts fall by one), so
// the caller reads the next row into the same slot.
ReadHeirResult ReadHeir(EngineState& state, const NameTables& names, int slot, const HeirRow& row,
                        IntakeOutput& output);

// The intake of a single-death case from its rows in entry order: the deceased's name, the heir
// count, then every heir. The deceased chain has been created for one deceased.
IntakeResult IntakeSingleDeath(EngineState& state, const NameTables& names, const QString& deceasedName,
                               const std::vector<HeirRow>& rows, IntakeOutput& output);

} // namespace engine
