#include "training/ExerciseResume.h"

#include "training/QuestionStepper.h"

namespace training {

QString ExerciseResume::stepperCaption(int waiting, bool retryPending) {
    // A first attempt has left the batch table, a retried question has not.
    if (waiting >= 5 || (!retryPending && waiting <= 0))
        return {};
    return QuestionStepper::captionFor(retryPending ? waiting + 1 : waiting);
}

ExerciseResume::InHand ExerciseResume::check(const data::Database& db,
                                             const std::function<bool(const QString&)>& askYesNo) {
    InHand h;
    const data::Rows rows = db.select(QStringLiteral("select case_no, deth_name, case_name from WARITH order by ar"));
    if (rows.isEmpty())
        return h;
    const QSqlRecord& first = rows.first();
    if (first.value(0).toLongLong() == 0) {
        if (askYesNo(unsavedQuestion()) && !first.value(1).isNull()) {
            h.kept = true;
            h.deceased = first.value(1).toString();
            h.title = first.value(2).toString();
        } else {
            db.execute(QStringLiteral("delete from WARITH"));
        }
        return h;
    }
    db.transaction([&] {
        if (!db.exists(QStringLiteral("select * from case_no"))) {
            db.execute(QStringLiteral("delete from WARITH"));
            return;
        }
        db.execute(QStringLiteral("delete from case_no"));
        h.kept = true;
        h.fromBank = true;
        h.questionNo = static_cast<int>(first.value(0).toLongLong());
        h.deceased = first.value(1).toString();
        h.title = first.value(2).toString();
    });
    return h;
}

} // namespace training
