#include "succession/MainMenuExit.h"

#include "platform/AppPaths.h"
#include "platform/MessageService.h"
#include "platform/ProcessExit.h"
#include "platform/ProgramStarter.h"

#include <QCoreApplication>

namespace succession::MainMenuExit {

void run() {
    const QString sibling = platform::AppPaths::appFile(QStringLiteral("Vesparin_TEST"));
    if (!platform::ProgramStarter::start(sibling) &&
        !platform::ProgramStarter::start(QCoreApplication::applicationFilePath()))
        platform::MessageService::show(QStringLiteral("تعذر الرجوع الى القائمة الرئيسية"),
                                       platform::MessageIcon::Critical);
    platform::ProcessExit::end(0);
}

} // namespace succession::MainMenuExit
