#include "data/Database.h"

#include "platform/AppPaths.h"
#include "platform/ProcessExit.h"

#include <QFileInfo>
#include <QHash>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

#include <limits>

namespace data {

namespace {

QHash<QString, QString>& connections() {
    static QHash<QString, QString> byPath;
    return byPath;
}

// Open transactions per connection: a transaction inside another joins it, so a step that keeps
// its own changes together can run inside a caller's larger one (a failure in it then undoes the
// whole).
QHash<QString, int>& depths() {
    static QHash<QString, int> d;
    return d;
}

// How long the program waits, when it comes to own a file, for another program that is only
// reading it for a moment. Once owned, nothing can keep the program waiting.
constexpr int OwnWaitMs = 1000;

QString sqlForMessage(const QString& sql) {
    return platform::AppPaths::leftToRight(sql.simplified());
}

int primaryCode(const QSqlError& error) {
    return error.nativeErrorCode().toInt() & 0xff; // the primary code of an extended one
}

bool isHeldElsewhere(const QSqlError& error) {
    const int code = primaryCode(error);
    return code == 5 || code == 6; // SQLITE_BUSY, SQLITE_LOCKED
}

bool isNoDatabase(const QSqlError& error) {
    const int code = primaryCode(error);
    return code == 11 || code == 26; // SQLITE_CORRUPT, SQLITE_NOTADB
}

// The steps that make a freshly opened connection the file's owner. Exclusive locking mode keeps
// every lock the connection takes until it is closed; the first write transaction takes them all.
// The quick check comes before anything that could write (the journal mode), so a damaged file is
// left as it was.
Ownership takeOver(QSqlDatabase& sql, const QString& path) {
    QSqlQuery q(sql);
    const auto failed = [&](const char* step) {
        const QSqlError error = q.lastError();
        qWarning("%s: %s: %s", qPrintable(path), step, qPrintable(error.text()));
        if (isHeldElsewhere(error))
            return Ownership::Held;
        return isNoDatabase(error) ? Ownership::Damaged : Ownership::Unusable;
    };
    if (!q.exec(QStringLiteral("pragma locking_mode=exclusive")))
        return failed("locking mode");
    if (!q.exec(QStringLiteral("begin immediate")))
        return failed("write lock");
    if (!q.exec(QStringLiteral("pragma quick_check"))) {
        const Ownership refused = failed("quick check");
        sql.rollback();
        return refused;
    }
    const bool whole = q.next() && q.value(0).toString() == QLatin1String("ok");
    q.finish();
    sql.rollback();
    if (!whole) {
        qWarning("%s: fails the quick check", qPrintable(path));
        return Ownership::Damaged;
    }
    // WAL with full sync: a commit is on the disk before the program says a store is done, and
    // a process killed mid-write leaves the last commit whole.
    if (!q.exec(QStringLiteral("pragma journal_mode=WAL")))
        return failed("journal mode");
    q.finish();
    if (!q.exec(QStringLiteral("pragma synchronous=FULL")))
        return failed("synchronous");
    if (!q.exec(QStringLiteral("begin immediate")))
        return failed("write lock");
    if (!q.exec(QStringLiteral("commit")))
        return failed("write lock");
    return Ownership::Owned;
}

// A connection that did not become the owner is closed as if it had never been opened. SQLite
// would otherwise copy a write-ahead journal left by an earlier run into the file as it closes,
// writing into a database just found damaged.
void closeUntouched(QSqlDatabase& sql) {
    const QVariant handle = sql.driver()->handle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        if (auto* db = *static_cast<sqlite3* const*>(handle.data()))
            sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    sql.close();
}

} // namespace

QString ownershipRefusal(Ownership outcome, const QString& shownPath) {
    switch (outcome) {
    case Ownership::Owned:
        break;
    case Ownership::Missing:
        return QStringLiteral("قاعدة البيانات غير موجودة: ") + shownPath;
    case Ownership::Held:
        return HeldByAnotherProgram.arg(shownPath);
    case Ownership::Damaged:
        return DamagedFile.arg(shownPath);
    case Ownership::Unusable:
        return QStringLiteral("تعذر فتح قاعدة البيانات: ") + shownPath;
    }
    return {};
}

bool Database::isDamaged(const QString& path) {
    const QString name = QStringLiteral("quick check");
    bool damaged = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(OwnWaitMs));
        if (QFileInfo(path).isFile() && db.open()) {
            QSqlQuery check(db);
            if (check.exec(QStringLiteral("pragma quick_check")))
                damaged = !check.next() || check.value(0).toString() != QLatin1String("ok");
            else
                damaged = !isHeldElsewhere(check.lastError());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return damaged;
}

Ownership Database::own(const QString& path) {
    const QString key = QFileInfo(path).absoluteFilePath();
    if (connections().contains(key))
        return Ownership::Owned;
    if (!QFileInfo(key).isFile())
        return Ownership::Missing;

    static int serial = 0;
    const QString name = QStringLiteral("db%1").arg(++serial);
    Ownership outcome = Ownership::Unusable;
    {
        QSqlDatabase sql = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        sql.setDatabaseName(key);
        sql.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(OwnWaitMs));
        if (sql.open())
            outcome = takeOver(sql, key);
        else
            qWarning("%s", qPrintable(sql.lastError().text()));
        if (outcome != Ownership::Owned)
            closeUntouched(sql);
    }
    if (outcome != Ownership::Owned) {
        QSqlDatabase::removeDatabase(name);
        return outcome;
    }
    connections().insert(key, name);
    return outcome;
}

