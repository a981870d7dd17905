#include "engine/calc/CalcSteps.h"
#include "engine/calc/ShareCalculation.h"

#include <boost/multiprecision/integer.hpp>

#include <cstdint>
#include <limits>
#include <numeric>

namespace engine {

namespace {

const QString JoinSeparator = QStringLiteral(" و ");
const Num TwoThirds = Num::fraction(3, 2);
const Num FiveNinths = Num::fraction(9, 5);

// The same name, character for character; compared for every pair of a deceased's heirs, so
// kept to a plain comparison of the characters.
bool sameName(const QString& a, const QString& b) {
    const qsizetype n = a.size();
    if (n != b.size())
        return false;
    const QChar* x = a.constData();
    const QChar* y = b.constData();
    // Names of one length in one family mostly differ in their last letter ("و1", "و2").
    if (n > 0 && x[n - 1] != y[n - 1])
        return false;
    for (qsizetype k = 0; k < n; ++k) {
        if (x[k] != y[k])
            return false;
    }
    return true;
}

// A share handed to an heir slot is a whole number of parts; anything else would be a fault of
// the calculation, never shown as a share.
std::int64_t slotShare(const Num& share) {
    if (!share.isWhole() || share.num() < 0)
        throw CalculationRefused(CalculationRefused::notWhole());
    return share.num();
}

// The value of a share that fits one 64-bit word and is not negative; false otherwise. Read from
// the limbs directly: the generic conversion costs more than the reduction itself.
bool narrowShare(const BigInt& share, std::int64_t& value) {
    const auto& backend = share.backend();
    if (backend.sign() || backend.size() != 1)
        return false;
    const auto limb = backend.limbs()[0];
    if (limb > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        return false;
    value = static_cast<std::int64_t>(limb);
    return true;
}

void rememberBeforeJoin(EngineState& s, int slot, std::size_t fromEntry) {
    for (std::size_t e = fromEntry; e < s.JoinedSlots.size(); ++e) {
        if (s.JoinedSlots[e].slot == slot)
            return;
    }
    s.JoinedSlots.push_back({slot, s.HeirName[slot], s.HeirRelation[slot]});
}

// Gives the slots of deceased `deceased` back the names and relations they were entered with.
void undoEarlierJoin(EngineState& s, int first, int last) {
    auto& joined = s.JoinedSlots;
    for (auto it = joined.rbegin(); it != joined.rend(); ++it) {
        if (it->slot >= first && it->slot <= last) {
            s.HeirName[it->slot] = it->name;
            s.HeirRelation[it->slot] = it->relation;
        }
    }
    std::erase_if(joined,
                  [&](const EngineState::JoinedSlot& j) { return j.slot >= first && j.slot <= last; });
}

} // namespace

void AssignAggregateShares(EngineState& s, const CalcRules& rules) {
    // Exactly the grandmothers counted as sharing take the sixth; AH names every grandmother
    // class, so each of them is reached.
    if (s.ClassCount[GrandmotherAggregate] != 0) {
        for (const int c : rules.grandmotherOrder) {
            if (s.ClassCount[c] != 0 && IsSharingGrandmother(s, c))
                s.ClassShares[c] = s.ClassShares[GrandmotherAggregate];
        }
    }
    for (int c = 96; c <= 98; ++c) {
        if (s.ClassCount[c] == 1) {
            s.ClassShares[c] = s.ClassShares[GrandfatherAggregate];
            break;
        }
    }
}

void ComputeCaseOrigin(EngineState& s) {
    Num descendants = 0;
    for (int c = 7; c <= 9; ++c)
        descendants += s.ClassCount[c] + s.ClassCount[c + 6];
    if (descendants <= 0) {
        if (s.ClassCount[Father] == 1) {
            s.ResidClassMale = Father;
            s.ResidHeadCount = 1;
            SetShareKindDenom(s, Father, 0);
            s.CaseKind = ResiduaryTakesRest;
        }
        if (s.ClassShares[Father] == s.CaseBase) {
            s.CaseKind = ResiduaryTakesAll;
        } else {
            if (s.ClassCount[GrandfatherAggregate] == 1 && s.ShareKindState[SiblingCount] == 0) {
                s.ResidClassMale = GrandfatherAggregate;
                s.ResidHeadCount = 1;
                SetShareKindDenom(s, GrandfatherAggregate, 0);
                s.CaseKind = ResiduaryTakesRest;
            }
            if (s.ClassShares[GrandfatherAggregate] == s.CaseBase)
                s.CaseKind = ResiduaryTakesAll;
        }
    }

    for (int c = 1; c <= 12; ++c) {
        if (s.ClassCount[c] == 0 || s.ShareKindDenom[c] == 0)
            continue;
        Num d = s.ShareKindDenom[c];
        if (d == TwoThirds)
            d = 3;
        if (c == GrandfatherAggregate) {
            if (s.ShareKindState[ThirdOfRemainderChosen] == 1)
                d = 3;
            if (s.ShareKindDenom[GrandfatherAggregate] == FiveNinths)
                d = 3;
            if (s.GrandfatherOption == 1)
                d = 3;
            if (s.GrandfatherOption == 6 || s.GrandfatherOption == 9)
                d = 1;
        }
        if (!(s.CaseOrigin / d).isWhole()) {
            s.GcdA = s.CaseOrigin;
            s.GcdB = d;
            Gcd(s);
            s.CaseOrigin = s.CaseOrigin * d / s.GcdResult;
        }
    }

    const int option = s.GrandfatherOption;
    if (option == 8 || option == 5 || option == 7) {
        s.CaseOrigin = s.ShareKindState[GrandfatherHeads];
    } else if (s.CaseOrigin <= 1) {
        s.CaseOrigin = s.ResidHeadCount;
        if (s.ClassCount[s.ResidClassMale] == 0 && s.ResidFemalePresent == 1)
            s.CaseOrigin = s.ClassCount[s.ResidClassFemale];
    }
}

void DistributeClassShares(EngineState& s) {
    const int i = s.DeceasedIndex;
    for (int k = FirstSlotOf(s, i); k <= LastSlotOf(s, i); ++k)
        s.HeirShare[k] = slotShare(s.ClassShares[s.HeirClass[k]]);
}

void JoinSameNameHeirs(EngineState& s) {
    const int first = FirstSlotOf(s, s.DeceasedIndex);
    const int last = LastSlotOf(s, s.DeceasedIndex);
    undoEarlierJoin(s, first, last);
    const std::size_t entries = s.JoinedSlots.size();
    for (int k = first; k < last; ++k) {
        for (int j = k + 1; j <= last; ++j) {
            if (!sameName(s.HeirName[j], s.HeirName[k]))
                continue;
            rememberBeforeJoin(s, k, entries);
            rememberBeforeJoin(s, j, entries);
            s.HeirShare[k] += s.HeirShare[j];
            s.HeirShare[j] = 0;
            s.HeirRelation[k] += JoinSeparator + s.HeirRelation[j];
            s.HeirName[j].clear();
        }
    }
    s.FirstSlotOfDeceased = first;
}

void DistributeAndJoinShares(EngineState& s) {
    DistributeClassShares(s);
    // The shares came from 64-bit class shares: their sum is checked in 64 bits (an overflow is a
    // refusal, as any other).
    Num total = 0;
    const int i = s.DeceasedIndex;
    try {
        for (int k = FirstSlotOf(s, i); k <= LastSlotOf(s, i); ++k)
            total += s.ClassShares[s.HeirClass[k]];
    } catch (const NumberOverflow&) {
        throw CalculationRefused(CalculationRefused::notWhole());
    }
    if (!s.CaseBase.isWhole() || total != s.CaseBase)
        throw CalculationRefused(CalculationRefused::notWhole());
    JoinSameNameHeirs(s);
}

void ReduceCase(EngineState& s, BigInt& base) {
    BigInt a = base;
    BigInt g = 1;
    BigInt last = 0;
    const int lastSlot = s.DeceasedLastHeir[s.DeceasedIndex];
    for (int k = s.FirstSlotOfDeceased; k <= lastSlot; ++k) {
        const BigInt& share = s.HeirShare[k];
        if (share == 0 || share == last)
            continue;
        last = share;
        if (a > 0 && last > 0)
            g = boost::multiprecision::gcd(a, last);
        a = g;
    }
    if (g <= 1)
        return;
    base /= g;
    for (int k = s.FirstSlotOfDeceased; k <= lastSlot; ++k)
        s.HeirShare[k] /= g;
}

void ReduceCase(EngineState& s) {
    // One deceased's base is a 64-bit number and his shares add up to it, so the reduction can
    // stay in 64 bits; the wide numbers are for the combined division of a chain. Anything else
    // takes the wide way.
    const std::int64_t base = s.CaseBase.isWhole() ? s.CaseBase.whole() : 0;
    const int lastSlot = s.DeceasedLastHeir[s.DeceasedIndex];
    bool narrow = base > 0;
    bool anyShare = false;
    std::int64_t g = base;
    for (int k = s.FirstSlotOfDeceased; narrow && k <= lastSlot; ++k) {
        std::int64_t share = 0;
        if (!narrowShare(s.HeirShare[k], share) || share > base) {
            narrow = false;
            break;
        }
        if (share == 0)
            continue;
        anyShare = true;
        if (g > 1)
            g = std::gcd(g, share);
    }
    if (narrow) {
        if (!anyShare || g <= 1)
            return;
        s.CaseBase = Num(base / g);
        for (int k = s.FirstSlotOfDeceased; k <= lastSlot; ++k) {
            BigInt& share = s.HeirShare[k];
            std::int64_t value = 0;
            if (narrowShare(share, value) && value != 0)
                share = value / g;
        }
        return;
    }
    BigInt wide(s.CaseBase.whole());
    ReduceCase(s, wide);
    s.CaseBase = Num(wide.convert_to<std::int64_t>());
}

} // namespace engine
