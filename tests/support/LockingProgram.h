#pragma once

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include "platform/AppPaths.h"

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

// The message of a command refused for the lock: Arabic, naming the action and the file.
inline void expectLockedMessage(const QString& said, const QString& action, const QString& path) {
    EXPECT_TRUE(said.startsWith(QStringLiteral("تعذر ") + action)) << said.toStdString();
    const QString file = platform::AppPaths::shown(path);
    EXPECT_TRUE(said.contains(file)) << said.toStdString();
    EXPECT_FALSE(QString(said).remove(file).contains(QRegularExpression(QStringLiteral("[A-Za-z]"))))
        << said.toStdString();
}

} // namespace testsupport
