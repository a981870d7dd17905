#include "shell/ApplicationSetup.h"

#include "platform/widgets/ProgramStyle.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <gtest/gtest.h>

#include <map>
#include <string>

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

// The program's look (the focus shown, Arabic captions whole) over the style the desktop chose, set
// once however often the application is prepared.
TEST_F(ApplicationSetupTest, TheProgramsStyleWrapsTheChosenStyleOnce) {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    shell::prepareApplication(*qApp);
    shell::prepareApplication(*qApp);
    const auto* style = qobject_cast<platform::ProgramStyle*>(QApplication::style());
    ASSERT_TRUE(style);
    EXPECT_EQ(style->baseStyle()->name().toLower(), QStringLiteral("windows"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    platform::ProgramStyle::install();
}

TEST_F(ApplicationSetupTest, QtsOwnDialoguesSpeakArabic) {
    if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                           QStringLiteral("/qtbase_ar.qm")))
        GTEST_SKIP() << "Qt's Arabic translations are not installed";
    shell::prepareApplication(*qApp);
    EXPECT_NE(QCoreApplication::translate("QPrintPreviewDialog", "Print"), QStringLiteral("Print"));
}

TEST_F(ApplicationSetupTest, TheSaveDialoguesTypeColumnCallsAFolderAFolderInArabic) {
    if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                           QStringLiteral("/qtbase_ar.qm")))
        GTEST_SKIP() << "Qt's Arabic translations are not installed";
    shell::prepareApplication(*qApp);
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("قضايا")));
    QFileDialog dialog(nullptr, QString(), dir.path());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    auto* model = dialog.findChild<QFileSystemModel*>();
    ASSERT_TRUE(model);
    const QString folder = dir.filePath(QStringLiteral("قضايا"));
    // The model reads the folder in the background.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !model->index(folder, 2).data().toString().isEmpty(); }, 5000));
    EXPECT_EQ(model->index(folder, 2).data().toString(), QStringLiteral("مجلد"));
    // Qt's own texts, above the list, stay in Arabic as well.
    EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(),
              QCoreApplication::translate("QFileSystemModel", "Type", "All other platforms"));
    EXPECT_NE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Type"));
}

// The environment the program is started in decides how it reads and writes numbers; the dates
// and the file types of the platform's dialogues come out Arabic whatever it is.
TEST(ProgramLocale, DatesAndMessagesTurnArabicWhileNumbersKeepTheEnvironmentsForm) {
    const char* const variables[] = {"LC_ALL",   "LC_TIME",  "LC_NUMERIC", "LC_MESSAGES", "LANG",
                                     "LANGUAGE", "LC_CTYPE", "LC_COLLATE", "LC_MONETARY"};
    std::map<std::string, QByteArray> saved;
    for (const char* v : variables)
        saved[v] = qgetenv(v);
    const auto effective = [](const char* category) {
        for (const char* v : {"LC_ALL", category, "LANG"}) {
            if (!qEnvironmentVariableIsEmpty(v))
                return qgetenv(v);
        }
        return QByteArray("C");
    };

    const struct {
        const char* name;
        std::map<std::string, QByteArray> environment;
        QByteArray numbers;
        QByteArray time;      // empty: any Arabic
        QByteArray languages; // empty: not set
    } cases[] = {
        {"nothing set", {}, "C", {}, {}},
        {"everything C", {{"LC_ALL", "C"}}, "C", {}, {}},
        {"English", {{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "en_US:en"}}, "en_US.UTF-8", {}, "ar:en_US:en"},
        {"German numbers", {{"LANG", "en_GB.UTF-8"}, {"LC_NUMERIC", "de_DE.UTF-8"}}, "de_DE.UTF-8", {}, {}},
        {"the user's own Arabic",
         {{"LANG", "ar_SY.UTF-8"}, {"LANGUAGE", "ar"}},
         "ar_SY.UTF-8",
         "ar_SY.UTF-8",
         "ar"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* v : variables)
            qunsetenv(v);
        for (const auto& [name, value] : c.environment)
            qputenv(name.c_str(), value);

        shell::prepareLocale();

        EXPECT_EQ(effective("LC_NUMERIC"), c.numbers);
        EXPECT_TRUE(effective("LC_TIME").startsWith("ar")) << effective("LC_TIME").constData();
        EXPECT_TRUE(effective("LC_MESSAGES").startsWith("ar")) << effective("LC_MESSAGES").constData();
        EXPECT_EQ(qgetenv("LANGUAGE"), c.languages);
        if (!c.time.isEmpty()) {
            EXPECT_EQ(effective("LC_TIME"), c.time);
        }
    }
    for (const char* v : variables) {
        if (saved[v].isNull())
            qunsetenv(v);
        else
            qputenv(v, saved[v]);
    }
}

} // namespace
