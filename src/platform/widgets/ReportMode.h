#pragma once

#include <QString>

namespace platform {

// What the printed division shows, as the one row of REPORT_DESTRIBUTER names it. The results
// screen writes the row; the report reads it.
enum class ReportMode {
    None,               // no row, or a value the report does not know
    WithoutUnification, // every deceased's own division
    Full,               // every deceased's division and the unified one
    UnifiedOnly,        // the unified division alone
    Percentages,        // the division converted into percentages
    Estate,             // the division of a given estate in its currency
};

namespace ReportModeText {
inline const QString WithoutUnification = QStringLiteral("بدون توحيد");
inline const QString Full = QStringLiteral("كامل");
inline const QString UnifiedOnly = QStringLiteral("توحيد فقط");
inline const QString Percentages = QStringLiteral("مئوية");
inline const QString Estate = QStringLiteral("تركة");
} // namespace ReportModeText

ReportMode reportModeFromText(const QString& text);

} // namespace platform
