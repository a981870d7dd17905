#include "training/AnswerSums.h"

#include <limits>

namespace training {

QString AnswerSums::total(const data::Database& db) {
    const QVariant s = db.scalar(QStringLiteral("select sum(no_check) from WARITH"));
    return s.isNull() ? QString() : QString::number(s.toLongLong());
}

QStringList AnswerSums::relationSummary(const data::Database& db) {
    QStringList out;
    db.transaction([&] {
        db.execute(QStringLiteral("delete from WAREETH_TYPES_IN_CASE"));
        db.execute(QStringLiteral("insert into WAREETH_TYPES_IN_CASE (warith_relation, case_no) "
                                  "select warith_relation, count(warith_relation) from WARITH group by warith_relation"));
    });
    for (const QSqlRecord& r : db.select(QStringLiteral("select warith_relation, case_no from WAREETH_TYPES_IN_CASE "
                                                        "order by case_no, warith_relation"))) {
        const qint64 count = r.value(1).toLongLong();
        out << (count == 1 ? r.value(0).toString()
                           : r.value(0).toString() + QStringLiteral(" -التكرار: ") + QString::number(count));
    }
    return out;
}

bool AnswerSums::parseShare(const QString& text, qint64& value) {
    const QString t = text.trimmed();
    value = 0;
    if (t.isEmpty())
        return true;
    if (t.size() > 18)
        return false;
    for (const QChar c : t) {
        int digit = -1;
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digit = c.unicode() - '0';
        else if (c.unicode() >= 0x0660 && c.unicode() <= 0x0669) // Arabic-Indic
            digit = c.unicode() - 0x0660;
        else if (c.unicode() >= 0x06F0 && c.unicode() <= 0x06F9) // Eastern Arabic-Indic
            digit = c.unicode() - 0x06F0;
        if (digit < 0)
            return false;
        value = value * 10 + digit;
    }
    return true;
}

} // namespace training
