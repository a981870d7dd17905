#include "engine/calc/CalcSteps.h"

namespace engine {

namespace {

const QString TreasuryName = QStringLiteral("الخزينة العامة");

// "خال اب لام" (class 111) stands in the female place of a pair whose male class holds no
// relation, and his sister "خالة اب لام" has class 112, the treasury's number. In the walk the
// two are one pair, brother and sister.
constexpr int UncleOfFatherByMother = 111;
constexpr int AuntOfFatherByMother = 112;

// The heads of "خالة اب لام": the class-112 slots that are not the treasury slot of an earlier
// calculation of the same deceased (the treasury slot has no relation).
int auntsOfFatherByMother(const EngineState& s) {
    if (s.ClassCount[AuntOfFatherByMother] == 0)
        return 0;
    int heads = 0;
    for (int j = FirstSlotOf(s, s.DeceasedIndex); j <= LastSlotOf(s, s.DeceasedIndex); ++j) {
        if (s.HeirClass[j] == AuntOfFatherByMother && !s.HeirRelation[j].isEmpty())
            ++heads;
    }
    return heads;
}

struct WalkPair {
    int male;
    int female;
    Num heads; // 2 per man, 1 per woman
};

// The pair of the walk at class k.
WalkPair pairAt(const EngineState& s, int k) {
    if (k + 1 == UncleOfFatherByMother) {
        const int aunts = auntsOfFatherByMother(s);
        if (aunts > 0)
            return {UncleOfFatherByMother, AuntOfFatherByMother, 2 * s.ClassCount[UncleOfFatherByMother] + aunts};
    }
    return {k, k + 1, 2 * s.ClassCount[k] + s.ClassCount[k + 1]};
}

// The remainder that nobody took goes to the treasury slot (class 112).
void giveToTreasury(EngineState& s) {
    Num heads = s.ClassCount[Treasury];
    if (heads == 0) {
        const int p = OpenHeirSlots(s, 1);
        s.HeirName[p] = TreasuryName;
        s.HeirRelation[p].clear();
        s.HeirClass[p] = Treasury;
        s.HeirShare[p] = 0;
        heads = 1;
    }
    if (heads > 1)
        ExpandBase(s, s.Remainder, heads);
    s.ClassShares[Treasury] = s.Remainder / heads;
    s.CaseKind = TreasuryTakesRest;
}

} // namespace

void ResolveResiduaries(EngineState& s, const CalcRules& rules) {
    bool settled = false;
    for (ResiduaryRange record : rules.residuaryOrder) {
        s.FirstClass = record.FirstClass;
        s.LastClass = record.LastClass;
        s.SideOffset = record.SideOffset;
        if (record.isSide()) {
            SplitBetweenSides(s, record);
            if (s.Remainder == 0) {
                settled = true;
                break;
            }
            if (record.FirstClass >= 100)
                break;
        } else {
            WalkResiduaryRange(s, record.FirstClass, record.LastClass);
            if (s.Remainder == 0) {
                settled = true;
                break;
            }
        }
    }
    if (!settled)
        giveToTreasury(s);
    if (s.ShareKindState[SidesSplit] == 1)
        s.CaseKind = WombRelativesBySides;
}

void WalkResiduaryRange(EngineState& s, int first, int last) {
    for (int k = first; k <= last; k += 2) {
        const WalkPair pair = pairAt(s, k);
        if (pair.heads > 0) {
            PairTakesRemainder(s, pair.male, pair.female);
            return;
        }
    }
}

Num SideHeadProduct(const EngineState& s, int first, int last) {
    Num product = 1;
    for (int k = first; k <= last; k += 2) {
        const WalkPair pair = pairAt(s, k);
        if (pair.heads > 0)
            product *= pair.heads;
    }
    return product;
}

void SplitBetweenSides(EngineState& s, ResiduaryRange& record) {
    const int offset = record.SideOffset;
    for (int j = record.FirstClass; j <= record.LastClass + 1; ++j) {
        s.ShareKindDenom[FatherSideHeads] += s.ClassCount[j];
        s.ShareKindDenom[MotherSideHeads] += s.ClassCount[j + offset];
        if (j + offset == UncleOfFatherByMother)
            s.ShareKindDenom[MotherSideHeads] += auntsOfFatherByMother(s);
    }
    const Num& fatherSide = s.ShareKindDenom[FatherSideHeads];
    const Num& motherSide = s.ShareKindDenom[MotherSideHeads];
    if (fatherSide + motherSide == 0)
        return;
    auto shiftToMotherSide = [&] {
        record.FirstClass += offset;
        record.LastClass += offset;
        s.FirstClass = record.FirstClass;
        s.LastClass = record.LastClass;
    };
    if (motherSide == 0) {
        WalkResiduaryRange(s, record.FirstClass, record.LastClass);
        return;
    }
    if (fatherSide == 0) {
        shiftToMotherSide();
        WalkResiduaryRange(s, record.FirstClass, record.LastClass);
        return;
    }

    // Two thirds to the father's side, one third to the mother's side. The base takes the head
    // counts of both sides, so each side's pair divides its part without rounding.
    const Num heads = SideHeadProduct(s, record.FirstClass, record.LastClass) *
                      SideHeadProduct(s, record.FirstClass + offset, record.LastClass + offset);
    const Num multiplier = 3 * heads;
    s.CaseBase = s.CaseBase * multiplier;
    const Num third = s.Remainder * heads;
    s.Remainder = 2 * third;
    s.ClassShares[Husband] = s.ClassShares[Husband] * multiplier;
    s.ClassShares[Wife] = s.ClassShares[Wife] * multiplier;
    s.ShareKindState[SidesSplit] = 1;
    WalkResiduaryRange(s, record.FirstClass, record.LastClass);
    if (s.ShareKindState[PairsInSidesSplit] == 1) {
        s.Remainder = third;
        shiftToMotherSide();
        WalkResiduaryRange(s, record.FirstClass, record.LastClass);
    }
}

int OpenHeirSlots(EngineState& s, int count) {
    const int i = s.DeceasedIndex;
    const int n = s.DeceasedCount;
    const int h = s.HeirTotal;
    const int oldLast = s.DeceasedLastHeir[i];
    s.ensureSlots(h + count);
    if (i < n) {
        for (int p = h; p >= oldLast + 1; --p)
            s.moveSlot(p, p + count);
    }
    s.HeirTotal = h + count;
    for (int k = i; k <= n; ++k)
        s.DeceasedLastHeir[k] += count;
    // The later deceased's slots moved: what their earlier joins changed moved with them.
    for (EngineState::JoinedSlot& joined : s.JoinedSlots) {
        if (joined.slot > oldLast)
            joined.slot += count;
    }
    return s.DeceasedLastHeir[i];
}

} // namespace engine
