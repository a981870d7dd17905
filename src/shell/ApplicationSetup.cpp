#include "shell/ApplicationSetup.h"

#include "platform/widgets/ScreenChangeGuard.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace shell {

void prepareApplication(QApplication& app) {
    QApplication::setApplicationName(QString::fromUtf16(ProgramName));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    platform::ScreenChangeGuard::install();
    auto* qtArabic = new QTranslator(&app);
    if (qtArabic->load(QStringLiteral("qtbase_ar"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtArabic);
    else
        delete qtArabic;
}

} // namespace shell
