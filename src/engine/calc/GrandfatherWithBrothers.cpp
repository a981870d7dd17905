#include "engine/calc/CalcSteps.h"

namespace engine {

namespace {

// The sisters of class `sister` take all that is left beside the grandfather; the base grows
// first when it does not divide among them.
void sistersTakeRemainder(EngineState& s, int sister) {
    ExpandBase(s, s.Remainder, s.ClassCount[sister]);
    s.ClassShares[sister] = Whole(s.Remainder / s.ClassCount[sister]);
    s.Remainder = 0;
    s.SisterRemainderCode = sister - 9;
}

// Brings every fixed share and the remainder up to date on the current base.
void recomputeFixedShares(EngineState& s) {
    s.Remainder = s.CaseBase;
    s.ShareKindState[FixedSharesRescaled] = 0;
    CommonBaseForKinds(s);
}

} // namespace

NextStep GrandfatherBestShare(EngineState& s) {
    Num& r = s.Remainder;
    const Num& sisters = s.ShareKindState[SisterCount];
    const Num& brothers = s.ShareKindState[BrotherCount];

    // His provisional sixth goes back into what is to be shared.
    SetShareKindDenom(s, GrandfatherAggregate, 0);
    r += s.ClassShares[GrandfatherAggregate];

    Num heads = 2 * (s.ClassCount[GrandfatherAggregate] + brothers) + sisters;
    Num sharing;
    if (sisters == 0) {
        heads = heads / 2;
        sharing = r / heads;
    } else {
        sharing = 2 * r / heads;
    }
    s.ShareKindState[GrandfatherHeads] = heads;
    s.ShareKindState[GrandfatherSharing] = sharing;

    bool shares = false; // sharing, or a third of the remainder; otherwise a fixed part of the whole
    if (r == s.CaseBase) {
        if (sharing <= s.CaseBase / 3) {
            SetShareKindDenom(s, GrandfatherAggregate, 3);
            s.GrandfatherOption = sharing == s.CaseBase / 3 ? 5 : 1;
        } else {
            s.GrandfatherOption = 8;
            shares = true;
        }
    } else if (sharing > r / 3) {
        if (sharing > s.CaseBase / 6) {
            s.GrandfatherOption = 9;
            shares = true;
        } else {
            s.GrandfatherOption = 4;
            SetShareKindDenom(s, GrandfatherAggregate, 6);
        }
    } else if (r >= s.CaseBase / 2) {
        heads = 3;
        s.ShareKindState[GrandfatherHeads] = heads;
        s.ShareKindState[ThirdOfRemainderChosen] = 1;
        s.GrandfatherOption = 2;
        shares = true;
    } else {
        s.GrandfatherOption = 3;
        SetShareKindDenom(s, GrandfatherAggregate, 6);
    }

    if (shares) {
        const Num d = heads;
        const bool countsTwoHeads = s.ShareKindState[ThirdOfRemainderChosen] == 0 && sisters > 0;
        if (sharing == r / 3)
            s.GrandfatherOption = 6;
        ExpandBase(s, r, d);
        ExpandBase(s, s.CaseBase, r / d);
        SetShareKindDenom(s, GrandfatherAggregate, d * s.CaseBase / r);
        if (countsTwoHeads)
            SetShareKindDenom(s, GrandfatherAggregate, s.ShareKindDenom[GrandfatherAggregate] / 2);
        if (!s.ShareKindDenom[GrandfatherAggregate].isWhole()) {
            s.ShareKindDenom[GrandfatherPortionParts] = r / d;
            s.ShareKindState[GrandfatherPortionBase] = s.CaseBase;
            if (countsTwoHeads)
                s.ShareKindDenom[GrandfatherPortionParts] = 2 * s.ShareKindDenom[GrandfatherPortionParts];
        }

        // Without a full brother the full sisters, or else the paternal sisters alone, may claim
        // all that is left when it does not pass their fixed share.
        if (s.ClassCount[FullBrother] == 0) {
            recomputeFixedShares(s);
            const Num& fullSisters = s.ClassCount[FullSister];
            if ((fullSisters == 1 && r <= s.CaseBase / 2) || (fullSisters > 1 && r <= 2 * s.CaseBase / 3)) {
                sistersTakeRemainder(s, FullSister);
                return NextStep::Aggregate;
            }
            if (fullSisters == 0 && s.ClassCount[PaternalBrother] == 0) {
                sistersTakeRemainder(s, PaternalSister);
                return NextStep::Aggregate;
            }
        }
    }

    if (s.ShareKindDenom[GrandfatherPortionParts] > 0)
        s.ClassShares[GrandfatherAggregate] = s.ShareKindDenom[GrandfatherPortionParts];
    else
        s.ClassShares[GrandfatherAggregate] = Whole(s.CaseBase / s.ShareKindDenom[GrandfatherAggregate]);
    s.Remainder = s.CaseBase;
    s.ShareKindState[FixedSharesRescaled] = 0;
    return NextStep::SiblingShares;
}

void GrandfatherSharingTest(EngineState& s, int brotherClass) {
    const int sisterClass = brotherClass - 6;
    recomputeFixedShares(s);
    const Num heads =
        2 * (s.ClassCount[GrandfatherAggregate] + s.ClassCount[brotherClass]) + s.ClassCount[sisterClass];
    const Num sharing = 2 * (s.Remainder + s.ClassShares[GrandfatherAggregate]) / heads;
    s.ShareKindState[GrandfatherHeads] = heads;
    s.ShareKindState[GrandfatherSharing] = sharing;
    const Num sixth = s.CaseBase / 6;
    if (sharing < sixth) {
        s.GrandfatherOption = 3;
    } else if (sharing == sixth) {
        s.GrandfatherOption = 7;
    } else {
        // He shares as one more brother of this kind.
        s.ClassCount[brotherClass] += s.ClassCount[GrandfatherAggregate];
        SetShareKindDenom(s, GrandfatherAggregate, 0);
        s.ShareKindState[FixedSharesRescaled] = 0;
        s.GrandfatherOption = 10;
    }
}

NextStep SistersTakeWhatIsLeft(EngineState& s) {
    for (const int sister : {PaternalSister, FullSister}) {
        if (s.ClassCount[sister] == 0 || s.ShareKindDenom[sister] == 0)
            continue;
        SetShareKindDenom(s, sister, 0);
        s.ClassShares[sister] = 0;
        recomputeFixedShares(s);
        if (s.Remainder < 0)
            continue; // nothing is left for them; the next sisters give way as well
        sistersTakeRemainder(s, sister);
        return NextStep::Aggregate;
    }
    return NextStep::Settle;
}

} // namespace engine
