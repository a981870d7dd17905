#include "platform/widgets/WidgetMessageSink.h"
#include "shell/ApplicationSetup.h"
#include "shell/Form1.h"
#include "shell/Screens.h"

#include <QApplication>

int main(int argc, char** argv) {
    shell::prepareLocale();
    QApplication app(argc, argv);
    shell::prepareApplication(app);
    platform::WidgetMessageSink::install();

    // Start-up, the engine self-test when it is due, then the main window.
    const auto mainWindow = shell::Form1::load({});
    mainWindow->setScreens(shell::mainWindowScreens(mainWindow.get()));
    mainWindow->show();
    return app.exec();
}
