#include "data/Database.h"
#include "platform/AppPaths.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);

    const QString folder = platform::AppPaths::applicationFolder();
    const auto db = data::Database::OpenDatabase(platform::AppPaths::appFile(QStringLiteral("TALVENO_TEST.mdb")),
                                                 false, false, QStringLiteral(";pwd=velkaro"));
    const qint64 relations = db.count(QStringLiteral("select count(*) as c from relations"));
    std::printf("Application folder: %s\n", qPrintable(QDir::toNativeSeparators(folder)));
    std::printf("Case database opened with %lld relations; the main window comes in a later build.\n",
                static_cast<long long>(relations));
    return 0;
}
