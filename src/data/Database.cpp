#include "data/Database.h"

#include "platform/AppPaths.h"
#include "platform/MessageService.h"
#include "platform/ProcessExit.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>

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

QString sqlForMessage(const QString& sql) {
    return platform::AppPaths::leftToRight(sql.simplified());
}

const QString Locked =
    QStringLiteral("تعذر %1: قاعدة البيانات %2 مقفلة لدى برنامج آخر. أغلق ذلك البرنامج ثم أعد المحاولة.");
const QString LockedWaiting =
    QStringLiteral("قاعدة البيانات %1 مقفلة لدى برنامج آخر، والبرنامج ينتظرها ليكمل ما بدأه. "
                   "أغلق ذلك البرنامج ثم اضغط «موافق».");

int& lockWaitMs() {
    static int ms = Database::DefaultLockWait;
    return ms;
}

QString busyOption() {
    return QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(lockWaitMs());
}

bool bindAndRun(QSqlQuery& query, const QString& sql, const QVariantList& params, QSqlError& error) {
    if (!query.prepare(sql)) {
        error = query.lastError();
        return false;
    }
    for (const QVariant& v : params)
        query.addBindValue(v);
    if (query.exec())
        return true;
    error = query.lastError();
    return false;
}

// Steps that a lock may refuse and that are running now (attempt): a busy database ends them, not
// the program.
int& attempting() {
    static int depth = 0;
    return depth;
}

// A statement met another program's lock inside an attempt; `path` is the file.
struct Busy {
    QString path;
};

// The write locks a command of the user's took (runCommand): the connections whose outermost
// transaction it opened, until it ends or the program waits for the user.
QStringList& commandLocks() {
    static QStringList held;
    return held;
}

// Commits what the running command wrote so far and lets the locks go, where nothing of the
// program's own holds its transaction open (a transaction step waiting on the user keeps it).
void releaseCommandLocks() {
    QStringList kept;
    for (const QString& name : std::as_const(commandLocks())) {
        int& depth = depths()[name];
        if (depth != 1) {
            kept << name;
            continue;
        }
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (!db.commit()) {
            qWarning("%s", qPrintable(db.lastError().text()));
            db.rollback();
        }
        depth = 0;
    }
    commandLocks() = kept;
}

void undoCommandLocks() {
    for (const QString& name : std::as_const(commandLocks())) {
        int& depth = depths()[name];
        if (depth == 1) {
            QSqlDatabase::database(name, false).rollback();
            depth = 0;
        }
    }
    commandLocks().clear();
}

// The program waits for the user (a message, another screen, the main window): it must not hold
// another program off meanwhile.
void releaseLocksWhenIdle() {
    static bool connected = false;
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(
        QCoreApplication::instance() ? QCoreApplication::instance()->thread() : nullptr);
    if (connected || !dispatcher)
        return;
    connected = true;
    // The program ends at once: what its last command wrote is kept, as it would be by the wait.
    platform::ProcessExit::setLastStep([] { releaseCommandLocks(); });
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [] { releaseCommandLocks(); });
}

} // namespace

bool Database::isLockedElsewhere(const QSqlError& error) {
    const int code = error.nativeErrorCode().toInt() & 0xff; // the primary code of an extended one
    return code == 5 || code == 6;                           // SQLITE_BUSY, SQLITE_LOCKED
}

