#include "data/Database.h"

#include "platform/ProcessExit.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>

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
    return sql.simplified();
}

} // namespace

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
    if (!info.exists() || !info.isFile()) {
        platform::ProcessExit::fail(QStringLiteral("قاعدة البيانات غير موجودة: ") +
                                    QDir::toNativeSeparators(key));
    }

    static int serial = 0;
    const QString name = QStringLiteral("db%1").arg(++serial);
    QSqlDatabase sql = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    sql.setDatabaseName(key);
    sql.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!sql.open()) {
        const QString detail = sql.lastError().text();
        sql = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        platform::ProcessExit::fail(QStringLiteral("تعذر فتح قاعدة البيانات: ") +
                                    QDir::toNativeSeparators(key) + QLatin1Char('\n') + detail);
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

void Database::fail(const QString& what, const QString& detail) const {
    QString message = QStringLiteral("خطأ في قاعدة البيانات ") + QDir::toNativeSeparators(m_path) +
                      QLatin1Char('\n') + what;
    if (!detail.isEmpty())
        message += QLatin1Char('\n') + detail;
    platform::ProcessExit::fail(message);
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
        fail(QStringLiteral("تعذر تنفيذ: ") + sqlForMessage(sql), query.lastError().text());
    return query.numRowsAffected();
}

Rows Database::select(const QString& sql, const QVariantList& params) const {
    QSqlQuery query(handle());
    query.setForwardOnly(true);
    if (!run(query, sql, params))
        fail(QStringLiteral("تعذر تنفيذ: ") + sqlForMessage(sql), query.lastError().text());
    Rows rows;
    while (query.next())
        rows.append(query.record());
    return rows;
}

QVariant Database::scalar(const QString& sql, const QVariantList& params) const {
    QSqlQuery query(handle());
    query.setForwardOnly(true);
    if (!run(query, sql, params))
        fail(QStringLiteral("تعذر تنفيذ: ") + sqlForMessage(sql), query.lastError().text());
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
        fail(QStringLiteral("تعذر تنفيذ: ") + sqlForMessage(sql), query.lastError().text());
    return query.next();
}

qint64 Database::nextNumber(const QString& table, const QString& column) const {
    // Names come from the program, never from the user; SQL cannot bind them.
    const QVariant co = scalar(QStringLiteral("select max(%1) as co from %2").arg(column, table));
    return co.isNull() ? 1 : co.toLongLong() + 1;
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
                m_db.fail(QStringLiteral("تعذر بدء المعاملة"), begin.lastError().text());
        } else if (!m_db.handle().transaction()) {
            m_db.fail(QStringLiteral("تعذر بدء المعاملة"), m_db.handle().lastError().text());
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
    if (!m_db.handle().commit())
        m_db.fail(QStringLiteral("تعذر حفظ المعاملة"), m_db.handle().lastError().text());
}

} // namespace data
