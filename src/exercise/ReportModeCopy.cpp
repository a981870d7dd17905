#include "exercise/ReportModeCopy.h"

#include "platform/AppPaths.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace exercise {

namespace {
const QString ReportLocked = QStringLiteral(
    "تعذر نقل طريقة الطباعة: قاعدة البيانات %1 مقفلة لدى برنامج آخر. أغلق ذلك البرنامج ثم أعد المحاولة.");
const QString ReportNotWritten = QStringLiteral("تعذرت الكتابة في قاعدة البيانات %1");
} // namespace

bool ReportModeCopy::copy(const data::Database& caseDb, const QString& reportDatabasePath, QString& message) {
    message.clear();
    // Attaching a file that is not there would create an empty one.
    if (!QFileInfo(reportDatabasePath).isFile()) {
        message = QStringLiteral("قاعدة بيانات التقارير غير موجودة: ") +
                  platform::AppPaths::shown(reportDatabasePath);
        return false;
    }
    if (data::Database::isDamaged(reportDatabasePath)) {
        message = data::DamagedFile.arg(platform::AppPaths::shown(reportDatabasePath));
        return false;
    }
    // A connection of its own: a database cannot be attached to one inside a command's transaction.
    const data::Rows modes =
        caseDb.select(QStringLiteral("select REPORT_DESTRIBUTER from REPORT_DESTRIBUTER order by rowid"));
    const QString name = QStringLiteral("report mode copy");
    bool copied = false;
    bool locked = false;
    {
        QSqlDatabase report = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        report.setDatabaseName(reportDatabasePath);
        report.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(data::Database::lockWait()));
        if (report.open()) {
            QSqlQuery step(report);
            copied = step.exec(QStringLiteral("begin immediate")) &&
                     step.exec(QStringLiteral("delete from REPORT_DESTRIBUTER"));
            for (qsizetype i = 0; copied && i < modes.size(); ++i) {
                step.prepare(
                    QStringLiteral("insert into REPORT_DESTRIBUTER (REPORT_DESTRIBUTER) values (?)"));
                step.addBindValue(modes[i].value(0));
                copied = step.exec();
            }
            copied = copied && report.commit();
            if (!copied) {
                const QSqlError error = step.lastError().isValid() ? step.lastError() : report.lastError();
                qWarning("%s", qPrintable(error.text()));
                locked = data::Database::isLockedElsewhere(error);
                report.rollback();
            }
            report.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!copied) {
        message =
            (locked ? ReportLocked : ReportNotWritten).arg(platform::AppPaths::shown(reportDatabasePath));
        return false;
    }
    return true;
}

} // namespace exercise
