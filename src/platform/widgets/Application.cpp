#include "platform/widgets/Application.h"

#include "platform/widgets/AccessKeyCaption.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractPrintDialog>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPageSetupDialog>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QProgressDialog>
#include <QShortcutEvent>
#include <QTextEdit>
#include <QWheelEvent>
#include <QWindow>

namespace platform {

namespace {

Application::CommandRule& rule() {
    static Application::CommandRule r;
    return r;
}

QWidget* asWidget(QObject* object) {
    return object && object->isWidgetType() ? static_cast<QWidget*>(object) : nullptr;
}

template <typename T> T* within(QWidget* w) {
    for (; w; w = w->parentWidget())
        if (auto* found = qobject_cast<T*>(w))
            return found;
    return nullptr;
}

// The window's own widget, for an event the window system sends to a window.
QWidget* windowWidget(QObject* receiver) {
    auto* window = qobject_cast<QWindow*>(receiver);
    if (!window)
        return nullptr;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows)
        if (w->windowHandle() == window)
            return w;
    return nullptr;
}

// The widget an event is about: the one under the pointer for the mouse, the one with the focus
// for a key sent to its window, the window itself for its closing.
QWidget* target(QObject* receiver, const QEvent* event) {
    if (QWidget* w = asWidget(receiver))
        return w;
    QWidget* window = windowWidget(receiver);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        if (QWidget* under =
                QApplication::widgetAt(static_cast<const QMouseEvent*>(event)->globalPosition().toPoint()))
            return under;
        return window;
    case QEvent::Wheel:
        if (QWidget* under =
                QApplication::widgetAt(static_cast<const QWheelEvent*>(event)->globalPosition().toPoint()))
            return under;
        return window;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (QWidget* focus = QApplication::focusWidget(); focus && (!window || focus->window() == window))
            return focus;
        return window;
    default:
        return window ? window : QApplication::focusWidget();
    }
}

// Qt's own dialogues (a message, a question, a file or a printer to choose) only answer the
// program, which does the writing; they close even while another program holds the database, so
// that a message about the lock can itself be closed.
bool withinStandardDialogue(const QWidget* w) {
    const QWidget* window = w ? w->window() : nullptr;
    return qobject_cast<const QMessageBox*>(window) || qobject_cast<const QInputDialog*>(window) ||
           qobject_cast<const QFileDialog*>(window) || qobject_cast<const QAbstractPrintDialog*>(window) ||
           qobject_cast<const QPrintPreviewDialog*>(window) ||
           qobject_cast<const QPageSetupDialog*>(window) || qobject_cast<const QProgressDialog*>(window);
}

bool isTextEditor(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QTextEdit*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w);
}

// Typing into a grid opens a cell's editor or a list for the text, or looks for a row by it.
bool typesIntoCell(QWidget* w) {
    return qobject_cast<QAbstractItemView*>(w) && !qobject_cast<QHeaderView*>(w);
}

// Shift, Ctrl, Alt, the lock keys and the layout switch only change what the next key gives.
bool isModifierOnly(int key) {
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_Mode_switch:
        return true;
    default:
        return false;
    }
}

bool isTyping(QWidget* w, const QKeyEvent* key) {
    if (isModifierOnly(key->key()))
        return true;
    if (!w || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const QString text = key->text();
    if (text.isEmpty())
        return false;
    const bool printable = std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
    if (isTextEditor(w))
        return printable || key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete;
    return printable && key->key() != Qt::Key_Space && typesIntoCell(w);
}

QString withoutAccessMark(const QString& text) {
    return AccessKeyCaption::plainText(text).simplified();
}

// A label's text as a name: its access mark and closing colon left out.
QString captionOf(const QLabel* label) {
    return withoutAccessMark(label->text()).remove(QLatin1Char(':')).simplified();
}

// The label that stands before a widget in its row of a layout, as a field's caption does.
QLabel* labelBefore(QLayout* layout, QWidget* w) {
    if (!layout)
        return nullptr;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == w)
            return i > 0 ? qobject_cast<QLabel*>(layout->itemAt(i - 1)->widget()) : nullptr;
        if (QLabel* found = labelBefore(item->layout(), w))
            return found;
    }
    return nullptr;
}

QString labelOf(QWidget* w) {
    if (!w->accessibleName().isEmpty())
        return w->accessibleName();
    const auto labels = w->window()->findChildren<QLabel*>();
    for (QLabel* label : labels)
        if (label->buddy() == w)
            return captionOf(label);
    if (QLabel* label = labelBefore(w->parentWidget() ? w->parentWidget()->layout() : nullptr, w))
        return captionOf(label);
    return {};
}

