#include "engine/report/ReportSurface.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <vector>

namespace {

using boost::multiprecision::cpp_int;
using engine::Num;
using engine::ReportSurface;

using Steps = std::function<void(ReportSurface&)>;

struct LinesCase {
    const char* name;
    Steps steps;
    QStringList expected;
};

QString blanks(int n) {
    return QString(n, QLatin1Char(' '));
}

void expectLines(const std::vector<LinesCase>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReportSurface surface;
        c.steps(surface);
        EXPECT_EQ(surface.lines(), c.expected);
    }
}

TEST(ReportSurfaceZones, MoveToTheStartOfTheNextFourteenColumnZone) {
    const QString x = QStringLiteral("x");
    expectLines({
        {"a leading move leaves the first zone empty",
         [](ReportSurface& s) { s.zone().text("x"); },
         {blanks(14) + x}},
        {"two leading moves reach the third zone",
         [](ReportSurface& s) { s.zone().zone().text("x"); },
         {blanks(28) + x}},
        {"three leading moves reach column 43",
         [](ReportSurface& s) { s.zone().zone().zone().text("x"); },
         {blanks(42) + x}},
        {"inside the first zone",
         [](ReportSurface& s) { s.text("ab").zone().text("x"); },
         {QStringLiteral("ab") + blanks(12) + x}},
        {"on the last column of a zone",
         [](ReportSurface& s) { s.text(QString(13, 'a')).zone().text("x"); },
         {QString(13, 'a') + blanks(1) + x}},
        {"exactly on a zone start after an item: on to the next zone",
         [](ReportSurface& s) { s.text(QString(14, 'a')).zone().text("x"); },
         {QString(14, 'a') + blanks(14) + x}},
        {"one past a zone start",
         [](ReportSurface& s) { s.text(QString(15, 'a')).zone().text("x"); },
         {QString(15, 'a') + blanks(13) + x}},
        {"a zone move alone writes blanks on the open line",
         [](ReportSurface& s) { s.zone().endLine(); },
         {blanks(14)}},
    });
}

TEST(ReportSurfaceZones, ZoneAfterANumberCountsTheNumbersBlanks) {
    ReportSurface s;
    s.number(123456789012LL); // " 123456789012 " fills the first zone exactly
    EXPECT_EQ(s.column(), 15);
    s.zone();
    EXPECT_EQ(s.column(), 29);
}

TEST(ReportSurfaceTab, MovesToTheColumnOrToItOnTheNextLine) {
    expectLines({
        {"ahead on the line",
         [](ReportSurface& s) { s.text("ab").tab(10).text("c"); },
         {QStringLiteral("ab") + blanks(7) + QStringLiteral("c")}},
        {"from the start of the line",
         [](ReportSurface& s) { s.tab(65).text("c"); },
         {blanks(64) + QStringLiteral("c")}},
        {"exactly at the column writes nothing",
         [](ReportSurface& s) { s.text("abc").tab(4).text("d"); },
         {QStringLiteral("abcd")}},
        {"column 1 at the start of a line stays there",
         [](ReportSurface& s) { s.tab(1).text("d"); },
         {QStringLiteral("d")}},
        {"past the column: the line ends first",
         [](ReportSurface& s) { s.text("abcdef").tab(3).text("x"); },
         {QStringLiteral("abcdef"), blanks(2) + QStringLiteral("x")}},
        {"one past the column",
         [](ReportSurface& s) { s.text("abcd").tab(4).text("x"); },
         {QStringLiteral("abcd"), blanks(3) + QStringLiteral("x")}},
        {"a column below 1 counts as column 1",
         [](ReportSurface& s) { s.text("ab").tab(0).text("x"); },
         {QStringLiteral("ab"), QStringLiteral("x")}},
        {"a negative column at the start of a line",
         [](ReportSurface& s) { s.tab(-3).text("x"); },
         {QStringLiteral("x")}},
    });
}

// A heir name that reaches past column 44 pushes relation, share and unit to the next line at
// their own columns, while the heir number stays on the first line.
TEST(ReportSurfaceTab, LongHeirNamePushesTheRestOfTheLineDown) {
    const QString name = QString(40, QChar(0x0645));
    ReportSurface s;
    s.spc(5).number(3).text(QStringLiteral(":-  ")).text(name).zone().tab(44);
    s.text(QStringLiteral("ابن")).tab(65).number(12).zone().tab(80).text(QString());
    s.endLine();

    const QString first = blanks(5) + QStringLiteral(" 3 :-  ") + name;
    ASSERT_EQ(first.size(), 52);
    const QStringList expected = {
        first + blanks(56 - 52),
        blanks(43) + QStringLiteral("ابن") + blanks(65 - 47) + QStringLiteral(" 12 ") + blanks(80 - 69),
    };
    EXPECT_EQ(s.lines(), expected);
}

