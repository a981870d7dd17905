#include "training/QuizSession.h"

#include "platform/MessageService.h"
#include "platform/RandomGenerator.h"

#include <QSqlRecord>

namespace training {

const QString QuizSession::NoAnswer = QStringLiteral("لا توجد اجابة");
const QString QuizSession::WrongText = QStringLiteral("اجابة خاطئة");
const QString QuizSession::RightText = QStringLiteral("اجابة صحيحة");
const QString QuizSession::RevealText = QStringLiteral(" الاجابة الصحيحة هي ");
const QStringList QuizSession::AnswerTexts = {
    QStringLiteral("الثمن"),         QStringLiteral("الربع"),       QStringLiteral("النصف"),
    QStringLiteral("السدس"),         QStringLiteral("الثلث"),       QStringLiteral("الثلثان"),
    QStringLiteral("ثلث الباقي"),    QStringLiteral("عصبة بالنفس"), QStringLiteral("عصبة بالغير"),
    QStringLiteral("عصبة مع الغير"), QStringLiteral("حجب")};

QString QuizSession::emptyAnswerText(const QString& heir) {
    return QStringLiteral("حصة الوارث ") + heir + QStringLiteral(" فارغة ");
}

QuizSession::QuizSession(data::Database db) : m_db(db), m_answers(db) {}

void QuizSession::Form_Load() {
    m_db.execute(QStringLiteral("delete from QUESTUNS_TEMP"));
    m_answers.reload();
    m_timerRunning = true;
}

void QuizSession::RESET() {
    m_fixedShown = false;
    m_residuaryShown = false;
}

void QuizSession::chooseKind(Kind kind) {
    m_fixedShown = kind == Kind::Fixed;
    m_residuaryShown = kind == Kind::Residuary;
}

void QuizSession::Command6_Click() {
    RESET();
    m_verdictShown = false;
    m_checkEnabled = true;
    m_kindsEnabled = true;
    m_wrongAttempts = 0;
    m_timerRunning = false;
    m_drawnQuizNo = platform::RandomGenerator::draw(QuestionRange);
    if (m_drawnQuizNo == 0)
        return;
    m_db.transaction([&] {
        m_db.execute(QStringLiteral("delete from QUESTUNS_TEMP"));
        m_db.execute(QStringLiteral("insert into QUESTUNS_TEMP(questun,unser,arr) "
                                    "select questun,unser,arr from QUESTUNS where q_no=? order by rowid"),
                     {m_drawnQuizNo});
    });
    m_answers.reload();
}

bool QuizSession::Command1_Click() {
    RESET();
    m_verdictShown = false;
    m_answers.reload();

    const data::Rows rows =
        m_db.select(QStringLiteral("select questun, unser, user_unser from QUESTUNS_TEMP order by rowid"));
    if (rows.isEmpty()) {
        platform::MessageService::show(NoAnswer, platform::MessageIcon::Critical);
        return false;
    }
    bool wrong = false;
    for (const QSqlRecord& row : rows) {
        const QString given = row.value(2).toString();
        if (given.isEmpty()) {
            platform::MessageService::show(emptyAnswerText(row.value(0).toString()),
                                           platform::MessageIcon::Critical);
            return false;
        }
        if (given != row.value(1).toString()) {
            wrong = true;
            break;
        }
    }
    if (wrong) {
        ++m_wrongAttempts;
        showVerdict(Verdict::Wrong);
    } else {
        showVerdict(Verdict::Right);
        m_wrongAttempts = 0;
        m_timerRunning = true;
    }
    m_fixedShown = false;
    m_residuaryShown = false;
    m_kindsEnabled = false;
    m_checkEnabled = false;
    return true;
}

void QuizSession::Command5_Click() {
    m_kindsEnabled = true;
    m_checkEnabled = true;
    if (m_verdictColour != Red) {
        m_verdictShown = false;
        return;
    }
    if (m_wrongAttempts < Attempts) {
        m_db.execute(QStringLiteral("update QUESTUNS_TEMP set user_unser=' '"));
        m_answers.reload();
        m_verdictShown = false;
        return;
    }
    showVerdict(Verdict::Revealed);
    m_db.execute(QStringLiteral("update QUESTUNS_TEMP set user_unser=unser"));
    m_answers.reload();
    m_wrongAttempts = 0;
    m_timerRunning = true;
    m_checkEnabled = false;
}

void QuizSession::showVerdict(Verdict verdict) {
    m_verdict = verdict;
    m_verdictShown = true;
    m_verdictColour = verdict == Verdict::Wrong ? Red : Green;
}

QString QuizSession::verdictText() const {
    switch (m_verdict) {
    case Verdict::Wrong:
        return WrongText;
    case Verdict::Right:
        return RightText;
    case Verdict::Revealed:
        return RevealText;
    case Verdict::None:
        break;
    }
    return {};
}

void QuizSession::Timer2_Timer() {
    if (m_timerRunning)
        m_drawnQuizNo = platform::RandomGenerator::draw(QuestionRange);
}

void QuizSession::stop() {
    m_timerRunning = false;
}

} // namespace training
