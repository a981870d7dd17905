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
    return leftToRight(QDir::toNativeSeparators(path));
}

// An isolate for text layouts that know isolates, and inside it an embedding for those that do not
// (Qt's draws an isolate's content in the direction of the text around it).
QString AppPaths::leftToRight(const QString& text) {
    return QString(QChar(0x2066)) + QChar(0x202A) + text + QChar(0x202C) + QChar(0x2069);
}

void AppPaths::setApplicationFolder(const QString& folder) {
    appFolderOverride() = QDir::cleanPath(folder);
}

void AppPaths::setDriveD(const QString& folder) {
    driveDOverride() = QDir::cleanPath(folder);
}

} // namespace platform
