#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <gtest/gtest.h>

namespace testsupport {

// Another program that holds the database's write lock (a write transaction) until release().
class LockingProgram {
public:
    explicit LockingProgram(const QString& path) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Name);
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        EXPECT_TRUE(QSqlQuery(db).exec(QStringLiteral("begin immediate")));
    }
    ~LockingProgram() {
        release();
        QSqlDatabase::removeDatabase(Name);
    }
    void release() {
        QSqlDatabase db = QSqlDatabase::database(Name, false);
        if (!db.isOpen())
            return;
        QSqlQuery(db).exec(QStringLiteral("rollback"));
        db.close();
    }

private:
    static inline const QString Name = QStringLiteral("locking program");
};

} // namespace testsupport
