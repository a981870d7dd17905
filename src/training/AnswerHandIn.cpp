#include "training/AnswerHandIn.h"

#include "training/ExerciseLevelMark.h"

namespace training {

int AnswerHandIn::questionNumber(const data::Database& db, int loadedNo) {
    const QVariant own =
        db.scalar(QStringLiteral("select case_no from WARITH where case_no <> 0 order by ar limit 1"));
    return own.isNull() ? loadedNo : own.toInt();
}

bool AnswerHandIn::handIn(const data::Database& db, int questionNo, const QString& deceased,
                          const QString& title, QString& message) {
    message.clear();
    if (!db.exists(QStringLiteral("select * from WARITH")) || deceased.isEmpty()) {
        message = incomplete();
        return false;
    }
    db.transaction([&] {
        // Rows the learner added carry no level yet; they take the question's.
        db.execute(
            QStringLiteral("update WARITH set deth_name = ?, case_name = ?, case_no = ?, case_level = "
                           "coalesce((select case_level from WARITH where case_level <> 0 limit 1), ?)"),
            {deceased, title, questionNo, ExerciseLevelMark::NoLevel});
        db.execute(QStringLiteral("delete from PRACTIC_SINGLE where case_no = ?"), {questionNo});
        db.execute(QStringLiteral(
            "insert into PRACTIC_SINGLE (warith_relation, warith_name, ar, case_no, deth_name, "
            "case_name, DATA_ENTRY_NAME, ADRESS_ENTRY_NAME, case_level, no_check) "
            "select warith_relation, warith_name, ar, case_no, deth_name, case_name, "
            "DATA_ENTRY_NAME, ADRESS_ENTRY_NAME, case_level, no_check from WARITH"));
    });
    return true;
}

} // namespace training
