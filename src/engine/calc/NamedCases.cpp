#include "engine/calc/CalcSteps.h"

namespace engine {

namespace {

const QString MushtarakaNote = QStringLiteral("وتعرف هذه بالمسألة المشركة او الحجرية .  ");
const QString AkdariyyaNote = QStringLiteral(" وتعرف هذه بالمسألة الاكدرية .");

} // namespace

NextStep MushtarakaCase(EngineState& s) {
    // The full siblings share the maternal siblings' third, every head alike.
    SetShareKindDenom(s, UterineSibling, 0);
    const Num heads = s.ClassCount[UterineSibling] + s.ClassCount[FullBrother] + s.ClassCount[FullSister];
    ExpandBase(s, s.CaseBase / 3, heads);
    s.Remainder = s.CaseBase / 3;
    const Num each = Whole(s.Remainder / heads);
    s.ClassShares[FullBrother] = each;
    s.ClassShares[UterineSibling] = each;
    if (s.ClassCount[FullSister] > 0)
        s.ClassShares[FullSister] = each;
    s.addNoteSlot(MushtarakaNote);
    s.CaseKind = MushtarakaShared;
    s.Remainder = 0;
    return NextStep::Settle;
}

NextStep AkdariyyaCase(EngineState& s, int sisterClass) {
    // Mother 6, husband 9, grandfather 8 and the sister 4 of 24, raised to 27. The base is 24
    // here; scaling keeps the parts right on any multiple of it.
    const Num unit = s.CaseBase / 24;
    s.ClassShares[Mother] = 6 * unit;
    s.ClassShares[Husband] = 9 * unit;
    s.ClassShares[GrandfatherAggregate] = 8 * unit;
    s.ClassShares[sisterClass] = 4 * unit;
    s.Remainder = -3 * unit;
    s.addNoteSlot(AkdariyyaNote);
    s.SpecialCaseMark = 2;
    return NextStep::Settle;
}

} // namespace engine
