#include "engine/calc/HeirIntake.h"

#include "rules/HeirCheck.h"

#include <algorithm>

namespace engine {

namespace {

static_assert(rules::HeirCheck::Father == Father && rules::HeirCheck::Mother == Mother &&
              rules::HeirCheck::Husband == Husband && rules::HeirCheck::Wife == Wife);
// The name of the slot that takes what no heir takes; a heir of that name would be joined with it.
const QString TreasuryName = QStringLiteral("الخزينة العامة");

const QChar StretchStroke(0x0640);

// Gives up slot `slot` of deceased DeceasedIndex: the slots above move down by one.
void dropSlot(EngineState& s, int slot) {
    for (int p = slot; p < s.HeirTotal; ++p)
        s.moveSlot(p + 1, p);
    s.HeirTotal -= 1;
    for (int k = s.DeceasedIndex; k <= s.DeceasedCount; ++k)
        s.DeceasedLastHeir[k] -= 1;
}

// The message that refuses heir `slot`, or the empty text when he may stay.
QString checkAgainstEarlierHeirs(const EngineState& s, int slot) {
    const int first = s.DeceasedLastHeir[s.DeceasedIndex - 1] + 1;
    const rules::HeirCheck::Fault fault = rules::HeirCheck::against(
        s.HeirClass[slot], s.HeirName[slot], slot - first, [&](int k) { return int(s.HeirClass[first + k]); },
        [&](int k) -> const QString& { return s.HeirName[first + k]; });
    switch (fault) {
    case rules::HeirCheck::Fault::None:
        break;
    case rules::HeirCheck::Fault::Repeated:
        return IntakeText::Repeated;
    case rules::HeirCheck::Fault::BothSpouses:
        return IntakeText::BothSpouses;
    case rules::HeirCheck::Fault::FifthWife:
        return IntakeText::FifthWife;
    }
    return {};
}

} // namespace

NameCheck CheckName(const QString& name) {
    if (name.isEmpty())
        return NameCheck::Empty;
    // A plain scan: names are short, and every heir's name passes here.
    const QChar* const chars = name.constData();
    if (std::find(chars, chars + name.size(), StretchStroke) != chars + name.size())
        return NameCheck::HasStretchMark;
    return NameCheck::Accepted;
}

IntakeResult CountHeirs(EngineState& s, int count) {
    if (count == 0)
        return IntakeResult::restart(IntakeText::IncompleteCase);
    if (count > MaxHeirsPerDeceased)
        return IntakeResult::restart(IntakeText::TooManyHeirs);
    s.HeirTotal += count;
    s.DeceasedLastHeir[s.DeceasedIndex] = s.HeirTotal;
    s.ensureSlots(s.HeirTotal);
    return {};
}

ReadHeirResult ReadHeir(EngineState& s, const NameTables& names, int slot, const HeirRow& row,
                        IntakeOutput& output) {
    s.ensureSlots(slot);
    s.HeirName[slot] = row.name;
    const NameCheck nameCheck = CheckName(row.name);
    if (nameCheck != NameCheck::Accepted || row.name == TreasuryName) {
        s.HeirRelation[slot].clear();
        if (nameCheck == NameCheck::Empty)
            return {HeirVerdict::Refused, IntakeText::EmptyHeirName};
        if (nameCheck == NameCheck::HasStretchMark)
            return {HeirVerdict::Refused, IntakeText::StretchMark};
        return {HeirVerdict::Refused, IntakeText::TreasuryNameTaken};
    }
    const int code = names.relationCode(row.relation);
    if (code == 0) {
        s.HeirRelation[slot] = row.relation;
        return {HeirVerdict::Refused, IntakeText::badRelation(row.relation)};
    }
    // The slot's own text, equal to the row's by the exact lookup; being shared by every case, it
    // is at hand, where the row's copy would have to be fetched.
    s.HeirRelation[slot] = names.RelationNames[static_cast<std::size_t>(code)];
    s.HeirClass[slot] = static_cast<std::int16_t>(foldRelation(code));
    s.HeirShare[slot] = 0;

    if (code == NameTables::DropMark) {
        dropSlot(s, slot);
        return {HeirVerdict::Dropped, {}};
    }
    const QString refusal = checkAgainstEarlierHeirs(s, slot);
    if (!refusal.isEmpty()) {
        output.message(refusal);
        dropSlot(s, slot);
        return {HeirVerdict::Dropped, {}};
    }
    return {};
}

IntakeResult IntakeSingleDeath(EngineState& s, const NameTables& names, const QString& deceasedName,
                               const std::vector<HeirRow>& rows, IntakeOutput& output) {
    s.DeceasedIndex = 1;
    s.DeceasedName[1] = deceasedName;
    switch (CheckName(deceasedName)) {
    case NameCheck::Empty:
        return IntakeResult::restart(IntakeText::IncompleteCase);
    case NameCheck::HasStretchMark:
        return IntakeResult::restart(IntakeText::StretchMark);
    case NameCheck::Accepted:
        break;
    }
    const IntakeResult counted = CountHeirs(s, static_cast<int>(rows.size()));
    if (!counted.accepted())
        return counted;

    std::size_t next = 0;
    for (int slot = s.DeceasedLastHeir[0] + 1; slot <= s.DeceasedLastHeir[1];) {
        const ReadHeirResult read = ReadHeir(s, names, slot, rows[next++], output);
        output.heirRead();
        if (read.verdict == HeirVerdict::Refused)
            return IntakeResult::restart(read.message);
        if (read.verdict == HeirVerdict::Kept)
            ++slot;
    }
    return {};
}

} // namespace engine
