#pragma once

#include "engine/report/EngineContext.h"

#include <QString>

namespace engine {

// The case-name notes. The calculation writes them, with value 0, at the step that recognises
// the named case; WriteNotes relies on the marks they set.
namespace CaseNameNote {
// Daughters' line with a son's son who lets his sisters inherit (the blessed relative).
inline const QString BlessedRelative = QStringLiteral(" هذه المسألة من مسائل القريب المبارك .");
inline const QString Gharrawayn = QStringLiteral(" وتعرف هذه بأحدى مسألتي الغراوين .");
inline const QString Mushtaraka = QStringLiteral("وتعرف هذه بالمسألة المشركة او الحجرية .  ");
inline const QString Akdariyya = QStringLiteral(" وتعرف هذه بالمسألة الاكدرية .");
} // namespace CaseNameNote

// Appends a note for the deceased being calculated. There is no fixed number of notes: a
// deceased with many present heirs who take nothing gets one note for each.
void AddNote(EngineState& state, const QString& text, int value = 0);

// The case-name notes together with the marks that the later notes and the base line read.
void AddBlessedRelativeNote(EngineState& state);
void AddGharrawaynNote(EngineState& state); // SpecialCaseMark 1
void AddMushtarakaNote(EngineState& state); // CaseKind MushtarakaShared
void AddAkdariyyaNote(EngineState& state);  // SpecialCaseMark 2

// Explains the division of the deceased just calculated: spouses' and fixed shares, the
// grandfather with the siblings, heirs who take nothing, the akdariyya, how the remainder was
// settled and residuaries who fall. Runs once per deceased when the per-class shares, CaseKind
// and CaseOrigin are settled and before the heirs' slots are joined by name. Besides the notes it
// may set SpecialCaseMark to 3 (the residuaries fall in a raised case) and CaseOrigin to 3
// (relatives of the womb take the whole estate by sides).
void WriteNotes(EngineState& state, const NameTables& names, NoteWording wording = NoteWording::SingleDeath);
inline void WriteNotes(EngineContext& ctx) {
    WriteNotes(ctx.state, ctx.names, ctx.wording);
}

} // namespace engine
