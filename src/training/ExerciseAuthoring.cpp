#include "training/ExerciseAuthoring.h"

#include "training/AnswerHandIn.h"
#include "training/ExerciseLevelMark.h"

namespace training {

namespace {

int wholeNumber(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? n : 0;
}

} // namespace

void ExerciseAuthoring::copyWarith(const data::Database& db, int number, const Fields& fields) {
    db.execute(QStringLiteral("insert into WARITH_GENERAL_TEST (deth_name, case_no, case_name, warith_relation, "
                              "warith_name, ar, ADRESS_ENTRY_NAME, DATA_ENTRY_NAME, case_level) "
                              "select ?, ?, ?, warith_relation, warith_name, ar, ?, ?, ? from WARITH order by ar"),
               {fields.deceased, number, fields.title, fields.issuingBody, fields.preparer, wholeNumber(fields.level)});
}

ExerciseAuthoring::Outcome ExerciseAuthoring::store(const data::Database& db, Fields& fields) {
    Outcome o;
    if (!db.exists(QStringLiteral("select * from WARITH")) || fields.deceased.isEmpty()) {
        o.message = AnswerHandIn::incomplete();
        o.critical = true;
        return o;
    }
    if (fields.title.isEmpty())
        fields.title = fields.deceased;
    if (!fields.questionNo.trimmed().isEmpty()) {
        o.message = QStringLiteral("مسالة مخزونة");
        o.critical = true;
        return o;
    }
    db.transaction([&] {
        const std::optional<qint64> next =
            db.nextNumber({QStringLiteral("WARITH_GENERAL_TEST")}, QStringLiteral("case_no"));
        if (!next)
            return;
        o.number = static_cast<int>(*next);
        copyWarith(db, o.number, fields);
        db.execute(QStringLiteral("update WARITH set case_no = ?, case_level = ?"),
                   {o.number, ExerciseLevelMark::stamp(wholeNumber(fields.level))});
    });
    if (o.number == 0) {
        o.message = data::NoNumberLeft;
        o.critical = true;
        return o;
    }
    o.done = true;
    o.message = QStringLiteral("  تم خزن المسالة تحت رقم التسلسل    ") + QString::number(o.number);
    return o;
}

ExerciseAuthoring::Outcome ExerciseAuthoring::edit(const data::Database& db, const Fields& fields) {
    Outcome o;
    if (!db.exists(QStringLiteral("select * from WARITH")) || fields.deceased.isEmpty()) {
        o.message = AnswerHandIn::incomplete();
        o.critical = true;
        return o;
    }
    if (fields.title.isEmpty() || fields.questionNo.trimmed().isEmpty())
        return o;
    o.number = wholeNumber(fields.questionNo);
    db.transaction([&] {
        db.execute(QStringLiteral("delete from WARITH_GENERAL_TEST where case_no = ?"), {o.number});
        copyWarith(db, o.number, fields);
        db.execute(QStringLiteral("update WARITH set case_no = ?, case_level = ?"),
                   {o.number, ExerciseLevelMark::stamp(wholeNumber(fields.level))});
    });
    o.done = true;
    o.message = QStringLiteral("  تم تعديل المسالة  رقم     ") + QString::number(o.number);
    return o;
}

ExerciseAuthoring::Outcome ExerciseAuthoring::remove(const data::Database& db, Fields& fields) {
    Outcome o;
    if (fields.questionNo.trimmed().isEmpty())
        return o;
    o.number = wholeNumber(fields.questionNo);
    db.transaction([&] {
        db.execute(QStringLiteral("delete from WARITH_GENERAL_TEST where case_no = ?"), {o.number});
        db.execute(QStringLiteral("delete from WARITH"));
    });
    fields.title.clear();
    o.done = true;
    o.message = QStringLiteral("  تم حذف المسالة  رقم     ") + QString::number(o.number);
    return o;
}

} // namespace training
