#include "engine/HeirIntake.h"

namespace engine {

namespace {

const QChar StretchStroke(0x0640);
// The name of the slot that takes what no heir takes; a heir of that name would be joined with it.
const QString TreasuryName = QStringLiteral("الخزينة العامة");

// Classes that one deceased can leave only once: a second father, mother or husband is an entry
// error, and so is a second true grandfather or grandmother of the same degree and side, whose
// share the calculation hands to a single head.
bool isSingleHeadClass(int c) {
    return c == Father || c == Mother || c == Husband || (c >= 18 && c <= 26) || (c >= 96 && c <= 98);
}

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
    const int c = s.HeirClass[slot];
    const QString& name = s.HeirName[slot];
    for (int k = first; k < slot; ++k) {
        if (s.HeirClass[k] == c && s.HeirName[k] == name)
            return IntakeText::Repeated;
    }
    if (isSingleHeadClass(c)) {
        for (int k = first; k < slot; ++k) {
            if (s.HeirClass[k] == c)
                return IntakeText::Repeated;
        }
    }
    if (c == Wife) {
        int wives = 0;
        for (int k = first; k < slot; ++k) {
            if (s.HeirClass[k] == Husband)
                return IntakeText::BothSpouses;
            if (s.HeirClass[k] == Wife && ++wives == 4)
                return IntakeText::FifthWife;
        }
    }
    if (c == Husband) {
        for (int k = first; k < slot; ++k) {
            if (s.HeirClass[k] == Wife)
                return IntakeText::BothSpouses;
        }
    }
    return {};
}

} // namespace

NameCheck CheckName(const QString& name) {
    if (name.isEmpty())
        return NameCheck::Empty;
    if (name.contains(StretchStroke))
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

void PortIntakeOutput::message(const QString& text) {
    m_ctx.port.showMessage(text);
}

void PortIntakeOutput::heirRead() {
    m_ctx.surface().emptyLine();
}

IntakeResult CaseIntake(EngineContext& ctx) {
    PortIntakeOutput output(ctx);

    // Every row counts, a row without a name included: it is refused by name rather than left
    // out of the count while still being read in its place.
    std::vector<HeirRow> rows;
    const data::Rows records =
        ctx.db.select(QStringLiteral("select warith_name, warith_relation from WARITH order by ar"));
    rows.reserve(static_cast<std::size_t>(records.size()));
    for (const QSqlRecord& r : records)
        rows.push_back({r.value(QStringLiteral("warith_name")).toString(),
                        r.value(QStringLiteral("warith_relation")).toString()});
    return IntakeSingleDeath(ctx.state, ctx.names, ctx.context.Text_deth_name, rows, output);
}

} // namespace engine
