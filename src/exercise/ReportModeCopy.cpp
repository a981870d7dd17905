#include "exercise/ReportModeCopy.h"

#include "platform/AppPaths.h"

namespace exercise {

bool ReportModeCopy::copy(const data::Database& caseDb, const QString& reportDatabasePath, QString& message) {
    message.clear();
    // A report database damaged at start-up, or put in the folder since, is judged again here; one
    // that is missing is not created.
    if (const data::Ownership owned = data::Database::own(reportDatabasePath);
        owned != data::Ownership::Owned) {
        const QString shown = platform::AppPaths::shown(reportDatabasePath);
        message = owned == data::Ownership::Missing
                      ? QStringLiteral("قاعدة بيانات التقارير غير موجودة: ") + shown
                      : data::ownershipRefusal(owned, shown);
        return false;
    }
    const data::Rows modes =
        caseDb.select(QStringLiteral("select REPORT_DESTRIBUTER from REPORT_DESTRIBUTER order by rowid"));
    const data::Database report = data::Database::OpenDatabase(reportDatabasePath);
    // A database of another program's under the name: left as it is.
    if (!report.exists(QStringLiteral("select 1 from sqlite_master where type = 'table' and name = ?"),
                       {QStringLiteral("REPORT_DESTRIBUTER")})) {
        message = QStringLiteral("تعذرت الكتابة في قاعدة البيانات %1")
                      .arg(platform::AppPaths::shown(reportDatabasePath));
        return false;
    }
    report.transaction([&] {
        report.execute(QStringLiteral("delete from REPORT_DESTRIBUTER"));
        for (const QSqlRecord& mode : modes)
            report.execute(QStringLiteral("insert into REPORT_DESTRIBUTER (REPORT_DESTRIBUTER) values (?)"),
                           {mode.value(0)});
    });
    return true;
}

} // namespace exercise
