#include "training/AnswerHandIn.h"

namespace training {

bool AnswerHandIn::handIn(const data::Database& db, int questionNo, const QString& deceased, const QString& title,
                          QString& message) {
    message.clear();
    if (!db.exists(QStringLiteral("select * from WARITH")) || deceased.isEmpty()) {
        message = incomplete();
        return false;
    }
    db.transaction([&] {
        db.execute(QStringLiteral("update WARITH set deth_name = ?, case_name = ?, case_no = ?"),
                   {deceased, title, questionNo});
        db.execute(QStringLiteral("delete from PRACTIC_SINGLE where case_no = ?"), {questionNo});
        db.execute(QStringLiteral("insert into PRACTIC_SINGLE (warith_relation, warith_name, ar, case_no, deth_name, "
                                  "case_name, DATA_ENTRY_NAME, ADRESS_ENTRY_NAME, case_level, no_check) "
                                  "select warith_relation, warith_name, ar, case_no, deth_name, case_name, "
                                  "DATA_ENTRY_NAME, ADRESS_ENTRY_NAME, case_level, no_check from WARITH"));
    });
    return true;
}

} // namespace training
