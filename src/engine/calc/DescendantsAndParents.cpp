#include "engine/calc/CalcSteps.h"

namespace engine {

namespace {

const QString BlessedRelativeNote = QStringLiteral(" هذه المسألة من مسائل القريب المبارك .");
const QString GharrawaynNote = QStringLiteral(" وتعرف هذه بأحدى مسألتي الغراوين .");

} // namespace

NextStep DescendantLine(EngineState& s) {
    for (int male = Son; male <= SonsSonsSon; ++male) {
        const int female = male - 6;
        if (s.ClassCount[male] == 0) {
            AssignHalfOrTwoThirds(s, DaughtersTwoThirds, female);
            continue;
        }
        // The nearest male descendant and the females of his level share the remainder. The
        // son's daughters left without a share by the daughters' two thirds join the son's
        // son's son as his sisters would (the blessed relative).
        if (female != Daughter && !(s.ShareKindDenom[female - 1] > 0) && s.ClassCount[female - 1] != 0) {
            s.ClassCount[female] += s.ClassCount[female - 1];
            s.ShareKindState[BlessedRelativeJoined] = 1;
            s.addNoteSlot(BlessedRelativeNote);
        }
        CommonBaseForKinds(s);
        if (s.Remainder <= 0)
            return NextStep::Settle;
        PairTakesRemainder(s, male, female);
        if (s.ShareKindState[BlessedRelativeJoined] == 1)
            s.ClassShares[female - 1] = s.ClassShares[female];
        return NextStep::Aggregate;
    }

    s.ShareKindState[SisterCount] = s.ClassCount[FullSister] + s.ClassCount[PaternalSister];
    s.ShareKindState[BrotherCount] = s.ClassCount[FullBrother] + s.ClassCount[PaternalBrother];
    s.ShareKindState[SiblingCount] = s.ShareKindState[SisterCount] + s.ShareKindState[BrotherCount];
    if (s.ShareKindState[DaughtersTwoThirds] == 0)
        return NoDescendant(s);
    if (s.ClassCount[Father] == 0)
        return NextStep::Siblings;
    return FatherTakesRemainder(s);
}

NextStep FatherTakesRemainder(EngineState& s) {
    CommonBaseForKinds(s);
    if (s.Remainder < 0)
        return NextStep::Settle;
    s.ClassShares[Father] = Whole(s.ClassShares[Father] + s.Remainder);
    s.CaseKind = FatherTakesRest;
    return NextStep::Aggregate;
}

NextStep NoDescendant(EngineState& s) {
    SetShareKindDenom(s, Husband, 2);
    SetShareKindDenom(s, Wife, 4);
    const Num siblings = s.ShareKindState[SiblingCount] + s.ClassCount[UterineSibling];
    if (siblings < 2)
        SetShareKindDenom(s, Mother, 3);

    // The gharrawayn: the mother takes a third of what the spouse leaves.
    if (s.ClassCount[Father] + s.ClassCount[Mother] >= 2 && siblings <= 1) {
        bool applied = true;
        if (s.ClassCount[Wife] > 0)
            SetShareKindDenom(s, Mother, 4);
        else if (s.ClassCount[Husband] > 0)
            SetShareKindDenom(s, Mother, 6);
        else
            applied = false;
        if (applied) {
            s.addNoteSlot(GharrawaynNote);
            s.SpecialCaseMark = 1;
        }
    }

    if (s.ClassCount[Father] > 0)
        return FatherTakesRemainder(s);

    // The maternal siblings, whom a true grandfather excludes.
    const Num notExcluded = Num(1) - s.ClassCount[GrandfatherAggregate];
    if (s.ClassCount[UterineSibling] == 1)
        SetShareKindDenom(s, UterineSibling, 6 * notExcluded);
    else if (s.ClassCount[UterineSibling] > 1)
        SetShareKindDenom(s, UterineSibling, 3 * notExcluded);
    return NextStep::Siblings;
}

} // namespace engine
