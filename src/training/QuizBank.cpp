#include "training/QuizBank.h"

#include "platform/MessageService.h"

#include <QFile>
#include <QRegularExpression>

namespace training {

namespace {

const QString ShippedFile = QStringLiteral(":/training/quiz_bank_seed.sql");

bool inRange(const QString& digits, int low, int high, int& value) {
    bool ok = false;
    const qlonglong n = digits.toLongLong(&ok);
    if (!ok || n < low || n > high)
        return false;
    value = static_cast<int>(n);
    return true;
}

} // namespace

bool QuizBank::parse(const QString& text, const QString& fileName, std::vector<QuizBankRow>& rows,
                     QString& error) {
    static const QRegularExpression rowPattern(QStringLiteral(
        R"(^\s*\(\s*(\d{1,9})\s*,\s*(\d{1,9})\s*,\s*'([^']*)'\s*,\s*'([^']*)'\s*\)\s*([,;])\s*$)"));
    static const QRegularExpression head(
        QStringLiteral(R"(^\s*INSERT INTO QUESTUNS \(q_no, arr, questun, unser\) VALUES\s*$)"),
        QRegularExpression::CaseInsensitiveOption);

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
        QuizBankRow row;
        const QString key =
            QStringLiteral("(") + m.captured(1) + QStringLiteral(", ") + m.captured(2) + QStringLiteral(")");
        if (!inRange(m.captured(1), 1, 1000000, row.q_no) || !inRange(m.captured(2), 1, 1000000, row.arr)) {
            error = where + QStringLiteral(": رقم خارج الحدود في السؤال ") + key;
            return false;
        }
        row.questun = m.captured(3);
        row.unser = m.captured(4);
        if (row.questun.trimmed().isEmpty() || row.unser.trimmed().isEmpty()) {
            error = where + QStringLiteral(": نص فارغ في السؤال ") + key;
            return false;
        }
        rows.push_back(row);
        if (m.captured(5) == QLatin1String(";")) {
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

bool QuizBank::shipped(std::vector<QuizBankRow>& rows, QString& error) {
    QFile file(ShippedFile);
    if (!file.open(QIODevice::ReadOnly)) {
        error = ShippedFile + QStringLiteral(": الملف غير موجود");
        return false;
    }
    return parse(QString::fromUtf8(file.readAll()), QStringLiteral("quiz_bank_seed.sql"), rows, error);
}

int QuizBank::seedIfEmpty(const data::Database& db) {
    if (db.exists(QStringLiteral("select * from QUESTUNS")))
        return 0;
    std::vector<QuizBankRow> rows;
    QString error;
    if (!shipped(rows, error)) {
        // The quiz then says there is no answer; the rest of the program is not affected.
        platform::MessageService::show(error, platform::MessageIcon::Critical);
        return 0;
    }
    db.transaction([&] {
        for (const QuizBankRow& row : rows)
            db.execute(QStringLiteral("insert into QUESTUNS (q_no, arr, questun, unser) values (?, ?, ?, ?)"),
                       {row.q_no, row.arr, row.questun, row.unser});
    });
    return static_cast<int>(rows.size());
}

} // namespace training
