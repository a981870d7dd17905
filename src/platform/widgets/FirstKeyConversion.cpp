#include "platform/widgets/FirstKeyConversion.h"

#include "platform/ArabicFirstKeyMap.h"
#include "platform/widgets/ArabicKeyboard.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QChildEvent>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>

namespace platform {

namespace {

bool within(const QWidget* ancestor, const QWidget* w) {
    return ancestor && w && (w == ancestor || ancestor->isAncestorOf(w));
}

// A key that types a character, as opposed to a shortcut or a key without text.
bool typesCharacter(const QKeyEvent* key) {
    return !key->text().isEmpty() &&
           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

} // namespace

FirstKeyConversion::FirstKeyConversion(QWidget* dialogue, QAbstractButton* arabicOption)
    : QObject(dialogue), m_dialogue(dialogue), m_arabic(arabicOption) {
    ArabicKeyboard::setMapped(dialogue, true);
    connect(arabicOption, &QAbstractButton::toggled, this, [](bool arabic) {
        if (!arabic)
            ArabicKeyboard::setOn(false);
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (FirstKeyPending && !within(m_pendingGrid, now))
            dropPending();
    });
}

bool FirstKeyConversion::attach(const QString& objectName) {
    QWidget* widget = m_dialogue->findChild<QWidget*>(objectName);
    if (auto* grid = qobject_cast<QAbstractItemView*>(widget)) {
        m_grids.insert(grid, grid);
        m_grids.insert(grid->viewport(), grid);
        grid->installEventFilter(this);
        grid->viewport()->installEventFilter(this);
        connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
                [this, grid](const QModelIndex& current) {
                    if (FirstKeyPending && (grid != m_pendingGrid || current != m_pendingCell))
                        dropPending();
                });
        return true;
    }
    if (auto* box = qobject_cast<QComboBox*>(widget); box && box->lineEdit()) {
        // The combo takes the keys and hands them to its box.
        m_fields.insert(box, box->lineEdit());
        m_fields.insert(box->lineEdit(), box->lineEdit());
        box->installEventFilter(this);
        box->lineEdit()->installEventFilter(this);
        return true;
    }
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        m_fields.insert(line, line);
        line->installEventFilter(this);
        return true;
    }
    return false;
}

bool FirstKeyConversion::arabicChosen() const {
    return m_arabic && m_arabic->isChecked();
}

void FirstKeyConversion::dropPending() {
    FirstKeyPending = 0;
    m_pendingGrid = nullptr;
    m_pendingCell = QPersistentModelIndex();
    m_pendingKey.clear();
}

bool FirstKeyConversion::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ChildAdded:
        // A cell's editor is made in the grid's viewport when typing begins.
        if (QAbstractItemView* grid = m_grids.value(watched); grid && watched == grid->viewport())
            watchEditor(grid, static_cast<QChildEvent*>(event)->child());
        return false;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!typesCharacter(key))
            return false;
        if (QLineEdit* field = m_fields.value(watched))
            return fieldKeyPress(field, key);
        if (QAbstractItemView* grid = m_grids.value(watched))
            gridKeyPress(grid, watched, key);
        return false;
    }
    case QEvent::KeyRelease:
        if (QAbstractItemView* grid = m_grids.value(watched))
            gridKeyRelease(grid);
        return false;
    default:
        return false;
    }
}

bool FirstKeyConversion::fieldKeyPress(QLineEdit* field, const QKeyEvent* key) {
    if (!arabicChosen() || !field->text().isEmpty())
        return false;
    LastLatinKey = key->text();
    if (!ArabicFirstKeyMap::isTrigger(LastLatinKey))
        return false;
    field->insert(*ArabicFirstKeyMap::lookup(LastLatinKey));
    field->end(false);
    ArabicKeyboard::setOn(true);
    // The Latin character is never typed: the field holds the Arabic text alone.
    return true;
}

void FirstKeyConversion::gridKeyPress(QAbstractItemView* grid, QObject* watched, const QKeyEvent* key) {
    QString cell;
    if (watched == grid) {
        // The grid sees the keys its open editor leaves too; those are the editor's.
        if (!grid->hasFocus())
            return;
        cell = grid->currentIndex().data(Qt::EditRole).toString();
    } else if (auto* editor = qobject_cast<QLineEdit*>(watched)) {
        cell = editor->text();
    } else {
        return;
    }
    if (!arabicChosen() || !cell.isEmpty() || !grid->currentIndex().isValid())
        return;
    LastLatinKey = key->text();
    if (!ArabicFirstKeyMap::isTrigger(LastLatinKey))
        return;
    FirstKeyPending = 1;
    m_pendingGrid = grid;
    m_pendingCell = grid->currentIndex();
    m_pendingKey = LastLatinKey;
}

void FirstKeyConversion::gridKeyRelease(QAbstractItemView* grid) {
    if (!FirstKeyPending || !arabicChosen())
        return;
    const QString key = m_pendingKey;
    const bool sameCell = grid == m_pendingGrid && grid->currentIndex() == m_pendingCell;
    dropPending();
    // The typed key is the first character of the cell's open editor; only it is replaced.
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!sameCell || !editor || !within(grid->viewport(), editor) || !editor->text().startsWith(key))
        return;
    editor->setSelection(0, key.size());
    editor->insert(*ArabicFirstKeyMap::lookup(key));
    editor->end(false);
    ArabicKeyboard::setOn(true);
}

void FirstKeyConversion::watchEditor(QAbstractItemView* grid, QObject* editor) {
    if (m_grids.contains(editor))
        return;
    m_grids.insert(editor, grid);
    editor->installEventFilter(this);
    connect(editor, &QObject::destroyed, this, [this](QObject* gone) { m_grids.remove(gone); });
}

} // namespace platform
