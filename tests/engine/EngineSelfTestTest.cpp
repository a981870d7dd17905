#include "engine/run/EngineSelfTest.h"

#include "CalcFixture.h"
#include "engine/calc/StoredCaseCalculation.h"
#include "platform/AppPaths.h"
#include "platform/ProcessExit.h"
#include "support/CapturedMessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <optional>

#include <gtest/gtest.h>

using engine::EngineSelfTest;
using engine::EngineState;
using testsupport::shippedCalcRules;

namespace {

// The reference set of the fixture folder, every share worked out by hand:
//   ت/ 1  wife 1/8 = 3 of 24; son and daughter share the other 21 two to one: 14 and 7.
//   ت/ 2  a wife alone keeps her quarter and the treasury takes the rest: 1 and 3 of 4; the
//         treasury slot is one value more than the case has heirs.
//   ت/ 3  فاطمة leaves her husband كريم 1 and her son حسن 3 of 4; then كريم dies and leaves his
//         mother 1 and حسن 5 of 6. His 1 of 4 becomes 6 of 24 split 1 and 5, so حسن holds
//         18 + 5 = 23 in his first slot, the mother 1; كريم's slot and حسن's second slot hold 0.
//   ت/ 4  son 2 and daughter 1 of 3; the son's son عمرو is shut out by the son, so when he dies
//         he has inherited nothing: he is skipped and his son's slot compares as 0.
//   ت/ 5  school 2, a paternal grandfather and one full sister. The program's own case run gives
//         the grandfather what the sister's half leaves (1 and 1 of 2); the self-test's variant
//         leaves that step out, so the unclaimed third returns to both: 4 and 12 of 16, that is
//         grandfather 1 and sister 3 of 4.
QString fixture(const char* name) {
    QFile f(testsupport::testsDir() + QStringLiteral("/engine/fixtures/selftest/") + QString::fromUtf8(name));
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("missing fixture");
    return QString::fromUtf8(f.readAll());
}

const QString StoredCases = fixture("STORG");
const QString ExpectedShares = fixture("STOR");

// A printed line laid out by the window positions: each text starts at its 1-based column.
class Line {
public:
    Line& at(int column, const QString& text) {
        to(column);
        m_text += text;
        return *this;
    }
    // Blanks up to the column where the next item would go.
    Line& to(int column) {
        if (m_text.size() < column - 1)
            m_text.resize(column - 1, QLatin1Char(' '));
        return *this;
    }
    operator QString() const { return m_text; }

private:
    QString m_text;
};

// Every window the replay printed, each one ended by the clearing that started the next.
class PrintedWindows {
public:
    PrintedWindows() {
        surface.setListener([this] {
            const QStringList now = surface.lines();
            if (now.isEmpty() && !m_current.isEmpty())
                m_done.push_back(m_current);
            m_current = now;
        });
    }
    std::vector<QStringList> windows() const {
        auto all = m_done;
        if (!m_current.isEmpty())
            all.push_back(m_current);
        return all;
    }

    engine::ReportSurface surface;

private:
    std::vector<QStringList> m_done;
    QStringList m_current;
};

// The reference files in a folder of their own; a file given as nothing is not there at all.
struct Replay {
    Replay(const std::optional<QString>& storedCases, const std::optional<QString>& expectedShares) {
        write("STORG", storedCases);
        write("STOR", expectedShares);
        result =
            EngineSelfTest::replay(state, shippedCalcRules(), printed.surface, path("STORG"), path("STOR"));
    }
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    void write(const char* name, const std::optional<QString>& text) {
        if (!text)
            return;
        QFile f(path(name));
        f.open(QIODevice::WriteOnly);
        f.write(text->toUtf8());
    }

