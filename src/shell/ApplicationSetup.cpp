#include "shell/ApplicationSetup.h"

#include "platform/widgets/ProgramStyle.h"
#include "platform/widgets/ScreenChangeGuard.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace shell {

namespace {

const QByteArray ArabicLocale = QByteArrayLiteral("ar_IQ.UTF-8");

void installTranslator(QApplication& app, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(&app);
    if (translator->load(name, folder))
        QApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

void prepareLocale() {
    // LC_ALL would override the categories set below: each category takes its value instead.
    const QByteArray all = qgetenv("LC_ALL");
    if (!all.isEmpty()) {
        for (const char* category :
             {"LC_CTYPE", "LC_NUMERIC", "LC_COLLATE", "LC_MONETARY", "LC_TIME", "LC_MESSAGES"})
            qputenv(category, all);
        qunsetenv("LC_ALL");
    }
    const QByteArray language = qgetenv("LANG");
    for (const char* category : {"LC_TIME", "LC_MESSAGES"}) {
        const QByteArray value = qEnvironmentVariableIsEmpty(category) ? language : qgetenv(category);
        if (!value.startsWith("ar"))
            qputenv(category, ArabicLocale);
    }
    // A language list of the user's own comes before the messages category.
    const QByteArray languages = qgetenv("LANGUAGE");
    if (!languages.isEmpty() && !languages.startsWith("ar"))
        qputenv("LANGUAGE", "ar:" + languages);
}

void prepareApplication(QApplication& app) {
    QApplication::setApplicationName(QString::fromUtf16(ProgramName));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    platform::ProgramStyle::install();
    platform::ScreenChangeGuard::install();
    installTranslator(app, QStringLiteral("qtbase_ar"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    // Installed after Qt's own, so it is asked first; it holds only what Qt's lacks.
    installTranslator(app, QStringLiteral("qt_extra_ar"), QStringLiteral(":/translations"));
}

} // namespace shell