QString columnOf(QAbstractItemView* view) {
    const QModelIndex current = view->currentIndex();
    if (!current.isValid() || !view->model())
        return {};
    return view->model()->headerData(current.column(), Qt::Horizontal).toString().simplified();
}

QString quoted(const QString& name) {
    return QStringLiteral("«%1»").arg(name);
}

} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

void Application::setCommandRule(CommandRule r) {
    rule() = std::move(r);
}

bool Application::isCommand(QObject* receiver, const QEvent* event) {
    // Every event of the program passes here: only input looks for the widget it is about.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Shortcut:
    case QEvent::Close:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
        break;
    default:
        return false;
    }
    QWidget* w = target(receiver, event);
    if (withinStandardDialogue(w))
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        return !isTyping(w, static_cast<const QKeyEvent*>(event));
    case QEvent::KeyRelease: {
        // A button answers Space when it is let go, a screen Esc.
        const auto* key = static_cast<const QKeyEvent*>(event);
        return !key->isAutoRepeat() && !isTyping(w, key);
    }
    case QEvent::Wheel:
        // Turning the wheel over a list box or a number box changes its value; elsewhere it scrolls.
        return within<QComboBox>(w) || within<QAbstractSpinBox>(w);
    default:
        return true;
    }
}

QString Application::commandName(QObject* receiver, const QEvent* event) {
    QWidget* w = target(receiver, event);
    if (!w)
        return QStringLiteral("تنفيذ الأمر");
    if (auto* button = within<QAbstractButton>(w)) {
        QString caption = button->accessibleName();
        if (caption.isEmpty())
            caption = withoutAccessMark(button->text());
        if (caption.isEmpty())
            caption = button->toolTip().simplified();
        if (!caption.isEmpty())
            return QStringLiteral("تنفيذ ") + quoted(caption);
    }
    for (QWidget* at = w; at; at = at->parentWidget()) {
        QString name;
        if (auto* view = qobject_cast<QAbstractItemView*>(at); view && !qobject_cast<QHeaderView*>(at))
            name = columnOf(view);
        if (name.isEmpty())
            name = labelOf(at);
        if (name.isEmpty())
            if (auto* box = qobject_cast<QGroupBox*>(at))
                name = withoutAccessMark(box->title());
        if (name.isEmpty() && at->isWindow())
            name = at->windowTitle().simplified();
        if (!name.isEmpty())
            return QStringLiteral("تنفيذ الأمر في ") + quoted(name);
        if (at->isWindow())
            break;
    }
    return QStringLiteral("تنفيذ الأمر");
}

bool Application::finishesRefused(const QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_mouseRefused = false; // a press afresh: the refused one was let go over a message
        return false;
    case QEvent::MouseButtonRelease:
        if (!m_mouseRefused)
            return false;
        if (static_cast<const QMouseEvent*>(event)->buttons() == Qt::NoButton)
            m_mouseRefused = false;
        return true;
    case QEvent::MouseButtonDblClick:
        return m_mouseRefused;
    case QEvent::KeyPress: {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            m_keyRefused = 0;
            return false;
        }
        return key->key() == m_keyRefused;
    }
    case QEvent::KeyRelease: {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (m_keyRefused == 0 || key->key() != m_keyRefused)
            return false;
        if (!key->isAutoRepeat())
            m_keyRefused = 0;
        return true;
    }
    default:
        return false;
    }
}

void Application::noteRefused(const QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        m_mouseRefused = true;
        break;
    case QEvent::KeyPress:
        m_keyRefused = static_cast<const QKeyEvent*>(event)->key();
        break;
    default:
        break;
    }
}

bool Application::notify(QObject* receiver, QEvent* event) {
    if (!rule())
        return QApplication::notify(receiver, event);
    if (finishesRefused(event))
        return true;
    if (!isCommand(receiver, event))
        return QApplication::notify(receiver, event);
    bool handled = false;
    // The screen the program waits on; closed by the command, the code that waited goes on.
    const QPointer<QWidget> waitedOn = QApplication::activeModalWidget();
    const bool modal = waitedOn;
    const bool ran = rule()([&] { return commandName(receiver, event); },
                            [&] {
                                handled = QApplication::notify(receiver, event);
                                return modal && (!waitedOn || !waitedOn->isVisible());
                            });
    if (!ran) {
        noteRefused(event);
        event->accept();
        return true;
    }
    return handled;
}

} // namespace platform
