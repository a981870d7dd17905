#include "training/QuizBank.h"

#include "platform/MessageService.h"
#include "training/SeedScript.h"

#include <QRegularExpression>

namespace training {

namespace {
const QString ShippedFile = QStringLiteral(":/training/quiz_bank_seed.sql");
} // namespace

bool QuizBank::parse(const QString& text, const QString& fileName, std::vector<QuizBankRow>& rows,
                     QString& error) {
    static const QRegularExpression rowPattern(QStringLiteral(
        R"(^\s*\(\s*(\d{1,9})\s*,\s*(\d{1,9})\s*,\s*'([^']*)'\s*,\s*'([^']*)'\s*\)\s*([,;])\s*$)"));
    static const QRegularExpression head(
        QStringLiteral(R"(^\s*INSERT INTO QUESTUNS \(q_no, arr, questun, unser\) VALUES\s*$)"),
        QRegularExpression::CaseInsensitiveOption);

    rows.clear();
    return SeedScript::read(
        text, fileName, head, rowPattern,
        [&](const QRegularExpressionMatch& m) {
            QuizBankRow row;
            const QString key = QStringLiteral("(") + m.captured(1) + QStringLiteral(", ") + m.captured(2) +
                                QStringLiteral(")");
            if (!SeedScript::inRange(m.captured(1), 1, 1000000, row.q_no) ||
                !SeedScript::inRange(m.captured(2), 1, 1000000, row.arr))
                return QStringLiteral("رقم خارج الحدود في السؤال ") + key;
            row.questun = m.captured(3);
            row.unser = m.captured(4);
            if (row.questun.trimmed().isEmpty() || row.unser.trimmed().isEmpty())
                return QStringLiteral("نص فارغ في السؤال ") + key;
            rows.push_back(row);
            return QString();
        },
        error);
}

bool QuizBank::shipped(std::vector<QuizBankRow>& rows, QString& error) {
    QString text;
    return SeedScript::shipped(ShippedFile, text, error) &&
           parse(text, QStringLiteral("quiz_bank_seed.sql"), rows, error);
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
