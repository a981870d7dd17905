#include "rules/NumberField.h"

#include <QString>

#include <gtest/gtest.h>

using rules::NumberField;
using Kind = rules::NumberField::Kind;

namespace {

TEST(NumberField, ReadsAWholeNumberAndNothingElse) {
    const struct {
        const char* text;
        Kind kind;
        qint64 value;
    } cases[] = {
        {"12", Kind::Whole, 12},
        {" 12", Kind::Whole, 12}, // signed-number text
        {"12 ", Kind::Whole, 12},
        {"\t7\t", Kind::Whole, 7},
        {"-3", Kind::Whole, -3},
        {"+5", Kind::Whole, 5},
        {"0", Kind::Whole, 0},
        {"12.", Kind::Whole, 12},
        {"12.000", Kind::Whole, 12},
        {"000000000000000000000000013", Kind::Whole, 13}, // leading zeros count for nothing
        {"999999999999999", Kind::Whole, 999999999999999},
        {"13.5", Kind::Fractional, 0}, // not rounded to 14
        {"13.05", Kind::Fractional, 0},
        {"0.5", Kind::Fractional, 0},
        {"1000000000000000", Kind::TooLarge, 0},
        {"4294967396", Kind::Whole, 4294967396}, // wide enough that no narrowing hides it
        {"", Kind::NotANumber, 0},
        {"   ", Kind::NotANumber, 0},
        {"-", Kind::NotANumber, 0},
        {".5", Kind::NotANumber, 0},
        {"12abc", Kind::NotANumber, 0},
        {"1 2", Kind::NotANumber, 0},
        {"1e3", Kind::NotANumber, 0},
        {"0x10", Kind::NotANumber, 0},
        {"١٢", Kind::NotANumber, 0}, // Arabic-Indic digits are no plain number here
        {"اثنان", Kind::NotANumber, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const NumberField::Result r = NumberField::whole(QString::fromUtf8(c.text));
        EXPECT_EQ(r.kind, c.kind);
        EXPECT_EQ(r.value, c.value);
    }
}

TEST(NumberField, AHundredThousandDigitsAreGivenUpAtOnce) {
    const QString huge(100000, QLatin1Char('9'));
    EXPECT_EQ(NumberField::whole(huge).kind, Kind::TooLarge);
    EXPECT_EQ(NumberField::whole(QStringLiteral("1.") + huge + QLatin1Char('1')).kind, Kind::Fractional);
    EXPECT_EQ(NumberField::whole(QStringLiteral("5.") + QString(100000, QLatin1Char('0'))).value, 5);
}

} // namespace
