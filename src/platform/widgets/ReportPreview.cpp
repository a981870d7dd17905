#include "platform/widgets/ReportPreview.h"

#include "platform/MessageService.h"
#include "platform/widgets/ReportRenderer.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QHeaderView>
#include <QListView>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStandardPaths>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

#include <algorithm>
#include <memory>

namespace platform {

namespace {

ReportPreview::Handler& handler() {
    static ReportPreview::Handler h;
    return h;
}

ReportPreview::PathChooser& pathChooser() {
    static ReportPreview::PathChooser chooser;
    return chooser;
}

QString choosePath(QWidget* parent, const QString& suggested) {
    if (pathChooser())
        return pathChooser()(parent, suggested);
    const std::unique_ptr<QFileDialog> dialog(ReportPreview::saveDialog(parent, suggested));
    if (dialog->exec() != QDialog::Accepted)
        return QString();
    return dialog->selectedFiles().value(0);
}

// The file name offered: the deed term and the case's serial, in the user's documents folder.
QString suggestedPath(const ReportDocument& document) {
    QString name = ReportDocumentText::DeedTerm;
    if (!document.header.caseKey.isEmpty())
        name += QLatin1Char(' ') + document.header.caseKey;
    name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QStringLiteral("-"));
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(folder).filePath(name.simplified() + QStringLiteral(".pdf"));
}

// Widens the dialogue's list of places (the computer, the home folder) once it is laid out, and
// the columns of a folder's size, type and date once it is read, so that each shows whole: the
// widths Qt starts with, or keeps from an earlier dialogue, cut a place's name or elide a date.
class ShownWhole : public QObject {
public:
    explicit ShownWhole(QFileDialog* dialog) : QObject(dialog), m_dialog(dialog) {
        dialog->installEventFilter(this);
        if (auto* files = dialog->findChild<QFileSystemModel*>())
            connect(files, &QFileSystemModel::directoryLoaded, dialog,
                    [dialog] { QTimer::singleShot(0, dialog, [dialog] { fitColumns(dialog); }); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_dialog && event->type() == QEvent::Show)
            QTimer::singleShot(0, m_dialog, [dialog = m_dialog] {
                widen(dialog);
                fitColumns(dialog);
            });
        return false;
    }

private:
    // The name column takes what is left; the others are as wide as what they show.
    static void fitColumns(QFileDialog* dialog) {
        auto* files = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        if (!files || !files->model())
            return;
        const QAbstractItemView* view = files; // where a column's size hint is public
        QHeaderView* header = files->header();
        int others = 0;
        for (int column = 1; column < header->count(); ++column) {
            if (files->isColumnHidden(column))
                continue;
            header->resizeSection(column,
                                  std::max({header->sectionSize(column), view->sizeHintForColumn(column),
                                            header->sectionSizeHint(column)}));
            others += header->sectionSize(column);
        }
        header->resizeSection(0, std::max(view->sizeHintForColumn(0), files->viewport()->width() - others));
    }

    static void widen(QFileDialog* dialog) {
        auto* places = dialog->findChild<QListView*>(QStringLiteral("sidebar"));
        auto* splitter = dialog->findChild<QSplitter*>(QStringLiteral("splitter"));
        if (!places || !splitter || splitter->count() < 2 || splitter->indexOf(places) != 0)
            return;
        const int needed = places->sizeHintForColumn(0) + 2 * places->frameWidth() +
                           places->verticalScrollBar()->sizeHint().width();
        const QList<int> sizes = splitter->sizes();
        const int total = sizes.value(0) + sizes.value(1);
        // The folder's contents keep at least half the room.
        const int width = std::min(needed, total / 2);
        if (sizes.value(0) < width)
            splitter->setSizes({width, total - width});
    }

    QFileDialog* m_dialog;
};

} // namespace

QPrintPreviewDialog* ReportPreview::create(const ReportDocument& document, QWidget* parent) {
    // The dialogue's own printer, which lives as long as the dialogue.
    auto* dialog = new QPrintPreviewDialog(parent);
    QPrinter* printer = dialog->printer();
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setDocName(ReportDocumentText::DeedTerm);
    dialog->setObjectName(QStringLiteral("ReportPreview"));
    dialog->setWindowTitle(QStringLiteral("معاينة قبل الطبع"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // A page's height where the screen has room for it, never taller than the screen.
    QSize size(900, 1000);
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() - QSize(20, 40));
    dialog->resize(size);

    const auto renderer = std::make_shared<ReportRenderer>(document);
    QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog,
                     [renderer](QPrinter* p) { renderer->paint(*p); });

    auto* save = new QAction(dialog->style()->standardIcon(QStyle::SP_DialogSaveButton),
                             QStringLiteral("حفظ بصيغة PDF"), dialog);
    save->setObjectName(QString::fromLatin1(SavePdfAction));
    QObject::connect(save, &QAction::triggered, dialog, [dialog, document] {
        const QString path = choosePath(dialog, suggestedPath(document));
        if (path.isEmpty())
            return;
        if (!ReportRenderer::writePdf(document, path, dialog->printer()->pageLayout()))
            MessageService::show(QStringLiteral("تعذر حفظ الملف: ") + path, MessageIcon::Critical);
    });
    if (auto* bar = dialog->findChild<QToolBar*>())
        bar->addAction(save);
    else
        dialog->addAction(save);
    return dialog;
}

// Qt's own dialogue rather than the desktop's, so that its texts are ours and in Arabic. Qt's
// Arabic captions are imperatives, so ours are too.
QFileDialog* ReportPreview::saveDialog(QWidget* parent, const QString& suggested) {
    auto* dialog =
        new QFileDialog(parent, QStringLiteral("حفظ القسام"), suggested, QStringLiteral("ملفات PDF (*.pdf)"));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("pdf"));
    dialog->setLabelText(QFileDialog::LookIn, QStringLiteral("احفظ في:"));
    dialog->setLabelText(QFileDialog::FileName, QStringLiteral("اسم الملف:"));
    dialog->setLabelText(QFileDialog::FileType, QStringLiteral("نوع الملف:"));
    dialog->setLabelText(QFileDialog::Accept, QStringLiteral("احفظ"));
    dialog->setLabelText(QFileDialog::Reject, QStringLiteral("ألغِ"));
    // The folder's path reads left to right, its first slash on the left; laid out right to left,
    // the slash would stand at the right-hand end.
    if (auto* folder = dialog->findChild<QComboBox*>(QStringLiteral("lookInCombo")))
        folder->setLayoutDirection(Qt::LeftToRight);
    new ShownWhole(dialog);
    return dialog;
}

void ReportPreview::show(const ReportDocument& document, QWidget* parent) {
    if (handler()) {
        handler()(document);
        return;
    }
    // Beside the caller's screen, not in front of it: the user can go on with that screen (for
    // example to look at the division in percentages) while the preview stays open.
    QPrintPreviewDialog* dialog = create(document, parent);
    dialog->setWindowModality(Qt::NonModal);
    dialog->show();
    dialog->raise();
}

void ReportPreview::setHandler(Handler h) {
    handler() = std::move(h);
}

void ReportPreview::setPathChooser(PathChooser chooser) {
    pathChooser() = std::move(chooser);
}

} // namespace platform
