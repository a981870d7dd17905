#include "engine/calc/ChainIntake.h"

#include <QHash>

#include <vector>

namespace engine {

namespace {

ChainResult refuse(IntakeOutput& output, const QString& message) {
    if (!message.isEmpty())
        output.message(message);
    return {ChainStep::BackToDialogue, message};
}

QString nameRefusal(NameCheck check) {
    switch (check) {
    case NameCheck::Empty:
        return IntakeText::IncompleteCase;
    case NameCheck::HasStretchMark:
        return IntakeText::StretchMark;
    case NameCheck::Accepted:
        break;
    }
    return {};
}

} // namespace

ChainResult CountDeceased(EngineState& s, const data::Database& db, const QString& caseKey,
                          IntakeOutput& output) {
    s.CaseKey = caseKey;
    const data::Rows counted = db.select(QStringLiteral("select count(deth_name) as cou from DETH"));
    if (counted.isEmpty())
        return {ChainStep::ReturnToHost, {}};
    const qint64 n = counted.front().value(QStringLiteral("cou")).toLongLong();
    if (n < 1 || n > MaxDeceased)
        return refuse(output, ChainText::DeceasedCount);

    s.newChain(static_cast<int>(n));
    s.HeirTotal = 0;
    s.SkippedDeceased = 0;
    return {};
}

ChainResult ChainIntake(EngineState& s, const NameTables& names, const data::Database& db,
                        IntakeOutput& output) {
    const int n = s.DeceasedCount;

    // Ties of `arrange` cannot come from the dialogue; rowid keeps their order fixed anyway.
    const data::Rows deceased =
        db.select(QStringLiteral("select deth_name, arrange from DETH order by arrange, rowid"));
    if (deceased.isEmpty())
        return {ChainStep::ReturnToHost, {}};

    // The heirs in the order the dialogue wrote them, grouped by the deceased they inherit from.
    QHash<qint64, std::vector<HeirRow>> heirsOf;
    const data::Rows heirRows = db.select(
        QStringLiteral("select arrange, warith_name, warith_relation from WARITH_DUBLE order by rowid"));
    for (const QSqlRecord& r : heirRows)
        heirsOf[r.value(0).toLongLong()].push_back({r.value(1).toString(), r.value(2).toString()});

    rules::ChainCheck chain;
    for (int k = 1; k <= n && k <= deceased.size(); ++k) {
        const QSqlRecord& row = deceased[k - 1];
        s.DeceasedIndex = k;
        const QString name = row.value(QStringLiteral("deth_name")).toString();
        s.DeceasedName[k] = name;
        const NameCheck nameCheck = CheckName(name);
        if (nameCheck != NameCheck::Accepted)
            return refuse(output, nameRefusal(nameCheck));

        // Only the heirs of the deceased before him have been read: he must be one of them.
        if (const rules::ChainCheck::Fault fault = chain.nextDeceased(name);
            fault != rules::ChainCheck::Fault::None)
            return refuse(output, rules::ChainCheck::message(fault));

        static const std::vector<HeirRow> none;
        const auto found = heirsOf.constFind(row.value(QStringLiteral("arrange")).toLongLong());
        const std::vector<HeirRow>& rows = found == heirsOf.cend() ? none : *found;
        const int count = static_cast<int>(rows.size());
        if (count == 0)
            return refuse(output, ChainText::NoHeirs);
        if (count <= MaxHeirsPerDeceased && s.HeirTotal + count > MaxHeirSlots)
            return refuse(output, ChainText::TooManySlots);
        const IntakeResult counted = CountHeirs(s, count);
        if (!counted.accepted())
            return refuse(output, counted.message);

        const int first = s.DeceasedLastHeir[k - 1] + 1;
        std::size_t next = 0;
        for (int slot = first; slot <= s.DeceasedLastHeir[k];) {
            const HeirRow& heir = rows[next++];
            // Left through, he would inherit from himself, or from one who died after him, and
            // stand in the combined division. A row marked for dropping never reaches a division,
            // so it refuses nothing.
            if (const rules::ChainCheck::Fault fault = chain.checkHeir(heir.name);
                fault != rules::ChainCheck::Fault::None &&
                names.relationCode(heir.relation) != NameTables::DropMark)
                return refuse(output, rules::ChainCheck::message(fault));
            const ReadHeirResult read = ReadHeir(s, names, slot, heir, output);
            output.heirRead();
            if (read.verdict == HeirVerdict::Refused)
                return refuse(output, read.message);
            if (read.verdict == HeirVerdict::Kept) {
                chain.addHeir(heir.name);
                ++slot;
            }
        }
        // Every row dropped leaves a deceased whose estate nobody could take.
        if (s.DeceasedLastHeir[k] < first)
            return refuse(output, ChainText::NoHeirs);
    }
    return {};
}

} // namespace engine
