#include "training/ExerciseQuestion.h"

#include "training/ExerciseLevelMark.h"

namespace training {

LoadedQuestion ExerciseQuestion::load(const data::Database& db, int n) {
    LoadedQuestion q;
    db.transaction([&] {
        db.execute(QStringLiteral("delete from WARITH"));
        const data::Rows rows = db.select(QStringLiteral("select * from WARITH_GENERAL_TEST where case_no = ? order by ar"), {n});
        for (const QSqlRecord& r : rows) {
            q.found = true;
            q.case_no = r.value(QStringLiteral("case_no")).toInt();
            q.case_name = r.value(QStringLiteral("case_name")).toString();
            q.deth_name = r.value(QStringLiteral("deth_name")).toString();
            q.case_level = r.value(QStringLiteral("case_level")).toInt();
            db.execute(QStringLiteral("insert into WARITH (warith_relation, warith_name, case_no, case_level, no_check) "
                                      "values (?, ?, ?, ?, ?)"),
                       {r.value(QStringLiteral("warith_relation")).toString(),
                        r.value(QStringLiteral("warith_name")).toString(), q.case_no,
                        ExerciseLevelMark::stamp(q.case_level),
                        r.value(QStringLiteral("no_check")).isNull() ? 0 : r.value(QStringLiteral("no_check")).toInt()});
        }
        if (!rows.isEmpty()) {
            q.issuingBody = rows.first().value(QStringLiteral("ADRESS_ENTRY_NAME")).toString();
            q.preparer = rows.first().value(QStringLiteral("DATA_ENTRY_NAME")).toString();
            if (!q.issuingBody.isEmpty())
                db.execute(QStringLiteral("insert or ignore into ADRESS_ENTRY_NAME (ADRESS_ENTRY_NAME) values (?)"),
                           {q.issuingBody});
            if (!q.preparer.isEmpty())
                db.execute(QStringLiteral("insert or ignore into DATA_ENTRY_NAME (DATA_ENTRY_NAME) values (?)"),
                           {q.preparer});
        }
        if (!retryPending(db))
            db.execute(QStringLiteral("delete from TEST_CASE_NO_WAJBA_MAIN where case_no = ?"), {n});
    });
    return q;
}

bool ExerciseQuestion::retryPending(const data::Database& db) {
    return db.exists(QStringLiteral("select * from Q_TIMES"));
}

} // namespace training
