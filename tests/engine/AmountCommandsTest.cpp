#include "engine/report/AmountCommands.h"

#include "ReportTestBench.h"
#include "engine/report/ReportTables.h"
#include "engine/report/UnifiedReport.h"

#include <gtest/gtest.h>

#include <optional>

using engine::Rational;
using engine::Thousandths;
using testsupport::Heir;
using testsupport::ReportTestBench;
using testsupport::tableRows;

namespace {

struct ParseCase {
    QString text;
    std::optional<Rational> expected;
};

TEST(EstateAmount, OnlyAPositiveNumberInWesternOrArabicDigitsIsAnAmount) {
    const ParseCase cases[] = {
        {"1000", Rational(1000)},
        {"1500.5", Rational(3001, 2)},
        {"2.01", Rational(201, 100)},
        {"0.001", Rational(1, 1000)},
        {" 250 ", Rational(250)},
        {"١٠٠٠", Rational(1000)},
        {"١٥٠٠٫٥", Rational(3001, 2)},
        {"١٥٠٠.٥", Rational(3001, 2)},
        {"۱۲", Rational(12)},
        {"007", Rational(7)},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"abc", std::nullopt},
        {"0", std::nullopt},
        {"0.000", std::nullopt},
        {"-1000", std::nullopt},
        {"+1000", std::nullopt},
        {"1,000", std::nullopt},
        {"1٬000", std::nullopt},
        {"2500abc", std::nullopt},
        {"2500 دينار", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1e3", std::nullopt},
        {".", std::nullopt},
        {"5 5", std::nullopt},
        {"010", Rational(10)},
        // Past 64 bits, and more decimals than any 64-bit fraction holds: still exact.
        {"99999999999999999999", Rational(engine::BigInt("99999999999999999999"))},
        {"123456789012345678901234567890.5", Rational(engine::BigInt("246913578024691357802469135781"), 2)},
        {"0.000000000000000000000000001", Rational(1, engine::BigInt("1000000000000000000000000000"))},
        {"٣٫١٤١٥٩٢٦٥٣٥٨٩٧٩٣٢٣٨٤٦٢٦٤٣٣٨٣٢٧٩",
         Rational(engine::BigInt("3141592653589793238462643383279"), engine::BigInt("1" + std::string(30, '0')))},
        {"0.000000000000000000000000000", std::nullopt},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(engine::parseEstateAmount(c.text), c.expected);
    }
}

// What the entry dialogue's estate stage does when the user accepts an amount and a currency.
testsupport::ScriptedPort::Answer estate(const data::Database& db, const QString& amount,
                                         const QString& currency) {
    return [db, amount, currency](engine::CaseContext& c) {
        if (!db.exists("select * from currency_name where currency_name = ?", {currency}))
            db.execute("insert into currency_name (currency_name) values (?)", {currency});
        c.Text_tariqa_ammount = amount;
        c.Text_tariqa_currency = currency;
        db.execute("delete from TAWHEED");
        db.execute("delete from TAWHEED_CHILED");
        db.execute("delete from REPORT_DESTRIBUTER");
        db.execute("insert into REPORT_DESTRIBUTER (REPORT_DESTRIBUTER) values ('تركة')");
    };
}

// What the results screen's percentages button does before command 3 reaches the engine.
void percentagesButton(ReportTestBench& b) {
    b.db.execute("delete from REPORT_DESTRIBUTER");
    b.db.execute("insert into REPORT_DESTRIBUTER (REPORT_DESTRIBUTER) values ('مئوية')");
    b.db.execute("delete from TAWHEED");
    b.db.execute("delete from TAWHEED_CHILED");
    b.state.MenuChoice = 3;
}

void thirds(ReportTestBench& b) {
    b.singleDeath("حامد", {{"أحمد", "ابن", 13, 1}, {"بكر", "ابن", 13, 1}, {"جعفر", "ابن", 13, 1}});
    b.state.CaseBase = 3;
}

QStringList texts(const std::vector<Thousandths>& amounts) {
    QStringList out;
    for (std::size_t j = 1; j < amounts.size(); ++j)
        out << amounts[j].text();
    return out;
}

struct ConversionCase {
    const char* what;
    std::vector<int> shares;
    int base;
    Rational amount;
    QStringList expected;
};

TEST(ConvertedAmounts, EachShareOfTheAmountIsCutDownToThousandths) {
    const ConversionCase cases[] = {
        {"thirds as percentages", {1, 1, 1}, 3, Rational(100), {"33.333", "33.333", "33.333"}},
        {"thirds of 1000", {1, 1, 1}, 3, Rational(1000), {"333.333", "333.333", "333.333"}},
        {"thirds of 1500.5", {1, 1, 1}, 3, Rational(3001, 2), {"500.166", "500.166", "500.166"}},
        {"a sole heir of 2.01", {1}, 1, Rational(201, 100), {"2.01"}},
        {"a sole heir of 2.01 at base 24", {24}, 24, Rational(201, 100), {"2.01"}},
        {"one part in 100000", {1, 99999}, 100000, Rational(100), {"0.001", "99.999"}},
        {"one part in 200000", {1, 199999}, 200000, Rational(100), {"0", "99.999"}},
        {"quarters of 10", {1, 3}, 4, Rational(10), {"2.5", "7.5"}},
        {"a blocked heir", {0, 5}, 5, Rational(100), {"0", "100"}},
    };
    for (const ConversionCase& c : cases) {
        SCOPED_TRACE(c.what);
        engine::EngineState s;
        s.newChain(1);
        s.ensureSlots(static_cast<int>(c.shares.size()));
        for (std::size_t j = 0; j < c.shares.size(); ++j)
            s.HeirShare[j + 1] = c.shares[j];
        s.HeirTotal = static_cast<int>(c.shares.size());
        s.CaseBase = c.base;
        EXPECT_EQ(texts(engine::ConvertedAmounts(s, c.amount)), c.expected);
    }
}

TEST(ShowPercentages, PrintsTheDivisionAsPercentagesUnderItsTitle) {
    ReportTestBench b;
    thirds(b);
    b.context.Text_tariqa_ammount = "750";
    engine::ReportTables(b.db).appendPrintText(engine::PrintTextRow::title("سطر التقرير"));
    percentagesButton(b);
    engine::ShowPercentages(b.ctx);
    testsupport::expectLines(testsupport::reportTableRows(b.db),
                             testsupport::fixture("percentages_thirds.rows"));
    EXPECT_EQ(b.state.AmountUnit, "%");
    EXPECT_EQ(b.state.EstateAmount, Rational(100));
    EXPECT_EQ(b.state.AmountTableFlag, 1);
    // The division itself is kept exact for the next command.
    EXPECT_EQ(b.state.CaseBase, 3);
    EXPECT_EQ(b.state.HeirShare[1], 1);
}

TEST(DivideGivenEstate, RefusesWhatIsNoAmountAndAsksAgain) {
    ReportTestBench b;
    thirds(b);
    b.state.MenuChoice = 4;
    for (const char* refused : {"", "abc", "-1000", "1,000", "2500abc"})
        b.port.answer(estate(b.db, refused, "دينار"));
    b.port.answer(estate(b.db, "١٥٠٠٫٥", "ريال"));
    engine::DivideGivenEstate(b.ctx);

    EXPECT_EQ(b.port.messages, QStringList(5, "المبلغ غير صحيح"));
    ASSERT_EQ(b.port.shown.size(), 6u);
    for (const auto& shown : b.port.shown) {
        EXPECT_EQ(shown.screen, "تركة");
        EXPECT_EQ(shown.caseType, "تركة");
    }
    EXPECT_EQ(tableRows(b.db, "TAWHEED_CHILED"),
              (QStringList{"TAWHEED_CHILED|\"1\"|\"أحمد\"|\"500.166\"|\"١٥٠٠٫٥\"|\"\"",
                           "TAWHEED_CHILED|\"2\"|\"بكر\"|\"500.166\"|\"١٥٠٠٫٥\"|\"\"",
                           "TAWHEED_CHILED|\"3\"|\"جعفر\"|\"500.166\"|\"١٥٠٠٫٥\"|\"\""}));
    EXPECT_EQ(b.state.AmountUnit, "ريال");
    EXPECT_EQ(b.state.EstateAmount, Rational(3001, 2));
}

TEST(DivideGivenEstate, WritesTheTableOfAmountsInTheCurrency) {
    ReportTestBench b;
    thirds(b);
    b.state.MenuChoice = 4;
    b.port.answer(estate(b.db, "1000", "دينار"));
    engine::DivideGivenEstate(b.ctx);
    testsupport::expectLines(testsupport::reportTableRows(b.db), testsupport::fixture("estate_thirds.rows"));
    testsupport::expectLines(testsupport::barred(b.window()), testsupport::fixture("estate_thirds.window"));
}

// The figures of one command, whatever came before it.
QStringList figures(ReportTestBench& b);

TEST(DivideGivenEstate, TakesAnAmountOfAnySizeAndPrecisionExactly) {
    ReportTestBench b;
    thirds(b);
    b.state.MenuChoice = 4;
    const QString amount = "123456789012345678901234567890.123456789";
    b.port.answer(estate(b.db, amount, "دينار"));
    engine::DivideGivenEstate(b.ctx);
    EXPECT_TRUE(b.port.messages.isEmpty());
    EXPECT_EQ(b.state.EstateAmount,
              Rational(engine::BigInt("123456789012345678901234567890123456789"), engine::BigInt("1000000000")));
    // A third of it, cut down to the thousandth.
    const QString third = "41152263004115226300411522630.041 دينار";
    EXPECT_EQ(figures(b), (QStringList{amount + " ", third, third, third, "123456789012345678901234567890.123 "}));
}

QStringList figures(ReportTestBench& b) {
    QStringList out;
    for (const QSqlRecord& r : b.db.select("select kinds, share from PRINT_TEXT where case_ser <> '' and "
                                           "kinds not like '--%' order by rowid"))
        out << r.value("kinds").toString() + " " + r.value("share").toString();
    return out;
}

TEST(AmountCommands, RepeatedCommandsGiveTheSameFigures) {
    ReportTestBench b;
    thirds(b);
    const auto percentages = [&] {
        percentagesButton(b);
        engine::ShowPercentages(b.ctx);
        return figures(b);
    };
    const auto estateOf = [&](const QString& amount) {
        b.state.MenuChoice = 4;
        b.port.answer(estate(b.db, amount, "دينار"));
        engine::DivideGivenEstate(b.ctx);
        return figures(b);
    };
    const QStringList firstPercentages = percentages();
    EXPECT_EQ(firstPercentages, (QStringList{"100 ", "33.333 %", "33.333 %", "33.333 %", "99.999 "}));
    EXPECT_EQ(percentages(), firstPercentages);
    // Not 333.33: the amounts come from the exact shares, not from the percentages shown before.
    const QStringList thousand = estateOf("1000");
    EXPECT_EQ(thousand,
              (QStringList{"1000 ", "333.333 دينار", "333.333 دينار", "333.333 دينار", "999.999 "}));
    EXPECT_EQ(percentages(), firstPercentages);
    EXPECT_EQ(estateOf("1000"), thousand);
}

TEST(AmountCommands, AMergedDivisionIsConvertedFromTheCombinedBase) {
    ReportTestBench b;
    b.singleDeath("الاول", {{"سامي", "ابن", 13, 5}, {"يوسف", "ابن", 13, 0}});
    b.state.newChain(2);
    b.state.DeceasedName[1] = "الاول";
    b.state.DeceasedName[2] = "يوسف";
    b.state.DeceasedLastHeir[1] = 2;
    b.addHeirs(2, {{"سامي", "اخ", 16, 0}, {"زكي", "ابن", 13, 3}});
    b.state.CaseBase = 2; // the last deceased's own base: not the division's
    b.state.CombinedBase = 8;
    percentagesButton(b);
    engine::ShowPercentages(b.ctx);
    EXPECT_EQ(figures(b), (QStringList{"100 ", "62.5 %", "37.5 %", "100 "}));
}

TEST(UnifiedReport, ListsTheMergedSharesInOneTable) {
    ReportTestBench b;
    b.singleDeath("الاول", {{"سامي", "ابن", 13, 5}, {"يوسف", "ابن", 13, 0}});
    b.state.newChain(2);
    b.state.DeceasedName[1] = "الاول";
    b.state.DeceasedName[2] = "يوسف";
    b.state.DeceasedLastHeir[1] = 2;
    b.addHeirs(2, {{"سامي", "اخ", 16, 0}, {"زكي", "ابن", 13, 3}});
    b.state.CombinedBase = 8;
    b.state.MenuChoice = 9;
    b.context.Text_tariqa_ammount = "5000";
    engine::ReportTables(b.db).appendPrintText(engine::PrintTextRow::title("سطر التقرير"));
    engine::UnifiedReport(b.ctx);
    testsupport::expectLines(testsupport::reportTableRows(b.db), testsupport::fixture("unified_merge.rows"));
    testsupport::expectLines(testsupport::barred(b.window()), testsupport::fixture("unified_merge.window"));
    EXPECT_EQ(b.state.LineCount, 2);
}

TEST(UnifiedReport, AWideCombinedBaseIsPrintedAndStoredWhole) {
    ReportTestBench b;
    const engine::BigInt base("340282366920938463463374607431768211457"); // 2^128 + 1
    b.singleDeath("الاول", {{"سامي", "ابن", 13, 0}, {"زكي", "ابن", 13, 0}});
    b.state.newChain(2);
    b.state.DeceasedName[1] = "الاول";
    b.state.DeceasedLastHeir[1] = 2;
    b.state.DeceasedLastHeir[2] = 2;
    b.state.HeirShare[1] = base - 1;
    b.state.HeirShare[2] = 1;
    b.state.CombinedBase = base;
    engine::UnifiedReport(b.ctx);
    EXPECT_EQ(tableRows(b.db, "TAWHEED_CHILED").first(),
              "TAWHEED_CHILED|\"1\"|\"سامي\"|\"340282366920938463463374607431768211456\"|\"\"|\"\"");
    const auto total = b.db.select("select kinds from PRINT_TEXT where case_ser = 'المجموع'");
    ASSERT_EQ(total.size(), 1);
    EXPECT_EQ(total[0].value("kinds").toString(), "340282366920938463463374607431768211457");
}

TEST(ClosingLines, FollowEveryDivisionButTheConversions) {
    for (const int choice : {0, 2, 3, 4, 9, 10}) {
        SCOPED_TRACE(choice);
        ReportTestBench b;
        b.state.MenuChoice = choice;
        engine::ClosingLines(b.ctx);
        const QStringList window = b.window();
        if (choice == 3 || choice == 4) {
            EXPECT_TRUE(window.isEmpty());
            continue;
        }
        ASSERT_EQ(window.size(), 10);
        for (int k = 21; k <= 30; ++k)
            EXPECT_EQ(window[k - 21], QString(5, ' ') + b.names.MenuTexts[k]);
        EXPECT_EQ(window[2], QString(10, ' '));
        EXPECT_TRUE(tableRows(b.db, "PRINT_TEXT").isEmpty());
    }
}

} // namespace
