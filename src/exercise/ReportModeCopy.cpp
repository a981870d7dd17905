#include "exercise/ReportModeCopy.h"

#include "platform/AppPaths.h"

#include <QFileInfo>

namespace exercise {

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
    caseDb.execute(QStringLiteral("attach database ? as report_copy"), {reportDatabasePath});
    caseDb.transaction([&] {
        caseDb.execute(QStringLiteral("delete from report_copy.REPORT_DESTRIBUTER"));
        caseDb.execute(QStringLiteral("insert into report_copy.REPORT_DESTRIBUTER (REPORT_DESTRIBUTER) "
                                      "select REPORT_DESTRIBUTER from main.REPORT_DESTRIBUTER"));
    });
    caseDb.execute(QStringLiteral("detach database report_copy"));
    return true;
}

} // namespace exercise
