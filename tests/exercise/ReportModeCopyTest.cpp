#include "exercise/ReportModeCopy.h"

#include "platform/AppPaths.h"
#include "support/TempAppFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList modeRows(const QString& path) {
    const data::Database db = data::Database::OpenDatabase(path);
    QStringList out;
    for (const QSqlRecord& r : db.select(QStringLiteral("select REPORT_DESTRIBUTER from REPORT_DESTRIBUTER")))
        out << r.value(0).toString();
    return out;
}

TEST(ReportModeCopy, TheReportDatabaseHoldsTheSameSingleModeRowPerMode) {
    testsupport::TempAppFolder folder;
    const data::Database db = folder.caseDatabase();
    const QString report = folder.file(QStringLiteral("TALVENO_TEST_REPORT.mdb"));
    {
        const data::Database r = data::Database::OpenDatabase(report);
        r.execute(
            QStringLiteral("insert into REPORT_DESTRIBUTER (REPORT_DESTRIBUTER) values ('قديم'), ('اخر')"));
    }
    for (const char* mode : {"بدون توحيد", "توحيد فقط", "كامل", "تركة", "مئوية"}) {
        db.execute(QStringLiteral("delete from REPORT_DESTRIBUTER"));
        db.execute(QStringLiteral("insert into REPORT_DESTRIBUTER (REPORT_DESTRIBUTER) values (?)"),
                   {QString::fromUtf8(mode)});
        QString message;
        ASSERT_TRUE(exercise::ReportModeCopy::copy(db, report, message)) << message.toStdString();
        EXPECT_EQ(modeRows(report), QStringList{QString::fromUtf8(mode)});
    }
    // Nothing is attached to the case database.
    EXPECT_EQ(db.count(QStringLiteral(
                  "select count(*) from pragma_database_list where name not in ('main', 'temp')")),
              0);
}

TEST(ReportModeCopy, AFolderWithAnApostropheAndAMissingReportDatabase) {
    QTemporaryDir dir;
    const QString odd = dir.path() + QStringLiteral("/ملفات 'علي'");
    ASSERT_TRUE(QDir().mkpath(odd));
    testsupport::TempAppFolder folder;
    const QString report = odd + QStringLiteral("/TALVENO_TEST_REPORT.mdb");
    ASSERT_TRUE(QFile::copy(folder.file(QStringLiteral("TALVENO_TEST_REPORT.mdb")), report));
    const data::Database db = folder.caseDatabase();
    db.execute(QStringLiteral("insert into REPORT_DESTRIBUTER (REPORT_DESTRIBUTER) values ('كامل')"));
    QString message;
    ASSERT_TRUE(exercise::ReportModeCopy::copy(db, report, message));
    EXPECT_EQ(modeRows(report), QStringList{QStringLiteral("كامل")});

    const QString missing = odd + QStringLiteral("/غائب.mdb");
    EXPECT_FALSE(exercise::ReportModeCopy::copy(db, missing, message));
    EXPECT_EQ(message,
              QStringLiteral("قاعدة بيانات التقارير غير موجودة: ") + platform::AppPaths::shown(missing));
    EXPECT_FALSE(QFileInfo::exists(missing));
}

// A database of another program's under the report database's name: printing is refused with a
// message, the program goes on, and the file is left as it is.
TEST(ReportModeCopy, AReportDatabaseWithoutItsTableIsRefusedAndLeftAsItIs) {
    testsupport::TempAppFolder folder;
    const data::Database db = folder.caseDatabase();
    const QString foreign = folder.file(QStringLiteral("foreign.mdb"));
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        other.setDatabaseName(foreign);
        ASSERT_TRUE(other.open());
        ASSERT_TRUE(QSqlQuery(other).exec(QStringLiteral("create table notes (x)")));
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    db.execute(QStringLiteral("insert into REPORT_DESTRIBUTER (REPORT_DESTRIBUTER) values ('كامل')"));
    QString message;
    EXPECT_FALSE(exercise::ReportModeCopy::copy(db, foreign, message));
    EXPECT_EQ(message,
              QStringLiteral("تعذرت الكتابة في قاعدة البيانات ") + platform::AppPaths::shown(foreign));
    EXPECT_FALSE(data::Database::OpenDatabase(foreign).exists(
        QStringLiteral("select 1 from sqlite_master where name = 'REPORT_DESTRIBUTER'")));
}

} // namespace
