#include "training/ExerciseBank.h"

#include "platform/MessageService.h"
#include "training/SeedScript.h"

#include <QRegularExpression>
#include <QStringList>

namespace training {

namespace {
const QString ShippedFile = QStringLiteral(":/training/exercise_bank_seed.sql");
} // namespace

bool ExerciseBank::parse(const QString& text, const QString& fileName, std::vector<ExerciseBankRow>& rows,
                         QString& error) {
    static const QRegularExpression head(
        QStringLiteral(
            R"(^INSERT INTO WARITH_GENERAL_TEST \(case_no, deth_name, case_name, warith_relation, )"
            R"(warith_name, ar, no_check, case_level\) VALUES$)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression rowPattern(QStringLiteral(
        R"(^\(\s*(\d{1,9})\s*,\s*'([^']*)'\s*,\s*'([^']*)'\s*,\s*'([^']*)'\s*,\s*'([^']*)'\s*,)"
        R"(\s*(\d{1,9})\s*,\s*(\d{1,9})\s*,\s*(\d{1,9})\s*\)\s*([,;])$)"));

    rows.clear();
    return SeedScript::read(
        text, fileName, head, rowPattern,
        [&](const QRegularExpressionMatch& m) {
            ExerciseBankRow row;
            const QString key = QStringLiteral("السؤال ") + m.captured(1);
            if (!SeedScript::inRange(m.captured(1), 1, LastQuestion, row.case_no) ||
                !SeedScript::inRange(m.captured(6), 1, 1000, row.ar) ||
                !SeedScript::inRange(m.captured(7), 0, 1000000, row.no_check) ||
                !SeedScript::inRange(m.captured(8), 1, 3, row.case_level))
                return QStringLiteral("رقم خارج الحدود في ") + key;
            row.deth_name = m.captured(2);
            row.case_name = m.captured(3);
            row.warith_relation = m.captured(4);
            row.warith_name = m.captured(5);
            if (row.deth_name.trimmed().isEmpty() || row.warith_relation.trimmed().isEmpty() ||
                row.warith_name.trimmed().isEmpty())
                return QStringLiteral("نص فارغ في ") + key;
            rows.push_back(row);
            return QString();
        },
        error);
}

bool ExerciseBank::shipped(std::vector<ExerciseBankRow>& rows, QString& error) {
    QString text;
    return SeedScript::shipped(ShippedFile, text, error) &&
           parse(text, QStringLiteral("exercise_bank_seed.sql"), rows, error);
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
                       {r.case_no, r.deth_name, r.case_name, r.warith_relation, r.warith_name, r.ar,
                        r.no_check, r.case_level});
    });
    return static_cast<int>(rows.size());
}

} // namespace training
