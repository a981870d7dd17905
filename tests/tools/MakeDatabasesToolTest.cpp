#include "support/TempAppFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The journal mode a database file is kept in, from its header: the read and write versions at
// offsets 18 and 19 are 1 for a rollback journal and 2 for a write-ahead log.
int journalVersion(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray header = file.read(100);
    if (header.size() < 100 || header[18] != header[19])
        return -1;
    return header[18];
}

// The tool lays out the databases of the application folder: the two the program owns while it
// runs come in the mode it keeps them in, so the first start changes none of their bytes; the
// template of the path database, which other programs read, keeps the plain journal. A second
// run leaves what is there alone.
TEST(MakeDatabasesTool, MakesTheOwnedDatabasesInWriteAheadModeAndKeepsWhatIsThere) {
    QTemporaryDir app;
    ASSERT_TRUE(app.isValid());
    const auto run = [&] {
        QProcess p;
        p.start(QStringLiteral(MAKE_DATABASES_TOOL), {testsupport::appdataDir(), app.path()});
        EXPECT_TRUE(p.waitForFinished(120000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    };
    run();
    const QDir dir(app.path());
    EXPECT_EQ(journalVersion(dir.filePath("TALVENO_TEST.mdb")), 2);
    EXPECT_EQ(journalVersion(dir.filePath("TALVENO_TEST_REPORT.mdb")), 2);
    EXPECT_EQ(journalVersion(dir.filePath("TALVENO_TEST_R_MAKE.mdb")), 1);
    EXPECT_FALSE(QFile::exists(dir.filePath("TALVENO_TEST.mdb-wal"))) << "the file is whole without its log";

    QFile kept(dir.filePath("TALVENO_TEST.mdb"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    const QByteArray before = kept.readAll();
    kept.close();
    run();
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), before);
}

} // namespace
