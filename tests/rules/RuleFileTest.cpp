#include "rules/RuleFile.h"

#include "platform/ProcessExit.h"
#include "support/CapturedMessages.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include <vector>

namespace {

using rules::RuleFile;

// One read of a row: a text field or a number field.
enum class Read { Text, Number };

struct FieldCase {
    const char* name;
    const char* text;
    std::vector<Read> reads;
    // What each read gives, numbers written in decimal; a failing read has no entry.
    std::vector<const char*> expected;
    bool lastReadFails;
    bool atEndAfter; // only looked at when no read fails
};

constexpr Read T = Read::Text;
constexpr Read N = Read::Number;

// The field reader on the edge cases: a field ends at a comma or at the end of
// a line, blanks before it are skipped, a quoted field may hold commas, fields after the last
// one read are never read, and a file that ends early stops the program naming the file.
const FieldCase fieldCases[] = {
    {"extra fields are left unread", "a,b,c,d", {T, T}, {"a", "b"}, false, false},
    {"a quoted field holds a comma", "\"a,b\",c", {T, T}, {"a,b", "c"}, false, true},
    {"blanks before a field are skipped", "   a,  \"b c\" ,\t c", {T, T, T}, {"a", "b c", "c"}, false, true},
    {"blanks before the comma end a plain field", "a  ,b\t", {T, T}, {"a", "b"}, false, true},
    {"a line end ends a field", "a\nb,c\nd", {T, T, T, T}, {"a", "b", "c", "d"}, false, true},
    {"blank lines hold no field", "a\n\n   \nb\n", {T, T}, {"a", "b"}, false, true},
    {"carriage returns are not part of a field", "a\r\n\"b\"\r\n", {T, T}, {"a", "b"}, false, true},
    {"an empty field between commas", "a,,b,", {T, T, T, T}, {"a", "", "b", ""}, false, true},
    {"a quoted field keeps its inner blanks", "\"  a  \"", {T}, {"  a  "}, false, true},
    {"numbers written plainly", " 12, -3,0\n255", {N, N, N, N}, {"12", "-3", "0", "255"}, false, true},
    {"numbers and texts in one file", "3,\"x\",y\n0", {N, T, T, N}, {"3", "x", "y", "0"}, false, true},
    {"a short file", "a,b", {T, T, T}, {"a", "b"}, true, false},
    {"an empty file", "", {T}, {}, true, false},
    {"a number past the end", "1", {N, N}, {"1"}, true, false},
    {"a number that is not written as one", "x", {N}, {}, true, false},
    {"a fraction is not a plain number", "1.5", {N}, {}, true, false},
    {"an empty number field", ",1", {N}, {}, true, false},
};

class RuleFileFields : public ::testing::TestWithParam<FieldCase> {};

TEST_P(RuleFileFields, ReadsAsTheRuleFilesAreRead) {
    const FieldCase& c = GetParam();
    testsupport::CapturedMessages messages;
    RuleFile file = RuleFile::fromText(QString::fromUtf8(c.text), QStringLiteral("AGX"));
    QStringList got;
    bool failed = false;
    try {
        for (Read r : c.reads)
            got << (r == Read::Text ? file.readText() : QString::number(file.readNumber()));
    } catch (const platform::ProgramEnded&) {
        failed = true;
    }
    QStringList expected;
    for (const char* e : c.expected)
        expected << QString::fromUtf8(e);
    EXPECT_EQ(got, expected);
    EXPECT_EQ(failed, c.lastReadFails);
    if (c.lastReadFails) {
        EXPECT_EQ(got.size(), static_cast<qsizetype>(c.reads.size()) - 1) << "only the last read fails";
        ASSERT_EQ(messages.texts().size(), 1);
        EXPECT_TRUE(messages.last().contains(QStringLiteral("AGX"))) << messages.last().toStdString();
    } else {
        EXPECT_TRUE(messages.texts().isEmpty());
        EXPECT_EQ(file.atEnd(), c.atEndAfter);
    }
}

INSTANTIATE_TEST_SUITE_P(EdgeCases, RuleFileFields, ::testing::ValuesIn(fieldCases),
                         [](const ::testing::TestParamInfo<FieldCase>& info) {
                             std::string n;
                             for (const char* p = info.param.name; *p; ++p)
                                 n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return n;
                         });

TEST(RuleFile, AMissingFileStopsTheProgramNamingIt) {
    testsupport::CapturedMessages messages;
    EXPECT_THROW(RuleFile::open(QStringLiteral("/nonexistent-folder/AGL")), platform::ProgramEnded);
    EXPECT_TRUE(messages.last().contains(QStringLiteral("AGL")));
}

} // namespace
