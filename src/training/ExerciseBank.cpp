#include "training/ExerciseBank.h"

#include "platform/MessageService.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

namespace training {

namespace {

const QString ShippedFile = QStringLiteral(":/training/exercise_bank_seed.sql");

bool inRange(const QString& digits, int low, int high, int& value) {
    bool ok = false;
    const qlonglong n = digits.toLongLong(&ok);
    if (!ok || n < low || n > high)
        return false;
    value = static_cast<int>(n);
    return true;
}

} // namespace

bool ExerciseBank::parse(const QString& text, const QString& fileName, std::vector<ExerciseBankRow>& rows,
                         QString& error) {
    static const QRegularExpression head(
        QStringLiteral(R"(^INSERT INTO WARITH_GENERAL_TEST \(case_no, deth_name, case_name, warith_relation, )"
                       R"(warith_name, ar, no_check, case_level\) VALUES$)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression rowPattern(
        QStringLiteral(R"(^\(\s*(\d{1,9})\s*,\s*'([^']*)'\s*,\s*'([^']*)'\s*,\s*'([^']*)'\s*,\s*'([^']*)'\s*,)"
                       R"(\s*(\d{1,9})\s*,\s*(\d{1,9})\s*,\s*(\d{1,9})\s*\)\s*([,;])$)"));

    rows.clear();
    bool inStatement = false;
    bool ended = false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        const QString where = fileName + QStringLiteral(": السطر ") + QString::number(i + 1);
        if (line.isEmpty() || line.startsWith(QLatin1String("--")))
            continue;
        if (!inStatement && !ended && head.match(line).hasMatch()) {
            inStatement = true;
            continue;
        }
        const QRegularExpressionMatch m = rowPattern.match(line);
        if (!inStatement || !m.hasMatch()) {
            error = where + QStringLiteral(": سطر غير مفهوم");
            return false;
        }
        ExerciseBankRow row;
        const QString key = QStringLiteral("السؤال ") + m.captured(1);
        if (!inRange(m.captured(1), 1, LastQuestion, row.case_no) || !inRange(m.captured(6), 1, 1000, row.ar) ||
            !inRange(m.captured(7), 0, 1000000, row.no_check) || !inRange(m.captured(8), 1, 3, row.case_level)) {
            error = where + QStringLiteral(": رقم خارج الحدود في ") + key;
            return false;
        }
        row.deth_name = m.captured(2);
        row.case_name = m.captured(3);
        row.warith_relation = m.captured(4);
        row.warith_name = m.captured(5);
        if (row.deth_name.trimmed().isEmpty() || row.warith_relation.trimmed().isEmpty() ||
            row.warith_name.trimmed().isEmpty()) {
            error = where + QStringLiteral(": نص فارغ في ") + key;
            return false;
        }
        rows.push_back(row);
        if (m.captured(9) == QLatin1String(";")) {
            inStatement = false;
            ended = true;
        }
    }
    if (inStatement || rows.empty()) {
        error = fileName + QStringLiteral(": الملف غير مكتمل");
        return false;
    }
    return true;
}

bool ExerciseBank::shipped(std::vector<ExerciseBankRow>& rows, QString& error) {
    QFile file(ShippedFile);
    if (!file.open(QIODevice::ReadOnly)) {
        error = ShippedFile + QStringLiteral(": الملف غير موجود");
        return false;
    }
    return parse(QString::fromUtf8(file.readAll()), QStringLiteral("exercise_bank_seed.sql"), rows, error);
}

int ExerciseBank::seedIfEmpty(const data::Database& db) {
    if (db.exists(QStringLiteral("select * from WARITH_GENERAL_TEST")))
        return 0;
    std::vector<ExerciseBankRow> rows;
    QString error;
    if (!shipped(rows, error)) {
        // The exercises then find no question; the rest of the program is not affected.
        platform::MessageService::show(error, platform::MessageIcon::Critical);
        return 0;
    }
    db.transaction([&] {
        for (const ExerciseBankRow& r : rows)
            db.execute(QStringLiteral("insert into WARITH_GENERAL_TEST (case_no, deth_name, case_name, "
                                      "warith_relation, warith_name, ar, no_check, case_level) "
                                      "values (?, ?, ?, ?, ?, ?, ?, ?)"),
                       {r.case_no, r.deth_name, r.case_name, r.warith_relation, r.warith_name, r.ar, r.no_check,
                        r.case_level});
    });
    return static_cast<int>(rows.size());
}

} // namespace training
