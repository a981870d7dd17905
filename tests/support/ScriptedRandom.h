#pragma once

#include "platform/RandomGenerator.h"

#include <deque>

namespace testsupport {

// Replaces the program's random generator while the object lives: the values given in advance
// come out in order, then the standing value (0 unless set). Counts every value taken, the idle
// draws' included.
class ScriptedRandom {
public:
    ScriptedRandom() {
        platform::RandomGenerator::setSource([this] {
            ++m_taken;
            if (m_values.empty())
                return m_standing;
            const double r = m_values.front();
            m_values.pop_front();
            return r;
        });
    }
    ~ScriptedRandom() { platform::RandomGenerator::setSource({}); }
    ScriptedRandom(const ScriptedRandom&) = delete;
    ScriptedRandom& operator=(const ScriptedRandom&) = delete;

    void push(double r) { m_values.push_back(r); }
    // The next draw of Int(n × r) gives `number`.
    void nextDraw(int number, int n = 40) { push((number + 0.5) / n); }
    // Every draw of Int(n × r) gives `number` until something else is given: for runs in which
    // the idle draws may take any number of values before the one that counts.
    void standing(int number, int n = 40) { m_standing = (number + 0.5) / n; }
    int taken() const { return m_taken; }

private:
    std::deque<double> m_values;
    double m_standing = 0.0;
    int m_taken = 0;
};

} // namespace testsupport
