#include "platform/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace platform {

namespace {
QString& appFolderOverride() {
    static QString folder;
    return folder;
}
QString& driveDOverride() {
    static QString folder;
    return folder;
}
} // namespace

QString AppPaths::applicationFolder() {
    if (!appFolderOverride().isEmpty())
        return appFolderOverride();
    return QCoreApplication::applicationDirPath();
}

QString AppPaths::driveD() {
    if (!driveDOverride().isEmpty())
        return driveDOverride();
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::homePath();
    return QDir(base).filePath(QStringLiteral("faraid/D"));
}

QString AppPaths::appFile(const QString& name) {
    return QDir(applicationFolder()).filePath(name);
}

QString AppPaths::shown(const QString& path) {
    return QChar(0x2066) + QDir::toNativeSeparators(path) + QChar(0x2069); // LRI ... PDI
}

void AppPaths::setApplicationFolder(const QString& folder) {
    appFolderOverride() = QDir::cleanPath(folder);
}

void AppPaths::setDriveD(const QString& folder) {
    driveDOverride() = QDir::cleanPath(folder);
}

} // namespace platform
