#include "platform/widgets/ReportMode.h"

namespace platform {

ReportMode reportModeFromText(const QString& text) {
    if (text == ReportModeText::WithoutUnification)
        return ReportMode::WithoutUnification;
    if (text == ReportModeText::Full)
        return ReportMode::Full;
    if (text == ReportModeText::UnifiedOnly)
        return ReportMode::UnifiedOnly;
    if (text == ReportModeText::Percentages)
        return ReportMode::Percentages;
    if (text == ReportModeText::Estate)
        return ReportMode::Estate;
    return ReportMode::None;
}

} // namespace platform
