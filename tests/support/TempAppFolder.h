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

QString appdataDir();
QString testsDir();

} // namespace testsupport
