#include "results/TouchedReport.h"

#include <QCryptographicHash>
#include <QSqlRecord>

namespace results {

QByteArray TouchedReport::fingerprint(const data::Database& db) {
    // The row ids belong in it: a rewritten table numbers its rows from 1 without gaps, while
    // a set-up leaves the gap of the row it deleted.
    const data::Rows rows = db.select(QStringLiteral("select rowid, ser, deth_name, unit, kinds, share, "
                                                     "print_text, case_ser from PRINT_TEXT order by rowid"));
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QSqlRecord& row : rows) {
        for (int i = 0; i < row.count(); ++i) {
            const QVariant value = row.value(i);
            // A Null and an empty text are different rows.
            hash.addData(value.isNull() ? QByteArrayView("\x01N") : QByteArrayView("\x01V"));
            hash.addData(value.toString().toUtf8());
        }
        hash.addData(QByteArrayView("\x02"));
    }
    return hash.result();
}

TouchedReport& TouchedReport::ofProgram() {
    static TouchedReport record;
    return record;
}

bool TouchedReport::isCurrent(const data::Database& db) const {
    return !m_left.isEmpty() && fingerprint(db) == m_left;
}

void TouchedReport::remember(const data::Database& db) {
    m_left = fingerprint(db);
}

} // namespace results
