#pragma once

#include "data/Database.h"

#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// A fresh application folder in a temporary directory: the databases built from the shipped
// scripts, the files of appdata/ copied in when asked, and the program pointed at it.
class TempAppFolder {
public:
    explicit TempAppFolder(bool withRuleFiles = false);
    ~TempAppFolder();

    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const;
    QString casePath() const { return file(QStringLiteral("TALVENO_TEST.mdb")); }
    data::Database caseDatabase() const;

private:
    QTemporaryDir m_dir;
};

// Flips eight bytes of a database file where a disk or a copy may damage them: its header, or the
// first page of its first table. Answers the file's bytes after the damage.
enum class Damage { Header, FirstTablePage };
QByteArray damage(const QString& databaseFile, Damage where);

QString appdataDir();
QString testsDir();

} // namespace testsupport
