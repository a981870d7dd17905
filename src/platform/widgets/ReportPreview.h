#pragma once

#include "platform/widgets/ReportDocument.h"

#include <QString>

#include <functional>

class QFileDialog;
class QPrintPreviewDialog;
class QWidget;

namespace platform {

// The print preview of the division: the pages as they will come out of the printer, with the
// commands to print them and to save them as a PDF file.
class ReportPreview {
public:
    // Shows the preview without waiting for it: the caller's screen stays usable beside it. A
    // preview belongs to its parent and closes with it.
    static void show(const ReportDocument& document, QWidget* parent);

    // The preview dialogue itself, not yet shown; `show` runs it.
    static QPrintPreviewDialog* create(const ReportDocument& document, QWidget* parent);

    // Tests take the document instead of a preview that would wait for a user.
    using Handler = std::function<void(const ReportDocument&)>;
    static void setHandler(Handler handler);

    // Where the save command writes the PDF: the user's choice in a file dialogue; an empty path
    // means the user cancelled. Tests choose the path themselves.
    using PathChooser = std::function<QString(QWidget* parent, const QString& suggested)>;
    static void setPathChooser(PathChooser chooser);

    // The file dialogue the save command runs when no chooser is set, not yet run: in the folder of
    // the suggested path, with its file name filled in, for PDF files.
    static QFileDialog* saveDialog(QWidget* parent, const QString& suggested);

    static constexpr const char* SavePdfAction = "ReportPreview_savePdf";
};

} // namespace platform
