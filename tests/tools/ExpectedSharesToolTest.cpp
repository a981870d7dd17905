#include "support/TempAppFolder.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString selfTestFixture(const char* name) {
    QFile f(testsupport::testsDir() + QStringLiteral("/engine/fixtures/selftest/") + QString::fromUtf8(name));
    f.open(QIODevice::ReadOnly);
    return QString::fromUtf8(f.readAll());
}

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(EXPECTED_SHARES_TOOL), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

class ExpectedSharesTool : public ::testing::Test {
protected:
    QString storedCases(const QString& text) {
        const QString path = dir.filePath(QStringLiteral("STORG"));
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(text.toUtf8());
        return path;
    }
    QTemporaryDir dir;
    const QString rules = testsupport::appdataDir();
};

TEST_F(ExpectedSharesTool, WritesTheExpectedSharesFileOfTheSelfTestsVariant) {
    // The fixture's expected shares were worked out by hand; the tool must arrive at the same file.
    const ToolRun r = runTool({QStringLiteral("--app"), rules, storedCases(selfTestFixture("STORG"))});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, selfTestFixture("STOR"));
    EXPECT_TRUE(r.err.isEmpty());
}

TEST_F(ExpectedSharesTool, LiveGivesTheSharesOfTheProgramsOwnCaseRun) {
    const QString path = storedCases(selfTestFixture("STORG"));
    const ToolRun r = runTool({QStringLiteral("--live"), QStringLiteral("--app"), rules, path});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    // Only the grandfather beside a sister with a fixed share is divided otherwise.
    QString expected = selfTestFixture("STOR");
    expected.replace(QStringLiteral("ت/ 5\n1,3\n"), QStringLiteral("ت/ 5\n1,1\n"));
    EXPECT_EQ(r.out, expected);
}

TEST_F(ExpectedSharesTool, AMalformedRecordIsReportedWithItsKeyAndTheRestFollow) {
    QString text = selfTestFixture("STORG");
    text.replace(QStringLiteral("ليلى,زوجة, 5"), QStringLiteral("ليلى,زوجة, 113"));
    const ToolRun r = runTool({QStringLiteral("--app"), rules, storedCases(text)});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("ت/ 2"))) << r.err.toStdString();
    QString expected = selfTestFixture("STOR");
    expected.remove(QStringLiteral("ت/ 2\n1,3\n"));
    EXPECT_EQ(r.out, expected);
}

// Every record that is written is written whole, and every one left out is reported: a NUL byte
// once cut the output short with the tool exiting 0.
TEST_F(ExpectedSharesTool, ARecordThatIsNotCleanTextIsReportedAndTheOthersWrittenWhole) {
    const QByteArray clean = selfTestFixture("STORG").toUtf8();
    const struct {
        const char* what;
        QByteArray bytes;
        const char* key;
        const char* removed; // the record of the expected output that must be left out
    } cases[] = {
        {"a NUL byte in a name", QByteArray(clean).replace("ليلى", QByteArray("لي\0لى", 8)), "ت/ 2",
         "ت/ 2\n1,3\n"},
        {"a NUL byte in a key", QByteArray(clean).replace("ت/ 1\n", QByteArray("ت/ 1\0\n", 7)), "ت/ 1",
         "ت/ 1\n3,14,7\n"},
        {"a byte that is not UTF-8", QByteArray(clean).replace("سعيد", "سع\xFFد"), "ت/ 2", "ت/ 2\n1,3\n"},
        {"a file ending inside a character", clean + "ت/ 9\n 2, 1, 1,م\nاحمد, 1\nعلي,ابن, 13,\xD8", "ت/ 9",
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath(QStringLiteral("STORG"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.bytes);
        f.close();
        QProcess p;
        p.start(QStringLiteral(EXPECTED_SHARES_TOOL), {QStringLiteral("--app"), rules, path});
        ASSERT_TRUE(p.waitForFinished(60000));
        const QByteArray out = p.readAllStandardOutput();
        const QString err = QString::fromUtf8(p.readAllStandardError());
        EXPECT_EQ(p.exitCode(), 1);
        EXPECT_TRUE(err.contains(QString::fromUtf8(c.key))) << err.toStdString();
        EXPECT_FALSE(out.contains('\0'));
        QString expected = selfTestFixture("STOR");
        if (*c.removed != '\0')
            expected.remove(QString::fromUtf8(c.removed));
        EXPECT_EQ(QString::fromUtf8(out), expected);
    }
}

TEST_F(ExpectedSharesTool, RefusesWhatItCannotRead) {
    const struct {
        const char* what;
        QStringList args;
        int exitCode;
    } cases[] = {
        {"no stored-case file named", {QStringLiteral("--live")}, 2},
        {"an unknown option", {QStringLiteral("--all"), storedCases(QString())}, 2},
        {"--app without its folder", {storedCases(QString()), QStringLiteral("--app")}, 2},
        {"a stored-case file that is not there", {QStringLiteral("--app"), rules, dir.filePath("none")}, 2},
        {"rule files that are not there", {QStringLiteral("--app"), dir.path(), storedCases(QString())}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ToolRun r = runTool(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_TRUE(r.out.isEmpty());
    }
}

} // namespace
