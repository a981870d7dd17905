#include "rules/ExpectedSharesFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using rules::ExpectedSharesFile;
using Rational = ExpectedSharesFile::Rational;

namespace {

TEST(ExpectedShareValue, IsTheNumberTheFieldHolds) {
    const struct {
        const char* field;
        std::optional<Rational> value;
    } cases[] = {
        {"12", Rational(12)},
        {"12.0", Rational(12)},
        {"12.", Rational(12)},
        {"", Rational(0)},
        {"-3", Rational(-3)},
        {"+7", Rational(7)},
        {"0.5", Rational(1, 2)},
        {"0.8", Rational(4, 5)}, // once thrown out of the self-test as a bad octal digit
        {"010", Rational(10)},   // once read as octal 8
        {"00", Rational(0)},
        {"-0.25", Rational(-1, 4)},
        {".25", Rational(1, 4)},
        {"123456789012345678901234567890",
         Rational(ExpectedSharesFile::BigInt("123456789012345678901234567890"))},
        {"\"12\"", std::nullopt}, // quoted: text, never a share
        {"12abc", std::nullopt},
        {"1 2", std::nullopt},
        {"abc", std::nullopt},
        {".", std::nullopt},
        {"-", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(ExpectedSharesFile::value(QString::fromUtf8(c.field)), c.value);
    }
}

TEST(ExpectedShareValue, AFieldOfMoreDigitsThanAnyShareIsText) {
    const QString longest = QString(ExpectedSharesFile::MaxDigits, QLatin1Char('7'));
    EXPECT_EQ(ExpectedSharesFile::value(longest),
              Rational(ExpectedSharesFile::BigInt(longest.toStdString())));
    EXPECT_EQ(
        ExpectedSharesFile::value(QStringLiteral("0.") + longest.left(ExpectedSharesFile::MaxDigits - 1)),
        Rational(ExpectedSharesFile::BigInt(longest.left(ExpectedSharesFile::MaxDigits - 1).toStdString()),
                 pow(ExpectedSharesFile::BigInt(10), ExpectedSharesFile::MaxDigits - 1)));
    for (const QString& field :
         {longest + QLatin1Char('7'), longest + QStringLiteral(".5"), QString(100000, QLatin1Char('9'))}) {
        SCOPED_TRACE(field.size());
        EXPECT_EQ(ExpectedSharesFile::value(field), std::nullopt);
    }
}

TEST(ExpectedSharesFileReading, AByteThatIsNotUtf8MakesItsFieldText) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("STOR"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    // A value cut by a bad byte, and one whose line ends inside a character.
    f.write(QByteArray("\xEF\xBB\xBF") + QStringLiteral("ت/ 1\n").toUtf8() + "3\xFF,4\n5\xD8");
    f.close();

    ExpectedSharesFile file(path);
    ASSERT_TRUE(file.open());
    EXPECT_EQ(file.next(), QStringLiteral("ت/ 1")); // the byte-order mark is no part of the key
    for (int k = 0; k < 3; ++k) {
        const auto field = file.next();
        ASSERT_TRUE(field);
        if (k == 1)
            EXPECT_EQ(ExpectedSharesFile::value(*field), Rational(4));
        else
            EXPECT_EQ(ExpectedSharesFile::value(*field), std::nullopt) << field->toStdString();
    }
    EXPECT_TRUE(file.atEnd());
}

TEST(ExpectedSharesFileReading, FieldsEndAtCommasAndLineEndsAndBlankLinesHoldNone) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("STOR"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("ت/ 1\n 3 ,14,\n\n   \n7\nت/ 2").toUtf8());
    f.close();

    ExpectedSharesFile file(path);
    ASSERT_TRUE(file.open());
    EXPECT_TRUE(file.nextIsKey());
    std::vector<QString> fields;
    while (const auto field = file.next())
        fields.push_back(*field);
    EXPECT_EQ(fields, (std::vector<QString>{QStringLiteral("ت/ 1"), QStringLiteral("3"), QStringLiteral("14"),
                                            QString(), QStringLiteral("7"), QStringLiteral("ت/ 2")}));
    EXPECT_TRUE(file.atEnd());
    EXPECT_FALSE(file.nextIsKey());
}

TEST(ExpectedSharesFileReading, AMissingFileDoesNotOpen) {
    ExpectedSharesFile file(QStringLiteral("/nonexistent/STOR"));
    EXPECT_FALSE(file.open());
    EXPECT_FALSE(file.next());
}

TEST(ExpectedSharesFileWriting, ARecordIsTheKeyLineThenTheValuesLine) {
    EXPECT_EQ(ExpectedSharesFile::record(QStringLiteral("ت/ 7"),
                                         {0, 23, ExpectedSharesFile::BigInt("10000000000000000000000")}),
              QStringLiteral("ت/ 7\n0,23,10000000000000000000000\n"));
}

} // namespace
