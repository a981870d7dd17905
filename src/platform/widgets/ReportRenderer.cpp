#include "platform/widgets/ReportRenderer.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QImage>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

namespace platform {

namespace {

namespace Text = ReportDocumentText;

// Point sizes of the document's texts.
constexpr qreal BodySize = 12;
constexpr qreal SmallSize = 9.5;
constexpr qreal TitleSize = 20;
constexpr qreal HeadingSize = 14;
// The smallest size numbers are set in to keep them whole in their column.
constexpr qreal MinNumberSize = 6.5;

// The page's margins in millimetres, wide enough for a court file's binding on the right.
const QMarginsF PageMargins(16, 14, 22, 14);

using Draw = std::function<void(QPainter&, qreal top)>;

// A piece of the document that is never split over two pages.
struct Block {
    qreal height = 0;
    Draw draw;
};

// Places the blocks down the bodies of the pages, one after the other.
class Flow {
public:
    explicit Flow(qreal bodyHeight) : m_bodyHeight(bodyHeight) { m_pages.emplace_back(); }

    // A block taller than a whole page still goes onto a page of its own rather than nowhere.
    bool fits(qreal height) const { return m_y == 0 || m_y + height <= m_bodyHeight; }
    bool fitsOnEmptyPage(qreal height) const { return height <= m_bodyHeight; }
    void place(const Block& block) {
        if (!fits(block.height))
            newPage();
        m_pages.back().push_back({m_y, block});
        m_y += block.height;
    }
    // Space between blocks; none at the top of a page.
    void space(qreal height) {
        if (m_y > 0)
            m_y += height;
    }
    void newPage() {
        m_pages.emplace_back();
        m_y = 0;
    }

