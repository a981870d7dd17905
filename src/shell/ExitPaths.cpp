#include "shell/ExitPaths.h"

#include "entry/ModelCaseQueue.h"
#include "platform/AppPaths.h"
#include "platform/MessageService.h"
#include "platform/ProcessExit.h"
#include "platform/ProgramStarter.h"
#include "platform/widgets/MainMenuReturn.h"

#include <QFileInfo>

namespace shell {

namespace {
void emptyFlags(const data::Database& db) {
    db.execute(QStringLiteral("delete from CHECK_FILE"));
    db.execute(QStringLiteral("delete from LOAD_Vesparin_FORM"));
}
} // namespace

void ExitPaths::CleanExit(const data::Database& db) {
    emptyFlags(db);
    platform::ProcessExit::end(0);
}

void ExitPaths::MainMenuButton() {
    // The sibling program keeps its name without the Windows extension here.
    const QString program = platform::AppPaths::appFile(QString::fromLatin1(SiblingProgram));
    if (QFileInfo::exists(program)) {
        if (platform::ProgramStarter::start(program))
            platform::ProcessExit::end(0);
        platform::MessageService::show(QStringLiteral("تعذر تشغيل البرنامج التعليمي: ") + program,
                                       platform::MessageIcon::Critical);
    }
    // The main window stands in for a fresh start: a model-case range broken off is not waiting
    // at the next model-case command.
    entry::ModelCaseQueue::reset(
        data::Database::OpenDatabase(platform::AppPaths::appFile(QStringLiteral("TALVENO_TEST.mdb"))));
    platform::MainMenuReturn::request();
}

void ExitPaths::closeMainWindow(const data::Database& db) {
    emptyFlags(db);
}

void ExitPaths::quizExit() {
    platform::ProcessExit::end(0);
}

} // namespace shell
