#include "engine/calc/CalcSteps.h"
#include "engine/calc/ShareCalculation.h"

#include <bit>

namespace engine {

namespace {

// Besides the classes counted on slots, the heir stages write the classes up to the paternal
// brother (fixed shares, aggregates, siblings), the true grandfathers and the treasury; the census
// clears these every time.
constexpr int LastClassStepsWrite = PaternalBrother;
constexpr int LastGrandfather = 98;

} // namespace

void ClassCensus(EngineState& s) {
    const int i = s.DeceasedIndex;
    const auto clearClass = [&s](int c) {
        s.ClassShares[c] = 0;
        s.ClassCount[c] = 0;
    };
    for (int c = 1; c <= LastClassStepsWrite; ++c)
        clearClass(c);
    for (int c = Grandfather; c <= LastGrandfather; ++c)
        clearClass(c);
    clearClass(Treasury);
    for (std::size_t word = 0; word < s.CountedClasses.size(); ++word) {
        for (std::uint64_t bits = s.CountedClasses[word]; bits != 0; bits &= bits - 1)
            clearClass(static_cast<int>(word * 64) + std::countr_zero(bits));
        s.CountedClasses[word] = 0;
    }
    for (int j = FirstSlotOf(s, i); j <= LastSlotOf(s, i); ++j) {
        const int c = s.HeirClass[j];
        // A slot outside the classes would be counted nowhere and its heir silently left out.
        if (c < 1 || c > ClassTop)
            throw CalculationRefused(CalculationRefused::notWhole());
        s.CountedClasses[static_cast<std::size_t>(c) / 64] |= std::uint64_t{1} << (c % 64);
        s.ClassCount[c] += 1;
    }
    for (int k = 1; k <= ShareKindTop; ++k) {
        s.ShareKindDenom[k] = 0;
        s.ShareKindState[k] = 0;
    }

    s.CaseBase = 24;
    s.Remainder = 24;
    s.GcdA = s.GcdB = s.GcdResult = 0;
    s.SubCaseMultiplier = 0;
    s.CombinedMultiplier = 0;
    s.CaseKind = NoClosingNote;
    s.SpecialCaseMark = 0;
    s.FirstClass = s.LastClass = s.SideOffset = 0;
    s.ResidClassMale = s.ResidClassFemale = 0;
    s.ResidHeadCount = 0;
    s.ResidFemalePresent = 0;
    s.AwlRatio = s.RaddRatio = 0;
    s.GrandfatherOption = 0;
    s.SisterRemainderCode = 0;
    s.SisterShareGiven = 0;
    s.HalfGroup = 0;
    s.SharingGrandmothers = 0;
    s.CaseOrigin = 1;

    // Class 3 stands for a true grandfather of any degree, present without the father.
    const bool grandfather = s.ClassCount[96] + s.ClassCount[97] + s.ClassCount[98] > 0;
    s.ClassCount[GrandfatherAggregate] = (grandfather && s.ClassCount[Father] == 0) ? 1 : 0;

    for (int k = Father; k <= GrandmotherAggregate; ++k)
        s.ShareKindDenom[k] = 6;
    s.ShareKindDenom[Husband] = 4;
    s.ShareKindDenom[Wife] = 8;

    for (std::size_t n = 1; n < s.NoteText.size(); ++n) {
        if (!s.NoteText[n].isEmpty())
            s.NoteText[n].clear();
        s.NoteValue[n] = 0;
    }
    s.NoteCount = 0;
}

NextStep ApplyExclusionPairs(EngineState& s, const CalcRules& rules) {
    // A mother excludes every grandmother: there is nothing for the pairs or the grandmother
    // step to do.
    if (s.ClassCount[Mother] > 0)
        return NextStep::Descendants;
    // Both schools: a grandfather excludes the grandmothers who reach the deceased only through
    // him, as the father excludes his mother.
    for (const rules::ExclusionPair& pair : rules.exclusionPairs)
        s.ClassCount[pair.excluded] = s.ClassCount[pair.excluded] * (Num(1) - s.ClassCount[pair.excluding]);
    return NextStep::Grandmothers;
}

} // namespace engine
