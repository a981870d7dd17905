#include "training/AnswerGrading.h"

namespace training {

QString Verdict::text() const {
    switch (kind) {
    case Kind::Right:
        return QStringLiteral("صح... النتيجة 20 من 20");
    case Kind::Wrong:
        return QStringLiteral("خطأ... النتيجة 0 من 20");
    case Kind::NothingToCompare:
        break;
    }
    return {};
}

QString FinalScore::text() const {
    return unfinished ? QString()
                      : QStringLiteral(" النتيجة النهائية ") + QString::number(score) + QStringLiteral(" من مئة ");
}

namespace {

// A share as the report writes it, compared as a number with the entered one.
bool sameShare(qint64 entered, const QString& reported) {
    bool ok = false;
    const qint64 value = reported.trimmed().toLongLong(&ok);
    return ok && value == entered;
}

} // namespace

Verdict AnswerGrading::grade(const data::Database& db) {
    Verdict v;
    bool compared = false;
    db.transaction([&] {
        for (const QSqlRecord& w : db.select(QStringLiteral("select warith_relation, no_check, case_no from WARITH order by ar"))) {
            const QString relation = w.value(0).toString();
            const data::Rows reported = db.select(
                QStringLiteral("select share from PRINT_TEXT where trim(kinds) = ? order by rowid limit 1"),
                {relation.trimmed()});
            if (reported.isEmpty())
                continue;
            compared = true;
            const qint64 entered = w.value(1).isNull() ? 0 : w.value(1).toLongLong();
            if (!sameShare(entered, reported.first().value(0).toString())) {
                v.wrongRelations << relation;
                db.execute(QStringLiteral("delete from PRACTIC_SINGLE where case_no = ?"), {w.value(2).toLongLong()});
            }
        }
    });
    if (compared)
        v.kind = v.wrongRelations.isEmpty() ? Verdict::Kind::Right : Verdict::Kind::Wrong;
    return v;
}

FinalScore AnswerGrading::finalScore(const data::Database& db) {
    FinalScore f;
    db.execute(QStringLiteral("delete from PRACTIC_SINGLE_TEMP"));
    if (db.exists(QStringLiteral("select * from TEST_CASE_NO_WAJBA_MAIN"))) {
        f.unfinished = true;
        return f;
    }
    db.execute(QStringLiteral("insert into PRACTIC_SINGLE_TEMP (case_no) select case_no from PRACTIC_SINGLE "
                              "where case_no in (select case_no from TEST_CASE_NO_WAJBA) group by case_no"));
    f.score = static_cast<int>(20 * db.count(QStringLiteral("select count(case_no) from PRACTIC_SINGLE_TEMP")));
    return f;
}

bool AnswerGrading::anotherAttempt(const data::Database& db) {
    qint64 times = 0;
    db.transaction([&] {
        if (db.exists(QStringLiteral("select * from Q_TIMES")))
            db.execute(QStringLiteral("update Q_TIMES set Q_TIMES = Q_TIMES + 1"));
        else
            db.execute(QStringLiteral("insert into Q_TIMES (Q_TIMES) values (1)"));
        times = db.count(QStringLiteral("select Q_TIMES from Q_TIMES"));
    });
    return times <= 2;
}

void AnswerGrading::handOff(const data::Database& db, int questionNo, const QString& deceased) {
    db.transaction([&] {
        db.execute(QStringLiteral("delete from case_no"));
        db.execute(QStringLiteral("insert into case_no (case_no, \"case\") values (?, ?)"), {questionNo, deceased});
    });
}

} // namespace training
