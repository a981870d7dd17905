#include "platform/widgets/ReportView.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// A fixed-width face that carries Arabic glyphs, installed with the program's dependencies;
// the style hint finds another fixed-width face where it is missing.
const QString FixedFace = QStringLiteral("DejaVu Sans Mono");

// The direction of a run: that of its first letter with a direction of its own; a run of digits
// and signs alone takes the window's, as it would inside a paragraph of that direction.
Qt::LayoutDirection runDirection(QStringView run, Qt::LayoutDirection window) {
    for (const QChar ch : run) {
        switch (ch.direction()) {
        case QChar::DirL:
            return Qt::LeftToRight;
        case QChar::DirR:
        case QChar::DirAL:
            return Qt::RightToLeft;
        default:
            break;
        }
    }
    return window;
}

} // namespace

ReportView::ReportView(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("ReportView"));
    QFont face(FixedFace);
    face.setStyleHint(QFont::Monospace);
    face.setFixedPitch(true);
    setFont(face);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    measureFont();
    updateScrollBars();
}

void ReportView::setLines(const QStringList& lines) {
    QScrollBar* vertical = verticalScrollBar();
    const bool atEnd = vertical->value() >= vertical->maximum();
    m_lines = lines;
    m_columns = 0;
    for (const QString& line : m_lines)
        m_columns = std::max(m_columns, static_cast<int>(line.size()));
    updateScrollBars();
    if (atEnd)
        vertical->setValue(vertical->maximum());
    updateGeometry();
    viewport()->update();
}

QSize ReportView::contentSize() const {
    const int width = 2 * Margin + static_cast<int>(std::ceil(m_columns * m_columnWidth));
    const int height = 2 * Margin + static_cast<int>(m_lines.size()) * m_lineHeight;
    return {width, height};
}

QSize ReportView::viewportSizeHint() const {
    return contentSize();
}

void ReportView::measureFont() {
    const QFontMetricsF metrics(font());
    m_columnWidth = std::max<qreal>(1, metrics.horizontalAdvance(QLatin1Char('0')));
    m_lineHeight = std::max(1, static_cast<int>(std::ceil(metrics.lineSpacing())));
}

void ReportView::updateScrollBars() {
    const QSize content = contentSize();
    const QSize shown = viewport()->size();
    verticalScrollBar()->setRange(0, std::max(0, content.height() - shown.height()));
    verticalScrollBar()->setPageStep(shown.height());
    verticalScrollBar()->setSingleStep(m_lineHeight);
    horizontalScrollBar()->setRange(0, std::max(0, content.width() - shown.width()));
    horizontalScrollBar()->setPageStep(shown.width());
    horizontalScrollBar()->setSingleStep(static_cast<int>(std::ceil(m_columnWidth)));
}

void ReportView::paintEvent(QPaintEvent* event) {
    if (m_lines.isEmpty())
        return;
    QPainter painter(viewport());
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    const int scrolled = verticalScrollBar()->value();
    const QRect area = event->rect();
    const int first = std::max(0, (area.top() + scrolled - Margin) / m_lineHeight);
    const int last =
        std::min(static_cast<int>(m_lines.size()) - 1, (area.bottom() + scrolled - Margin) / m_lineHeight);
    for (int i = first; i <= last; ++i)
        drawLine(painter, m_lines.at(i), Margin + i * m_lineHeight - scrolled);
}

void ReportView::drawLine(QPainter& painter, const QString& line, int top) {
    const Qt::LayoutDirection window = layoutDirection();
    const qreal shownWidth = viewport()->width();
    const qreal scrolled = horizontalScrollBar()->value();
    const QFontMetricsF metrics(font());

    const qsizetype size = line.size();
    qsizetype i = 0;
    while (i < size) {
        if (line.at(i) == QLatin1Char(' ')) {
            ++i;
            continue;
        }
        // A run goes on over single blanks; two blanks or more end it.
        qsizetype end = i + 1;
        while (end < size) {
            if (line.at(end) != QLatin1Char(' ')) {
                ++end;
            } else if (end + 1 < size && line.at(end + 1) != QLatin1Char(' ')) {
                end += 2;
            } else {
                break;
            }
        }
        const qsizetype column = i;
        const qsizetype length = end - i;
        i = end;

        // Offsets from the start edge of the content, then onto the viewport's own coordinates.
        const qreal from = Margin + column * m_columnWidth - scrolled;
        const qreal to = from + length * m_columnWidth;
        const qreal left = window == Qt::RightToLeft ? shownWidth - to : from;
        const qreal cells = to - from;
        if (left > shownWidth || left + cells < 0)
            continue;

        const QString run = line.mid(column, length);
        const Qt::LayoutDirection direction = runDirection(run, window);
        QTextOption option;
        option.setTextDirection(direction);
        option.setWrapMode(QTextOption::NoWrap);
        // A run is held at the cell where its reading begins; absolute, as a right-to-left run
        // would otherwise turn "right" into its own "start".
        option.setAlignment((direction == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft) |
                            Qt::AlignAbsolute | Qt::AlignTop);

        // Glyphs wider than their cells (a face without some letter falls back to another) are
        // narrowed to fit, so the runs after them keep their columns.
        const qreal advance = metrics.horizontalAdvance(run);
        if (advance <= cells + 0.5) {
            painter.drawText(QRectF(left, top, cells, m_lineHeight), run, option);
        } else {
            painter.save();
            painter.translate(left, top);
            painter.scale(cells / advance, 1);
            painter.drawText(QRectF(0, 0, advance, m_lineHeight), run, option);
            painter.restore();
        }
    }
}

void ReportView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void ReportView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        measureFont();
        updateScrollBars();
        updateGeometry();
        viewport()->update();
    } else if (event->type() == QEvent::LayoutDirectionChange) {
        viewport()->update();
    }
}

} // namespace platform
