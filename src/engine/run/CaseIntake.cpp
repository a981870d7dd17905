#include "engine/run/CaseIntake.h"

#include "engine/run/PortIntakeOutput.h"

#include <vector>

namespace engine {

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
