#include "shell/ApplicationSetup.h"
#include "shell/StartUpSequence.h"

#include "platform/AppPaths.h"
#include "platform/ProcessExit.h"
#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <string>

// Running copies of the program on one application folder. Each copy is this test program again,
// started with the folder in its environment: it starts as the program does and stays running
// until its input is closed.
namespace {

const char* const CopyFolder = "FARAID_TEST_COPY_FOLDER";
const QString AlreadyRunning = QStringLiteral("البرنامج مفتوح في نافذة اخرى، أغلقها أولاً");

TEST(RunningCopy, StartsOnTheFolderItIsGivenAndRunsUntilItsInputCloses) {
    const QString folder = qEnvironmentVariable(CopyFolder);
    if (folder.isEmpty())
        GTEST_SKIP() << "run by the copies below";
    shell::prepareApplication(*qApp);
    platform::AppPaths::setApplicationFolder(folder);
    platform::AppPaths::setDriveD(QDir(folder).filePath("D"));
    testsupport::CapturedMessages messages;
    try {
        shell::runStartUp({});
    } catch (const platform::ProgramEnded& ended) {
        std::cout << "ended " << ended.code << '\n' << messages.texts().join('\n').toStdString() << std::endl;
        return;
    }
    std::cout << "started" << std::endl;
    std::string line;
    std::getline(std::cin, line);
}

// Every file under the folder with a digest of its bytes, the running copy's journal and lock
// included.
QMap<QString, QString> filesUnder(const QString& folder) {
    QMap<QString, QString> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << f.fileName().toStdString();
        files.insert(QDir(folder).relativeFilePath(f.fileName()),
                     QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex());
    }
    return files;
}

class SingleCopyTest : public ::testing::Test {
protected:
    std::unique_ptr<QProcess> start() const {
        auto copy = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(CopyFolder, folder.path());
        copy->setProcessEnvironment(env);
        copy->start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=RunningCopy.*", "--gtest_brief=1"});
        EXPECT_TRUE(copy->waitForStarted());
        return copy;
    }
    // Waits until the copy has started or ended; answers what it said.
    static QString firstWords(QProcess& copy) {
        QByteArray out;
        while (!out.contains("started") && !out.contains("ended") && copy.waitForReadyRead(60000))
            out += copy.readAllStandardOutput();
        if (out.contains("ended")) {
            copy.waitForFinished(60000);
            out += copy.readAllStandardOutput();
        }
        return QString::fromUtf8(out);
    }
    static void stop(QProcess& copy) {
        copy.closeWriteChannel();
        EXPECT_TRUE(copy.waitForFinished(60000));
    }

    testsupport::TempAppFolder folder;
};

TEST_F(SingleCopyTest, ASecondCopyOnTheFolderEndsWithAMessageAndChangesNoFile) {
    const auto first = start();
    ASSERT_TRUE(firstWords(*first).contains("started"));
    const QMap<QString, QString> before = filesUnder(folder.path());

    const auto second = start();
    const QString said = firstWords(*second);
    EXPECT_TRUE(said.contains("ended 1")) << said.toStdString();
    EXPECT_TRUE(said.contains(AlreadyRunning)) << said.toStdString();
    EXPECT_EQ(filesUnder(folder.path()), before);

    // The first copy goes on as before, and once it has ended the folder is free again.
    stop(*first);
    const auto third = start();
    EXPECT_TRUE(firstWords(*third).contains("started"));
    stop(*third);
}

TEST_F(SingleCopyTest, TheLockOfAKilledCopyIsTakenOver) {
    const auto killed = start();
    ASSERT_TRUE(firstWords(*killed).contains("started"));
    killed->kill();
    killed->waitForFinished();

    const auto next = start();
    const QString said = firstWords(*next);
    EXPECT_TRUE(said.contains("started")) << said.toStdString();
    stop(*next);
}

} // namespace
