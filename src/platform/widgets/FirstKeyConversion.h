#pragma once

#include <QHash>
#include <QObject>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QString>

class QAbstractButton;
class QAbstractItemView;
class QKeyEvent;
class QLineEdit;
class QWidget;

namespace platform {

// The first-key conversion of one dialogue. While its "AR" option is chosen, a trigger key
// (ArabicFirstKeyMap) typed into an empty Arabic field becomes the Arabic text on the same key, the
// caret after it, and sets the Arabic keyboard on so that the following keys arrive in Arabic.
// A text box or combo converts at the key press. A grid cell converts at the key release, and only
// the cell typed into: moving to another cell or giving the focus away drops the conversion.
class FirstKeyConversion : public QObject {
    Q_OBJECT
public:
    // `dialogue` owns the fields and this object; its fields take Arabic keys (ArabicKeyboard).
    FirstKeyConversion(QWidget* dialogue, QAbstractButton* arabicOption);

    // Converts the dialogue's child of that objectName: a line edit or an editable combo at once,
    // an item view in its cells. False when the dialogue has no such field.
    bool attach(const QString& objectName);

    // The character of the last key that reached an empty field while "AR" was chosen.
    QString lastLatinKey() const { return LastLatinKey; }
    // 1 while a grid cell owes its conversion, else 0.
    int firstKeyPending() const { return FirstKeyPending; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool arabicChosen() const;
    bool fieldKeyPress(QLineEdit* field, const QKeyEvent* key);
    void gridKeyPress(QAbstractItemView* grid, QObject* watched, const QKeyEvent* key);
    void gridKeyRelease(QAbstractItemView* grid);
    void watchEditor(QAbstractItemView* grid, QObject* editor);
    void dropPending();

    QWidget* m_dialogue;
    QPointer<QAbstractButton> m_arabic;
    QString LastLatinKey;
    int FirstKeyPending = 0;
    // The cell a grid conversion belongs to, and the key it was typed with.
    QPointer<QAbstractItemView> m_pendingGrid;
    QPersistentModelIndex m_pendingCell;
    QString m_pendingKey;

    QHash<QObject*, QLineEdit*> m_fields;        // a field, or a combo, and the box that holds its text
    QHash<QObject*, QAbstractItemView*> m_grids; // a grid, its viewport and its cell editors
};

} // namespace platform