bool Database::isDamaged(const QString& path) {
    const QString name = QStringLiteral("quick check");
    bool damaged = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(busyOption());
        if (QFileInfo(path).isFile() && db.open()) {
            QSqlQuery check(db);
            if (check.exec(QStringLiteral("pragma quick_check")))
                damaged = !check.next() || check.value(0).toString() != QLatin1String("ok");
            else
                damaged = !isLockedElsewhere(check.lastError());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return damaged;
}

Database Database::OpenDatabase(const QString& path, bool, bool, const QString&) {
    return OpenDatabase(path);
}

Database Database::OpenDatabase(const QString& path) {
    QFileInfo info(path);
    const QString key = info.absoluteFilePath();
    Database db;
    db.m_path = key;

    auto it = connections().constFind(key);
    if (it != connections().constEnd()) {
        db.m_connection = *it;
        return db;
    }
    if (!info.exists() || !info.isFile())
        platform::ProcessExit::fail(QStringLiteral("قاعدة البيانات غير موجودة: ") +
                                    platform::AppPaths::shown(key));
    if (isDamaged(key))
        platform::ProcessExit::fail(DamagedFile.arg(platform::AppPaths::shown(key)));

    static int serial = 0;
    const QString name = QStringLiteral("db%1").arg(++serial);
    QSqlDatabase sql = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    sql.setDatabaseName(key);
    sql.setConnectOptions(busyOption());
    if (!sql.open()) {
        qWarning("%s", qPrintable(sql.lastError().text()));
        sql = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        platform::ProcessExit::fail(QStringLiteral("تعذر فتح قاعدة البيانات: ") +
                                    platform::AppPaths::shown(key));
    }
    db.m_connection = name;
    // A file that is not a database fails on its first read; it is registered only once it has
    // passed, so a later open does not find a broken connection.
    struct Forget {
        QString name;
        bool keep = false;
        ~Forget() {
            if (!keep)
                QSqlDatabase::removeDatabase(name);
        }
    } forget{name};
    db.scalar(QStringLiteral("select count(*) from sqlite_master"));
    db.select(QStringLiteral("pragma journal_mode=WAL"));
    db.execute(QStringLiteral("pragma synchronous=NORMAL"));
    forget.keep = true;
    connections().insert(key, name);
    return db;
}

QSqlDatabase Database::handle() const {
    return QSqlDatabase::database(m_connection, false);
}

// The driver's own English words go to the log, never into the message.
void Database::fail(const QString& what, const QSqlError& error) const {
    qWarning("%s", qPrintable(error.text()));
    if (isLockedElsewhere(error) && attempting() > 0)
        throw Busy{m_path};
    platform::ProcessExit::fail(QStringLiteral("خطأ في قاعدة البيانات ") + platform::AppPaths::shown(m_path) +
                                QLatin1Char('\n') + what);
}

// Outside an attempt nothing can take a refusal back: the statement has not run, so it waits for
// the other program and runs then. The program goes on, and nothing it started is left half done.
void Database::waitForLock(const QString& sql) const {
    qWarning("waiting for the lock on %s: %s", qPrintable(m_path), qPrintable(sql.simplified()));
    platform::MessageService::show(LockedWaiting.arg(platform::AppPaths::shown(m_path)),
                                   platform::MessageIcon::Warning);
}

template <typename Exec> void Database::run(const QString& sql, Exec&& exec) const {
    for (;;) {
        QSqlError error;
        if (exec(error))
            return;
        if (isLockedElsewhere(error) && attempting() == 0) {
            waitForLock(sql);
            continue;
        }
        fail(QStringLiteral("تعذر تنفيذ: ") + sqlForMessage(sql), error);
    }
}

bool Database::attempt(const QString& action, const std::function<void()>& steps) const {
    struct Running {
        Running() { ++attempting(); }
        ~Running() { --attempting(); }
    };
    try {
        Running running;
        Transaction t(*this);
        steps();
        t.commit();
    } catch (const Busy& busy) {
        platform::MessageService::show(Locked.arg(action, platform::AppPaths::shown(busy.path)),
                                       platform::MessageIcon::Critical);
        return false;
    }
    return true;
}

bool Database::runCommand(const std::function<QString()>& action, const std::function<bool()>& steps) {
    QStringList& held = commandLocks();
    if (!held.isEmpty()) {
        steps(); // part of a command that holds the locks already
        return true;
    }
    releaseLocksWhenIdle();
    // A refused command, or one thrown through (a test's end of the program), leaves nothing.
    struct Undo {
        bool armed = true;
        ~Undo() {
            if (armed)
                undoCommandLocks();
        }
    } undo;

    // Every open database is locked first: a command may write into any of them.
    for (auto it = connections().constBegin(); it != connections().constEnd(); ++it) {
        int& depth = depths()[it.value()];
        if (depth != 0)
            continue; // inside a transaction of the program's own, which the command joins
        QSqlQuery begin(QSqlDatabase::database(it.value(), false));
        if (begin.exec(QStringLiteral("begin immediate"))) {
            depth = 1;
            held << it.value();
            continue;
        }
        Database db;
        db.m_connection = it.value();
        db.m_path = it.key();
        const QSqlError error = begin.lastError();
        if (!isLockedElsewhere(error))
            db.fail(QStringLiteral("تعذر بدء المعاملة"), error);
        qWarning("%s", qPrintable(error.text()));
        undoCommandLocks();
        undo.armed = false;
        platform::MessageService::show(Locked.arg(action(), platform::AppPaths::shown(db.m_path)),
                                       platform::MessageIcon::Critical);
        return false;
    }
    const bool goesOn = steps();
    undo.armed = false;
    if (!goesOn)
        releaseCommandLocks();
    return true;
}

void Database::setLockWait(int milliseconds) {
    lockWaitMs() = milliseconds;
    for (const QString& name : std::as_const(connections())) {
        QSqlQuery pragma(QSqlDatabase::database(name, false));
        pragma.exec(QStringLiteral("pragma busy_timeout = %1").arg(milliseconds));
    }
}

int Database::lockWait() {
    return lockWaitMs();
}

int Database::execute(const QString& sql, const QVariantList& params) const {
    QSqlQuery query(handle());
    run(sql, [&](QSqlError& error) { return bindAndRun(query, sql, params, error); });
    return query.numRowsAffected();
}

Rows Database::select(const QString& sql, const QVariantList& params) const {
    QSqlQuery query(handle());
    query.setForwardOnly(true);
    run(sql, [&](QSqlError& error) { return bindAndRun(query, sql, params, error); });
    Rows rows;
    while (query.next())
        rows.append(query.record());
    return rows;
}

QVariant Database::scalar(const QString& sql, const QVariantList& params) const {
    QSqlQuery query(handle());
    query.setForwardOnly(true);
    run(sql, [&](QSqlError& error) { return bindAndRun(query, sql, params, error); });
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
    run(sql, [&](QSqlError& error) { return bindAndRun(query, sql, params, error); });
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
    commandLocks().clear();
    for (const QString& name : names) {
        {
            QSqlDatabase db = QSqlDatabase::database(name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
}

// The outermost transaction takes the write lock at once (begin immediate); one inside it is a
// savepoint, so a failure in its steps undoes their part and leaves the caller's.
Database::Transaction::Transaction(const Database& db) : m_db(db) {
    int& depth = depths()[m_db.m_connection];
    const QString sql =
        depth == 0 ? QStringLiteral("begin immediate") : QStringLiteral("savepoint t%1").arg(depth);
    QSqlQuery begin(m_db.handle());
    m_db.run(sql, [&](QSqlError& error) { return bindAndRun(begin, sql, {}, error); });
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
        // A commit refused for a lock leaves the transaction open: undo it before telling.
        const QSqlError error = m_db.handle().lastError();
        m_db.handle().rollback();
        m_db.fail(QStringLiteral("تعذر حفظ المعاملة"), error);
    }
}

} // namespace data