    QTemporaryDir dir;
    EngineState state;
    PrintedWindows printed;
    EngineSelfTest::Result result;
};

// The record of one case out of the fixture STORG, keyed "ت/ n".
QString storedCase(int number) {
    const QString key = QStringLiteral("ت/ %1\n").arg(number);
    const qsizetype start = StoredCases.indexOf(key);
    const qsizetype end = StoredCases.indexOf(QStringLiteral("ت/ "), start + key.size());
    return StoredCases.mid(start, end < 0 ? -1 : end - start);
}

TEST(SelfTestReplay, PassesWhenEveryReferenceCaseAgrees) {
    Replay r(StoredCases, ExpectedShares);
    ASSERT_TRUE(r.result.passed) << r.result.problem.toStdString();
    EXPECT_EQ(r.result.casesChecked, 5);
    EXPECT_TRUE(r.result.problem.isEmpty());
    // The state keeps the last case; the skipped deceased are counted over the whole replay.
    EXPECT_EQ(r.state.CaseKey, QStringLiteral("ت/ 5"));
    EXPECT_EQ(r.state.HeirTotal, 2);
    EXPECT_EQ(r.state.SkippedDeceased, 1);
    // Each case is merged, one deceased or more: the last window is the last case's combined table.
    EXPECT_EQ(r.printed.windows().back().at(3), (QString)Line().at(1, "      توفى المدعو ").at(29, "ناصر"));
}

TEST(SelfTestWindow, PrintsTheDeceasedTableThenTheCombinedTable) {
    Replay r(storedCase(1), QStringLiteral("ت/ 1\n3,14,7\n"));
    ASSERT_TRUE(r.result.passed) << r.result.problem.toStdString();
    const QStringList deceased = {
        QString(),
        QString(60, QLatin1Char(' ')),
        QStringLiteral("  "),
        QStringLiteral("  "),
        QStringLiteral("  "),
        QStringLiteral("  "),
        Line().at(11, "التسلسل/ت/ 1"),
        QString(),
        Line().at(4, " 1 :- توفى المدعو:   احمد"),
        Line().at(43, "( عــن )").at(65, " 24 "),
        Line().at(43, "-----------").at(65, "-----"),
        Line().at(6, " 1 :-  هند").at(44, "زوجة").at(65, " 3 ").to(80),
        Line().at(6, " 2 :-  علي").at(44, "ابن").at(65, " 14 ").to(80),
        Line().at(6, " 3 :-  زينب").at(44, "بنت").at(65, " 7 ").to(80),
        Line().at(43, "-----------").at(65, "-----"),
        Line().at(43, "المجموع ").at(65, " 24 "),
    };
    const QStringList combined = {
        QString(),
        Line().at(29, "توحيد القسامات "),
        Line().at(29, "ــــــــــــــــ"),
        Line().at(1, "      توفى المدعو ").at(29, "احمد"),
        Line().at(15, "( عــن)").at(45, " 24 "),
        Line().at(15, "-----------").at(45, "-----"),
        Line().at(10, " 1 :-  هند").at(45, " 3 ").to(70),
        Line().at(10, " 2 :-  علي").at(45, " 14 ").to(70),
        Line().at(10, " 3 :-  زينب").at(45, " 7 ").to(70),
        Line().at(15, "-----------").at(45, "-----"),
        Line().at(15, "المجمـــوع").at(45, " 24 "),
    };
    const auto windows = r.printed.windows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0], deceased);
    EXPECT_EQ(windows[1], combined);
}

