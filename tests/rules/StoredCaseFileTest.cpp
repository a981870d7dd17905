#include "rules/StoredCaseFile.h"

#include "support/TempAppFolder.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using rules::StoredCaseFile;
using Outcome = rules::StoredCaseFile::Outcome;

namespace {

QString fixture(const char* name) {
    return testsupport::testsDir() + QStringLiteral("/rules/fixtures/") + QString::fromUtf8(name);
}

const QString Good = fixture("stored-cases.txt");
const QString Bad = fixture("stored-cases-bad.txt");

TEST(StoredCaseKey, IsSignedNumberText) {
    EXPECT_EQ(StoredCaseFile::keyFor(12), QStringLiteral("ت/ 12"));
    EXPECT_EQ(StoredCaseFile::keyFor(0), QStringLiteral("ت/ 0"));
    EXPECT_EQ(StoredCaseFile::keyFor(-3), QStringLiteral("ت/-3"));
}

TEST(StoredCaseFind, FindsTheKeyAfterOtherRecordsAndReadsTheWholeChain) {
    StoredCaseFile file(Good);
    const auto r = file.find(12);
    ASSERT_EQ(r.outcome, Outcome::Loaded) << r.problem.toStdString();
    EXPECT_FALSE(file.scanning());

    const rules::StoredCase& c = r.record;
    EXPECT_EQ(c.key, QStringLiteral("ت/ 12"));
    EXPECT_EQ(c.school, 1);
    EXPECT_EQ(c.deceasedCount, 2);
    EXPECT_EQ(c.heirCount, 5);
    EXPECT_EQ(c.caseType, QStringLiteral("ن"));
    ASSERT_EQ(c.deceased.size(), 2u);
    EXPECT_EQ(c.deceased[0].name, QStringLiteral("خالد"));
    EXPECT_EQ(c.deceased[0].lastSlot, 3);
    ASSERT_EQ(c.deceased[0].heirs.size(), 3u);
    EXPECT_EQ(c.deceased[0].heirs[0].name, QStringLiteral("هند"));
    EXPECT_EQ(c.deceased[0].heirs[0].relation, QStringLiteral("زوجة"));
    EXPECT_EQ(c.deceased[0].heirs[0].classCode, 5);
    EXPECT_EQ(c.deceased[1].name, QStringLiteral("سالم"));
    EXPECT_EQ(c.deceased[1].lastSlot, 5);
    ASSERT_EQ(c.deceased[1].heirs.size(), 2u);
    EXPECT_EQ(c.deceased[1].heirs[1].name, QStringLiteral("عمر"));
    EXPECT_EQ(c.deceased[1].heirs[1].classCode, 13);
}

TEST(StoredCaseFind, OnlyAKeyLineStartsARecord) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("STORG"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    // An heir of case 4 is named like the key of case 5; reading from his field on would take
    // his relation for a school and the rest of case 4 for case 5.
    f.write("ت/ 4\n"
            " 2, 1, 2,م\n"
            "زيد, 2\n"
            "ت/ 5,ابن, 13\n"
            "عمر,ابن, 13\n"
            "ت/ 5\n"
            " 1, 1, 1,م\n"
            "خالد, 1\n"
            "سالم,اب, 1\n");
    f.close();
    StoredCaseFile file(path);
    const auto r = file.find(5);
    ASSERT_EQ(r.outcome, Outcome::Loaded) << r.problem.toStdString();
    EXPECT_EQ(r.record.school, 1);
    ASSERT_EQ(r.record.deceased.size(), 1u);
    EXPECT_EQ(r.record.deceased[0].name, QStringLiteral("خالد"));
}

TEST(StoredCaseFind, TheKeyMustMatchExactly) {
    StoredCaseFile file(Good);
    // "ت/12" stands before "ت/ 12" in the file; taking it would load the two-heir case.
    const auto twelve = file.find(12);
    ASSERT_EQ(twelve.outcome, Outcome::Loaded);
    EXPECT_EQ(twelve.record.heirCount, 5);

    const auto seven = file.find(7);
    EXPECT_EQ(seven.outcome, Outcome::NotFound);
    EXPECT_FALSE(file.scanning());
}

TEST(StoredCaseFind, AMissingFileIsReportedNotThrown) {
    QTemporaryDir dir;
    StoredCaseFile file(dir.filePath(QStringLiteral("STORG")));
    const auto r = file.find(1);
    EXPECT_EQ(r.outcome, Outcome::Missing);
    EXPECT_TRUE(r.problem.contains(QStringLiteral("STORG")));
    EXPECT_EQ(file.scanFirst().outcome, Outcome::Missing);
    EXPECT_FALSE(file.scanning());
}

TEST(StoredCaseScan, HandsOutEveryRecordInFileOrderThenCloses) {
    StoredCaseFile file(Good);
    QStringList keys;
    auto r = file.scanFirst();
    while (r.outcome == Outcome::Loaded) {
        EXPECT_TRUE(file.scanning());
        keys << r.record.key;
        r = file.scanNext();
    }
    EXPECT_EQ(r.outcome, Outcome::NotFound);
    EXPECT_EQ(keys, QStringList({"ت/ 3", "ت/12", "ت/ 12", "ت/ 20"}));
    EXPECT_FALSE(file.scanning());
    EXPECT_EQ(file.scanNext().outcome, Outcome::NotFound);
}

TEST(StoredCaseScan, ASearchDuringAScanClosesTheScanFirst) {
    StoredCaseFile file(Good);
    ASSERT_EQ(file.scanFirst().outcome, Outcome::Loaded);
    ASSERT_TRUE(file.scanning());

    const auto r = file.find(20);
    ASSERT_EQ(r.outcome, Outcome::Loaded);
    EXPECT_EQ(r.record.deceased[0].heirs[1].classCode, 96);
    EXPECT_FALSE(file.scanning());
    // The abandoned scan does not resume where it stood.
    EXPECT_EQ(file.scanNext().outcome, Outcome::NotFound);

    // A new scan starts from the first record again.
    EXPECT_EQ(file.scanFirst().record.key, QStringLiteral("ت/ 3"));
    file.close();
    EXPECT_FALSE(file.scanning());
}

TEST(StoredCaseScan, ReportsEachMalformedRecordWithItsKeyAndGoesOn) {
    const struct {
        const char* key;
        Outcome outcome;
        const char* reasonPart; // a piece of the reason the report must give
    } expected[] = {
        {"ت/ 1", Outcome::Loaded, ""},
        {"ت/ 2", Outcome::Malformed, "المذهب غير معروف"},
        {"ت/ 3", Outcome::Malformed, "عدد المتوفين غير مناسب"},
        {"ت/ 4", Outcome::Malformed, "ارقام الورثة غير متسلسلة"},
        {"ت/ 5", Outcome::Malformed, "لا يساوي رقم آخر وارث"},
        {"ت/ 6", Outcome::Malformed, "خارج الحدود: 113"},
        {"ت/ 7", Outcome::Malformed, "ينتهي قبل اكتماله"},
        {"ت/ 8", Outcome::Loaded, ""},
        {"ت/ 9", Outcome::Malformed, "نوع المسألة غير معروف"},
        {"ت/ 10", Outcome::Malformed, "خارج الحدود: 3"},
        {"ت/ 11", Outcome::Malformed, "ليس رقما"},
        {"ت/ 14", Outcome::Loaded, ""},
    };
    StoredCaseFile file(Bad);
    auto r = file.scanFirst();
    for (const auto& e : expected) {
        const QString key = QString::fromUtf8(e.key);
        EXPECT_EQ(r.record.key, key);
        EXPECT_EQ(r.outcome, e.outcome) << e.key;
        if (e.outcome == Outcome::Malformed) {
            EXPECT_TRUE(r.problem.contains(key)) << r.problem.toStdString();
            EXPECT_TRUE(r.problem.contains(QString::fromUtf8(e.reasonPart))) << r.problem.toStdString();
        }
        r = file.scanNext();
    }
    EXPECT_EQ(r.outcome, Outcome::NotFound);
    EXPECT_FALSE(file.scanning());
}

TEST(StoredCaseFind, AMalformedRecordIsReportedWhenAskedFor) {
    StoredCaseFile file(Bad);
    const auto r = file.find(7);
    EXPECT_EQ(r.outcome, Outcome::Malformed);
    EXPECT_TRUE(r.problem.contains(QStringLiteral("ت/ 7")));
    // The record cut short must not swallow the one after it.
    EXPECT_EQ(file.find(8).outcome, Outcome::Loaded);
}

TEST(StoredCaseScan, ALeadingLineThatIsNoKeyIsReportedAndSkipped) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("STORG"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("خطأ, 2\r\n\r\nت/ 5\r\n 2, 1, 1,م\r\nاحمد, 1\r\nعلي,ابن, 13\r\n").toUtf8());
    f.close();

    StoredCaseFile file(path);
    const auto first = file.scanFirst();
    EXPECT_EQ(first.outcome, Outcome::Malformed);
    EXPECT_EQ(first.record.key, QStringLiteral("خطأ"));
    const auto second = file.scanNext();
    ASSERT_EQ(second.outcome, Outcome::Loaded);
    EXPECT_EQ(second.record.key, QStringLiteral("ت/ 5"));
    EXPECT_EQ(second.record.deceased[0].heirs[0].relation, QStringLiteral("ابن"));
}

} // namespace
