#include "support/TempAppFolder.h"

#include "make-databases/SchemaScript.h"
#include "platform/AppPaths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace testsupport {

QString appdataDir() {
    return QStringLiteral(FARAID_APPDATA_DIR);
}

QString testsDir() {
    return QStringLiteral(FARAID_TESTS_DIR);
}

TempAppFolder::TempAppFolder(bool withRuleFiles) {
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    const std::string appdata = appdataDir().toStdString();
    const std::string dir = m_dir.path().toStdString();
    std::string error;
    using dbsetup::Journal;
    if (!dbsetup::createIfAbsent(dir + "/TALVENO_TEST.mdb", dbsetup::caseDatabaseScripts(appdata),
                                 Journal::WriteAhead, error) ||
        !dbsetup::createIfAbsent(dir + "/TALVENO_TEST_REPORT.mdb", dbsetup::reportDatabaseScripts(appdata),
                                 Journal::WriteAhead, error) ||
        !dbsetup::createIfAbsent(dir + "/TALVENO_TEST_R_MAKE.mdb", dbsetup::rMakeDatabaseScripts(appdata),
                                 Journal::Rollback, error))
        throw std::runtime_error(error);
    if (withRuleFiles) {
        // Everything of appdata/ but the database scripts, sub-folders (help topics) included.
        const QDir src(appdataDir());
        QDirIterator it(appdataDir(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString relative = src.relativeFilePath(path);
            if (relative.startsWith(QLatin1String("sql/")))
                continue;
            QDir().mkpath(QFileInfo(file(relative)).absolutePath());
            QFile::copy(path, file(relative));
        }
    }
    platform::AppPaths::setApplicationFolder(m_dir.path());
    platform::AppPaths::setDriveD(m_dir.filePath(QStringLiteral("D")));
}

TempAppFolder::~TempAppFolder() {
    data::Database::closeAll();
}

QString TempAppFolder::file(const QString& name) const {
    return m_dir.filePath(name);
}

QByteArray damage(const QString& databaseFile, Damage where) {
    QFile file(databaseFile);
    if (!file.open(QIODevice::ReadWrite))
        throw std::runtime_error("cannot open the file to damage");
    QByteArray bytes = file.readAll();
    // The page size stands at offset 16; page 2 follows page 1.
    const qsizetype at = where == Damage::Header ? 0 : qsizetype((uchar(bytes[16]) << 8) | uchar(bytes[17]));
    for (qsizetype i = at; i < at + 8; ++i)
        bytes[i] = char(~bytes[i]);
    file.seek(0);
    file.write(bytes);
    return bytes;
}

data::Database TempAppFolder::caseDatabase() const {
    return data::Database::OpenDatabase(casePath(), false, false, QStringLiteral(";pwd=velkaro"));
}

} // namespace testsupport
