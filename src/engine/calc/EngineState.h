#pragma once

#include "engine/calc/Num.h"

#include <QString>

#include <boost/multiprecision/cpp_int.hpp>

#include <array>
#include <cstdint>
#include <vector>

namespace engine {

using BigInt = boost::multiprecision::cpp_int;

// Limits of what the engine accepts; input beyond them is refused where it enters.
inline constexpr int MaxHeirsPerDeceased = 50;
inline constexpr int MaxHeirSlots = 200;
inline constexpr int MaxDeceased = 30;
inline constexpr int ClassTop = 112;    // heir classes 1..112
inline constexpr int NameTop = 128;     // relation and class-name slots 1..128
inline constexpr int ShareKindTop = 17; // share kinds 1..17

// The classes the calculation names (ClassCode).
enum Class : int {
    Father = 1,
    Mother = 2,
    GrandfatherAggregate = 3,
    Husband = 4,
    Wife = 5,
    GrandmotherAggregate = 6,
    Daughter = 7,
    SonsDaughter = 8,
    SonsSonsDaughter = 9,
    FullSister = 10,
    PaternalSister = 11,
    UterineSibling = 12,
    Son = 13,
    SonsSon = 14,
    SonsSonsSon = 15,
    FullBrother = 16,
    PaternalBrother = 17,
    Grandfather = 96,
    Treasury = 112,
};

// What ShareKindDenom holds above the twelve fixed-share classes; ShareKindDenom(c) of a class c
// of 1..12 is the class's fixed share as a denominator (2 a half, 1.5 two thirds, 0 none).
enum ShareKindDenomSlot : int {
    GrandfatherPortionParts = 13, // school 1: the grandfather's parts of GrandfatherPortionBase
    FatherSideHeads = 14,         // heads on the father's side of a side record of the residuary walk
    MotherSideHeads = 15,         // heads on the mother's side of that record
};

// What ShareKindState holds: flags and counters through which the heir stages talk to each other.
enum ShareKindStateSlot : int {
    DaughtersTwoThirds = 1,      // the daughters' line: 0 none given, 2 a half, 1.5 two thirds used up
    SistersTwoThirds = 2,        // the same for the full and paternal sisters
    BlessedRelativeJoined = 3,   // 1: the son's daughters joined the residuary pair of the level below
    SiblingCount = 4,            // full and paternal siblings: SisterCount + BrotherCount
    GrandfatherSharing = 5,      // the parts the grandfather would receive sharing as a brother
    GrandfatherHeads = 6,        // heads of the grandfather-with-siblings step
    FixedSharesRescaled = 8,     // 1: the fixed shares were recomputed since the flag was cleared
    SisterCount = 9,             // full and paternal sisters
    ReturnWithSpouse = 10,       // 1: a return in which the spouse kept only the fixed share
    BrotherCount = 11,           // full and paternal brothers
    GrandmothersPresent = 13,    // first the grandmother heads present ...
    GrandfatherPortionBase = 13, // ... later the base of GrandfatherPortionParts
    SidesSplit = 14,             // 1: the remainder was split between the father's and mother's side
    PairsInSidesSplit = 15,      // the pairs that took a part during that split
    ThirdOfRemainderChosen = 17, // 1: the grandfather took the third of the remainder
};

// What CaseKind holds: how the division was settled, which chooses its closing note.
enum CaseKindValue : int {
    NoClosingNote = 0,
    ResiduaryTakesRest = 1,    // a residuary pair took what the fixed shares left
    ReturnToSharers = 2,       // the remainder returned (radd); ReturnWithSpouse tells how
    BaseRaised = 3,            // the fixed shares overran the estate (awl)
    FatherTakesRest = 4,       // the father takes the remainder besides his fixed share
    GrandfatherTakesRest = 5,  // the grandfather takes the remainder besides his fixed share
    ResiduaryTakesAll = 6,     // a residuary pair took the whole estate
    TreasuryTakesRest = 7,     // the remainder went to the treasury
    MushtarakaShared = 8,      // the full siblings share the maternal siblings' third
    WombRelativesTakeRest = 9, // relatives of the womb took what the spouse or spouses left
    WombRelativesTakeAll = 10, // relatives of the womb took the whole estate
    WombRelativesBySides = 11, // two thirds to the father's side, one third to the mother's
};

// The shared block of state of the calculation engine: one per host, passed by reference to
// every engine step. Heir slots and the deceased chain are indexed from 1 (element 0 holds
// nothing), as are classes, share kinds and notes, so the steps read like the rules they follow.
struct EngineState {
    // Heir slots 1..HeirTotal, one numbering over all deceased of a case.
    std::vector<QString> HeirName;
    std::vector<QString> HeirRelation;
    std::vector<std::int16_t> HeirClass;
    // Parts of the deceased's base after the distribution, of the combined base after the merge.
    std::vector<BigInt> HeirShare;

