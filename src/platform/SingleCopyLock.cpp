#include "platform/SingleCopyLock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <limits>

namespace platform {

namespace {

enum class Holder { LivingCopy, None, BeingWritten };

// A zombie has ended; only its parent has not yet read its end.
bool isRunning(qint64 pid) {
    // A number cut to a process id's width could name every process at once (-1).
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max() ||
        (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM))
        return false;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    const qsizetype afterName = line.lastIndexOf(')');
    return afterName < 0 || line.mid(afterName + 2, 1) != "Z";
}

// Whether the process runs this program's executable. Another user's process hides its
// executable but not its short name, which the kernel cuts to 15 bytes.
bool runsThisProgram(qint64 pid) {
    const QString ours = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    QString target = QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid));
    if (!target.isEmpty()) {
        // A copy whose executable was rebuilt under it still runs this program.
        const QString deleted = QStringLiteral(" (deleted)");
        if (target.endsWith(deleted))
            target.chop(deleted.size());
        return QFileInfo(target).fileName() == ours;
    }
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly))
        return true; // nothing to tell it by: it may be a copy
    return comm.readAll().trimmed() == ours.toLocal8Bit().left(15);
}

Holder holderOf(const QLockFile& lock, const QString& path) {
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock.getLockInfo(&pid, &host, &application)) {
        const QDateTime written = QFileInfo(path).lastModified();
        if (written.isValid() &&
            std::abs(written.msecsTo(QDateTime::currentDateTime())) < SingleCopyLock::WritingTime)
            return Holder::BeingWritten;
        return Holder::None;
    }
    // A copy on another machine sharing the folder cannot be asked whether it still runs.
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return Holder::LivingCopy;
    if (pid == QCoreApplication::applicationPid())
        return Holder::None; // a number of an earlier boot, given to this process again
    return isRunning(pid) && runsThisProgram(pid) ? Holder::LivingCopy : Holder::None;
}

} // namespace

QLockFile::LockError SingleCopyLock::take(QLockFile& lock) {
    const QString path = lock.fileName();
    // Two copies starting together may each remove what they take for a left file; the
    // native lock that QLockFile keeps on the file of a living holder refuses the removal.
    for (int removals = 0; removals < 3;) {
        if (lock.tryLock(0))
            return QLockFile::NoError;
        if (lock.error() != QLockFile::LockFailedError)
            return lock.error();
        switch (holderOf(lock, path)) {
        case Holder::LivingCopy:
            return QLockFile::LockFailedError;
        case Holder::BeingWritten:
            QThread::msleep(50);
            break;
        case Holder::None:
            ++removals;
            if (!lock.removeStaleLockFile() && QFileInfo::exists(path))
                return QLockFile::LockFailedError;
            break;
        }
    }
    return QLockFile::LockFailedError;
}

} // namespace platform