TEST(SelfTestWindow, ALaterDeceasedGetsHisOwnTableOnHisOwnBase) {
    Replay r(storedCase(3), QStringLiteral("ت/ 3\n0,23,0,1\n"));
    ASSERT_TRUE(r.result.passed) << r.result.problem.toStdString();
    const auto windows = r.printed.windows();
    ASSERT_EQ(windows.size(), 3u);
    const QStringList later = {
        QString(),
        QString(),
        QString(),
        Line().at(4, " 2 :- ثم توفــى :-   كريم"),
        Line().at(43, "( عــن )").at(65, " 6 "),
        Line().at(43, "-----------").at(65, "-----"),
        Line().at(6, " 3 :-  حسن").at(44, "ابن").at(65, " 5 ").to(80),
        Line().at(6, " 4 :-  سلمى").at(44, "ام").at(65, " 1 ").to(80),
        Line().at(43, "-----------").at(65, "-----"),
        Line().at(43, "المجموع ").at(65, " 6 "),
    };
    EXPECT_EQ(windows[1], later);
    // The combined table lists only the slots that keep a share, numbered without gaps.
    EXPECT_EQ(windows[2].mid(4), QStringList({Line().at(15, "( عــن)").at(45, " 24 "),
                                              Line().at(15, "-----------").at(45, "-----"),
                                              Line().at(10, " 1 :-  حسن").at(45, " 23 ").to(70),
                                              Line().at(10, " 2 :-  سلمى").at(45, " 1 ").to(70),
                                              Line().at(15, "-----------").at(45, "-----"),
                                              Line().at(15, "المجمـــوع").at(45, " 24 ")}));
}

TEST(SelfTestWindow, ALaterDeceasedWhoInheritedNothingGetsHisHeadingOnly) {
    Replay r(storedCase(4), QStringLiteral("ت/ 4\n2,1,0,0\n"));
    ASSERT_TRUE(r.result.passed) << r.result.problem.toStdString();
    const auto windows = r.printed.windows();
    ASSERT_EQ(windows.size(), 3u);
    EXPECT_EQ(windows[1],
              QStringList({QString(), QString(), QString(), Line().at(4, " 2 :- ثم توفــى :-   عمرو")}));
    EXPECT_EQ(r.state.SkippedDeceased, 1);
}

// How a value field is read: equal by number, blanks and line breaks only separate fields.
class SelfTestValues : public ::testing::TestWithParam<const char*> {};

TEST_P(SelfTestValues, MatchTheSharesTheyStandFor) {
    Replay r(storedCase(4), QString::fromUtf8(GetParam()));
    EXPECT_TRUE(r.result.passed) << r.result.problem.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Layouts, SelfTestValues,
                         ::testing::Values("ت/ 4\n2.0,1,0,0\n",       // 2.0 is the share 2
                                           "ت/ 4\n2,1,0,\n",          // an empty field is 0
                                           "ت/ 4\n2\n1\n\n0\n0\n",    // one value a line, a blank line
                                           "ت/ 4\n 2 , 1 , 0 , 0 \n", // blanks around the numbers
                                           "ت/ 4\n2,1,0,0\nت/ 9\n7\n" // a record nobody asks for
                                           ));

TEST(SelfTestReplay, AnEmptyStoredCaseFilePassesWithoutReadingTheExpectedShares) {
    Replay r(QString(), QStringLiteral("not,a,record\n"));
    EXPECT_TRUE(r.result.passed);
    EXPECT_EQ(r.result.casesChecked, 0);
    EXPECT_TRUE(r.printed.windows().empty());
}

struct BadData {
    const char* name;
    std::optional<QString> storedCases;
    std::optional<QString> expectedShares;
    const char* problem; // a part of the reason printed
};

void PrintTo(const BadData& d, std::ostream* os) {
    *os << d.name;
}

QString replaced(QString text, const char* from, const char* to) {
    const QString f = QString::fromUtf8(from);
    if (!text.contains(f))
        throw std::runtime_error("fixture text not found");
    return text.replace(f, QString::fromUtf8(to));
}

class SelfTestBadData : public ::testing::TestWithParam<BadData> {};

