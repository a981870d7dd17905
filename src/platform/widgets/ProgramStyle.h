#pragma once

#include <QProxyStyle>

class QStyleOptionButton;

namespace platform {

// The look of the program's controls and of Qt's own dialogues: the application's style (Fusion,
// or the one the desktop chose), changed where it fails an Arabic, right-to-left program used from
// the keyboard.
// - The control that has the focus always shows it. Styles mark it only after the user moved it
//   with Tab, but the screens put the focus on their first command themselves, and a keyboard user
//   must see where Enter goes whichever way the focus came. A focused list frames itself, and its
//   current line, selected or not, carries a mark apart from the selection colour.
// - Access keys are not underlined: the underlined letter is drawn as a run of its own, which cuts
//   an Arabic word's joining, and Qt's Arabic catalogue puts the mark inside words ("ا&حفظ"). The
//   keys still work; the program's own buttons drop the mark the same way (AccessKeyCaption).
// - A button with an icon and a caption (the buttons of Qt's dialogues) centres the two together,
//   the icon on the side its reading starts from. Qt's own, in a right-to-left application, sets
//   the caption against the button's edge, where the frame cuts it.
// - A box's text reads in the box's own direction: a box set left to right for a path shows the
//   path's first slash on the left. Qt lays the text out in the application's direction.
class ProgramStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Wraps the application's current style; a second call changes nothing.
    static void install();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

private:
    explicit ProgramStyle(QStyle* base);
    void drawFocusRing(const QStyleOption* option, QPainter* painter) const;
    void drawFocusOnSelection(const QStyleOption* option, QPainter* painter) const;
    void drawListFocusFrame(const QStyleOption* option, QPainter* painter) const;
    void drawIconAndCaption(const QStyleOptionButton& button, QPainter* painter, const QWidget* widget) const;
};

} // namespace platform
