#include "data/Database.h"

#include "platform/AppPaths.h"
#include "platform/MessageService.h"
#include "platform/ProcessExit.h"

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
const QString LockedFatal = QStringLiteral("قاعدة البيانات مقفلة لدى برنامج آخر");

// Another connection holds the lock past the busy wait.
bool isBusy(const QSqlError& error) {
    const int code = error.nativeErrorCode().toInt() & 0xff; // the primary code of an extended one
    return code == 5 || code == 6;                           // SQLITE_BUSY, SQLITE_LOCKED
}

// Commands the user gave and that are running now (attempt): a busy database ends them, not the
// program.
int& attempting() {
    static int depth = 0;
    return depth;
}

struct Busy {};

} // namespace

bool Database::isDamaged(const QString& path) {
    const QString name = QStringLiteral("quick check");
    bool damaged = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        if (QFileInfo(path).isFile() && db.open()) {
            QSqlQuery check(db);
            if (check.exec(QStringLiteral("pragma quick_check")))
                damaged = !check.next() || check.value(0).toString() != QLatin1String("ok");
            else
                damaged = !isBusy(check.lastError());
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
    sql.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
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
    const bool busy = isBusy(error);
    if (busy && attempting() > 0)
        throw Busy{};
    QString message = QStringLiteral("خطأ في قاعدة البيانات ") + platform::AppPaths::shown(m_path) +
                      QLatin1Char('\n') + what;
    if (busy)
        message += QLatin1Char('\n') + LockedFatal;
    platform::ProcessExit::fail(message);
}

bool Database::attempt(const QString& action, const std::function<void()>& steps) const {
    struct Running {
        Running() { ++attempting(); }
        ~Running() { --attempting(); }
    };
    try {
        Running running;
        steps();
    } catch (const Busy&) {
        platform::MessageService::show(Locked.arg(action, platform::AppPaths::shown(m_path)),
                                       platform::MessageIcon::Critical);
        return false;
    }
    return true;
}

namespace {

bool run(QSqlQuery& query, const QString& sql, const QVariantList& params) {
    if (!query.prepare(sql))
        return false;
    for (const QVariant& v : params)
        query.addBindValue(v);
    return query.exec();
}

} // namespace

int Database::execute(const QString& sql, const QVariantList& params) const {
    QSqlQuery query(handle());
    if (!run(query, sql, params))
        fail(QStringLiteral("تعذر تنفيذ: ") + sqlForMessage(sql), query.lastError());
    return query.numRowsAffected();
}

Rows Database::select(const QString& sql, const QVariantList& params) const {
    QSqlQuery query(handle());
    query.setForwardOnly(true);
    if (!run(query, sql, params))
        fail(QStringLiteral("تعذر تنفيذ: ") + sqlForMessage(sql), query.lastError());
    Rows rows;
    while (query.next())
        rows.append(query.record());
    return rows;
}

QVariant Database::scalar(const QString& sql, const QVariantList& params) const {
    QSqlQuery query(handle());
    query.setForwardOnly(true);
    if (!run(query, sql, params))
        fail(QStringLiteral("تعذر تنفيذ: ") + sqlForMessage(sql), query.lastError());
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
    if (!run(query, sql, params))
        fail(QStringLiteral("تعذر تنفيذ: ") + sqlForMessage(sql), query.lastError());
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

Database::Transaction::Transaction(const Database& db, bool immediate) : m_db(db) {
    int& depth = depths()[m_db.m_connection];
    if (depth == 0) {
        if (immediate) {
            QSqlQuery begin(m_db.handle());
            if (!begin.exec(QStringLiteral("begin immediate")))
                m_db.fail(QStringLiteral("تعذر بدء المعاملة"), begin.lastError());
        } else if (!m_db.handle().transaction()) {
            m_db.fail(QStringLiteral("تعذر بدء المعاملة"), m_db.handle().lastError());
        }
    }
    ++depth;
}

Database::Transaction::~Transaction() {
    if (m_done)
        return;
    int& depth = depths()[m_db.m_connection];
    if (--depth == 0)
        m_db.handle().rollback();
}

void Database::Transaction::commit() {
    int& depth = depths()[m_db.m_connection];
    m_done = true;
    if (--depth > 0)
        return;
    if (!m_db.handle().commit()) {
        // A commit refused for a lock leaves the transaction open: undo it before telling.
        const QSqlError error = m_db.handle().lastError();
        m_db.handle().rollback();
        m_db.fail(QStringLiteral("تعذر حفظ المعاملة"), error);
    }
}

} // namespace data
