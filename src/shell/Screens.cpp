#include "shell/Screens.h"

#include "entry/Form12.h"
#include "exercise/Form2.h"
#include "platform/AppPaths.h"
#include "results/ShrinkEnlargeButtons.h"
#include "shell/ExitPaths.h"
#include "succession/Form6.h"
#include "training/Form15.h"

#include <QPointer>
#include <QPushButton>

namespace shell {

Form13::Dialogs realCaseDialogs() {
    Form13::Dialogs dialogs;
    dialogs.entry = [](engine::EntryStage, engine::CaseContext& context,
                       const results::PartnerWindows& partners) {
        const data::Database db =
            data::Database::OpenDatabase(platform::AppPaths::appFile(QStringLiteral("TALVENO_TEST.mdb")));
        entry::ExitHooks hooks{[db] { ExitPaths::CleanExit(db); }, [] { ExitPaths::MainMenuButton(); }};
        entry::Form12 dialog(db, context, hooks, partners.host);
        new results::ShrinkEnlargeButtons(&dialog, dialog.findChild<QPushButton*>(QStringLiteral("Command2")),
                                          dialog.findChild<QPushButton*>(QStringLiteral("Command5")),
                                          partners);
        dialog.exec();
    };
    dialogs.succession = [](engine::CaseContext& context, const results::PartnerWindows& partners) {
        const data::Database db =
            data::Database::OpenDatabase(platform::AppPaths::appFile(QStringLiteral("TALVENO_TEST.mdb")));
        succession::ExitHooks hooks{[db] { ExitPaths::CleanExit(db); }, [] { ExitPaths::MainMenuButton(); }};
        succession::Form6 dialog(db, context, hooks, partners.host);
        new results::ShrinkEnlargeButtons(&dialog, dialog.findChild<QPushButton*>(QStringLiteral("Command8")),
                                          dialog.findChild<QPushButton*>(QStringLiteral("Command7")),
                                          partners);
        dialog.exec();
    };
    return dialogs;
}

Form1::Screens mainWindowScreens(QWidget* mainWindow) {
    QPointer<QWidget> owner(mainWindow);
    Form1::Screens screens;
    screens[QStringLiteral("new1")] = [owner] { Form13::open(realCaseDialogs(), owner); };
    screens[QStringLiteral("namu")] = [owner] { Form13::open(realCaseDialogs(), owner); };
    screens[QStringLiteral("mun")] = [owner] { Form13::open(realCaseDialogs(), owner); };
    screens[QStringLiteral("masaeel")] = [owner] {
        const exercise::Form2::Exits exits{[](const data::Database& db) { ExitPaths::CleanExit(db); },
                                           [] { ExitPaths::MainMenuButton(); }};
        exercise::Form2::open(exercise::Form2::exerciseDialogs(exits), exits, owner);
    };
    screens[QStringLiteral("iqtibarya")] = [owner] {
        training::Form15::open({[] { ExitPaths::quizExit(); }, owner});
    };
    return screens;
}

} // namespace shell
