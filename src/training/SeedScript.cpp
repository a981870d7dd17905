#include "training/SeedScript.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

namespace training {

bool SeedScript::read(const QString& text, const QString& fileName, const QRegularExpression& head,
                      const QRegularExpression& rowPattern, const RowReader& readRow, QString& error) {
    bool inStatement = false;
    bool ended = false;
    bool anyRow = false;
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
        if (const QString refusal = readRow(m); !refusal.isEmpty()) {
            error = where + QStringLiteral(": ") + refusal;
            return false;
        }
        anyRow = true;
        if (m.captured(m.lastCapturedIndex()) == QLatin1String(";")) {
            inStatement = false;
            ended = true;
        }
    }
    if (inStatement || !anyRow) {
        error = fileName + QStringLiteral(": الملف غير مكتمل");
        return false;
    }
    return true;
}

bool SeedScript::shipped(const QString& resource, QString& text, QString& error) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) {
        error = resource + QStringLiteral(": الملف غير موجود");
        return false;
    }
    text = QString::fromUtf8(file.readAll());
    return true;
}

bool SeedScript::inRange(const QString& digits, int low, int high, int& value) {
    bool ok = false;
    const qlonglong n = digits.toLongLong(&ok);
    if (!ok || n < low || n > high)
        return false;
    value = static_cast<int>(n);
    return true;
}

} // namespace training
