#include "platform/widgets/ProgramStyle.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

#include <type_traits>

namespace platform {

namespace {

// Draws with a copy of the option that reads as after a focus change by the keyboard. Only types
// with no later version under the same type are copied, so the style never gets a cut-down option.
template <typename Option, typename Base, typename Draw> bool drawAs(const Base* option, const Draw& draw) {
    if constexpr (std::is_convertible_v<Option*, const Base*>) {
        if (const auto* typed = qstyleoption_cast<const Option*>(option)) {
            Option shown(*typed);
            shown.state |= QStyle::State_KeyboardFocusChange;
            draw(&shown);
            return true;
        }
    }
    return false;
}

template <typename Base, typename Draw> void drawWithFocusShown(const Base* option, const Draw& draw) {
    const bool hidden = option && (option->state & QStyle::State_HasFocus) &&
                        !(option->state & QStyle::State_KeyboardFocusChange);
    if (hidden &&
        (drawAs<QStyleOptionButton>(option, draw) || drawAs<QStyleOptionFocusRect>(option, draw) ||
         drawAs<QStyleOptionComboBox>(option, draw) || drawAs<QStyleOptionToolButton>(option, draw) ||
         drawAs<QStyleOptionSpinBox>(option, draw) || drawAs<QStyleOptionSlider>(option, draw) ||
         drawAs<QStyleOptionGroupBox>(option, draw)))
        return;
    draw(option);
}

// A rounded ring `inset` pixels inside the rectangle.
void drawRing(QPainter* painter, const QRect& rect, const QColor& colour, qreal width, qreal inset) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(colour, width));
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(QRectF(rect).adjusted(inset, inset, -inset, -inset), 2, 2);
    painter->restore();
}

} // namespace

ProgramStyle::ProgramStyle(QStyle* base) : QProxyStyle(base) {}

void ProgramStyle::install() {
    if (qobject_cast<ProgramStyle*>(QApplication::style()))
        return;
    // The style the user or the desktop chose, made afresh: the proxy owns its base.
    QStyle* base = QStyleFactory::create(QApplication::style()->name());
    QApplication::setStyle(new ProgramStyle(base));
}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
    if (element == PE_FrameFocusRect && option && (option->state & State_Item) &&
        (option->state & State_Selected)) {
        drawFocusOnSelection(option, painter);
        return;
    }
    drawWithFocusShown(
        option, [&](const QStyleOption* o) { QProxyStyle::drawPrimitive(element, o, painter, widget); });
}

void ProgramStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const {
    if (element == CE_PushButtonLabel) {
        const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
        if (button && !button->icon.isNull() && !button->text.isEmpty()) {
            drawIconAndCaption(*button, painter, widget);
            return;
        }
    }
    if (element == CE_ComboBoxLabel && option) {
        painter->save();
        painter->setLayoutDirection(option->direction);
        QProxyStyle::drawControl(element, option, painter, widget);
        painter->restore();
        return;
    }
    drawWithFocusShown(option,
                       [&](const QStyleOption* o) { QProxyStyle::drawControl(element, o, painter, widget); });
    if (element == CE_PushButton && (option->state & State_HasFocus))
        drawFocusRing(option, painter);
    if (element == CE_ShapedFrame && (option->state & State_HasFocus) &&
        qobject_cast<const QAbstractItemView*>(widget))
        drawListFocusFrame(option, painter);
}

// Fusion marks a focused button with a one-pixel outline, easily missed in a row of like buttons;
// a second ring inside it makes the mark plain.
void ProgramStyle::drawFocusRing(const QStyleOption* option, QPainter* painter) const {
    drawRing(painter, option->rect, option->palette.color(QPalette::Highlight), 1.5, 2);
}

// The current line of a list is most often its selected one too (a list of stored cases with one
// case in it), and the style's mark, a faint shade of the selection colour, is lost in it. The
// mark is drawn in the colour of the selected text instead: a ring on the cell's two outermost
// pixels, clear of its text.
void ProgramStyle::drawFocusOnSelection(const QStyleOption* option, QPainter* painter) const {
    drawRing(painter, option->rect, option->palette.color(QPalette::HighlightedText), 2, 1);
}

// A list marks only its current line; an empty one, or one scrolled away from that line, would
// show no focus at all. Its frame is drawn as a focused box's is.
void ProgramStyle::drawListFocusFrame(const QStyleOption* option, QPainter* painter) const {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(option->palette.color(QPalette::Highlight).darker(125));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

void ProgramStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                      QPainter* painter, const QWidget* widget) const {
    drawWithFocusShown(option, [&](const QStyleOptionComplex* o) {
        QProxyStyle::drawComplexControl(control, o, painter, widget);
    });
}

int ProgramStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
    if (hint == SH_UnderlineShortcut)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

// The caption and the icon are drawn as two labels side by side, each in a place of its own width,
// the pair centred as the button's size hint expects.
void ProgramStyle::drawIconAndCaption(const QStyleOptionButton& button, QPainter* painter,
                                      const QWidget* widget) const {
    const int spacing = 4; // QPushButton's size hint leaves this gap between icon and caption
    const int iconWidth = button.icon.actualSize(button.iconSize).width();
    const int textWidth =
        button.fontMetrics.boundingRect(button.rect, Qt::TextShowMnemonic, button.text).width();
    const int left = button.rect.x() + (button.rect.width() - (textWidth + spacing + iconWidth)) / 2;
    const bool iconFirst = button.direction == Qt::LeftToRight;

    QStyleOptionButton caption(button);
    caption.icon = QIcon();
    caption.rect.setLeft(iconFirst ? left + iconWidth + spacing : left);
    caption.rect.setWidth(textWidth);
    QProxyStyle::drawControl(CE_PushButtonLabel, &caption, painter, widget);

    QStyleOptionButton icon(button);
    icon.text.clear();
    icon.rect.setLeft(iconFirst ? left : left + textWidth + spacing);
    icon.rect.setWidth(iconWidth);
    QProxyStyle::drawControl(CE_PushButtonLabel, &icon, painter, widget);
}

} // namespace platform
