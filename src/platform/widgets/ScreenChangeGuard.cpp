#include "platform/widgets/ScreenChangeGuard.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleHints>

#include <algorithm>

namespace platform {

namespace {
constexpr const char* GuardName = "screenChangeGuard";

bool opensUnderAPress(const QWindow* window) {
    return window->type() == Qt::Popup || window->type() == Qt::ToolTip;
}
} // namespace

ScreenChangeGuard::ScreenChangeGuard(QObject* parent) : QObject(parent) {
    setObjectName(QLatin1String(GuardName));
}

void ScreenChangeGuard::install() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || app->findChild<ScreenChangeGuard*>(QLatin1String(GuardName), Qt::FindDirectChildrenOnly))
        return;
    app->installEventFilter(new ScreenChangeGuard(app));
}

bool ScreenChangeGuard::shownSinceLastPress(const QWindow* window) const {
    return std::any_of(m_shownSincePress.begin(), m_shownSincePress.end(),
                       [window](const QPointer<QWindow>& shown) { return shown == window; });
}

bool ScreenChangeGuard::isSecondPress(const QWindow* window, quint64 time) const {
    const quint64 interval = static_cast<quint64>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    // The window of the first press is often gone by now: the screen it belonged to has closed.
    return m_pressed && m_lastPressWindow != window && time >= m_lastPressTime &&
           time - m_lastPressTime < interval && shownSinceLastPress(window) && !opensUnderAPress(window);
}

void ScreenChangeGuard::notePress(QWindow* window, quint64 time) {
    m_pressed = true;
    m_lastPressWindow = window;
    m_lastPressTime = time;
    m_shownSincePress.clear();
}

bool ScreenChangeGuard::holdsBackKey(QWindow* window, const QKeyEvent* key) {
    // A key held down goes on repeating into whatever window has the focus after the change.
    if (key->isAutoRepeat())
        return key->key() != m_lastKey || m_lastKeyWindow != window || m_keyHeldBack;
    if (key->type() == QEvent::KeyRelease)
        return m_keyHeldBack && key->key() == m_lastKey && m_lastKeyWindow == window;
    m_lastKey = key->key();
    m_lastKeyWindow = window;
    m_keyHeldBack = isSecondPress(window, key->timestamp());
    if (!m_keyHeldBack)
        notePress(window, key->timestamp());
    return m_keyHeldBack;
}

bool ScreenChangeGuard::eventFilter(QObject* watched, QEvent* event) {
    // Input reaches a window before its widgets, once per press; only windows are watched.
    auto* window = qobject_cast<QWindow*>(watched);
    if (!window)
        return false;

    switch (event->type()) {
    case QEvent::Show:
        if (!shownSinceLastPress(window))
            m_shownSincePress.emplace_back(window);
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        if (m_heldBack == window)
            return true;
        const quint64 time = static_cast<QMouseEvent*>(event)->timestamp();
        if (isSecondPress(window, time)) {
            m_heldBack = window;
            return true;
        }
        m_heldBack = nullptr;
        notePress(window, time);
        return false;
    }
    case QEvent::MouseButtonRelease:
        if (m_heldBack != window)
            return false;
        if (static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton)
            m_heldBack = nullptr;
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return holdsBackKey(window, static_cast<QKeyEvent*>(event));
    default:
        return false;
    }
}

} // namespace platform
