#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

namespace data {

using Rows = QList<QSqlRecord>;

// A file that fails SQLite's quick check (%1: the file, as AppPaths::shown gives it).
inline const QString DamagedFile = QStringLiteral("ملف قاعدة البيانات %1 تالف، ولن يكتب البرنامج فيه.");

// The refusal of a store when no number is left for it.
inline const QString NoNumberLeft =
    QStringLiteral("لا يمكن خزن مسألة جديدة: بلغ رقم التسلسل أكبر رقم يمكن حفظه");

// A handle to the one connection that the whole process keeps to a database file. Every screen
// "opens" the database in its load step; all of them get the same connection, so a change made
// through one is seen through every other at once.
//
// Values always travel as bound parameters ("?" in the statement), never joined into SQL text.
// A failing statement is no error that a screen can handle: the program shows one Arabic message
// naming what failed and ends. A database that another program keeps locked never ends it:
// - a command the user gives (runCommand, for every key, click and field-leaving) takes the write
//   lock before it runs, so it runs whole or, while the lock is held elsewhere, not at all;
// - a step that can be refused (attempt) is undone whole and reported, for another try;
// - anything else waits, with a message, until the other program lets the database go.
class Database {
public:
    Database() = default;

    // The optional arguments come together or not at all; the connect string (";pwd=...") carries
    // no meaning and both ways open the same database. A missing file, or one that is not a
    // database or fails SQLite's quick check, ends the program with a message before anything is
    // written into it.
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

    // The largest whole number in the column over the tables, plus one; 1 when there is none.
    // Text, a blank or a fraction there (a damaged or foreign file) is no number and is not
    // counted. Nothing when the largest number is already taken (see NoNumberLeft).
    std::optional<qint64> nextNumber(const QStringList& tables, const QString& column) const;

    // Runs the steps in one transaction: either all take effect or, when the program is stopped
    // part-way, none does. Inside another transaction the steps join it, and a failure in them
    // undoes only their own part. The write lock is taken before the first step (see
    // writeTransaction): a transaction that read first and wrote later would fail at once, without
    // waiting, when another running copy had written in between.
    template <typename Steps> void transaction(Steps&& steps) const {
        Transaction t(*this);
        steps();
        t.commit();
    }
    // As transaction(), but it takes the database's write lock before the first step, waiting for
    // another program's writer to finish: a number read inside it (max + 1) cannot be taken by
    // another running copy before the rows that use it are written.
    template <typename Steps> void writeTransaction(Steps&& steps) const {
        Transaction t(*this);
        steps();
        t.commit();
    }

    // Runs steps that a lock may refuse, as one write transaction: the lock is taken first (one
    // wait), the steps run, and all is committed at the end. When another program keeps this
    // database (or another one the steps use) locked past the wait, whatever the steps changed is
    // undone, one Arabic message names the file and `action` (for example "خزن المسألة") and the
    // answer is false: the screen keeps what was typed, for another try. Any other failure still
    // ends the program.
    bool attempt(const QString& action, const std::function<void()>& steps) const;

    // The rule every command of the user's passes through (a key, a click, a list pick, the
    // leaving of a field: see platform::Application). The write lock of every open database is
    // taken before the command runs and kept until it ends, or until the program waits for the
    // user again (a message, another screen): what the command writes up to then is written
    // whole, and nothing it does can meet another program's lock. While another program holds a
    // lock past the wait, the command does not run: one Arabic message names it and the file,
    // nothing changes, and the same command works once the lock is gone. `action` is asked only
    // then. Inside a command already running, the command just runs. A command that answers true
    // hands its work on (it closed the screen the program waited on: the run of a case goes on
    // to the calculation): the lock is kept until the program waits for the user again.
    static bool runCommand(const std::function<QString()>& action, const std::function<bool()>& command);

    // How long a statement waits for another program's lock, in milliseconds, for every
    // connection (open ones included). The program keeps the default; tests shorten it.
    static constexpr int DefaultLockWait = 5000;
    static void setLockWait(int milliseconds);
    static int lockWait();

    // Whether a statement failed because another connection holds the lock past the wait.
    static bool isLockedElsewhere(const QSqlError& error);

    // Whether the file fails SQLite's quick check or is no database at all. A file that is
    // missing, or locked by another program, is not judged here.
    static bool isDamaged(const QString& path);

    // Used by tests between cases: forget every shared connection.
    static void closeAll();

private:
    class Transaction {
    public:
        explicit Transaction(const Database& db);
        ~Transaction();
        void commit();

    private:
        const Database& m_db;
        int m_level = 0; // 0: the outermost, a transaction of its own; else a savepoint
        bool m_done = false;
    };

    [[noreturn]] void fail(const QString& what, const QSqlError& error) const;
    // Runs a statement through `exec`; a lock met outside any attempt is waited out (see
    // waitForLock), any other failure ends the program.
    template <typename Exec> void run(const QString& sql, Exec&& exec) const;
    void waitForLock(const QString& sql) const;

    QString m_connection;
    QString m_path;
};

} // namespace data
