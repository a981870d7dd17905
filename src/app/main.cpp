#include "platform/widgets/WidgetMessageSink.h"
#include "shell/Form1.h"
#include "shell/Screens.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    // Qt's own dialogues (the print preview, file choosers) in Arabic too, where the
    // translations are installed.
    QTranslator qtArabic;
    if (qtArabic.load(QStringLiteral("qtbase_ar"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtArabic);
    platform::WidgetMessageSink::install();

    // Start-up, the engine self-test when it is due, then the main window.
    const auto mainWindow = shell::Form1::load({});
    mainWindow->setScreens(shell::mainWindowScreens(mainWindow.get()));
    mainWindow->show();
    return app.exec();
}
