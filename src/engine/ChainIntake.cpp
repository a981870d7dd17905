#include "engine/ChainIntake.h"

#include "engine/ReportTables.h"

#include <QHash>

#include <vector>

namespace engine {

namespace {

const QChar StretchChar(0x0640);

ChainResult refuse(EngineContext& ctx, const QString& message) {
    if (!message.isEmpty())
        ctx.port.showMessage(message);
    return {ChainStep::BackToDialogue, message};
}

// The name check of every intake: an empty name is refused without a word, a name holding the
// stretching stroke with a message (the stroke is the report's own filler and would corrupt it).
bool nameRefused(const QString& name, QString& message) {
    if (name.isEmpty())
        return true;
    if (name.contains(StretchChar)) {
        message = ChainText::StretchMark;
        return true;
    }
    return false;
}

struct HeirRow {
    QString name;
    QString relation;
};

// The checks that drop a heir of the deceased being read, against his earlier heirs only. Returns
// the message of the check that drops him, or an empty text when he is kept.
QString dropMessage(const EngineState& s, int first, int slot, const QString& name, int cls) {
    // C1, C2: the same heir twice, or a second father, mother or husband.
    for (int b = first; b < slot; ++b) {
        if (s.HeirClass[b] == cls &&
            (s.HeirName[b] == name || cls == Father || cls == Mother || cls == Husband))
            return ChainText::Repeated;
    }
    if (cls == Wife) {
        // C3: whichever comes first in slot order decides: a husband, or a fourth earlier wife.
        int wives = 0;
        for (int b = first; b < slot; ++b) {
            if (s.HeirClass[b] == Husband)
                return ChainText::BothSpouses;
            if (s.HeirClass[b] == Wife && ++wives == 4)
                return ChainText::FifthWife;
        }
    }
    if (cls == Husband) {
        // C4
        for (int b = first; b < slot; ++b)
            if (s.HeirClass[b] == Wife)
                return ChainText::BothSpouses;
    }
    return {};
}

} // namespace

ChainResult CountDeceased(EngineContext& ctx) {
    EngineState& s = ctx.state;
    s.CaseKey = ctx.context.Text_case_no;
    const data::Rows counted = ctx.db.select(QStringLiteral("select count(deth_name) as cou from DETH"));
    if (counted.isEmpty())
        return {ChainStep::ReturnToHost, {}};
    const qint64 n = counted.front().value(QStringLiteral("cou")).toLongLong();
    if (n < 1 || n > MaxDeceased)
        return refuse(ctx, ChainText::DeceasedCount);

    s.newChain(static_cast<int>(n));
    s.HeirTotal = 0;
    s.SkippedDeceased = 0;
    return {};
}

ChainResult ChainIntake(EngineContext& ctx) {
    EngineState& s = ctx.state;
    const int n = s.DeceasedCount;

    // Ties of `arrange` cannot come from the dialogue; rowid keeps their order fixed anyway.
    const data::Rows deceased =
        ctx.db.select(QStringLiteral("select deth_name, arrange from DETH order by arrange, rowid"));
    if (deceased.isEmpty())
        return {ChainStep::ReturnToHost, {}};

    // The heirs in the order the dialogue wrote them, grouped by the deceased they inherit from.
    QHash<qint64, std::vector<HeirRow>> heirsOf;
    const data::Rows heirRows = ctx.db.select(
        QStringLiteral("select arrange, warith_name, warith_relation from WARITH_DUBLE order by rowid"));
    for (const QSqlRecord& r : heirRows)
        heirsOf[r.value(0).toLongLong()].push_back({r.value(1).toString(), r.value(2).toString()});

    QString message;
    for (int k = 1; k <= n && k <= deceased.size(); ++k) {
        const QSqlRecord& row = deceased[k - 1];
        s.DeceasedIndex = k;
        const QString name = row.value(QStringLiteral("deth_name")).toString();
        s.DeceasedName[k] = name;
        if (nameRefused(name, message))
            return refuse(ctx, message);

        if (k > 1) {
            bool isAnHeir = false;
            for (int b = 1; b <= s.HeirTotal && !isAnHeir; ++b)
                isAnHeir = s.HeirName[b] == name;
            if (!isAnHeir)
                return refuse(ctx, ChainText::NotAnHeir);
            for (int b = 1; b < k; ++b)
                if (s.DeceasedName[b] == name)
                    return refuse(ctx, ChainText::RepeatedDeceased);
        }

        static const std::vector<HeirRow> none;
        const auto found = heirsOf.constFind(row.value(QStringLiteral("arrange")).toLongLong());
        const std::vector<HeirRow>& rows = found == heirsOf.cend() ? none : *found;
        const int count = static_cast<int>(rows.size());
        if (count == 0)
            return refuse(ctx, ChainText::NoHeirs);
        if (count > MaxHeirsPerDeceased)
            return refuse(ctx, ChainText::TooManyHeirs);
        if (s.HeirTotal + count > MaxHeirSlots)
            return refuse(ctx, ChainText::TooManySlots);

        // Dropped heirs take no slot, so each kept heir goes into the next free one.
        const int first = s.HeirTotal + 1;
        s.ensureSlots(s.HeirTotal + count);
        for (const HeirRow& heir : rows) {
            const int j = s.HeirTotal + 1;
            s.HeirName[j] = heir.name;
            s.HeirRelation[j] = heir.relation;
            if (nameRefused(heir.name, message))
                return refuse(ctx, message);

            const int code = ctx.names.relationCode(heir.relation);
            if (code == 0)
                return refuse(ctx,
                              ChainText::BadRelationBefore + heir.relation + ChainText::BadRelationAfter);
            // Left through, he would inherit from himself and stand in the combined division. A row
            // marked for dropping never reaches a division, so it refuses nothing.
            if (code != NameTables::DropMark && heir.name == name)
                return refuse(ctx, ChainText::OwnHeir);
            ctx.surface().emptyLine();
            if (code == NameTables::DropMark)
                continue;
            const int cls = foldRelation(code);
            s.HeirClass[j] = static_cast<std::int16_t>(cls);
            const QString dropped = dropMessage(s, first, j, heir.name, cls);
            if (!dropped.isEmpty()) {
                ctx.port.showMessage(dropped);
                continue;
            }
            s.HeirTotal = j;
        }
        // Every row dropped leaves a deceased whose estate nobody could take.
        if (s.HeirTotal < first)
            return refuse(ctx, ChainText::NoHeirs);
        s.DeceasedLastHeir[k] = s.HeirTotal;
    }
    return {};
}

ChainResult StartSuccessiveRun(EngineContext& ctx) {
    EngineState& s = ctx.state;
    s.Madhhab = 2;
    s.OutputMode = 2;
    s.CaseKey.clear();
    ctx.surface().clear();

    ctx.port.showSuccessionDialog(ctx.context);

    ChainResult r = CountDeceased(ctx);
    if (r.step != ChainStep::Calculate)
        return r;
    ResetReport(ctx);
    return ChainIntake(ctx);
}

} // namespace engine
