#include "engine/calc/CalcSteps.h"

#include <numeric>
#include <utility>

namespace engine {

namespace {

const Num TwoThirds = Num::fraction(3, 2); // the denominator of two thirds

BigInt toBig(const Num& whole) {
    return BigInt(whole.whole());
}

} // namespace

Num Whole(const Num& x) {
    return x.isWhole() ? x : x.roundHalfEven();
}

void Gcd(EngineState& s) {
    if (s.GcdA <= 0 || s.GcdB <= 0)
        return;
    if (s.GcdA == 1 || s.GcdB == 1) {
        s.GcdResult = 1;
        return;
    }
    if (s.GcdA.isWhole() && s.GcdB.isWhole()) {
        s.GcdResult = std::gcd(s.GcdA.whole(), s.GcdB.whole());
        return;
    }
    // Euclid by repeated remainder also ends for fractions, as the rule is written for any number.
    Num x = s.GcdA;
    Num y = s.GcdB;
    if (x < y)
        std::swap(x, y);
    while (true) {
        const Num q = x / y;
        if (q.isWhole()) {
            s.GcdResult = y;
            return;
        }
        const Num r = x - q.intPart() * y;
        x = y;
        y = r;
    }
}

void ExpandBase(EngineState& s) {
    if ((s.GcdA / s.GcdB).isWhole())
        return;
    Gcd(s);
    s.CaseBase = s.CaseBase * s.GcdB / s.GcdResult;
    s.Remainder = s.CaseBase;
    RescaleShareKinds(s);
}

void ExpandBase(EngineState& s, const Num& parts, const Num& heads) {
    s.GcdA = parts;
    s.GcdB = heads;
    ExpandBase(s);
}

void RescaleShareKinds(EngineState& s) {
    for (int c = 1; c <= 12; ++c) {
        const Num& count = s.ClassCount[c];
        const Num& denom = s.ShareKindDenom[c];
        if (count == 0 || denom == 0)
            continue;
        if (s.Madhhab != 2 && c == GrandfatherAggregate && s.ShareKindDenom[GrandfatherPortionParts] > 0)
            s.ClassShares[c] = Whole(s.CaseBase * s.ShareKindDenom[GrandfatherPortionParts] /
                                     s.ShareKindState[GrandfatherPortionBase]);
        else
            s.ClassShares[c] = Whole(s.CaseBase / (denom * count));
        s.Remainder -= s.ClassShares[c] * count;
    }
    s.ShareKindState[FixedSharesRescaled] = 1;
}

void CommonBaseForKinds(EngineState& s) {
    for (int c = 5; c <= 12; ++c) {
        if (s.ClassCount[c] > 0 && s.ShareKindDenom[c] > 0)
            ExpandBase(s, s.CaseBase / s.ShareKindDenom[c], s.ClassCount[c]);
    }
    if (s.ShareKindState[FixedSharesRescaled] == 0) {
        s.Remainder = s.CaseBase;
        RescaleShareKinds(s);
        s.ShareKindState[FixedSharesRescaled] = 0;
    }
}

void ReducePair(EngineState& s) {
    Gcd(s);
    s.SubCaseMultiplier = toBig(s.GcdB / s.GcdResult);
    s.CombinedMultiplier = toBig(s.GcdA / s.GcdResult);
}

void SetShareKindDenom(EngineState& s, int kind, const Num& value) {
    if (s.ShareKindDenom[kind] == value)
        return;
    s.ShareKindDenom[kind] = value;
    s.ShareKindState[FixedSharesRescaled] = 0;
}

void AssignHalfOrTwoThirds(EngineState& s, int halfGroup, int femaleClass) {
    s.HalfGroup = halfGroup;
    Num& given = s.ShareKindState[halfGroup];
    const Num& count = s.ClassCount[femaleClass];
    if (given == 2) {
        // A single female of a nearer level took a half: this level completes the two thirds.
        if (count == 0)
            return;
        SetShareKindDenom(s, femaleClass, 6);
        given = TwoThirds;
        return;
    }
    if (given == TwoThirds)
        return;
    if (count == 0)
        return;
    SetShareKindDenom(s, femaleClass, count == 1 ? Num(2) : TwoThirds);
    given += s.ShareKindDenom[femaleClass];
}

} // namespace engine
