#pragma once

#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"

#include <QSqlRecord>
#include <QStringList>

#include <gtest/gtest.h>

namespace successiontest {

// A fresh case database and helpers that write a chain into MUNASKA_TEMP as the dialogue saves it.
class ChainFixture : public ::testing::Test {
public:
    qint64 deceased(const QString& name, int arrange) const {
        db.execute("insert into MUNASKA_TEMP (deth_name, deth_status, arrange) values (?, ?, ?)",
                   {name, arrange == 1 ? QStringLiteral("") : QStringLiteral("ثم توفي"), arrange});
        return lastAr();
    }
    qint64 heir(const QString& relation, const QString& name, int arrange) const {
        db.execute("insert into MUNASKA_TEMP (warith_relation, warith_name, arrange) values (?, ?, ?)",
                   {relation, name, arrange});
        return lastAr();
    }
    qint64 lastAr() const { return db.scalar("select last_insert_rowid()").toLongLong(); }

    // احمد leaves a wife and two sons; علي, one of the sons, then dies.
    void twoDeceased() const {
        deceased("احمد", 1);
        heir("زوجة", "فاطمة", 1);
        heir("ابن", "علي", 1);
        heir("ابن", "حسن", 1);
        deceased("علي", 2);
        heir("ام", "فاطمة", 2);
        heir("اخ", "حسن", 2);
    }

    QStringList column(const QString& sql, const QVariantList& params = {}) const {
        QStringList values;
        for (const QSqlRecord& r : db.select(sql, params))
            values << r.value(0).toString();
        return values;
    }
    qint64 rows(const char* table) const { return db.count(QString("select count(*) from %1").arg(table)); }

    testsupport::TempAppFolder folder;
    data::Database db = folder.caseDatabase();
    testsupport::CapturedMessages messages;
};

} // namespace successiontest
