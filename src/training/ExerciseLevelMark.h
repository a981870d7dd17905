#pragma once

namespace training {

// Every row the exercise path leaves in WARITH carries a nonzero case_level, so a new real case
// can tell a question from a real unfinished case (which keeps the default 0). A bank question
// without a level is stamped with a value the real path never writes.
class ExerciseLevelMark {
public:
    static constexpr int NoLevel = -1;

    static int stamp(int level) { return level == 0 ? NoLevel : level; }
    static int levelOf(int stamped) { return stamped == NoLevel ? 0 : stamped; }
};

} // namespace training
