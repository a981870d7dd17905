#include "results/ShrinkEnlargeButtons.h"

#include <QLayout>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace results {

namespace {
// The enlarge button's size in twips.
constexpr int EnlargeWidth = 1515;
constexpr int EnlargeHeight = 555;
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

void ShrinkEnlargeButtons::placeAll(int heightTwips, int topTwips, int leftTwips) {
    placeWindow(m_screen, heightTwips, topTwips, leftTwips);
    placeWindow(m_partners.host, heightTwips, topTwips, leftTwips);
    placeWindow(m_partners.mainWindow, heightTwips, topTwips, leftTwips);
}

void ShrinkEnlargeButtons::shrink() {
    placeAll(ShrunkHeight, ShrunkTop, ShrunkLeft);
    m_enlarge->show();
    m_enlarge->raise();
}

void ShrinkEnlargeButtons::enlarge() {
    placeAll(FullHeight, 0, 0);
    m_enlarge->hide();
}

} // namespace results
