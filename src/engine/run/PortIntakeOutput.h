#pragma once

#include "engine/calc/HeirIntake.h"
#include "engine/report/EngineContext.h"

namespace engine {

// The intake of a run: a dropped heir's message goes to the user at once, and each row read
// leaves a blank line on the engine window.
class PortIntakeOutput : public IntakeOutput {
public:
    explicit PortIntakeOutput(EngineContext& ctx) : m_ctx(ctx) {}
    void message(const QString& text) override;
    void heirRead() override;

private:
    EngineContext& m_ctx;
};

} // namespace engine
