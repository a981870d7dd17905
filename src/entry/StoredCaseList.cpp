#include "entry/StoredCaseList.h"

namespace entry {

namespace {

// Rows whose number is no whole number (a damaged or foreign file) are no case that could be
// loaded.
QString grouped(const QString& table, const QString& nameColumn) {
    return QStringLiteral(
               "select case_no, %2 from %1 where typeof(case_no) = 'integer' group by case_no, %2 ")
        .arg(table, nameColumn);
}

bool allDigits(const QString& text) {
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

} // namespace

StoredCaseList StoredCaseList::byNumberPrefix(const QString& table, const QString& nameColumn,
                                              const QString& typed, const QString& order) {
    const QString all = grouped(table, nameColumn) + QStringLiteral("order by ") + order;
    if (typed.isEmpty())
        return {all, {}};
    if (!allDigits(typed))
        return {grouped(table, nameColumn) + QStringLiteral("having 0 order by ") + order, {}};
    return {grouped(table, nameColumn) +
                QStringLiteral("having substr(cast(case_no as text), 1, ?) = ? order by ") + order,
            {typed.size(), typed}};
}

StoredCaseList StoredCaseList::byNamePrefix(const QString& table, const QString& nameColumn,
                                            const QString& typed, const QString& order) {
    if (typed.isEmpty())
        return {grouped(table, nameColumn) + QStringLiteral("order by ") + order, {}};
    // The database counts the typed text's characters as it counts the name's.
    return {grouped(table, nameColumn) +
                QStringLiteral("having substr(%1, 1, length(?)) = ? order by ").arg(nameColumn) + order,
            {typed, typed}};
}

StoredCaseList StoredCaseList::byNumber(const QString& table, const QString& nameColumn, qint64 number) {
    return {grouped(table, nameColumn) + QStringLiteral("having case_no = ?"), {number}};
}

} // namespace entry
