#include "platform/widgets/DocumentOpener.h"

#include "platform/AppPaths.h"
#include "platform/MessageService.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

namespace platform {

namespace {

DocumentOpener::Handler& handler() {
    static DocumentOpener::Handler h;
    return h;
}

QString& launcher() {
    static QString program = QStringLiteral("xdg-open");
    return program;
}

void reportUnopened(const QString& fileName) {
    MessageService::show(QStringLiteral("لا يوجد برنامج لفتح الملف: ") + fileName, MessageIcon::Critical);
}

} // namespace

bool DocumentOpener::open(const QString& fileName) {
    const QString path = AppPaths::appFile(fileName);
    if (!QFileInfo(path).isFile()) {
        MessageService::show(QStringLiteral("الملف غير موجود: ") + fileName, MessageIcon::Critical);
        return false;
    }
    if (handler()) {
        const bool opened = handler()(path);
        if (!opened)
            reportUnopened(fileName);
        return opened;
    }
    // The desktop's opener starts whatever application the desktop has for the type and tells by
    // its exit status whether one took the document ("no application" is a status, not a failure
    // to start the opener). It may run as long as the application does, so it is not waited for.
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProgram(launcher());
    process->setArguments({path});
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, fileName](QProcess::ProcessError e) {
                         if (e != QProcess::FailedToStart)
                             return;
                         reportUnopened(fileName);
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::finished, process,
                     [process, fileName](int code, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || code != 0)
                             reportUnopened(fileName);
                         process->deleteLater();
                     });
    process->start();
    return true;
}

void DocumentOpener::setHandler(Handler h) {
    handler() = std::move(h);
}

void DocumentOpener::setLauncher(const QString& program) {
    launcher() = program.isEmpty() ? QStringLiteral("xdg-open") : program;
}

} // namespace platform
