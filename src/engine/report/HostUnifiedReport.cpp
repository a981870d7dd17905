#include "engine/report/HostUnifiedReport.h"

#include "engine/calc/MergeSuccessiveDeaths.h"
#include "engine/report/UnifiedReport.h"

namespace engine {

namespace {

const QString StoredSource = QStringLiteral("خ");
const QString LaterDeceasedHeading = QStringLiteral("ثم توفــى");

} // namespace

bool CaseUnification(EngineContext& ctx) {
    EngineState& s = ctx.state;
    // A model case of one deceased is merged like a chain; the output mode that a repeated
    // calculation set does not keep it from that.
    if (s.DeceasedCount <= 1 && s.SkippedDeceased == s.DeceasedCount - 1 &&
        ctx.context.Text_RLAS == StoredSource)
        s.OutputMode = 0;
    CombineDivisions(s);

    const bool laterDeceased =
        ctx.db.exists(QStringLiteral("select 1 from PRINT_TEXT where instr(deth_name, ?) <> 0 limit 1"),
                      {LaterDeceasedHeading});
    if (!laterDeceased)
        return false;
    HostUnifiedReport(ctx);
    return true;
}

void HostUnifiedReport(EngineContext& ctx) {
    EngineContext host = ctx;
    host.paging = PagePolicy::CountOnly;
    UnifiedReport(host);
}

} // namespace engine
