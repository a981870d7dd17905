#pragma once

#include "platform/widgets/ReportDocument.h"

#include <QFont>
#include <QPageLayout>
#include <QStringList>

class QPagedPaintDevice;

namespace platform {

// Paints the division as a printed court document: right to left, the header on the first page,
// each table ruled into columns with its heading repeated on every page it runs onto, and every
// page numbered. The same painting goes to the printer, the preview and a PDF file.
class ReportRenderer {
public:
    explicit ReportRenderer(ReportDocument document);

    // Lays the document out on the device's pages and paints them; returns the number of pages,
    // 0 when the device could not be painted on (a PDF file that cannot be written).
    int paint(QPagedPaintDevice& device) const;

    // Writes the document as a PDF, its fonts embedded, on pages of the given size and orientation
    // (those of the preview it was saved from).
    static bool writePdf(const ReportDocument& document, const QString& path,
                         const QPageLayout& layout = QPageLayout(QPageSize(QPageSize::A4),
                                                                 QPageLayout::Portrait, QMarginsF()));

    // The document's font: an Arabic face whose every shaped glyph, ligatures included, maps back
    // to its letters (so the PDF's text can be searched and copied), then faces for the signs and
    // Latin letters it lacks, so no character is ever drawn as a box.
    static QStringList fontFamilies();
    static QFont font(qreal pointSize, bool bold = false);

private:
    ReportDocument m_document;
};

} // namespace platform
