#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

namespace data {

using Rows = QList<QSqlRecord>;

// A handle to the one connection that the whole process keeps to a database file. Every screen
// "opens" the database in its load step; all of them get the same connection, so a change made
// through one is seen through every other at once.
//
// Values always travel as bound parameters ("?" in the statement), never joined into SQL text.
// A failing statement is no error that a screen can handle: the program shows one Arabic message
// naming what failed and ends.
class Database {
public:
    Database() = default;

    // The optional arguments come together or not at all; the connect string (";pwd=...") carries
    // no meaning and both ways open the same database. A missing file or one that is not a database
    // ends the program with a message.
    static Database OpenDatabase(const QString& path);
    static Database OpenDatabase(const QString& path, bool exclusive, bool readOnly, const QString& connect);

    bool isOpen() const { return !m_connection.isEmpty(); }
    QString path() const { return m_path; }
    QSqlDatabase handle() const;

    // Runs one statement; returns the number of rows it changed.
    int execute(const QString& sql, const QVariantList& params = {}) const;
    Rows select(const QString& sql, const QVariantList& params = {}) const;
    // The first column of the first row, or a null QVariant when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& params = {}) const;
    // A counting query: its first column as a number (0 for Null).
    qint64 count(const QString& sql, const QVariantList& params = {}) const;
    bool exists(const QString& sql, const QVariantList& params = {}) const;

    // max(column)+1 over the table, 1 when the table has no row (or only Nulls there).
    qint64 nextNumber(const QString& table, const QString& column) const;

    // Runs the steps in one transaction: either all take effect or, when the program is stopped
    // part-way, none does. Inside another transaction the steps join it. The write lock is taken
    // before the first step (see writeTransaction): a transaction that read first and wrote later
    // would fail at once, without waiting, when another running copy had written in between.
    template <typename Steps> void transaction(Steps&& steps) const {
        Transaction t(*this, true);
        steps();
        t.commit();
    }
    // As transaction(), but it takes the database's write lock before the first step, waiting for
    // another program's writer to finish: a number read inside it (max + 1) cannot be taken by
    // another running copy before the rows that use it are written.
    template <typename Steps> void writeTransaction(Steps&& steps) const {
        Transaction t(*this, true);
        steps();
        t.commit();
    }

    // Used by tests between cases: forget every shared connection.
    static void closeAll();

private:
    class Transaction {
    public:
        explicit Transaction(const Database& db, bool immediate = false);
        ~Transaction();
        void commit();

    private:
        const Database& m_db;
        bool m_done = false;
    };

    [[noreturn]] void fail(const QString& what, const QString& detail) const;

    QString m_connection;
    QString m_path;
};

} // namespace data
