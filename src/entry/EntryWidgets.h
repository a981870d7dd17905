#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;

// The controls of the case-entry dialogues, made alike on every one of them.
namespace entry::EntryWidgets {

// A button that takes Enter only while it has the focus: the dialogues have no default button,
// so Enter in a box never presses whatever button comes first.
QPushButton* button(const QString& name, const QString& caption, QWidget* parent);
// A typed text is taken as typed: completing it from the list would turn "اخ" into "اخت", or a
// new preparer or currency into an older one that begins the same way.
QComboBox* combo(const QString& name, bool editable, QWidget* parent);
QLineEdit* lineEdit(const QString& name, QWidget* parent);
// Hidden until its stage shows it.
QGroupBox* frame(const QString& name, const QString& caption, QWidget* parent);
// A click on a record selector selects its row, for deleting it.
void selectRowsBySelector(QTableView* view);
// Selects every cell of the row, as a click on its selector does; the current cell stays.
void selectWholeRow(QTableView* view, int row);
// Whatever takes the focus into the box, its whole text is selected, to be typed over.
void selectAllOnFocus(QComboBox* box);
// Refills a list without losing what the user has typed into its box.
void refill(QComboBox* box, const QStringList& items);
// The widget is the ancestor or lies inside it.
bool within(const QWidget* ancestor, const QWidget* w);
// The widget is the combo, its box, or its open list.
bool withinCombo(const QComboBox* box, const QWidget* w);
// Return or the keypad's Enter.
bool isEnter(const QKeyEvent* key);

} // namespace entry::EntryWidgets
