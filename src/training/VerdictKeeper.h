#pragma once

#include "training/AnswerGrading.h"

namespace training {

// A verdict belongs to its hand-in: the results screen grades when it first shows after the
// calculation of a handed-in answer; its later showings (after commands that stay on the screen)
// repeat that verdict and delete nothing.
class VerdictKeeper {
public:
    // The engine has calculated a handed-in answer.
    void calculated() { m_graded = false; }

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
