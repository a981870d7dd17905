#include "results/ShrinkEnlargeButtons.h"

#include <QLayout>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace results {

namespace {
// The enlarge button's size in twips.
constexpr int EnlargeWidth = 1515;
constexpr int EnlargeHeight = 555;
// How much of a folded window stays on its screen at the least, in pixels.
constexpr int StripVisibleWidth = 120;

// Where a window stood before it was folded: its frame's position and its client size. Kept on
// the window itself, since another screen's enlarge button may be the one that unfolds it.
constexpr const char* PlaceBeforeShrink = "placeBeforeShrink";

QRect screenArea(const QWidget* window) {
    const QScreen* screen = window->screen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}
} // namespace

ShrinkEnlargeButtons::ShrinkEnlargeButtons(QWidget* screen, const QString& shrinkName,
                                           const QString& enlargeName, PartnerWindows partners)
    : QObject(screen), m_screen(screen), m_partners(std::move(partners)) {
    m_shrink = new QPushButton(QStringLiteral("تصغير الشاشة"), screen);
    m_shrink->setObjectName(shrinkName);
    connect(m_shrink, &QPushButton::clicked, this, &ShrinkEnlargeButtons::shrink);

    // Placed by hand over whatever the screen's layout holds, so it stays in the strip left
    // visible when the window is folded.
    m_enlarge = new QPushButton(QStringLiteral("تكبير الشاشة"), screen);
    m_enlarge->setObjectName(enlargeName);
    m_enlarge->setGeometry(0, 0, toPixels(EnlargeWidth), toPixels(EnlargeHeight));
    m_enlarge->hide();
    connect(m_enlarge, &QPushButton::clicked, this, &ShrinkEnlargeButtons::enlarge);
}

ShrinkEnlargeButtons::ShrinkEnlargeButtons(QWidget* screen, QPushButton* shrink, QPushButton* enlarge,
                                           PartnerWindows partners)
    : QObject(screen), m_screen(screen), m_partners(std::move(partners)), m_shrink(shrink),
      m_enlarge(enlarge) {
    connect(m_shrink, &QPushButton::clicked, this, &ShrinkEnlargeButtons::shrink);
    connect(m_enlarge, &QPushButton::clicked, this, &ShrinkEnlargeButtons::enlarge);
}

int ShrinkEnlargeButtons::toPixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / TwipsPerPixel));
}

void ShrinkEnlargeButtons::placeWindow(QWidget* window, int heightTwips, int topTwips, int leftTwips) {
    if (!window)
        return;
    // The heights are those of the outer frame; Qt sizes the client area, so the frame's share
    // is taken off. A layout would otherwise hold the window at its minimum height, which is
    // well above the folded strip.
    const int frame = window->frameGeometry().height() - window->height();
    // A top-level layout keeps re-imposing its minimum size; the folded strip is lower than that.
    if (QLayout* layout = window->layout())
        layout->setSizeConstraint(QLayout::SetNoConstraint);
    window->setMinimumHeight(0);
    window->resize(window->width(), std::max(1, toPixels(heightTwips) - frame));
    // A window's position is that of its outer frame.
    window->move(window->pos().x(), toPixels(topTwips));
    window->move(toPixels(leftTwips), window->pos().y());
}

void ShrinkEnlargeButtons::foldWindow(QWidget* window) {
    if (!window)
        return;
    if (!window->property(PlaceBeforeShrink).isValid())
        window->setProperty(PlaceBeforeShrink, QRect(window->pos(), window->size()));
    // The strip stands where it stands on a 1024 x 768 screen, counted from the corner of the
    // screen the window is on, and never so far that it leaves that screen.
    const QRect area = screenArea(window);
    placeWindow(window, ShrunkHeight, 0, 0);
    const int stripHeight = window->frameGeometry().height();
    const int left = std::min(area.left() + toPixels(ShrunkLeft), area.right() + 1 - StripVisibleWidth);
    const int top = std::min(area.top() + toPixels(ShrunkTop), area.bottom() + 1 - stripHeight);
    window->move(std::max(area.left(), left), std::max(area.top(), top));
}

void ShrinkEnlargeButtons::unfoldWindow(QWidget* window) {
    if (!window)
        return;
    const QVariant before = window->property(PlaceBeforeShrink);
    if (!before.isValid()) {
        // Not folded by these buttons: full height at the top left corner of its screen.
        const QRect area = screenArea(window);
        placeWindow(window, FullHeight, 0, 0);
        window->move(area.topLeft());
        return;
    }
    window->setProperty(PlaceBeforeShrink, QVariant());
    const QRect place = before.toRect();
    window->resize(place.size());
    window->move(place.topLeft());
}

void ShrinkEnlargeButtons::shrink() {
    foldWindow(m_screen);
    foldWindow(m_partners.host);
    foldWindow(m_partners.mainWindow);
    m_enlarge->show();
    m_enlarge->raise();
}

void ShrinkEnlargeButtons::enlarge() {
    unfoldWindow(m_screen);
    unfoldWindow(m_partners.host);
    unfoldWindow(m_partners.mainWindow);
    m_enlarge->hide();
}

bool ShrinkEnlargeButtons::isFolded(const QWidget* window) {
    return window && window->property(PlaceBeforeShrink).isValid();
}

} // namespace results
