#include "rules/CalcRuleFiles.h"

#include "platform/ProcessExit.h"
#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"

#include <QFile>

#include <string>

#include <gtest/gtest.h>

namespace {

using rules::CalcRules;
using rules::RuleFile;
using testsupport::CapturedMessages;
using testsupport::TempAppFolder;

const char* const GoodAF = "23,96\n25,96\n26,96\n26,97\n";
const char* const GoodAV = "46,50,0\n52,56,0\n100,104,6\n";
const char* const GoodAH = "18,21,19,22,23,20,24,25,26\n";

CalcRules parse(const char* af, const char* av, const char* ah) {
    return rules::parseCalcRules(RuleFile::fromText(QString::fromUtf8(af), QStringLiteral("AF")),
                                 RuleFile::fromText(QString::fromUtf8(av), QStringLiteral("AV")),
                                 RuleFile::fromText(QString::fromUtf8(ah), QStringLiteral("AH")));
}

TEST(CalcRuleFiles, ReadsTheThreeFilesInOrder) {
    const CalcRules r = parse("23,96,25,96\n26,96\n26,97, 1, 2\n", GoodAV, GoodAH);
    // Only the first four pairs count; the rest of AF is not read.
    EXPECT_EQ(r.exclusionPairs[0].excluded, 23);
    EXPECT_EQ(r.exclusionPairs[0].excluding, 96);
    EXPECT_EQ(r.exclusionPairs[3].excluded, 26);
    EXPECT_EQ(r.exclusionPairs[3].excluding, 97);
    ASSERT_EQ(r.residuaryOrder.size(), 3u);
    EXPECT_EQ(r.residuaryOrder[1].FirstClass, 52);
    EXPECT_EQ(r.residuaryOrder[1].LastClass, 56);
    EXPECT_FALSE(r.residuaryOrder[1].isSide());
    EXPECT_TRUE(r.residuaryOrder[2].isSide());
    EXPECT_EQ(r.grandmotherOrder, (std::vector<int>{18, 21, 19, 22, 23, 20, 24, 25, 26}));
}

// Every file that the calculation could not rely on stops the program with a message that names
// the file, before any case is calculated.
TEST(CalcRuleFiles, RefusesFilesTheCalculationCannotRelyOn) {
    struct Case {
        const char* what;
        std::string af;
        std::string av;
        std::string ah;
        const char* file;
    } cases[] = {
        {"fewer than four pairs", "23,96\n25,96\n26,96\n", GoodAV, GoodAH, "AF"},
        {"a class above 112", "23,96\n25,96\n26,96\n113,97\n", GoodAV, GoodAH, "AF"},
        {"a negative class", "-1,96\n25,96\n26,96\n26,97\n", GoodAV, GoodAH, "AF"},
        {"a text for a number", "23,96\n25,96\n26,96\nجد,97\n", GoodAV, GoodAH, "AF"},
        {"an excluder that can have two heads", "23,96\n25,96\n26,96\n17,13\n", GoodAV, GoodAH, "AF"},
        {"a record cut short", GoodAF, "46,50,0\n100,104\n", GoodAH, "AV"},
        {"an empty walk", GoodAF, "", GoodAH, "AV"},
        {"no closing side record", GoodAF, "46,50,0\n52,56,0\n", GoodAH, "AV"},
        {"a closing side record below 100", GoodAF, "46,50,0\n68,72,6\n", GoodAH, "AV"},
        {"a side record from 100 before the end", GoodAF, "100,104,6\n46,50,0\n100,104,6\n", GoodAH, "AV"},
        {"a range of odd length", GoodAF, "46,49,0\n100,104,6\n", GoodAH, "AV"},
        {"a pair past class 112", GoodAF, "46,50,0\n100,104,8\n", GoodAH, "AV"},
        {"a range that runs backwards", GoodAF, "50,46,0\n100,104,6\n", GoodAH, "AV"},
        {"a grandmother class left out", GoodAF, GoodAV, "18,21,19,22,23,20,24,25\n", "AH"},
        {"a class above 112 in AH", GoodAF, GoodAV, "18,21,19,22,23,20,24,25,26,200\n", "AH"},
        // Numbers past an int: narrowed before the check they overflowed or read as another class.
        {"a last class near the int limit", GoodAF, "46,50,0\n100,104,2147483600\n", GoodAH, "AV"},
        {"a last class past the int limit", GoodAF, "46,50,0\n100,2147483700,6\n", GoodAH, "AV"},
        {"a class that reads as 100 in 32 bits", GoodAF, "46,50,0\n4294967396,104,6\n", GoodAH, "AV"},
        {"a negative offset", GoodAF, "46,50,-2\n100,104,6\n", GoodAH, "AV"},
        {"a class of thousands of digits", GoodAF, "46,50,0\n100,104," + std::string(5000, '9') + "\n",
         GoodAH, "AV"},
        {"class 0 in AF", "0,96\n25,96\n26,96\n26,97\n", GoodAV, GoodAH, "AF"},
        {"an excluder of class 0", "23,0\n25,96\n26,96\n26,97\n", GoodAV, GoodAH, "AF"},
        {"a class that reads as 23 in 32 bits", "4294967319,96\n25,96\n26,96\n26,97\n", GoodAV, GoodAH, "AF"},
        {"a class below the grandmothers in AH", GoodAF, GoodAV, "17,18,21,19,22,23,20,24,25,26\n", "AH"},
        {"a class above the grandmothers in AH", GoodAF, GoodAV, "18,21,19,22,23,20,24,25,26,27\n", "AH"},
        {"a grandmother class in 32 bits only", GoodAF, GoodAV, "18,21,19,22,23,20,24,25,4294967322\n", "AH"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CapturedMessages messages;
        EXPECT_THROW(parse(c.af.c_str(), c.av.c_str(), c.ah.c_str()), platform::ProgramEnded);
        ASSERT_EQ(messages.texts().size(), 1);
        EXPECT_TRUE(messages.last().contains(QLatin1String(c.file))) << messages.last().toStdString();
    }
}

TEST(CalcRuleFiles, AMissingFileStopsTheProgramNamingIt) {
    for (const char* missing : {"AF", "AV", "AH"}) {
        SCOPED_TRACE(missing);
        TempAppFolder folder(true);
        QFile::remove(folder.file(QLatin1String(missing)));
        CapturedMessages messages;
        EXPECT_THROW(rules::loadCalcRules(), platform::ProgramEnded);
        ASSERT_FALSE(messages.texts().isEmpty());
        EXPECT_TRUE(messages.last().contains(QLatin1String(missing)));
    }
}

// The shipped files load through the real reader and keep the promises the calculation relies on.
TEST(CalcRuleFiles, ShippedFilesKeepTheirPromises) {
    TempAppFolder folder(true);
    const CalcRules r = rules::loadCalcRules();

    for (const rules::ExclusionPair& pair : r.exclusionPairs) {
        // School 2 has the grandfather share with the brothers and sisters: nothing of AF may
        // exclude them by him.
        if (pair.excluding == 3) {
            for (int sibling : {10, 11, 16, 17})
                EXPECT_NE(pair.excluded, sibling);
        }
    }

    // The walk covers every relative of the womb that can reach it, each in exactly one place
    // (class 112 falls to the treasury step, where she takes the remainder herself).
    std::vector<int> seen(113, 0);
    for (const rules::ResiduaryRange& range : r.residuaryOrder) {
        for (int c = range.FirstClass; c <= range.LastClass + 1; ++c) {
            ++seen[c];
            if (range.isSide())
                ++seen[c + range.SideOffset];
        }
    }
    for (int c = 46; c <= 111; ++c) {
        if (c >= 96 && c <= 99)
            continue; // a grandfather or the father always takes the remainder first
        EXPECT_EQ(seen[c], 1) << "class " << c;
    }
    EXPECT_EQ(seen[112], 0);
}

} // namespace
