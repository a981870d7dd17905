#pragma once

#include <QString>

#include <functional>

class QComboBox;
class QLineEdit;

// The rule every name of a case keeps (a deceased, an heir, a preparer, an issuing body), in
// whichever dialogue it is typed or pasted: one line of sound text, short enough for the grids
// and the report. A line break or tab becomes a blank; any other control character, text that is
// not sound UTF-16 and a name longer than MaxLength are refused with a message, never cut or
// changed silently. Lengths count characters as the database counts them, so a character outside
// the basic plane (an emoji) is one.
namespace entry::NameText {

inline constexpr int MaxLength = 100;

inline const QString ControlRefused =
    QStringLiteral("لا يقبل الاسم رموز التحكم، اكتبه نصا عاديا في سطر واحد");
inline const QString MalformedRefused = QStringLiteral("في الاسم رمز غير صالح، اكتبه من جديد");
inline const QString TooLongRefused = QStringLiteral("لا يزيد الاسم على %1 حرف، اختصره").arg(MaxLength);

// Line breaks and tabs as blanks: a run of them inside the text is one blank, at either end none.
QString cleaned(const QString& text);
// Why the cleaned text cannot be a name, or empty.
QString refusal(const QString& text);

// Holds a field to the rule as the user types or pastes: a line break becomes a blank at once; a
// refused change is undone, its message shown and the focus given back by `back` (by default to
// the field itself). A text put into the field by the program is cleaned but never refused.
void guard(QLineEdit* field, std::function<void()> back = {});
void guard(QComboBox* box);

} // namespace entry::NameText
