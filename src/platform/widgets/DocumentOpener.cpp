#include "platform/widgets/DocumentOpener.h"

#include "platform/AppPaths.h"
#include "platform/MessageService.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace platform {

namespace {
DocumentOpener::Handler& handler() {
    static DocumentOpener::Handler h;
    return h;
}
} // namespace

bool DocumentOpener::open(const QString& fileName) {
    const QString path = AppPaths::appFile(fileName);
    if (!QFileInfo(path).isFile()) {
        MessageService::show(QStringLiteral("الملف غير موجود: ") + fileName, MessageIcon::Critical);
        return false;
    }
    const bool opened = handler() ? handler()(path) : QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    if (!opened)
        MessageService::show(QStringLiteral("لا يوجد برنامج لفتح الملف: ") + fileName, MessageIcon::Critical);
    return opened;
}

void DocumentOpener::setHandler(Handler h) {
    handler() = std::move(h);
}

} // namespace platform
