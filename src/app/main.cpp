#include "platform/widgets/WidgetMessageSink.h"
#include "shell/Form1.h"
#include "shell/Screens.h"
#include "shell/StartUpSequence.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    platform::WidgetMessageSink::install();

    const data::Database db = shell::runStartUp({});
    shell::Form1 mainWindow(db, {});
    mainWindow.setScreens(shell::mainWindowScreens(&mainWindow));
    mainWindow.show();
    return app.exec();
}
