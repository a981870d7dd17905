#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

#include <optional>

namespace data {

using Rows = QList<QSqlRecord>;

// A file that fails SQLite's quick check (%1: the file, as AppPaths::shown gives it).
inline const QString DamagedFile = QStringLiteral("ملف قاعدة البيانات %1 تالف، ولن يكتب البرنامج فيه.");

// A database that another program has open or locked when this program comes to own it (%1: the
// file, as AppPaths::shown gives it).
inline const QString HeldByAnotherProgram =
    QStringLiteral("قاعدة البيانات %1 مفتوحة لدى برنامج آخر، ولا يعمل البرنامج إلا وهي له وحده.");

// The refusal of a store when no number is left for it.
inline const QString NoNumberLeft =
    QStringLiteral("لا يمكن خزن مسألة جديدة: بلغ رقم التسلسل أكبر رقم يمكن حفظه");

// What became of the program's claim on a database file (Database::own).
enum class Ownership {
    Owned,    // the program's own until it ends
    Missing,  // no such file
    Held,     // another program has it open or locked; nothing was written
    Damaged,  // not a database, or it fails SQLite's quick check; nothing was written
    Unusable, // it could not be opened for writing (a folder without rights, a read-only file)
};

// The refusal of a database file that could not be owned, for a message (%1: the file as
// AppPaths::shown gives it); empty for Owned.
QString ownershipRefusal(Ownership outcome, const QString& shownPath);

// A handle to the one connection that the whole process keeps to a database file. Every screen
// "opens" the database in its load step; all of them get the same connection, so a change made
// through one is seen through every other at once.
//
// The program owns every database it opens while it runs: the connection is in SQLite's exclusive
// locking mode and holds the write lock from the moment it is opened until the program ends.
// Another program can neither write such a file nor read it meanwhile, so no statement of this
// program can meet another program's lock.
//
// Values always travel as bound parameters ("?" in the statement), never joined into SQL text.
// A failing statement is no error that a screen can handle: the program shows one Arabic message
// naming what failed and ends; the driver's English text goes to the log only.
class Database {
public:
    Database() = default;

    // The optional arguments come together or not at all; the connect string (";pwd=...") carries
    // no meaning and both ways open the same database. A file that is missing, not a database,
    // damaged, or held by another program ends the program with a message before anything is
    // written into it.
    static Database OpenDatabase(const QString& path);
    static Database OpenDatabase(const QString& path, bool exclusive, bool readOnly, const QString& connect);

    // Opens the program's one connection to the file and takes its write lock for good. A file
    // already owned stays so. Anything but Owned leaves the file as it was and no connection
    // behind.
    static Ownership own(const QString& path);

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

    // Runs the steps in one write transaction: either all take effect or, when the program is
    // stopped part-way, none does; a commit is on the disk before the steps count as done. Inside
    // another transaction the steps join it as a savepoint, and a failure in them undoes only
    // their own part.
    template <typename Steps> void transaction(Steps&& steps) const {
        Transaction t(*this);
        steps();
        t.commit();
    }

    // Whether the file fails SQLite's quick check or is no database at all. A file that is
    // missing, or that another program holds, is not judged here.
    static bool isDamaged(const QString& path);

    // Used by tests between cases: forget every shared connection, and so let the files go.
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
    // Prepares the statement, binds the values and runs it; any failure ends the program.
    void run(QSqlQuery& query, const QString& sql, const QVariantList& params) const;

    QString m_connection;
    QString m_path;
};

} // namespace data
