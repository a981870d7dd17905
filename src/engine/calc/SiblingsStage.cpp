#include "engine/calc/CalcSteps.h"

namespace engine {

namespace {

struct SiblingKind {
    int brother;
    int sister;
};
constexpr SiblingKind SiblingKinds[] = {{FullBrother, FullSister}, {PaternalBrother, PaternalSister}};

constexpr int FirstMaleResiduary = 27;
constexpr int LastMaleResiduary = 45;

// School 1, the grandfather's share chosen against the brothers and sisters (the akdariyya
// aside): the sisters are residuaries beside him and never raise the base.
bool sistersClaimBesideGrandfather(const EngineState& s) {
    return s.Remainder < 0 && s.Madhhab == 1 && s.GrandfatherOption > 0 && s.SpecialCaseMark != 2;
}

} // namespace

NextStep SiblingsStage(EngineState& s) {
    const bool siblings = s.ShareKindState[SiblingCount] != 0;
    if (s.ClassCount[GrandfatherAggregate] == 0)
        return siblings ? NextStep::SiblingShares : NextStep::RemainingResiduaries;

    CommonBaseForKinds(s);
    if (!siblings) {
        if (s.Remainder > 0) {
            // The grandfather without brothers takes his sixth and all that is left.
            s.ClassShares[GrandfatherAggregate] = Whole(s.ClassShares[GrandfatherAggregate] + s.Remainder);
            s.CaseKind = GrandfatherTakesRest;
            return NextStep::Aggregate;
        }
        return NextStep::Settle;
    }
    if (s.Madhhab == 1)
        return GrandfatherBestShare(s);
    return NextStep::SiblingShares;
}

NextStep GiveSiblingShares(EngineState& s) {
    for (const SiblingKind& kind : SiblingKinds) {
        const int b = kind.brother;
        const int sis = kind.sister;
        if (s.ClassCount[b] + s.ClassCount[sis] == 0)
            continue;

        if (s.ClassCount[b] == 0 && s.ShareKindState[DaughtersTwoThirds] == 0) {
            // Sisters alone take their fixed share. The akdariyya needs the sister to be the only
            // sibling: a second one brings the mother down to a sixth and leaves room for the
            // grandfather.
            if (s.Madhhab == 1 &&
                s.ClassCount[Mother] + s.ClassCount[Husband] + s.ClassCount[GrandfatherAggregate] == 3 &&
                s.ClassCount[sis] == 1 && s.ShareKindState[SiblingCount] + s.ClassCount[UterineSibling] == 1)
                return AkdariyyaCase(s, sis);
            AssignHalfOrTwoThirds(s, SistersTwoThirds, sis);
            s.SisterShareGiven = 1;
            continue;
        }

        // Brothers of this kind, or sisters beside a daughter's fixed share, take the remainder.
        if (s.Madhhab == 2 && s.ClassCount[GrandfatherAggregate] > 0)
            GrandfatherSharingTest(s, b);
        CommonBaseForKinds(s);
        if (s.Remainder == 0)
            s.SpecialCaseMark = 3;
        if (sistersClaimBesideGrandfather(s) && SistersTakeWhatIsLeft(s) == NextStep::Aggregate)
            return NextStep::Aggregate;
        if (s.Remainder < 0) {
            // The fixed shares overrun the estate: raised here, the siblings take nothing.
            s.AwlRatio = -s.Remainder / s.CaseBase;
            s.CaseBase = s.CaseBase - s.Remainder;
            s.CaseKind = BaseRaised;
            return NextStep::Aggregate;
        }
        PairTakesRemainder(s, b, sis);
        if (s.Madhhab == 2 && s.ClassCount[GrandfatherAggregate] > 0 &&
            s.ShareKindDenom[GrandfatherAggregate] == 0)
            s.ClassShares[GrandfatherAggregate] = s.ClassShares[b];
        if (s.ClassShares[UterineSibling] > 0 && s.ClassCount[FullBrother] > 0 &&
            s.ClassShares[FullBrother] == 0)
            return MushtarakaCase(s);
        return NextStep::Aggregate;
    }
    return NextStep::RemainingResiduaries;
}

NextStep RemainingResiduaries(EngineState& s, const CalcOptions& options) {
    CommonBaseForKinds(s);
    if (sistersClaimBesideGrandfather(s) && SistersTakeWhatIsLeft(s) == NextStep::Aggregate)
        return NextStep::Aggregate;
    if (s.Remainder <= 0)
        return NextStep::Settle;
    if (options.grandfatherTakesRemainder && s.SisterShareGiven == 1 &&
        s.ClassCount[GrandfatherAggregate] == 1) {
        // The grandfather takes what the sisters' fixed shares leave.
        s.ClassShares[GrandfatherAggregate] = Whole(s.ClassShares[GrandfatherAggregate] + s.Remainder);
        s.CaseKind = GrandfatherTakesRest;
        return NextStep::Aggregate;
    }
    for (int c = FirstMaleResiduary; c <= LastMaleResiduary; ++c) {
        const bool present = options.residuaryNeedsPositiveCount ? s.ClassCount[c] > 0 : s.ClassCount[c] != 0;
        if (!present)
            continue;
        s.CaseKind = s.Remainder == s.CaseBase ? ResiduaryTakesAll : ResiduaryTakesRest;
        s.ResidClassMale = c;
        s.ResidHeadCount = static_cast<int>(Whole(s.ClassCount[c]).whole());
        ExpandBase(s, s.Remainder, s.ClassCount[c]);
        s.ClassShares[c] = Whole(s.Remainder / s.ClassCount[c]);
        s.Remainder = 0;
        return NextStep::Settle;
    }
    return NextStep::Settle;
}

} // namespace engine