TEST_P(SelfTestBadData, FailsTheTestWithItsReason) {
    const BadData& d = GetParam();
    Replay r(d.storedCases, d.expectedShares);
    EXPECT_FALSE(r.result.passed);
    EXPECT_TRUE(r.result.problem.contains(QString::fromUtf8(d.problem))) << r.result.problem.toStdString();
    const QStringList lines = r.printed.surface.lines();
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines.back(), r.result.problem);
    EXPECT_TRUE(lines[lines.size() - 2].isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SelfTestBadData,
    ::testing::Values(
        BadData{"NoStoredCaseFile", std::nullopt, ExpectedShares, "STORG"},
        BadData{"NoExpectedSharesFile", StoredCases, std::nullopt, "STOR"},
        BadData{"ShareDiffers", StoredCases, replaced(ExpectedShares, "0,23,0,1", "0,22,0,1"),
                "ت/ 3: سهم الوارث 2 (حسن) هو 23 والمتوقع \"22\""},
        BadData{"QuotedNumberIsText", StoredCases, replaced(ExpectedShares, "3,14,7", "\"3\",14,7"),
                "\"\"3\"\""},
        BadData{"ValueMissing", StoredCases, replaced(ExpectedShares, "0,23,0,1", "0,23,0"),
                "قسامات المسألة ت/ 3 في ملف القسامات المتوقعة اقل"},
        BadData{"ValueTooManyBeforeTheNextKey", StoredCases, replaced(ExpectedShares, "3,14,7", "3,14,7,0"),
                "قسامات المسألة ت/ 1 في ملف القسامات المتوقعة اكثر"},
        BadData{"ValueTooManyInTheLastRecord", StoredCases, ExpectedShares + QStringLiteral("0\n"),
                "قسامات المسألة ت/ 5 في ملف القسامات المتوقعة اكثر"},
        BadData{"KeyDiffers", StoredCases, replaced(ExpectedShares, "ت/ 2", "ت/ 20"), "\"ت/ 20\""},
        BadData{"ExpectedSharesEndEarly", StoredCases, replaced(ExpectedShares, "ت/ 5\n1,3\n", ""),
                "ينتهي قبل المسألة ت/ 5"},
        BadData{"ClassOutOfLimits", replaced(StoredCases, "ليلى,زوجة, 5", "ليلى,زوجة, 113"), ExpectedShares,
                "ت/ 2 تالفة"},
        BadData{"HeirCountNotTheLastSlot", replaced(StoredCases, " 2, 1, 1,م", " 2, 1, 2,م"), ExpectedShares,
                "ت/ 2 تالفة"},
        BadData{"NoDeceased", replaced(StoredCases, " 2, 1, 1,م", " 2, 0, 1,م"), ExpectedShares,
                "ت/ 2 تالفة"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SelfTestReplay, TheFirstDifferenceEndsTheReplay) {
    // Case 2 differs; case 4's record is broken too but is never reached.
    QString expected = replaced(ExpectedShares, "ت/ 2\n1,3", "ت/ 2\n1,4");
    expected = replaced(expected, "2,1,0", "junk");
    Replay r(StoredCases, expected);
    EXPECT_FALSE(r.result.passed);
    EXPECT_EQ(r.result.casesChecked, 1);
    EXPECT_EQ(r.state.CaseKey, QStringLiteral("ت/ 2"));
    // The window keeps the combined table of the case that differed.
    EXPECT_TRUE(r.printed.surface.lines().contains(Line().at(1, "      توفى المدعو ").at(29, "سعيد")));
}

TEST(SelfTestReplay, TreasurySlotsCountAgainstTheSlotLimit) {
    // A chain holding all 200 heir slots whose first deceased leaves a wife alone: the treasury
    // slot of his division is slot 201.
    QString text = QStringLiteral("ت/ 1\n 2, 5, 200,ن\nم1, 1\nم2,زوجة, 5\n");
    QString expected = QStringLiteral("ت/ 1\n");
    int last = 1;
    for (int i = 2; i <= 5; ++i) {
        const int heirs = i < 5 ? 50 : 49;
        last += heirs;
        text += QStringLiteral("م%1, %2\n").arg(i).arg(last);
        for (int j = 1; j <= heirs; ++j) {
            const QString name =
                j == 1 && i < 5 ? QStringLiteral("م%1").arg(i + 1) : QStringLiteral("ا%1_%2").arg(i).arg(j);
            text += name + QStringLiteral(",ابن, 13\n");
        }
    }
    Replay r(text, expected);
    EXPECT_FALSE(r.result.passed);
    EXPECT_TRUE(r.result.problem.contains(QStringLiteral("الخزينة العامة يتجاوز 200")))
        << r.result.problem.toStdString();
}

TEST(SelfTestReplay, SlotsAboveTheCaseAreEmptied) {
    Replay r(storedCase(1) + storedCase(2), QStringLiteral("ت/ 1\n3,14,7\nت/ 2\n1,3\n"));
    ASSERT_TRUE(r.result.passed) << r.result.problem.toStdString();
    ASSERT_GE(r.state.HeirName.size(), 4u);
    // Case 2 holds the wife and the treasury; slot 3 held case 1's daughter.
    EXPECT_EQ(r.state.HeirName[2], QStringLiteral("الخزينة العامة"));
    EXPECT_TRUE(r.state.HeirName[3].isEmpty());
    EXPECT_TRUE(r.state.HeirRelation[3].isEmpty());
    EXPECT_EQ(r.state.HeirClass[3], 0);
    EXPECT_EQ(r.state.HeirShare[3], 0);
}

// Start-up's entry: the files of the application folder, the message, the end of the program.
class SelfTestRun : public ::testing::Test {
protected:
    void install(const QString& storedCases, const QString& expectedShares) {
        for (const auto& [name, text] :
             {std::pair{"STORG", storedCases}, std::pair{"STOR", expectedShares}}) {
            QFile f(folder.file(QString::fromUtf8(name)));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(text.toUtf8());
        }
    }
    testsupport::TempAppFolder folder{true};
    testsupport::CapturedMessages messages;
    engine::ReportSurface surface;
};

TEST_F(SelfTestRun, APassClearsTheWindowAndShowsNothing) {
    install(StoredCases, ExpectedShares);
    surface.text(QStringLiteral("قبل")).endLine();
    EngineSelfTest::run(surface);
    EXPECT_TRUE(surface.lines().isEmpty());
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(SelfTestRun, ADifferenceShowsTheMessageAndEndsTheProgram) {
    install(StoredCases, replaced(ExpectedShares, "3,14,7", "3,7,14"));
    EXPECT_THROW(EngineSelfTest::run(surface), platform::ProgramEnded);
    EXPECT_EQ(messages.texts(), QStringList({QStringLiteral(" هذه النسخة غير سليمة ، اضغط  لتستمر ")}));
    EXPECT_TRUE(surface.lines().back().contains(QStringLiteral("ت/ 1")));
}

TEST_F(SelfTestRun, BadDataEndsTheProgramLikeADifference) {
    install(StoredCases, ExpectedShares);
    QFile::remove(folder.file(QStringLiteral("STOR")));
    EXPECT_THROW(EngineSelfTest::run(surface), platform::ProgramEnded);
    EXPECT_EQ(messages.texts(), QStringList({EngineSelfTest::FailureMessage}));
}

TEST(SelfTestShipped, TheShippedReferenceCasesPass) {
    const QString dir = testsupport::appdataDir() + QLatin1Char('/');
    if (!QFile::exists(dir + QStringLiteral("STORG")) || !QFile::exists(dir + QStringLiteral("STOR")))
        GTEST_SKIP() << "the reference cases have not been added to appdata yet";
    EngineState state;
    engine::ReportSurface surface;
    const auto result = EngineSelfTest::replay(state, shippedCalcRules(), surface,
                                               dir + QStringLiteral("STORG"), dir + QStringLiteral("STOR"));
    EXPECT_TRUE(result.passed) << result.problem.toStdString();
    // An empty file would pass without checking anything; the shipped one never is.
    EXPECT_GT(result.casesChecked, 0);
}

} // namespace