    struct Placed {
        qreal top;
        Block block;
    };
    const std::vector<std::vector<Placed>>& pages() const { return m_pages; }
    // How far down the current page the blocks reach.
    qreal used() const { return m_y; }

private:
    qreal m_bodyHeight;
    qreal m_y = 0;
    std::vector<std::vector<Placed>> m_pages;
};

// Blocks one under the other, kept on one page.
Block stack(const std::vector<Block>& blocks) {
    qreal height = 0;
    for (const Block& b : blocks)
        height += b.height;
    return {height, [blocks](QPainter& p, qreal top) {
                for (const Block& b : blocks) {
                    b.draw(p, top);
                    top += b.height;
                }
            }};
}

// Empty space that goes with the blocks around it.
Block gap(qreal height) {
    return {height, [](QPainter&, qreal) {}};
}

// Alignments that mean the same edge whatever the direction of the text.
constexpr Qt::Alignment Right = Qt::AlignRight | Qt::AlignAbsolute;
constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignAbsolute;
constexpr Qt::Alignment Centre = Qt::AlignHCenter;

QTextOption textOption(Qt::Alignment alignment, Qt::LayoutDirection direction,
                       QTextOption::WrapMode wrap = QTextOption::WordWrap) {
    QTextOption option(alignment);
    option.setTextDirection(direction);
    option.setWrapMode(wrap);
    return option;
}

// A paragraph laid out in lines of a given width, its glyphs placed once and for all.
struct LaidOutText {
    std::shared_ptr<QTextLayout> layout;
    qreal height = 0;
};

LaidOutText layOut(const QString& text, const QFont& font, qreal width, const QTextOption& option,
                   QPaintDevice* device) {
    auto layout = std::make_shared<QTextLayout>(text, font, device);
    layout->setTextOption(option);
    layout->beginLayout();
    qreal height = 0;
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout->endLayout();
    return {layout, height};
}

// Draws the placed glyphs rather than the text. A print preview records what is painted and
// replays it later; text it replays is shaped again without its paragraph's direction, which
// turns the brackets and the blanks around the numbers of a right-to-left line, while placed
// glyphs come back as they were laid out. The PDF keeps the letters behind the glyphs all the same.
void drawLaidOut(QPainter& painter, const LaidOutText& text, const QRectF& box, Qt::Alignment alignment) {
    qreal top = box.top();
    if (alignment & Qt::AlignVCenter)
        top += (box.height() - text.height) / 2;
    for (const QGlyphRun& run : text.layout->glyphRuns())
        painter.drawGlyphRun(QPointF(box.left(), top), run);
}

// The resolution every document is laid out at, whatever device it is painted on: the preview
// (drawn at the screen's resolution), the printer and the PDF file then break the lines and the
// pages alike, and only the painter's scale differs.
constexpr int LayoutDpi = 1200;

QPaintDevice* layoutDevice() {
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        const int dotsPerMetre = qRound(LayoutDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return &device;
}

// What the painting of one document needs to measure: the width of the page body, at the
// layout's resolution.
class Page {
public:
    explicit Page(qreal width) : width(width) {}

    qreal mm(qreal millimetres) const { return millimetres * LayoutDpi / 25.4; }

    // Measured as the lines are laid out, so that a text given its own width is never wrapped.
    qreal textWidth(const QFont& font, const QString& text) const {
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        const LaidOutText laidOut = layOut(text, font, 1e9, option, layoutDevice());
        qreal widest = 0;
        for (int i = 0; i < laidOut.layout->lineCount(); ++i)
            widest = std::max(widest, laidOut.layout->lineAt(i).naturalTextWidth());
        return std::ceil(widest) + 1;
    }
    qreal lineHeight(const QFont& font) const { return QFontMetricsF(font, layoutDevice()).height(); }
    qreal textHeight(const QFont& font, const QString& text, qreal boxWidth,
                     const QTextOption& option) const {
        return std::max(layOut(text, font, boxWidth, option, layoutDevice()).height, lineHeight(font));
    }

    // Sets a text in a box, after the box's alignment.
    void drawText(QPainter& p, const QRectF& box, const QString& text, const QFont& font,
                  const QTextOption& option) const {
        drawLaidOut(p, layOut(text, font, box.width(), option, layoutDevice()), box, option.alignment());
    }

    // A paragraph over the given band of the page (right edge and width), right to left.
    Block paragraph(const QString& text, const QFont& font, Qt::Alignment alignment, qreal right,
                    qreal boxWidth) const {
        const QTextOption option = textOption(alignment, Qt::RightToLeft);
        const LaidOutText laidOut = layOut(text, font, boxWidth, option, layoutDevice());
        const qreal height = std::max(laidOut.height, lineHeight(font));
        return {height, [laidOut, right, boxWidth, height, alignment](QPainter& p, qreal top) {
                    drawLaidOut(p, laidOut, QRectF(right - boxWidth, top, boxWidth, height), alignment);
                }};
    }
    Block paragraph(const QString& text, const QFont& font, Qt::Alignment alignment) const {
        return paragraph(text, font, alignment, width, width);
    }

    const qreal width;
};

QPen rulePen(const Page& page, qreal millimetres) {
    QPen pen(Qt::black);
    pen.setWidthF(page.mm(millimetres));
    return pen;
}

// A ruled table of heirs, its columns from the right: the serial, the heir's name, the
// relation (in a deceased's own table), the share and, when it has a heading, the unit. A unit
// without a heading of its own (the percentage sign) stands in the share's cell, after the number.
class HeirTable : public std::enable_shared_from_this<HeirTable> {
public:
    HeirTable(const Page& page, const QList<ReportDocument::HeirLine>& heirs, const QString& total,
              const QString& shareHeading, const QString& unitHeading, bool withRelation)
        : m_page(page), m_heirs(heirs), m_total(total), m_body(ReportRenderer::font(BodySize)),
          m_bold(ReportRenderer::font(BodySize, true)), m_padX(page.mm(1.6)), m_padY(page.mm(0.8)) {
        const bool withUnit = std::any_of(
            heirs.begin(), heirs.end(), [](const ReportDocument::HeirLine& h) { return !h.unit.isEmpty(); });
        m_totalUnit = heirs.isEmpty() ? QString() : heirs.front().unit;
        m_unitInShare = withUnit && unitHeading.isEmpty();
        m_columns.push_back({Text::Serial, Kind::Serial});
        m_columns.push_back({Text::HeirName, Kind::Name});
        if (withRelation)
            m_columns.push_back({Text::Relation, Kind::Relation});
        m_columns.push_back({shareHeading, Kind::Share});
        if (withUnit && !m_unitInShare)
            m_columns.push_back({unitHeading, Kind::Unit});
        measure();
    }

    Block headingRow() const {
        QStringList texts;
        for (const Column& c : m_columns)
            texts << c.heading;
        return row(texts, {}, Role::Heading);
    }
    Block heirRow(int index) const {
        const ReportDocument::HeirLine& h = m_heirs[index];
        QStringList texts;
        for (const Column& c : m_columns)
            texts << cellText(h, c.kind);
        return row(texts, h.unit, Role::Heir);
    }
    // The total stands in the share column, its label across the columns before it.
    Block totalRow() const {
        QStringList texts;
        for (const Column& c : m_columns)
            texts << (c.kind == Kind::Share ? m_total : c.kind == Kind::Unit ? m_totalUnit : QString());
        texts[0] = Text::Total;
        return row(texts, m_totalUnit, Role::Total);
    }
    int rowCount() const { return static_cast<int>(m_heirs.size()); }

private:
    enum class Kind { Serial, Name, Relation, Share, Unit };
    enum class Role { Heading, Heir, Total };
    struct Column {
        QString heading;
        Kind kind;
        qreal width = 0;
    };

    static QString cellText(const ReportDocument::HeirLine& h, Kind kind) {
        switch (kind) {
        case Kind::Serial:
            return h.serial;
        case Kind::Name:
            return h.name;
        case Kind::Relation:
            return h.relation;
        case Kind::Share:
            return h.share;
        case Kind::Unit:
            return h.unit;
        }
        return {};
    }

    QFont cellFont(Kind kind, Role role, const QString& text) const {
        if (kind != Kind::Share || role == Role::Heading)
            return role == Role::Heir ? m_body : m_bold;
        const QFont& font = role == Role::Total ? m_bold : m_body;
        // A number is never broken over two lines: one too long for its column (the shares of
        // long chains of deceased) is set smaller, alone, so that the others keep their size.
        const qreal room = m_numberRoom - (m_fraction - fractionWidth(text, font));
        const qreal width = m_page.textWidth(font, text);
        if (width <= room)
            return font;
        qreal size = BodySize * room / width;
        QFont smaller = ReportRenderer::font(std::max(MinNumberSize, size), role == Role::Total);
        // Widths do not shrink quite in step with the size; step down until the number fits.
        while (size > MinNumberSize && m_page.textWidth(smaller, text) > room) {
            size *= 0.97;
            smaller = ReportRenderer::font(std::max(MinNumberSize, size), role == Role::Total);
        }
        return smaller;
    }

    // The width of the part of a number from its decimal point on; numbers line up on it.
    qreal fractionWidth(const QString& number, const QFont& font) const {
        const qsizetype point = number.indexOf(QLatin1Char('.'));
        return point < 0 ? 0 : m_page.textWidth(font, number.mid(point));
    }

    // The widest whole part and the widest fraction of the share column's numbers, and the room
    // its unit takes: together the width its numbers need.
    qreal measureNumbers() {
        const auto take = [this](const QString& number, const QFont& font) {
            const qreal fraction = fractionWidth(number, font);
            m_fraction = std::max(m_fraction, fraction);
            m_whole = std::max(m_whole, m_page.textWidth(font, number) - fraction);
        };
        for (const ReportDocument::HeirLine& h : m_heirs)
            take(h.share, m_body);
        take(m_total, m_bold);
        m_unitWidth = m_unitInShare ? m_page.textWidth(m_bold, m_totalUnit) + m_page.mm(2) : 0;
        return m_whole + m_fraction + m_unitWidth + 2 * m_padX;
    }

    void measure() {
        const qreal full = m_page.width;
        qreal others = 0;
        for (Column& c : m_columns) {
            if (c.kind == Kind::Name || c.kind == Kind::Share)
                continue;
            qreal widest = m_page.textWidth(m_bold, c.heading);
            for (const ReportDocument::HeirLine& h : m_heirs)
                widest = std::max(widest, m_page.textWidth(m_body, cellText(h, c.kind)));
            if (c.kind == Kind::Unit)
                widest = std::max(widest, m_page.textWidth(m_bold, m_totalUnit));
            c.width = widest + 2 * m_padX;
            if (c.kind == Kind::Serial)
                c.width = std::max(c.width, m_page.mm(10));
            else if (c.kind == Kind::Relation)
                c.width = std::clamp(c.width, m_page.mm(24), full * 0.28);
            else
                c.width = std::clamp(c.width, m_page.mm(16), full * 0.2);
            others += c.width;
        }

        // The numbers take what they need, up to the room beside a name column of a quarter of
        // the page.
        const qreal room = full - others - full * 0.25;
        const qreal needed = measureNumbers();
        for (Column& c : m_columns) {
            if (c.kind == Kind::Share) {
                c.width = std::max({std::min(needed, room), m_page.textWidth(m_bold, c.heading) + 2 * m_padX,
                                    m_page.mm(28)});
                m_numberRoom = c.width - 2 * m_padX - m_unitWidth;
                m_whole = std::min(m_whole, m_numberRoom - m_fraction);
                others += c.width;
            }
        }
        for (Column& c : m_columns) {
            if (c.kind == Kind::Name)
                c.width = std::max(full - others, m_page.mm(20));
        }
    }

    // The columns a cell covers: the total's label spans every column before the share.
    std::pair<int, int> span(int column, Role role) const {
        if (role != Role::Total || column != 0)
            return {column, column};
        int last = 0;
        while (last + 1 < m_columns.size() && m_columns[last + 1].kind != Kind::Share)
            ++last;
        return {0, last};
    }

    qreal spanWidth(int first, int last) const {
        qreal w = 0;
        for (int i = first; i <= last; ++i)
            w += m_columns[i].width;
        return w;
    }

    QTextOption cellOption(Kind kind, Role role) const {
        if (role == Role::Total && kind != Kind::Share && kind != Kind::Unit)
            return textOption(Right | Qt::AlignVCenter, Qt::RightToLeft);
        if (role == Role::Heading || kind == Kind::Serial || kind == Kind::Unit)
            return textOption(Centre | Qt::AlignVCenter, Qt::RightToLeft);
        // Digits run left to right; only a number wider than the whole page would break.
        if (kind == Kind::Share)
            return textOption(Right | Qt::AlignVCenter, Qt::LeftToRight, QTextOption::WrapAnywhere);
        return textOption(Right | Qt::AlignVCenter, Qt::RightToLeft);
    }

    // The box a cell's text is set in: inside the padding, and for a number shifted so that
    // the decimal points of the column line up, clear of a unit in the same cell.
    QRectF textBox(const QRectF& cell, Kind kind, Role role, const QString& text) const {
        QRectF box = cell.adjusted(m_padX, m_padY, -m_padX, -m_padY);
        if (kind == Kind::Share && role != Role::Heading)
            box.adjust(m_unitWidth, 0, -(m_fraction - fractionWidth(text, cellFont(kind, role, text))), 0);
        return box;
    }

    Block row(const QStringList& texts, const QString& unit, Role role) const {
        qreal height = 0;
        for (int i = 0; i < m_columns.size(); ++i) {
            const auto [first, last] = span(i, role);
            const Kind kind = m_columns[i].kind;
            const QFont font = cellFont(kind, role, texts[i]);
            const QRectF box = textBox(QRectF(0, 0, spanWidth(first, last), 0), kind, role, texts[i]);
            height = std::max(height, m_page.textHeight(font, texts[i], box.width(), cellOption(kind, role)));
            i = last;
        }
        height += 2 * m_padY;
        return {height, [self = shared_from_this(), texts, unit, role, height](QPainter& p, qreal top) {
                    self->drawRow(p, top, texts, unit, role, height);
                }};
    }

    void drawRow(QPainter& p, qreal top, const QStringList& texts, const QString& unit, Role role,
                 qreal height) const {
        static const QColor headingShade(0xe4, 0xe4, 0xe4);
        static const QColor totalShade(0xf2, 0xf2, 0xf2);
        p.setPen(rulePen(m_page, 0.25));
        qreal right = m_page.width;
        for (int i = 0; i < m_columns.size(); ++i) {
            const auto [first, last] = span(i, role);
            const qreal width = spanWidth(first, last);
            const QRectF cell(right - width, top, width, height);
            if (role != Role::Heir)
                p.fillRect(cell, role == Role::Heading ? headingShade : totalShade);
            p.drawRect(cell);
            const Kind kind = m_columns[i].kind;
            m_page.drawText(p, textBox(cell, kind, role, texts[i]), texts[i], cellFont(kind, role, texts[i]),
                            cellOption(kind, role));
            if (kind == Kind::Share && role != Role::Heading && m_unitInShare) {
                // The unit follows the numbers, just clear of the widest of them.
                const qreal unitRight = cell.right() - m_padX - m_fraction - m_whole - m_page.mm(1.2);
                m_page.drawText(p,
                                QRectF(cell.left(), cell.top() + m_padY, unitRight - cell.left(),
                                       cell.height() - 2 * m_padY),
                                unit, cellFont(kind, role, texts[i]),
                                textOption(Right | Qt::AlignVCenter, Qt::RightToLeft));
            }
            right -= width;
            i = last;
        }
    }

    const Page& m_page;
    QList<ReportDocument::HeirLine> m_heirs;
    QString m_total;
    QString m_totalUnit;
    QFont m_body;
    QFont m_bold;
    qreal m_numberRoom = 0;
    qreal m_padX;
    qreal m_padY;
    qreal m_whole = 0;
    qreal m_fraction = 0;
    bool m_unitInShare = false;
    qreal m_unitWidth = 0;
    QList<Column> m_columns;
};

// Places a table with the lines that lead into it and those that close it (`lead`, `tail`). A
// table that fits on a page is never split; a longer one runs on over the pages, each of which
// begins with the continuation mark and the heading row. The lead stays with the first rows, the
// last heir with the total, so that neither a heading nor a total stands alone.
void placeTable(Flow& flow, const Page& page, const HeirTable& table, const std::vector<Block>& lead,
                const std::vector<Block>& tail) {
    const Block heading = table.headingRow();
    std::vector<Block> rows;
    for (int i = 0; i < table.rowCount(); ++i)
        rows.push_back(table.heirRow(i));
    std::vector<Block> closing = {table.totalRow()};
    closing.insert(closing.end(), tail.begin(), tail.end());
    if (!rows.empty()) {
        closing.insert(closing.begin(), rows.back());
        rows.pop_back();
    }
    const Block end = stack(closing);

    std::vector<Block> opening = lead;
    opening.push_back(heading);
    opening.push_back(rows.empty() ? end : rows.front());
    qreal whole = heading.height + end.height;
    for (const Block& b : lead)
        whole += b.height;
    for (const Block& b : rows)
        whole += b.height;
    if (!flow.fits(whole) && flow.fitsOnEmptyPage(whole))
        flow.newPage();
    else if (!flow.fits(stack(opening).height))
        flow.newPage();

    for (const Block& b : lead)
        flow.place(b);
    flow.place(heading);
    const Block continued = page.paragraph(Text::Continued, ReportRenderer::font(SmallSize), Right);
    const auto placeRow = [&](const Block& row) {
        if (!flow.fits(row.height)) {
            flow.newPage();
            flow.place(continued);
            flow.place(heading);
        }
        flow.place(row);
    };
    for (const Block& row : rows)
        placeRow(row);
    placeRow(end);
}

// A line under a heading, as wide as the page.
Block ruleBlock(const Page& page, bool doubled) {
    const qreal gap = page.mm(1);
    const qreal height = page.mm(doubled ? 3.5 : 2.5);
    return {height, [&page, gap, doubled](QPainter& p, qreal top) {
                p.setPen(rulePen(page, doubled ? 0.5 : 0.3));
                const qreal y = top + gap;
                p.drawLine(QPointF(0, y), QPointF(page.width, y));
                if (doubled)
                    p.drawLine(QPointF(0, y + page.mm(0.9)), QPointF(page.width, y + page.mm(0.9)));
            }};
}

void placeHeader(Flow& flow, const Page& page, const ReportDocument::Header& header) {
    // The issuing body heads the page on the right; the case's serial stands on the left.
    const QFont bodyFont = ReportRenderer::font(BodySize);
    const QFont boldFont = ReportRenderer::font(BodySize, true);
    const QString serial =
        header.caseKey.isEmpty() ? QString() : Text::CaseSerial + QLatin1Char(' ') + header.caseKey;
    if (!header.issuingBody.isEmpty() || !serial.isEmpty()) {
        const Block body = page.paragraph(header.issuingBody, boldFont, Right, page.width, page.width * 0.6);
        const Block key = page.paragraph(serial, bodyFont, Left, page.width * 0.4, page.width * 0.4);
        flow.place({std::max(body.height, key.height), [body, key](QPainter& p, qreal top) {
                        body.draw(p, top);
                        key.draw(p, top);
                    }});
        flow.space(page.mm(2));
    }
    const QStringList& lines = header.titleLines;
    for (int i = 0; i < lines.size(); ++i) {
        QString text = lines[i];
        // The school follows the rules phrase on its line, as the heading of a deed reads.
        if (i == lines.size() - 1 && !header.school.isEmpty())
            text += QLatin1Char(' ') + header.school;
        const bool deedTerm = text == Text::DeedTerm;
        flow.place(
            page.paragraph(text, ReportRenderer::font(deedTerm ? TitleSize : HeadingSize, deedTerm), Centre));
        flow.space(page.mm(deedTerm ? 1.5 : 1));
    }
    flow.space(page.mm(1.5));
    flow.place(ruleBlock(page, true));
    flow.space(page.mm(3));
}

void placeNotes(Flow& flow, const Page& page, const QList<ReportDocument::Note>& notes,
                const std::vector<Block>& closing) {
    const QFont bodyFont = ReportRenderer::font(BodySize);
    const Block heading = page.paragraph(Text::Notes, ReportRenderer::font(BodySize, true), Right);
    const qreal numberWidth = page.mm(9);
    const qreal textWidth = page.width - numberWidth;
    for (int i = 0; i < notes.size(); ++i) {
        // A hanging number: the note's lines run on beside it, not under it.
        const Block number =
            page.paragraph(notes[i].number + QStringLiteral(" -"), bodyFont, Right, page.width, numberWidth);
        const Block text = page.paragraph(notes[i].text, bodyFont, Right, textWidth, textWidth);
        const Block note{std::max(number.height, text.height) + page.mm(0.8),
                         [number, text](QPainter& p, qreal top) {
                             number.draw(p, top);
                             text.draw(p, top);
                         }};
        // The heading never stands alone at the foot of a page, nor the closing at the head of one.
        std::vector<Block> blocks{note};
        if (i == 0)
            blocks.insert(blocks.begin(), heading);
        if (i == notes.size() - 1)
            blocks.insert(blocks.end(), closing.begin(), closing.end());
        flow.place(stack(blocks));
    }
}

// `closing` ends the section and stays with its last lines: the signature, after the last section.
void placeDeceasedLines(Flow& flow, const Page& page, const ReportDocument::DeceasedTable& t,
                        const std::vector<Block>& closing) {
    const Block heading =
        page.paragraph(t.opening + QLatin1Char(' ') + t.name, ReportRenderer::font(HeadingSize, true), Right);
    std::vector<Block> tail;
    if (!t.baseLine.isEmpty()) {
        tail.push_back(gap(page.mm(1.5)));
        tail.push_back(page.paragraph(t.baseLine, ReportRenderer::font(BodySize, true), Right));
    }
    if (t.notes.isEmpty())
        tail.insert(tail.end(), closing.begin(), closing.end());
    if (t.heirs.isEmpty()) {
        tail.insert(tail.begin(), heading);
        flow.place(stack(tail));
    } else {
        const auto table = std::make_shared<HeirTable>(page, t.heirs, t.total, Text::Shares, QString(), true);
        placeTable(flow, page, *table, {heading, gap(page.mm(1.5))}, tail);
    }
    if (!t.notes.isEmpty()) {
        flow.space(page.mm(2.5));
        placeNotes(flow, page, t.notes, closing);
    }
}

// A deceased's table and his notes are read together: a section that fits on a page but not in
// what is left of this one begins the next.
void placeDeceased(Flow& flow, const Page& page, qreal bodyHeight, const ReportDocument::DeceasedTable& t,
                   const std::vector<Block>& closing) {
    Flow alone(std::numeric_limits<qreal>::max());
    placeDeceasedLines(alone, page, t, closing);
    const qreal height = alone.used();
    if (!flow.fits(height) && height <= bodyHeight)
        flow.newPage();
    placeDeceasedLines(flow, page, t, closing);
    flow.space(page.mm(7));
}

void placeUnified(Flow& flow, const Page& page, const ReportDocument::UnifiedTable& t,
                  const std::vector<Block>& closing) {
    const QFont boldFont = ReportRenderer::font(BodySize, true);
    std::vector<Block> lead;
    lead.push_back(page.paragraph(t.title, ReportRenderer::font(HeadingSize + 1, true), Centre));
    lead.push_back(ruleBlock(page, false));
    for (const ReportDocument::Death& d : t.deaths)
        lead.push_back(page.paragraph(d.opening + QLatin1Char(' ') + d.name, boldFont, Right));
    if (!t.amount.isEmpty()) {
        lead.push_back(gap(page.mm(1)));
        lead.push_back(page.paragraph(Text::EstateAmount + QStringLiteral(" ( ") + t.amount +
                                          QStringLiteral(" ) ") + t.unit,
                                      boldFont, Right));
    }
    lead.push_back(gap(page.mm(1.5)));
    const auto table =
        std::make_shared<HeirTable>(page, t.heirs, t.total, t.shareHeading, t.unitHeading, false);
    placeTable(flow, page, *table, lead, closing);
    flow.space(page.mm(7));
}

// The preparer's name and the line he signs on, on the left of the page below the division.
Block signatureBlock(const Page& page, const QString& preparer) {
    const QFont bodyFont = ReportRenderer::font(BodySize);
    const qreal width = page.width * 0.45;
    std::vector<Block> lines{gap(page.mm(4))};
    if (!preparer.isEmpty()) {
        lines.push_back(
            page.paragraph(Text::Preparer + QStringLiteral(" : ") + preparer, bodyFont, Right, width, width));
        lines.push_back(gap(page.mm(3)));
    }
    const QString label = Text::Signature + QStringLiteral(" : ");
    const Block signature = page.paragraph(label, bodyFont, Right, width, width);
    const qreal labelWidth = page.textWidth(bodyFont, label);
    lines.push_back({signature.height, [signature, &page, width, labelWidth](QPainter& p, qreal top) {
                         signature.draw(p, top);
                         QPen dots = rulePen(page, 0.3);
                         dots.setStyle(Qt::DotLine);
                         p.setPen(dots);
                         const qreal y = top + signature.height * 0.75;
                         p.drawLine(QPointF(0, y), QPointF(width - labelWidth - page.mm(1), y));
                     }});
    return stack(lines);
}

void drawFooter(QPainter& p, const Page& page, qreal bodyHeight, qreal footerHeight, int number, int count,
                const QString& caseKey) {
    const qreal top =
        bodyHeight + footerHeight - page.lineHeight(ReportRenderer::font(SmallSize)) - page.mm(1);
    p.setPen(rulePen(page, 0.2));
    p.drawLine(QPointF(0, top - page.mm(1)), QPointF(page.width, top - page.mm(1)));
    const QFont small = ReportRenderer::font(SmallSize);
    const QString pageText = QStringLiteral("صفحة %1 من %2").arg(number).arg(count);
    page.paragraph(pageText, small, Centre).draw(p, top);
    if (!caseKey.isEmpty())
        page.paragraph(Text::CaseSerial + QLatin1Char(' ') + caseKey, small, Right).draw(p, top);
}

} // namespace

ReportRenderer::ReportRenderer(ReportDocument document) : m_document(std::move(document)) {}

QStringList ReportRenderer::fontFamilies() {
    return {QStringLiteral("Noto Sans Arabic"), QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans")};
}

QFont ReportRenderer::font(qreal pointSize, bool bold) {
    QFont f;
    f.setFamilies(fontFamilies());
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    // Positions from the font's own outlines, not snapped to a screen's pixels, so the preview
    // and the paper break the lines alike.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

int ReportRenderer::paint(QPagedPaintDevice& device) const {
    device.setPageMargins(PageMargins, QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    painter.setLayoutDirection(Qt::RightToLeft);
    painter.scale(device.logicalDpiX() / qreal(LayoutDpi), device.logicalDpiY() / qreal(LayoutDpi));

    // The page body from the page's own size and margins, not from the device's whole pixels.
    const QSizeF body = device.pageLayout().paintRect(QPageLayout::Point).size() * (LayoutDpi / 72.0);
    const Page page(body.width());
    const qreal footerHeight = page.lineHeight(font(SmallSize)) + page.mm(5);
    const qreal bodyHeight = body.height() - footerHeight;

    Flow flow(bodyHeight);
    placeHeader(flow, page, m_document.header);
    // The signature closes the last section, so that it never stands on a page of its own.
    const std::vector<Block> signature{signatureBlock(page, m_document.header.preparer)};
    const auto& deceased = m_document.deceased;
    for (qsizetype i = 0; i < deceased.size(); ++i) {
        const bool last = i == deceased.size() - 1 && !m_document.unified;
        placeDeceased(flow, page, bodyHeight, deceased[i], last ? signature : std::vector<Block>());
    }
    if (m_document.unified)
        placeUnified(flow, page, *m_document.unified, signature);
    if (deceased.isEmpty() && !m_document.unified)
        flow.place(signature.front());

    const auto& pages = flow.pages();
    const int count = static_cast<int>(pages.size());
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            device.newPage();
        for (const Flow::Placed& item : pages[static_cast<std::size_t>(i)])
            item.block.draw(painter, item.top);
        drawFooter(painter, page, bodyHeight, footerHeight, i + 1, count, m_document.header.caseKey);
    }
    painter.end();
    return count;
}

bool ReportRenderer::writePdf(const ReportDocument& document, const QString& path,
                              const QPageLayout& layout) {
    QPdfWriter writer(path);
    writer.setPageLayout(layout);
    writer.setResolution(600);
    writer.setTitle(Text::DeedTerm);
    writer.setCreator(QStringLiteral("faraid"));
    return ReportRenderer(document).paint(writer) > 0;
}

} // namespace platform
