#pragma once

#include <functional>

namespace platform {

// The program's one source of random numbers: the exercise draw, the quiz draw, their idle
// timers and the main window's flashing button all take the next value of the same sequence, so
// which question comes up depends on how many values were taken before it.
//
// The real sequence is seeded once from the system's entropy, never from a fixed value, so two
// runs of the program do not draw the same questions. Tests replace it with a scripted source.
class RandomGenerator {
public:
    // The next value r, 0 <= r < 1.
    static double next();
    // The whole part of n × r for the next value r: a whole number from 0 to n - 1 (0 when n is
    // not positive).
    static int draw(int n);

    // Replaces the source of values; an empty function brings back the real sequence. A value
    // outside [0, 1) from a replaced source is brought inside it.
    using Source = std::function<double()>;
    static void setSource(Source source);
};

} // namespace platform