TEST(ReportSurfaceTab, ShortHeirNameKeepsOneLine) {
    ReportSurface s;
    s.spc(5).number(1).text(QStringLiteral(":-  ")).text(QStringLiteral("محمد")).zone().tab(44);
    s.text(QStringLiteral("ابن")).tab(65).number(12);
    s.endLine();
    const QString line = s.lines().value(0);
    ASSERT_EQ(s.lines().size(), 1);
    EXPECT_EQ(line.indexOf(QStringLiteral("ابن")), 43);
    EXPECT_EQ(line.indexOf(QStringLiteral(" 12 ")), 64);
}

TEST(ReportSurfaceSpc, WritesBlanks) {
    expectLines({
        {"blanks before a text",
         [](ReportSurface& s) { s.spc(3).text("x"); },
         {blanks(3) + QStringLiteral("x")}},
        {"blanks between items",
         [](ReportSurface& s) { s.text("a").spc(2).text("b"); },
         {QStringLiteral("a  b")}},
        {"zero and negative counts write nothing",
         [](ReportSurface& s) { s.text("a").spc(0).spc(-2).text("b"); },
         {QStringLiteral("ab")}},
        {"the title line: sixty blanks",
         [](ReportSurface& s) { s.spc(60).text("x"); },
         {blanks(60) + QStringLiteral("x")}},
    });
}

TEST(ReportSurfaceNumbers, CarryALeadingBlankOrMinusAndATrailingBlank) {
    struct Case {
        const char* name;
        Steps write;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"positive", [](ReportSurface& s) { s.number(24); }, " 24 "},
        {"negative", [](ReportSurface& s) { s.number(-5); }, "-5 "},
        {"zero", [](ReportSurface& s) { s.number(0); }, " 0 "},
        {"largest 64-bit", [](ReportSurface& s) { s.number(std::numeric_limits<std::int64_t>::max()); },
         " 9223372036854775807 "},
        {"smallest 64-bit", [](ReportSurface& s) { s.number(std::numeric_limits<std::int64_t>::min()); },
         "-9223372036854775808 "},
        {"wide integer beyond 2^64", [](ReportSurface& s) { s.number((cpp_int(1) << 64) + 1); },
         " 18446744073709551617 "},
        {"wide integer beyond 2^128, negative", [](ReportSurface& s) { s.number(-(cpp_int(1) << 130)); },
         "-1361129467683753853853498429727072845824 "},
        {"wide zero", [](ReportSurface& s) { s.number(cpp_int(0)); }, " 0 "},
        {"whole Num", [](ReportSurface& s) { s.number(Num(7)); }, " 7 "},
        {"negative whole Num", [](ReportSurface& s) { s.number(Num(-7)); }, "-7 "},
        {"two thirds' denominator", [](ReportSurface& s) { s.number(Num::fraction(3, 2)); }, " 1.5 "},
        {"negative halves", [](ReportSurface& s) { s.number(Num::fraction(-3, 2)); }, "-1.5 "},
        {"below one", [](ReportSurface& s) { s.number(Num::fraction(1, 8)); }, " 0.125 "},
        {"negative below one", [](ReportSurface& s) { s.number(Num::fraction(-1, 8)); }, "-0.125 "},
        {"fifths and halves", [](ReportSurface& s) { s.number(Num::fraction(7, 40)); }, " 0.175 "},
        {"zeros after the point", [](ReportSurface& s) { s.number(Num::fraction(1, 1024)); },
         " 0.0009765625 "},
        {"given unreduced", [](ReportSurface& s) { s.number(Num::fraction(10, 4)); }, " 2.5 "},
        {"no ending decimal", [](ReportSurface& s) { s.number(Num::fraction(1, 3)); }, " 1/3 "},
        {"no ending decimal, negative", [](ReportSurface& s) { s.number(Num::fraction(-2, 3)); }, "-2/3 "},
        {"thirds over halves", [](ReportSurface& s) { s.number(Num::fraction(5, 6)); }, " 5/6 "},
        {"formatted text", [](ReportSurface& s) { s.numberText(QStringLiteral("33.333")); }, " 33.333 "},
        {"formatted negative text", [](ReportSurface& s) { s.numberText(QStringLiteral("-2")); }, "-2 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReportSurface s;
        c.write(s);
        EXPECT_EQ(s.lines(), QStringList{QString::fromUtf8(c.expected)});
        EXPECT_EQ(s.column(), QString::fromUtf8(c.expected).size() + 1);
    }
}

