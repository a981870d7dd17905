#pragma once

#include "data/Database.h"
#include "training/QuizAnswerModel.h"

#include <QString>
#include <QStringList>

namespace training {

// The share-type quiz without its window: the question in hand in QUESTUNS_TEMP, the learner's
// checks and the state of every control they enable, show or colour. The window only draws this
// state and forwards its controls' events.
class QuizSession {
public:
    enum class Verdict { None, Wrong, Right, Revealed };
    // The kind options of "خيارات كل وارث".
    enum class Kind { Fixed, Residuary, Blocked };

    // Back colours of the verdict panel, as the program's colour values.
    static constexpr int Red = 255;
    static constexpr int Green = 0xC000;
    static constexpr int Attempts = 3;
    static constexpr int QuestionRange = 40; // the draw gives 0 to 39

    static const QString NoAnswer;
    static const QString WrongText;
    static const QString RightText;
    static const QString RevealText;
    // "حصة الوارث " + heir + " فارغة "
    static QString emptyAnswerText(const QString& heir);
    // The eleven texts an answer option writes.
    static const QStringList AnswerTexts;

    explicit QuizSession(data::Database db);

    QuizAnswerModel& answers() { return m_answers; }

    // Set-up: an empty question and the idle draw running.
    void Form_Load();
    // New question: a draw of 0 changes nothing in the grid.
    void Command6_Click();
    // Check. Returns false when it only showed a message (no question, or an unanswered heir).
    bool Command1_Click();
    // OK after a verdict.
    void Command5_Click();
    // Closes both share panels (the window also clears the options).
    void RESET();
    // A kind option chosen: opens its share panel, or closes both for "حجب".
    void chooseKind(Kind kind);
    // The idle draw: takes one value of the generator.
    void Timer2_Timer();
    // The window closes: the idle draw stops.
    void stop();

    int WrongAttempts() const { return m_wrongAttempts; }
    int DrawnQuizNo() const { return m_drawnQuizNo; }
    bool verdictShown() const { return m_verdictShown; }
    Verdict verdict() const { return m_verdict; }
    QString verdictText() const;
    int verdictColour() const { return m_verdictColour; }
    bool checkEnabled() const { return m_checkEnabled; }
    bool kindsEnabled() const { return m_kindsEnabled; }
    bool fixedPanelShown() const { return m_fixedShown; }
    bool residuaryPanelShown() const { return m_residuaryShown; }
    bool timerRunning() const { return m_timerRunning; }

private:
    void showVerdict(Verdict verdict);

    data::Database m_db;
    QuizAnswerModel m_answers;
    int m_wrongAttempts = 0;
    int m_drawnQuizNo = 0;
    bool m_verdictShown = false;
    Verdict m_verdict = Verdict::None;
    int m_verdictColour = 0;
    bool m_checkEnabled = true;
    bool m_kindsEnabled = true;
    bool m_fixedShown = false;
    bool m_residuaryShown = false;
    bool m_timerRunning = false;
};

} // namespace training
