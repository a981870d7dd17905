#include "entry/RelationSpelling.h"

#include <QSqlRecord>

namespace entry::RelationSpelling {

QString bareAlef(const QString& text) {
    QString bare = text;
    for (QChar& c : bare) {
        switch (c.unicode()) {
        case 0x0622: // alef with madda above
        case 0x0623: // alef with hamza above
        case 0x0625: // alef with hamza below
        case 0x0671: // alef wasla
            c = QChar(0x0627);
            break;
        default:
            break;
        }
    }
    return bare;
}

QString listSpelling(const data::Database& db, const QString& typed) {
    if (db.exists(QStringLiteral("select 1 from relations where relations = ?"), {typed}))
        return typed;
    const QString bare = bareAlef(typed);
    if (bare == typed)
        return typed;
    if (db.exists(QStringLiteral("select 1 from relations where relations = ?"), {bare}))
        return bare;
    // A table that itself wrote a hamza somewhere still matches on the bare forms of both.
    for (const QSqlRecord& r : db.select(QStringLiteral("select relations from relations order by au"))) {
        const QString listed = r.value(0).toString();
        if (bareAlef(listed) == bare)
            return listed;
    }
    return typed;
}

} // namespace entry::RelationSpelling
