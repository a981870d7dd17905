#pragma once

#include <QString>
#include <QVariantList>

namespace entry {

// A query of a stored-case list with its bound values, for a list model or a reader.
struct StoredCaseList {
    QString sql;
    QVariantList params;

    // The numbers whose decimal text begins with the typed text. A text that is not all digits
    // (a letter, a blank) is no number the box could show and matches none; an empty text, all.
    // `table` and the columns come from the program, never from the user.
    static StoredCaseList byNumberPrefix(const QString& table, const QString& nameColumn,
                                         const QString& typed, const QString& order);
    static StoredCaseList byNamePrefix(const QString& table, const QString& nameColumn, const QString& typed,
                                       const QString& order);
    static StoredCaseList byNumber(const QString& table, const QString& nameColumn, qint64 number);
};

} // namespace entry
