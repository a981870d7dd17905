#include "engine/calc/CalcSteps.h"

namespace engine {

namespace {

constexpr int FirstGrandmother = 18;
constexpr int LastGrandmother = 26;

void markSharing(EngineState& s, int c) {
    if (s.ClassCount[c] != 0)
        s.SharingGrandmothers |= 1 << (c - FirstGrandmother);
}

} // namespace

bool IsSharingGrandmother(const EngineState& s, int heirClass) {
    return heirClass >= FirstGrandmother && heirClass <= LastGrandmother &&
           (s.SharingGrandmothers & (1 << (heirClass - FirstGrandmother))) != 0;
}

NextStep CountSharingGrandmothers(EngineState& s) {
    Num present = 0;
    for (int c = FirstGrandmother; c <= LastGrandmother; ++c)
        present += s.ClassCount[c];
    s.ShareKindState[GrandmothersPresent] = present;
    if (present == 0)
        return NextStep::Descendants;

    const bool father = s.ClassCount[Father] != 0;
    for (int degree = 2; degree <= 4; ++degree) {
        const int maternal = 16 + degree;
        const int firstPaternal = degree == 2 ? 21 : 2 * degree + 16;
        const int lastPaternal = degree == 2 ? 21 : 3 * degree + 14;

        Num& sharing = s.ClassCount[GrandmotherAggregate];
        s.SharingGrandmothers = 0;
        sharing = s.ClassCount[maternal];
        markSharing(s, maternal);
        // The father excludes every grandmother on his side.
        if (!father) {
            for (int p = firstPaternal; p <= lastPaternal; ++p) {
                sharing += s.ClassCount[p];
                markSharing(s, p);
            }
        }
        // School 1: a grandmother on the father's side does not exclude the mother's mother of the
        // next degree, who shares with her.
        if (s.Madhhab != 2 && s.ClassCount[maternal] == 0 && sharing > 0 && s.ClassCount[maternal + 1] > 0) {
            sharing += s.ClassCount[maternal + 1];
            markSharing(s, maternal + 1);
        }
        if (sharing > 0)
            return NextStep::Descendants;
    }
    s.SharingGrandmothers = 0;
    return NextStep::Descendants;
}

} // namespace engine