    // Deceased chain 0..DeceasedCount; DeceasedLastHeir[0] is 0.
    std::vector<QString> DeceasedName;
    std::vector<int> DeceasedLastHeir;
    std::vector<BigInt> DeceasedBase;
    std::vector<BigInt> DeceasedInheritedShare;

    // Per class 0..112.
    std::array<Num, ClassTop + 1> ClassCount{};
    std::array<Num, ClassTop + 1> ClassShares{};
    // The classes the last census counted on slots, bit c % 64 of word c / 64. Apart from them the
    // steps write only the classes the census always clears, so the next census clears these
    // alone instead of every class.
    std::array<std::uint64_t, 2> CountedClasses{};

    // Share kinds 0..17.
    std::array<Num, ShareKindTop + 1> ShareKindState{};
    std::array<Num, ShareKindTop + 1> ShareKindDenom{};

    // Notes of the deceased being calculated, 1..NoteCount; element 0 unused. Grows as needed.
    std::vector<QString> NoteText;
    std::vector<Num> NoteValue;
    int NoteCount = 0;

    // Case and run values.
    int DeceasedCount = 0;
    int DeceasedIndex = 0;
    int HeirTotal = 0;
    int SkippedDeceased = 0;
    QString CaseKey;
    QString CaseType;
    int Madhhab = 0;
    int OutputMode = 0;
    int MenuChoice = 0;
    Num CaseBase;
    Num Remainder;
    int CaseKind = NoClosingNote;
    // The base of a combined division after a merge (CaseBase of a single deceased stays in range;
    // the product of a long chain's bases does not).
    BigInt CombinedBase;
    boost::multiprecision::cpp_rational EstateAmount; // any size and any number of decimals
    QString AmountUnit;
    int AmountTableFlag = 0;
    int StoredCaseNo = 0;
    int LineCount = 0;
    int PageNo = 0;
    int FirstSlotOfDeceased = 0;
    BigInt CombinedMultiplier;
    BigInt SubCaseMultiplier;
    int ResidClassMale = 0;
    int ResidClassFemale = 0;
    Num GcdA, GcdB, GcdResult;

    // Working values passed between steps of one deceased's calculation.
    int HalfGroup = 0;
    int SpecialCaseMark = 0;
    int SisterShareGiven = 0;
    int GrandfatherOption = 0;
    int SisterRemainderCode = 0;
    int FirstClass = 0, LastClass = 0, SideOffset = 0;
    int ResidHeadCount = 0;
    int ResidFemalePresent = 0;
    Num AwlRatio, RaddRatio;
    Num CaseOrigin;
    int NoteLineSerial = 0;
    // The grandmother classes (18..26) that share the sixth, bit c-18 for class c: a grandmother
    // blocked by the father or by a nearer one keeps her head count, so the count alone cannot
    // tell who shares.
    int SharingGrandmothers = 0;

    // What the same-name join changed: each slot's name and relation before the join first
    // touched it. The next calculation of the same deceased starts from the names and relations
    // as entered, so showing a case again or in the other school joins the same heirs again.
    struct JoinedSlot {
        int slot = 0;
        QString name;
        QString relation;
    };
    std::vector<JoinedSlot> JoinedSlots;

    // Makes room for heir slots up to `slot` (storage only; HeirTotal is not changed).
    void ensureSlots(int slot) {
        const auto need = static_cast<std::size_t>(slot) + 1;
        if (HeirName.size() < need) [[unlikely]]
            growSlots(need);
    }
    // A fresh deceased chain of `count` deceased, every element empty or 0.
    void newChain(int count) {
        DeceasedCount = count;
        const auto n = static_cast<std::size_t>(count) + 1;
        DeceasedName.assign(n, QString());
        DeceasedLastHeir.assign(n, 0);
        DeceasedBase.resize(n);
        DeceasedInheritedShare.resize(n);
        for (std::size_t k = 0; k < n; ++k) {
            DeceasedBase[k] = 0;
            DeceasedInheritedShare[k] = 0;
        }
        JoinedSlots.clear();
    }
    // Appends a note (1-based numbering), growing storage as needed.
    void addNoteSlot(const QString& text, Num value = 0) {
        ++NoteCount;
        const auto need = static_cast<std::size_t>(NoteCount) + 1;
        if (NoteText.size() < need) {
            NoteText.resize(need);
            NoteValue.resize(need);
        }
        NoteText[NoteCount] = text;
        NoteValue[NoteCount] = value;
    }
    // Kept apart from ensureSlots, which every heir read passes and which seldom grows anything.
    void growSlots(std::size_t need) {
        HeirName.resize(need);
        HeirRelation.resize(need);
        HeirClass.resize(need);
        HeirShare.resize(need);
    }
    // Moves slot `from` (all four members) to slot `to`.
    void moveSlot(int from, int to) {
        ensureSlots(std::max(from, to));
        HeirName[to] = HeirName[from];
        HeirRelation[to] = HeirRelation[from];
        HeirClass[to] = HeirClass[from];
        HeirShare[to] = HeirShare[from];
    }
};

} // namespace engine