TEST(ReportSurfaceJoining, ConsecutiveItemsFollowOneAnother) {
    expectLines({
        {"texts and numbers",
         [](ReportSurface& s) { s.text("a").text("b").number(1).text(":-").number(-2).text("c"); },
         {QStringLiteral("ab 1 :--2 c")}},
        {"a later deceased's heading",
         [](ReportSurface& s) {
             s.spc(3).number(2).text(QStringLiteral(":-")).text(QStringLiteral(" ثم توفــى :-"));
             s.spc(3).text(QStringLiteral("علي"));
         },
         {QStringLiteral("    2 :- ثم توفــى :-   علي")}},
        {"an empty text adds nothing",
         [](ReportSurface& s) { s.text("a").text(QString()).text("b"); },
         {QStringLiteral("ab")}},
        {"texts keep their own blanks",
         [](ReportSurface& s) { s.text(" a  ").text("  b "); },
         {QStringLiteral(" a    b ")}},
    });
}

TEST(ReportSurfaceLines, EndingLinesAndTheOpenLine) {
    expectLines({
        {"nothing written", [](ReportSurface&) {}, {}},
        {"an empty line", [](ReportSurface& s) { s.endLine(); }, {QString()}},
        {"empty lines between lines",
         [](ReportSurface& s) {
             s.text("a").endLine();
             s.emptyLine();
             s.emptyLine();
             s.text("b").endLine();
         },
         {QStringLiteral("a"), QString(), QString(), QStringLiteral("b")}},
        {"the open line is shown",
         [](ReportSurface& s) {
             s.text("a").endLine();
             s.text("b");
         },
         {QStringLiteral("a"), QStringLiteral("b")}},
        {"an open line without text is not",
         [](ReportSurface& s) {
             s.text("a").endLine();
             s.text(QString());
         },
         {QStringLiteral("a")}},
        {"ending a line after items ends that line only",
         [](ReportSurface& s) {
             s.text("a");
             s.emptyLine();
         },
         {QStringLiteral("a")}},
    });
}

TEST(ReportSurfaceLines, ANewLineStartsAtColumnOne) {
    ReportSurface s;
    s.text("abc");
    EXPECT_EQ(s.column(), 4);
    s.endLine();
    EXPECT_EQ(s.column(), 1);
    s.text("abcdef").tab(2);
    EXPECT_EQ(s.column(), 2);
}

TEST(ReportSurfaceClear, EmptiesTheWindowAndReturnsToTheTopLeft) {
    ReportSurface s;
    s.text("a").endLine();
    s.text("b").endLine();
    s.text("open");
    s.clear();
    EXPECT_TRUE(s.lines().isEmpty());
    EXPECT_EQ(s.column(), 1);
    s.zone().text("x").endLine();
    EXPECT_EQ(s.lines(), QStringList{blanks(14) + QStringLiteral("x")});
}

TEST(ReportSurfacePageBreak, ClearsAndPrintsThePageHead) {
    ReportSurface s;
    for (int i = 0; i < 35; ++i)
        s.text(QStringLiteral("line")).number(i).endLine();
    s.text("half a line");
    s.pageBreak();

    const QString continuation = blanks(5) + QString::fromUtf16(u"\u062a\u062a\u0645\u0640\u0640\u0629");
    EXPECT_EQ(s.lines(), (QStringList{QString(), continuation, QString()}));
    EXPECT_EQ(s.column(), 1);

    // The next report line stands below the page head.
    s.spc(5).number(31).endLine();
    EXPECT_EQ(s.lines().size(), 4);
    EXPECT_EQ(s.lines().back(), blanks(5) + QStringLiteral(" 31 "));
}

TEST(ReportSurfaceListener, EveryChangeIsReported) {
    struct Case {
        const char* name;
        Steps change;
    };
    const std::vector<Case> cases = {
        {"text", [](ReportSurface& s) { s.text("a"); }},
        {"number", [](ReportSurface& s) { s.number(1); }},
        {"wide number", [](ReportSurface& s) { s.number(cpp_int(1)); }},
        {"exact number", [](ReportSurface& s) { s.number(Num::fraction(1, 2)); }},
        {"formatted number", [](ReportSurface& s) { s.numberText(QStringLiteral("1.5")); }},
        {"blanks", [](ReportSurface& s) { s.spc(2); }},
        {"tab", [](ReportSurface& s) { s.tab(10); }},
        {"zone", [](ReportSurface& s) { s.zone(); }},
        {"end of line", [](ReportSurface& s) { s.endLine(); }},
        {"clear", [](ReportSurface& s) { s.clear(); }},
        {"page break", [](ReportSurface& s) { s.pageBreak(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReportSurface s;
        s.text("before");
        int calls = 0;
        QStringList seen;
        s.setListener([&] {
            ++calls;
            seen = s.lines();
        });
        c.change(s);
        EXPECT_GE(calls, 1);
        // The listener sees the surface after the change, not before it.
        EXPECT_EQ(seen, s.lines());
    }
}

} // namespace
