#pragma once

#include <QEventLoop>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QTimer>

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
    // A change of the other program's own, kept when it lets go.
    void write(const QString& sql) {
        EXPECT_TRUE(QSqlQuery(QSqlDatabase::database(Name, false)).exec(sql)) << sql.toStdString();
        m_keep = true;
    }
    void release() {
        QSqlDatabase db = QSqlDatabase::database(Name, false);
        if (!db.isOpen())
            return;
        QSqlQuery(db).exec(m_keep ? QStringLiteral("commit") : QStringLiteral("rollback"));
        db.close();
    }

private:
    bool m_keep = false;
    static inline const QString Name = QStringLiteral("locking program");
};

// The program comes to wait for the user's next command, as its event loop does between commands:
// what the last command kept locked for its work is written and let go.
inline void programWaitsForUser() {
    QEventLoop waiting;
    QTimer::singleShot(1, &waiting, &QEventLoop::quit);
    waiting.exec();
}

// The action a refused command of the user's is named by: its button's caption, or the field or
// the grid's column it was given in.
inline QString buttonCommand(const QString& caption) {
    return QStringLiteral("تنفيذ «%1»").arg(caption);
}
inline QString commandIn(const QString& field) {
    return QStringLiteral("تنفيذ الأمر في «%1»").arg(field);
}

// The message of a command refused for the lock: Arabic, naming the action and the file.
inline void expectLockedMessage(const QString& said, const QString& action, const QString& path) {
    EXPECT_TRUE(said.startsWith(QStringLiteral("تعذر ") + action)) << said.toStdString();
    const QString file = platform::AppPaths::shown(path);
    EXPECT_TRUE(said.contains(file)) << said.toStdString();
    EXPECT_FALSE(QString(said).remove(file).contains(QRegularExpression(QStringLiteral("[A-Za-z]"))))
        << said.toStdString();
}

} // namespace testsupport
