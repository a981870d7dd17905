#include "engine/run/SuccessiveRunStart.h"

#include "engine/report/ReportTables.h"
#include "engine/run/PortIntakeOutput.h"

namespace engine {

ChainResult StartSuccessiveRun(EngineContext& ctx) {
    EngineState& s = ctx.state;
    s.Madhhab = 2;
    s.OutputMode = 2;
    s.CaseKey.clear();
    ctx.surface().clear();

    ctx.port.showSuccessionDialog(ctx.context);

    PortIntakeOutput output(ctx);
    ChainResult r = CountDeceased(s, ctx.db, ctx.context.Text_case_no, output);
    if (r.step != ChainStep::Calculate)
        return r;
    ResetReport(ctx);
    return ChainIntake(s, ctx.names, ctx.db, output);
}

} // namespace engine
