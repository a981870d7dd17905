#include "results/PaddedLineDelegate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>

namespace results {

void PaddedLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    // The room a cell's text has: the cell less the margin the style draws on either side.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const int room = opt.rect.width() - 2 * margin;
    const QFontMetrics metrics(opt.font);
    QString& text = opt.text;
    while (text.endsWith(QLatin1Char(' ')) && metrics.horizontalAdvance(text) > room)
        text.chop(1);
    while (text.startsWith(QLatin1Char(' ')) && metrics.horizontalAdvance(text) > room)
        text.remove(0, 1);
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
}

} // namespace results
