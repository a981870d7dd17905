#include "platform/ProgramStarter.h"

#include <QFileInfo>
#include <QProcess>

namespace platform {

namespace {
ProgramStarter::Handler& handler() {
    static ProgramStarter::Handler h;
    return h;
}
} // namespace

bool ProgramStarter::start(const QString& path) {
    if (handler())
        return handler()(path);
    const QFileInfo info(path);
    if (!info.exists() || !info.isExecutable())
        return false;
    return QProcess::startDetached(path, {}, info.absolutePath());
}

void ProgramStarter::setHandler(Handler h) {
    handler() = std::move(h);
}

} // namespace platform
