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

namespace {

// One record written to a file of its own, as bytes.
StoredCaseFile::Result readOne(const QByteArray& bytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("STORG"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    f.close();
    StoredCaseFile file(path);
    return file.scanFirst();
}

QByteArray utf8(const char* text) {
    return QByteArray(text);
}

struct RecordCase {
    const char* what;
    QByteArray record;
    const char* reasonPart; // empty: the record loads
};

// One deceased "خالد" with `sons` sons; with `laterSons`, one of them, "و1", dies after him and
// leaves that many sons of his own.
QByteArray sonsRecord(int sons, int laterSons = 0) {
    const int slotCount = sons + laterSons;
    QByteArray r = "ت/ 1\n 2, " + QByteArray::number(laterSons ? 2 : 1) + ", " +
                   QByteArray::number(slotCount) + (laterSons ? ",ن\n" : ",م\n");
    r += "خالد, " + QByteArray::number(sons) + "\n";
    for (int i = 1; i <= sons; ++i)
        r += "و" + QByteArray::number(i) + ",ابن, 13\n";
    if (laterSons) {
        r += "و1, " + QByteArray::number(slotCount) + "\n";
        for (int i = 1; i <= laterSons; ++i)
            r += "ح" + QByteArray::number(i) + ",ابن, 13\n";
    }
    return r;
}

// What the entry screens and the intake would refuse never reaches the calculation from the file
// either; a refusal names the record's key and the file. The engine holds 50 heirs of one
// deceased: a record with more is refused by that limit, not taken for slots out of order.
TEST(StoredCaseChecks, RefusesWhatTheEntryScreensRefuse) {
    const RecordCase cases[] = {
        {"a plain case", utf8("ت/ 1\n 2, 1, 2,م\nاحمد, 2\nعلي,ابن, 13\nهند,بنت, 7\n"), ""},
        {"one name under two relations in a single death (the same person)",
         utf8("ت/ 1\n 2, 1, 2,م\nاحمد, 2\nعلي,زوج, 4\nعلي,ابن عم, 33\n"), ""},
        {"four wives",
         utf8("ت/ 1\n 2, 1, 5,م\nاحمد, 5\nا,زوجة, 5\nب,زوجة, 5\nج,زوجة, 5\nد,زوجة, 5\nعلي,ابن, 13\n"), ""},
        {"lines ending in CR LF", utf8("ت/ 1\r\n 2, 1, 1,م\r\nاحمد, 1\r\nعلي,ابن, 13\r\n"), ""},
        {"lines ending in CR", utf8("ت/ 1\r 2, 1, 1,م\rاحمد, 1\rعلي,ابن, 13\r"), ""},
        {"a whole number written with a point", utf8("ت/ 1\n 2, 1, 1.0,م\nاحمد, 1.\nعلي,ابن, 13.00\n"), ""},
        {"a second father", utf8("ت/ 1\n 2, 1, 2,م\nاحمد, 2\nعلي,اب, 1\nعمر,اب, 1\n"), "مكرر"},
        {"a second husband", utf8("ت/ 1\n 2, 1, 2,م\nهند, 2\nعلي,زوج, 4\nعمر,زوج, 4\n"), "مكرر"},
        {"a second grandfather of one degree", utf8("ت/ 1\n 2, 1, 2,م\nاحمد, 2\nعلي,جد, 96\nعمر,اب اب, 96\n"),
         "مكرر"},
        {"a second grandmother of one class",
         utf8("ت/ 1\n 2, 1, 2,م\nاحمد, 2\nهند,ام ام, 18\nسعاد,ام ام, 18\n"), "مكرر"},
        {"the same heir twice in a single death",
         utf8("ت/ 1\n 2, 1, 2,م\nاحمد, 2\nعلي,ابن, 13\nعلي,ابن, 13\n"), "مكرر"},
        {"husband beside wife", utf8("ت/ 1\n 2, 1, 2,م\nاحمد, 2\nعلي,زوج, 4\nهند,زوجة, 5\n"), "زوج وزوجة"},
        {"wife beside husband", utf8("ت/ 1\n 2, 1, 2,م\nاحمد, 2\nهند,زوجة, 5\nعلي,زوج, 4\n"), "زوج وزوجة"},
        {"a fifth wife",
         utf8("ت/ 1\n 2, 1, 5,م\nاحمد, 5\nا,زوجة, 5\nب,زوجة, 5\nج,زوجة, 5\nد,زوجة, 5\nه,زوجة, 5\n"),
         "اربع زوجات"},
        {"a deceased named twice",
         utf8("ت/ 1\n 2, 3, 3,ن\nخالد, 1\nسالم,ابن, 13\nسالم, 2\nخالد2,ابن, 13\nسالم, 3\nزيد,ابن, 13\n"),
         "مكرر"},
        {"one name twice under one deceased of a chain",
         utf8("ت/ 1\n 2, 2, 3,ن\nخالد, 2\nسالم,ابن, 13\nسالم,ابن عم, 33\nسالم, 3\nعمر,ابن, 13\n"),
         "مكرر عند المتوفى"},
        {"a deceased among his own heirs", utf8("ت/ 1\n 2, 1, 2,م\nاحمد, 2\nاحمد,ابن, 13\nهند,بنت, 7\n"),
         "وارثا لنفسه"},
        {"a later deceased who is nobody's earlier heir",
         utf8("ت/ 1\n 2, 2, 2,ن\nخالد, 1\nسالم,ابن, 13\nكريم, 2\nعمر,ابن, 13\n"), "ليس وارثا لمن توفي قبله"},
        {"an earlier deceased among a later one's heirs",
         utf8("ت/ 1\n 2, 2, 2,ن\nخالد, 1\nسالم,ابن, 13\nسالم, 2\nخالد,اب, 1\n"), "ممن توفي بعده"},
        {"the stretching stroke in a deceased's name", utf8("ت/ 1\n 2, 1, 1,م\nاحـمد, 1\nعلي,ابن, 13\n"),
         "ـ"},
        {"the stretching stroke in an heir's name", utf8("ت/ 1\n 2, 1, 1,م\nاحمد, 1\nعلـي,ابن, 13\n"), "ـ"},
        {"a fractional class", utf8("ت/ 1\n 2, 1, 1,م\nاحمد, 1\nعلي,ابن, 13.5\n"), "ليس عددا صحيحا"},
        {"a fractional last slot", utf8("ت/ 1\n 2, 1, 1,م\nاحمد, 0.6\nعلي,ابن, 13\n"), "ليس عددا صحيحا"},
        {"a fractional heir count", utf8("ت/ 1\n 2, 1, 1.5,م\nاحمد, 1\nعلي,ابن, 13\n"), "ليس عددا صحيحا"},
        {"a fractional school", utf8("ت/ 1\n 1.5, 1, 1,م\nاحمد, 1\nعلي,ابن, 13\n"), "ليس عددا صحيحا"},
        {"a class of thousands of digits",
         QByteArray("ت/ 1\n 2, 1, 1,م\nاحمد, 1\nعلي,ابن, ") + QByteArray(100000, '9') + "\n", "خارج الحدود"},
        {"a class that reads as 13 in 32 bits", utf8("ت/ 1\n 2, 1, 1,م\nاحمد, 1\nعلي,ابن, 4294967309\n"),
         "خارج الحدود"},
        {"a NUL byte in a name", utf8("ت/ 1\n 2, 1, 1,م\nاحمد, 1\nعلي") + QByteArray(1, '\0') + "x,ابن, 13\n",
         "السطر 4"},
        {"a byte that is not UTF-8", QByteArray("ت/ 1\n 2, 1, 1,م\nاحمد, 1\nعلي\xFF,ابن, 13\n"), "السطر 4"},
        {"a file ending inside a character", QByteArray("ت/ 1\n 2, 1, 1,م\nاحمد, 1\nعلي,ابن, 13,\xD8"),
         "السطر 4"},
        {"50 heirs", sonsRecord(50), ""},
        {"51 heirs", sonsRecord(51), "الحد 50"},
        {"a later deceased with 50 heirs", sonsRecord(3, 50), ""},
        {"a later deceased with 51 heirs", sonsRecord(3, 51), "الحد 50"},
        {"slot numbers that go back", utf8("ت/ 1\n 2, 2, 2,ن\nخالد, 2\nسالم,ابن, 13\nعمر,ابن, 13\nسالم, 1\n"),
         "غير متسلسلة"},
    };
    for (const RecordCase& c : cases) {
        SCOPED_TRACE(c.what);
        const auto r = readOne(c.record);
        if (*c.reasonPart == '\0') {
            EXPECT_EQ(r.outcome, Outcome::Loaded) << r.problem.toStdString();
            continue;
        }
        EXPECT_EQ(r.outcome, Outcome::Malformed);
        for (const QString& part :
             {QStringLiteral("ت/ 1"), QStringLiteral("STORG"), QString::fromUtf8(c.reasonPart)})
            EXPECT_TRUE(r.problem.contains(part)) << r.problem.toStdString();
    }
}

TEST(StoredCaseChecks, AKeyLineThatIsNotCleanTextIsReportedAndTheNextRecordRead) {
    QByteArray bytes = utf8("ت/ 1") + QByteArray(1, '\0') + "\n 2, 1, 1,م\nاحمد, 1\nعلي,ابن, 13\n";
    bytes += "ت/ 2\n 2, 1, 1,م\nاحمد, 1\nعلي,ابن, 13\n";
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("STORG")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    StoredCaseFile file(f.fileName());
    const auto first = file.scanFirst();
    EXPECT_EQ(first.outcome, Outcome::Malformed);
    EXPECT_TRUE(first.problem.contains(QStringLiteral("السطر 1"))) << first.problem.toStdString();
    const auto second = file.scanNext();
    EXPECT_EQ(second.outcome, Outcome::Loaded) << second.problem.toStdString();
    EXPECT_EQ(second.record.key, QStringLiteral("ت/ 2"));
    // Nor does a search take the unclean key for the clean one.
    EXPECT_EQ(file.find(1).outcome, Outcome::NotFound);
}

} // namespace
