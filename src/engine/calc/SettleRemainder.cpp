#include "engine/calc/CalcSteps.h"

namespace engine {

namespace {

Num toNum(const BigInt& value) {
    return Num(value.convert_to<std::int64_t>());
}

} // namespace

NextStep SettleRemainder(EngineState& s, const CalcRules& rules) {
    if (s.Remainder == 0)
        return NextStep::Aggregate;

    if (s.Remainder < 0) {
        // 'awl: the base grows by the overrun, every fixed share keeps its parts.
        s.AwlRatio = -s.Remainder / s.CaseBase;
        s.CaseBase = s.CaseBase - s.Remainder;
        s.CaseKind = BaseRaised;
        return NextStep::Aggregate;
    }

    const Num given = s.CaseBase - s.Remainder;
    s.RaddRatio = -s.Remainder / s.CaseBase;
    s.CaseKind = ReturnToSharers;
    const Num spouses = s.ClassShares[Husband] + s.ClassShares[Wife] * s.ClassCount[Wife];

    if (given == 0) {
        ResolveResiduaries(s, rules);
        if (s.CaseKind != TreasuryTakesRest && s.CaseKind != WombRelativesBySides)
            s.CaseKind = WombRelativesTakeAll;
    } else if (s.ClassCount[Husband] + s.ClassCount[Wife] == 0) {
        // Return without a spouse: the fixed shares become the whole.
        s.CaseBase = given;
    } else if (given == spouses) {
        ResolveResiduaries(s, rules);
        if (s.CaseKind != TreasuryTakesRest && s.CaseKind != WombRelativesBySides)
            s.CaseKind = WombRelativesTakeRest;
    } else {
        // Return with a spouse, who keeps exactly the fixed share; the others share the rest in
        // the ratio of their fixed shares.
        const Num others = given - spouses;
        const Num spouseBase =
            s.ShareKindDenom[Husband] * s.ClassCount[Husband] + s.ShareKindDenom[Wife] * s.ClassCount[Wife];
        s.ShareKindState[ReturnWithSpouse] = 1;
        s.GcdA = others;
        s.GcdB = spouseBase - s.ClassCount[Husband] - s.ClassCount[Wife];
        ReducePair(s);
        const Num combined = toNum(s.CombinedMultiplier);
        s.CaseBase = spouseBase * combined;
        if (s.ClassCount[Husband] > 0)
            s.ClassShares[Husband] = combined;
        s.ClassShares[Wife] = combined;
        ScaleShareKinds(s);
    }
    return NextStep::Aggregate;
}

void PairTakesRemainder(EngineState& s, int maleClass, int femaleClass) {
    const Num& males = s.ClassCount[maleClass];
    const Num& females = s.ClassCount[femaleClass];
    Num heads = 2 * males + females;
    if (females == 0)
        heads = heads / 2;
    if (heads == 0)
        return;
    s.ResidHeadCount = static_cast<int>(Whole(heads).whole());
    if (s.ShareKindState[SidesSplit] == 1)
        s.ShareKindState[PairsInSidesSplit] += 1;
    else
        ExpandBase(s, s.Remainder, heads);

    if (females > 0) {
        s.ClassShares[femaleClass] = s.Remainder / heads;
        s.ResidFemalePresent = 1;
        if (males > 0)
            s.ClassShares[maleClass] = 2 * s.Remainder / heads;
    } else if (males > 0) {
        s.ClassShares[maleClass] = s.Remainder / heads;
    }
    s.CaseKind = s.CaseBase == s.Remainder ? ResiduaryTakesAll : ResiduaryTakesRest;
    s.ResidClassMale = maleClass;
    s.ResidClassFemale = femaleClass;
    s.Remainder = 0;
}

void ScaleShareKinds(EngineState& s) {
    const Num sub = toNum(s.SubCaseMultiplier);
    for (int c = 1; c <= 12; ++c) {
        if (c == Husband || (c == Wife && s.ShareKindState[ReturnWithSpouse] == 1))
            continue;
        s.ClassShares[c] = s.ClassShares[c] * sub;
    }
}

} // namespace engine