Database Database::OpenDatabase(const QString& path, bool, bool, const QString&) {
    return OpenDatabase(path);
}

Database Database::OpenDatabase(const QString& path) {
    Database db;
    db.m_path = QFileInfo(path).absoluteFilePath();
    const Ownership outcome = own(db.m_path);
    if (outcome != Ownership::Owned)
        platform::ProcessExit::fail(ownershipRefusal(outcome, platform::AppPaths::shown(db.m_path)));
    db.m_connection = connections().value(db.m_path);
    return db;
}

QSqlDatabase Database::handle() const {
    return QSqlDatabase::database(m_connection, false);
}

// The driver's own English words go to the log, never into the message.
void Database::fail(const QString& what, const QSqlError& error) const {
    qWarning("%s", qPrintable(error.text()));
    platform::ProcessExit::fail(QStringLiteral("خطأ في قاعدة البيانات ") + platform::AppPaths::shown(m_path) +
                                QLatin1Char('\n') + what);
}

void Database::run(QSqlQuery& query, const QString& sql, const QVariantList& params) const {
    if (query.prepare(sql)) {
        for (const QVariant& v : params)
            query.addBindValue(v);
        if (query.exec())
            return;
    }
    fail(QStringLiteral("تعذر تنفيذ: ") + sqlForMessage(sql), query.lastError());
}

int Database::execute(const QString& sql, const QVariantList& params) const {
    QSqlQuery query(handle());
    run(query, sql, params);
    return query.numRowsAffected();
}

Rows Database::select(const QString& sql, const QVariantList& params) const {
    QSqlQuery query(handle());
    query.setForwardOnly(true);
    run(query, sql, params);
    Rows rows;
    while (query.next())
        rows.append(query.record());
    return rows;
}

QVariant Database::scalar(const QString& sql, const QVariantList& params) const {
    QSqlQuery query(handle());
    query.setForwardOnly(true);
    run(query, sql, params);
    if (!query.next())
        return {};
    return query.value(0);
}

qint64 Database::count(const QString& sql, const QVariantList& params) const {
    const QVariant v = scalar(sql, params);
    return v.isNull() ? 0 : v.toLongLong();
}

bool Database::exists(const QString& sql, const QVariantList& params) const {
    QSqlQuery query(handle());
    query.setForwardOnly(true);
    run(query, sql, params);
    return query.next();
}

std::optional<qint64> Database::nextNumber(const QStringList& tables, const QString& column) const {
    // Names come from the program, never from the user; SQL cannot bind them.
    QStringList largest;
    for (const QString& table : tables)
        largest
            << QStringLiteral("select max(%1) as co from %2 where typeof(%1) = 'integer'").arg(column, table);
    const QVariant co =
        scalar(QStringLiteral("select max(co) from (%1)").arg(largest.join(QStringLiteral(" union all "))));
    if (co.isNull())
        return 1;
    const qint64 n = co.toLongLong();
    if (n == std::numeric_limits<qint64>::max())
        return std::nullopt;
    return n + 1;
}

void Database::closeAll() {
    const auto names = connections().values();
    connections().clear();
    depths().clear();
    for (const QString& name : names) {
        {
            QSqlDatabase db = QSqlDatabase::database(name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
}

// The outermost transaction is a write transaction of its own; one inside it is a savepoint, so
// a failure in its steps undoes their part and leaves the caller's.
Database::Transaction::Transaction(const Database& db) : m_db(db) {
    int& depth = depths()[m_db.m_connection];
    const QString sql =
        depth == 0 ? QStringLiteral("begin immediate") : QStringLiteral("savepoint t%1").arg(depth);
    QSqlQuery begin(m_db.handle());
    m_db.run(begin, sql, {});
    m_level = depth++;
}

Database::Transaction::~Transaction() {
    if (m_done)
        return;
    depths()[m_db.m_connection] = m_level;
    QSqlQuery undo(m_db.handle());
    if (m_level == 0) {
        m_db.handle().rollback();
    } else {
        undo.exec(QStringLiteral("rollback to t%1").arg(m_level));
        undo.exec(QStringLiteral("release t%1").arg(m_level));
    }
}

void Database::Transaction::commit() {
    m_done = true;
    depths()[m_db.m_connection] = m_level;
    if (m_level > 0) {
        QSqlQuery release(m_db.handle());
        if (!release.exec(QStringLiteral("release t%1").arg(m_level)))
            m_db.fail(QStringLiteral("تعذر حفظ المعاملة"), release.lastError());
        return;
    }
    if (!m_db.handle().commit()) {
        const QSqlError error = m_db.handle().lastError();
        m_db.handle().rollback();
        m_db.fail(QStringLiteral("تعذر حفظ المعاملة"), error);
    }
}

} // namespace data
