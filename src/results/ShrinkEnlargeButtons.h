#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

class QPushButton;

namespace results {

// The windows that stand behind a case screen and move with it: the engine host that showed it
// (none for the quiz) and the main window. A window that no longer exists is skipped.
struct PartnerWindows {
    QPointer<QWidget> host;
    QPointer<QWidget> mainWindow;
};

// The pair of window buttons that the case screens share: "تصغير الشاشة" folds the screen, the
// engine host behind it and the main window into a low strip near the lower right corner of the
// screen each is on (where it stands on a 1024 x 768 screen), so the user can look at something
// else; "تكبير الشاشة" brings each of them back where it was before it was folded (a window that
// was never folded goes to full height at its screen's top left corner). Widths never change.
//
// The helper creates both buttons on the screen. The enlarge button stands at the top left
// corner of the client area, inside the strip that stays visible when the window is folded, and
// is hidden until the shrink button is pressed. The shrink button is left for the screen to
// place near its bottom edge.
class ShrinkEnlargeButtons : public QObject {
    Q_OBJECT
public:
    // Geometry of a window's outer frame, in twips of a 15-twips-per-pixel screen.
    static constexpr int ShrunkHeight = 600;
    static constexpr int ShrunkTop = 10700;
    static constexpr int ShrunkLeft = 13700;
    static constexpr int FullHeight = 11520;
    static constexpr int TwipsPerPixel = 15;

    // The screen moves first, then its host, then the main window.
    ShrinkEnlargeButtons(QWidget* screen, const QString& shrinkName, const QString& enlargeName,
                         PartnerWindows partners);
    // For a screen that lays out the two buttons itself: they get the same actions.
    ShrinkEnlargeButtons(QWidget* screen, QPushButton* shrink, QPushButton* enlarge, PartnerWindows partners);

    QPushButton* shrinkButton() const { return m_shrink; }
    QPushButton* enlargeButton() const { return m_enlarge; }

    // The two buttons' actions, also reachable without a click.
    void shrink();
    void enlarge();

    // One window: outer height first, then top, then left; the width stays.
    static void placeWindow(QWidget* window, int heightTwips, int topTwips, int leftTwips);
    static int toPixels(int twips);

    // One window folded into the strip on its own screen, remembering where it stood; and back.
    static void foldWindow(QWidget* window);
    static void unfoldWindow(QWidget* window);
    static bool isFolded(const QWidget* window);

private:
    QPointer<QWidget> m_screen;
    PartnerWindows m_partners;
    QPushButton* m_shrink;
    QPushButton* m_enlarge;
};

} // namespace results
