#include "engine/run/PortIntakeOutput.h"

namespace engine {

void PortIntakeOutput::message(const QString& text) {
    m_ctx.port.showMessage(text);
}

void PortIntakeOutput::heirRead() {
    m_ctx.surface().emptyLine();
}

} // namespace engine
