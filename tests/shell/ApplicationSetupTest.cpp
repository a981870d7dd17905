#include "shell/ApplicationSetup.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

class ApplicationSetupTest : public ::testing::Test {
protected:
    void TearDown() override {
        QApplication::setApplicationName(QString());
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QApplication::removeTranslator(translator);
            delete translator;
        }
    }
};

TEST_F(ApplicationSetupTest, AWindowWithoutATitleOfItsOwnShowsTheProgramsArabicName) {
    shell::prepareApplication(*qApp);
    // The name the platform puts in the title bar of a window, or message box, left untitled.
    const QString fallback = QGuiApplication::applicationDisplayName();
    EXPECT_FALSE(fallback.trimmed().isEmpty());
    EXPECT_FALSE(fallback.contains(QRegularExpression(QStringLiteral("[A-Za-z]")))) << fallback.toStdString();
    EXPECT_EQ(QApplication::layoutDirection(), Qt::RightToLeft);
}

TEST_F(ApplicationSetupTest, QtsOwnDialoguesSpeakArabic) {
    if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                           QStringLiteral("/qtbase_ar.qm")))
        GTEST_SKIP() << "Qt's Arabic translations are not installed";
    shell::prepareApplication(*qApp);
    EXPECT_NE(QCoreApplication::translate("QPrintPreviewDialog", "Print"), QStringLiteral("Print"));
}

} // namespace
