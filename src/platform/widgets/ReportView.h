#pragma once

#include <QAbstractScrollArea>
#include <QStringList>

namespace platform {

// Shows the engine's printed lines, read-only, in a fixed-width font. Each line is a row of
// character cells, column 1 at the start edge of the layout direction (the right edge in a
// right-to-left window, so a table printed for right-to-left reading reads that way). Runs of
// text that stand apart by two blanks or more are drawn each in its own cells and in its own
// writing direction, so Arabic words stay in the columns they were printed in.
class ReportView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ReportView(QWidget* parent = nullptr);

    // Replaces the shown lines. A view scrolled to the end follows the new lines, as a console
    // window does; one scrolled back keeps its place.
    void setLines(const QStringList& lines);
    const QStringList& lines() const { return m_lines; }

    // Pixels of one character cell and of one line, in the current font.
    qreal columnWidth() const { return m_columnWidth; }
    int lineHeight() const { return m_lineHeight; }
    // The size of all lines drawn, margins included.
    QSize contentSize() const;

    static constexpr int Margin = 4;

protected:
    QSize viewportSizeHint() const override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void measureFont();
    void updateScrollBars();
    void drawLine(QPainter& painter, const QString& line, int top);

    QStringList m_lines;
    int m_columns = 0;
    qreal m_columnWidth = 8;
    int m_lineHeight = 16;
};

} // namespace platform
