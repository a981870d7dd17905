#pragma once

#include "training/AnswerGrading.h"

namespace training {

// A verdict belongs to its hand-in: the results screen grades when it first shows after the
// calculation of a handed-in answer; its later showings for the same hand-in (after commands that
// come back to the screen, a recalculation in the other school among them) repeat that verdict
// and delete nothing. The exercise host tells it of every hand-in.
class VerdictKeeper {
public:
    void handedIn() { m_graded = false; }

    // A calculation with no answer behind it (a model case chosen by hand): nothing to compare.
    void nothingHandedIn() {
        m_verdict = Verdict{};
        m_graded = true;
    }

    // The verdict to show now.
    const Verdict& onShow(const data::Database& db) {
        if (!m_graded) {
            m_verdict = AnswerGrading::grade(db);
            m_graded = true;
        }
        return m_verdict;
    }

    bool graded() const { return m_graded; }

private:
    Verdict m_verdict;
    bool m_graded = false;
};

} // namespace training
