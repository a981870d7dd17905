#include "training/ExerciseBatch.h"

#include "platform/RandomGenerator.h"

namespace training {

ExerciseBatch::Range ExerciseBatch::range(int level) {
    switch (level) {
    case 2:
        return {51, 85};
    case 3:
        return {86, 115};
    default:
        return {1, 50};
    }
}

int ExerciseBatch::drawOne(int level) {
    if (level != 2 && level != 3)
        return platform::RandomGenerator::draw(51);
    const Range r = range(level);
    return r.low + platform::RandomGenerator::draw(r.high - r.low + 1);
}

int ExerciseBatch::storedLevel(const data::Database& db) {
    const QString value = db.scalar(QStringLiteral("select OPTION_LEVEL_NO from OPTION_LEVEL_NO")).toString();
    if (value == QLatin1String("2"))
        return 2;
    if (value == QLatin1String("3"))
        return 3;
    return 1;
}

void ExerciseBatch::chooseLevel(const data::Database& db, int level) {
    db.transaction([&] {
        db.execute(QStringLiteral("delete from OPTION_LEVEL_NO"));
        if (level == 2 || level == 3)
            db.execute(QStringLiteral("insert into OPTION_LEVEL_NO (OPTION_LEVEL_NO) values (?)"),
                       {QString::number(level)});
        db.execute(QStringLiteral("delete from PRACTIC_SINGLE"));
    });
}

QList<int> ExerciseBatch::drawBatch(const data::Database& db, int level) {
    db.transaction([&] {
        db.execute(QStringLiteral("delete from Q_TIMES"));
        db.execute(QStringLiteral("delete from PRACTIC_SINGLE"));
        db.execute(QStringLiteral("delete from TEST_CASE_NO_WAJBA"));
        db.execute(QStringLiteral("delete from TEST_CASE_NO_WAJBA_MAIN"));
        qint64 found = 0;
        while (found < BatchSize) {
            // A whole pass of five draws, even when five numbers are reached inside it.
            for (int k = 0; k < BatchSize; ++k) {
                const int n = drawOne(level);
                if (n != 0)
                    db.execute(QStringLiteral("insert or ignore into TEST_CASE_NO_WAJBA (case_no) values (?)"), {n});
            }
            found = db.count(QStringLiteral("select count(case_no) from TEST_CASE_NO_WAJBA"));
        }
        // More than five: the first five drawn make the batch; the record keeps only those, so the
        // final score counts nothing else.
        db.execute(QStringLiteral("delete from TEST_CASE_NO_WAJBA where rowid not in "
                                  "(select rowid from TEST_CASE_NO_WAJBA order by rowid limit ?)"),
                   {BatchSize});
        db.execute(QStringLiteral("insert into TEST_CASE_NO_WAJBA_MAIN (case_no) select case_no from TEST_CASE_NO_WAJBA"));
    });
    return waiting(db);
}

QList<int> ExerciseBatch::waiting(const data::Database& db) {
    QList<int> out;
    for (const QSqlRecord& r : db.select(QStringLiteral("select case_no from TEST_CASE_NO_WAJBA_MAIN order by case_no")))
        out << r.value(0).toInt();
    return out;
}

} // namespace training
