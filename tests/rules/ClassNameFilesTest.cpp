#include "rules/ClassNameFiles.h"

#include "platform/ProcessExit.h"
#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"

#include <QFile>
#include <QMap>
#include <QSet>

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include <stdexcept>

namespace {

using rules::ClassNameFiles;
using rules::ClassNames;
using rules::RuleFile;
using testsupport::CapturedMessages;
using testsupport::TempAppFolder;

const QStringList classFiles = {"AG", "AGN", "ORVEL", "AGG"};

// n fields "<prefix>1" .. "<prefix>n", one per line and quoted (or plain numbers for ORVEL).
QString fieldsText(const QString& prefix, int n) {
    QString text;
    for (int k = 1; k <= n; ++k)
        text += QStringLiteral("\"%1%2\"\n").arg(prefix).arg(k);
    return text;
}

QString gendersText(int n) {
    QString text;
    for (int k = 1; k <= n; ++k)
        text += QString::number(k % 3) + QLatin1Char('\n');
    return text;
}

// Rule files given as text, by name; the names opened are recorded in order. A name without a
// text is opened from the (missing) application folder file, so it fails as a missing file.
struct Fixture {
    QMap<QString, QString> texts{
        {"AG", fieldsText("P", 128)}, {"AGN", fieldsText("S", 128)}, {"AGG", fieldsText("M", 128)},
        {"ORVEL", gendersText(128)},  {"AGL", fieldsText("G", 12)},
    };
    QStringList opened;

    ClassNameFiles files() {
        return ClassNameFiles([this](const QString& name) {
            opened << name;
            if (!texts.contains(name))
                return RuleFile::open(QStringLiteral("/nonexistent-folder/") + name);
            return RuleFile::fromText(texts.value(name), name);
        });
    }

    // The host's order: open, group names, (relation and menu texts), class names.
    ClassNames load() {
        ClassNames names;
        ClassNameFiles f = files();
        f.openFiles();
        f.readGroupNames(names);
        f.readClassNames(names);
        return names;
    }
};

TEST(ClassNameFiles, OpensTheFiveFilesInThePartsOrderAndFillsTheTables) {
    Fixture fx;
    const ClassNames names = fx.load();
    EXPECT_EQ(fx.opened, QStringList({"AG", "AGN", "ORVEL", "AGG", "AGL"}));
    for (int g = 1; g <= 12; ++g)
        EXPECT_EQ(names.GroupNames[g], QStringLiteral("G%1").arg(g));
    for (int c = 1; c <= 128; ++c) {
        EXPECT_EQ(names.ClassNamePlural[c], QStringLiteral("P%1").arg(c));
        EXPECT_EQ(names.ClassNameSingular[c], QStringLiteral("S%1").arg(c));
        EXPECT_EQ(names.ClassNameMixed[c], QStringLiteral("M%1").arg(c));
        EXPECT_EQ(names.ClassGender[c], c % 3);
    }
    // Element 0 is never written.
    EXPECT_TRUE(names.GroupNames[0].isEmpty());
    EXPECT_TRUE(names.ClassNamePlural[0].isEmpty());
    EXPECT_EQ(names.ClassGender[0], 0);
}

TEST(ClassNameFiles, GroupNamesUseTheFirstTwelveFieldsOfALongerFile) {
    Fixture fx;
    // A thirteenth field, and one that would not even read as anything sensible.
    fx.texts["AGL"] = fieldsText("G", 13) + "\"unterminated";
    CapturedMessages messages;
    const ClassNames names = fx.load();
    EXPECT_EQ(names.GroupNames[12], "G12");
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST(ClassNameFiles, ClassFilesWith130FieldsHaveFields129And130Unread) {
    Fixture fx;
    fx.texts["AG"] = fieldsText("P", 130);
    fx.texts["AGN"] = fieldsText("S", 130);
    fx.texts["AGG"] = fieldsText("M", 130);
    // Fields 129 and 130 of ORVEL are not numbers: reading them would stop the program.
    fx.texts["ORVEL"] = gendersText(128) + "x,999999\n";
    CapturedMessages messages;
    const ClassNames names = fx.load();
    EXPECT_EQ(names.ClassNamePlural[128], "P128");
    EXPECT_EQ(names.ClassNameSingular[128], "S128");
    EXPECT_EQ(names.ClassNameMixed[128], "M128");
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST(ClassNameFiles, GenderCodesAreKeptAsWritten) {
    // 2 feminine, 0 no wording, 1 and any other value up to 255 masculine: the engine decides
    // the wording; the loader keeps the value.
    for (int value : {2, 0, 1, 3, 255}) {
        SCOPED_TRACE(value);
        Fixture fx;
        fx.texts["ORVEL"] = QString::number(value) + "\n" + gendersText(127);
        EXPECT_EQ(fx.load().ClassGender[1], value);
    }
}

TEST(ClassNameFiles, AGenderCodeOutside0To255OrNotANumberStopsTheProgramNamingORVEL) {
    for (const char* value : {"256", "-1", "99999999999", "x", "2.5"}) {
        SCOPED_TRACE(value);
        Fixture fx;
        fx.texts["ORVEL"] = gendersText(40) + value + "\n" + gendersText(87);
        CapturedMessages messages;
        EXPECT_THROW(fx.load(), platform::ProgramEnded);
        ASSERT_EQ(messages.texts().size(), 1);
        EXPECT_TRUE(messages.last().contains("ORVEL")) << messages.last().toStdString();
    }
}

TEST(ClassNameFiles, OutOfRangeGenderReadsLikeAMalformedFile) {
    // The refusal of a value the field reader accepts uses the field reader's own message.
    Fixture bad;
    bad.texts["ORVEL"] = "256\n";
    CapturedMessages badMessages;
    EXPECT_THROW(bad.load(), platform::ProgramEnded);

    Fixture shortFile;
    shortFile.texts["ORVEL"] = "";
    CapturedMessages shortMessages;
    EXPECT_THROW(shortFile.load(), platform::ProgramEnded);

    EXPECT_EQ(badMessages.last(), shortMessages.last());
}

TEST(ClassNameFiles, AShortFileStopsTheProgramNamingIt) {
    struct Short {
        const char* file;
        int fields;
    };
    for (const Short s : {Short{"AG", 127}, Short{"AGN", 127}, Short{"AGG", 127}, Short{"ORVEL", 127},
                          Short{"AGL", 11}, Short{"AG", 0}}) {
        SCOPED_TRACE(std::string(s.file) + " with " + std::to_string(s.fields));
        Fixture fx;
        const QString name = QString::fromLatin1(s.file);
        fx.texts[name] = name == "ORVEL" ? gendersText(s.fields) : fieldsText("F", s.fields);
        CapturedMessages messages;
        EXPECT_THROW(fx.load(), platform::ProgramEnded);
        ASSERT_EQ(messages.texts().size(), 1);
        EXPECT_TRUE(messages.last().contains(name)) << messages.last().toStdString();
    }
}

TEST(ClassNameFiles, AMissingFileStopsTheProgramWhenItsTurnToOpenComes) {
    const QStringList order = {"AG", "AGN", "ORVEL", "AGG", "AGL"};
    for (int k = 0; k < order.size(); ++k) {
        SCOPED_TRACE(order[k].toStdString());
        TempAppFolder folder(true);
        ASSERT_TRUE(QFile::remove(folder.file(order[k])));
        QStringList opened;
        ClassNameFiles files([&](const QString& name) {
            opened << name;
            return RuleFile::openAppFile(name);
        });
        CapturedMessages messages;
        EXPECT_THROW(files.openFiles(), platform::ProgramEnded);
        EXPECT_EQ(opened, order.mid(0, k + 1)) << "the files before it are opened, none after";
        ASSERT_EQ(messages.texts().size(), 1);
        EXPECT_TRUE(messages.last().contains(order[k])) << messages.last().toStdString();
    }
}

TEST(ClassNameFiles, AMissingClassListStopsTheProgramAlthoughNothingOfItIsUsed) {
    TempAppFolder folder(true);
    ASSERT_TRUE(QFile::remove(folder.file("AQ")));
    CapturedMessages messages;
    EXPECT_THROW(ClassNameFiles::readClassList(), platform::ProgramEnded);
    EXPECT_TRUE(messages.last().contains("AQ"));
}

TEST(ClassNameFiles, ReadingBeforeOpeningOrAfterClosingIsAProgrammingError) {
    Fixture fx;
    ClassNames names;
    ClassNameFiles files = fx.files();
    EXPECT_THROW(files.readGroupNames(names), std::logic_error);
    EXPECT_THROW(files.readClassNames(names), std::logic_error);
    files.openFiles();
    files.readGroupNames(names);
    EXPECT_THROW(files.readGroupNames(names), std::logic_error) << "AGL is closed after its 12 fields";
    files.readClassNames(names);
    EXPECT_THROW(files.readClassNames(names), std::logic_error)
        << "the class files are closed after the loop";
}

struct ClassListCase {
    const char* name;
    const char* text;
    std::vector<std::vector<const char*>> groups;
    int fieldsRead;
    bool fails;
};

const ClassListCase classListCases[] = {
    {"three names, one name, end", "3,\"a\",\"b\",\"c\"\n1,\"d\"\n0\n", {{"a", "b", "c"}, {"d"}}, 7, false},
    {"fields after the end are never read", "1,\"a\"\n0\nx,\"unterminated", {{"a"}}, 3, false},
    {"only the end", "0", {}, 1, false},
    {"a negative count reads no names", "-2\n1,\"x\"\n0", {{}, {"x"}}, 4, false},
    {"a count that reads like a name is a name", "2,\"1\",\"0\"\n0", {{"1", "0"}}, 4, false},
    {"no closing count", "2,\"a\",\"b\"\n", {}, 0, true},
    {"a count larger than the names left", "5,\"a\",\"b\"\n0", {}, 0, true},
    {"a huge count", "9223372036854775807,\"a\"", {}, 0, true},
    {"a count that is not a number", "\"names\",\"a\"\n0", {}, 0, true},
    {"only negative counts", "-1\n-5\n", {}, 0, true},
    {"an empty file", "", {}, 0, true},
};

class ClassListFile : public ::testing::TestWithParam<ClassListCase> {};

TEST_P(ClassListFile, IsReadThroughToItsClosingCount) {
    const ClassListCase& c = GetParam();
    CapturedMessages messages;
    const RuleFile aq = RuleFile::fromText(QString::fromUtf8(c.text), QStringLiteral("AQ"));
    if (c.fails) {
        EXPECT_THROW(ClassNameFiles::readClassList(aq), platform::ProgramEnded);
        ASSERT_EQ(messages.texts().size(), 1);
        EXPECT_TRUE(messages.last().contains("AQ"));
        return;
    }
    const ClassNameFiles::ClassList list = ClassNameFiles::readClassList(aq);
    QList<QStringList> expected;
    for (const auto& g : c.groups) {
        QStringList names;
        for (const char* n : g)
            names << QString::fromUtf8(n);
        expected << names;
    }
    EXPECT_EQ(list.groups, expected);
    EXPECT_EQ(list.fieldsRead, c.fieldsRead);
    EXPECT_TRUE(messages.texts().isEmpty()) << "nothing of the list is shown";
}

INSTANTIATE_TEST_SUITE_P(EdgeCases, ClassListFile, ::testing::ValuesIn(classListCases),
                         [](const ::testing::TestParamInfo<ClassListCase>& info) {
                             std::string n;
                             for (const char* p = info.param.name; *p; ++p)
                                 n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return n;
                         });

// ---- The shipped files of appdata/ ----

// The classes that no relation folds onto.
const QSet<int> noRelation = {53, 64, 66, 68, 70, 80, 82, 99, 100, 102, 110};

class ShippedClassNames : public ::testing::Test {
protected:
    void SetUp() override {
        ClassNameFiles files;
        files.openFiles();
        files.readGroupNames(names);
        files.readClassNames(names);
    }
    TempAppFolder folder{true};
    ClassNames names;
};

TEST_F(ShippedClassNames, EveryClassWithARelationIsNamedInAllThreeForms) {
    for (int c = 1; c <= 112; ++c) {
        if (noRelation.contains(c))
            continue;
        SCOPED_TRACE(c);
        EXPECT_FALSE(names.ClassNamePlural[c].trimmed().isEmpty());
        EXPECT_FALSE(names.ClassNameSingular[c].trimmed().isEmpty());
        EXPECT_FALSE(names.ClassNameMixed[c].trimmed().isEmpty());
    }
}

TEST_F(ShippedClassNames, GenderCodesAreAsIntended) {
    struct Spot {
        int c;
        int gender;
    };
    const Spot spots[] = {
        {1, 1},  {2, 2},  {3, 1},  {4, 1},  {5, 2},  {6, 2},  {7, 2},  {8, 2},   {10, 2},  {11, 2},  {12, 1},
        {13, 1}, {16, 1}, {17, 1}, {18, 2}, {21, 2}, {26, 2}, {27, 1}, {31, 1},  {41, 1},  {46, 1},  {47, 2},
        {53, 0}, {59, 2}, {69, 2}, {74, 1}, {75, 2}, {96, 1}, {99, 0}, {112, 2}, {113, 0}, {128, 0},
    };
    for (const Spot& s : spots)
        EXPECT_EQ(names.ClassGender[s.c], s.gender) << "class " << s.c;
    for (int c = 1; c <= 128; ++c) {
        SCOPED_TRACE(c);
        EXPECT_TRUE(names.ClassGender[c] >= 0 && names.ClassGender[c] <= 2);
        const bool named = c <= 112 && !noRelation.contains(c);
        EXPECT_EQ(names.ClassGender[c] != 0, named) << "0 exactly for the classes that stand for no relation";
    }
}

TEST_F(ShippedClassNames, NamesReadAsThePartsUseThem) {
    // Group names stand in front of a share, where a single heir gets "لل" + the relation.
    EXPECT_EQ(names.GroupNames[5], "للزوجات");
    EXPECT_EQ(names.GroupNames[7], "للبنات");
    EXPECT_EQ(names.GroupNames[8], "لبنات الابن");
    EXPECT_EQ(names.GroupNames[12], "لاولاد الام");
    for (int g = 1; g <= 12; ++g)
        EXPECT_TRUE(names.GroupNames[g].startsWith(QChar(u'ل'))) << g;

    EXPECT_EQ(names.ClassNameSingular[12], "ولد الام");
    EXPECT_EQ(names.ClassNamePlural[12], "اولاد الام");
    EXPECT_EQ(names.ClassNameSingular[3], "الجد");
    EXPECT_EQ(names.ClassNamePlural[6], "الجدات");
    EXPECT_EQ(names.ClassNameMixed[13], "الابناء والبنات");
    EXPECT_EQ(names.ClassNameSingular[128], "بيت المال");
    // A class held by no relation carries the names of the next class that holds one.
    EXPECT_EQ(names.ClassNameSingular[64], names.ClassNameSingular[65]);
    EXPECT_EQ(names.ClassNamePlural[99], names.ClassNamePlural[101]);

    // The spelling of the relation texts: no hamza on alef, no stray blanks.
    for (int c = 1; c <= 128; ++c) {
        for (const QString& t :
             {names.ClassNamePlural[c], names.ClassNameSingular[c], names.ClassNameMixed[c]}) {
            EXPECT_FALSE(t.contains(QChar(u'أ')) || t.contains(QChar(u'إ')) || t.contains(QChar(u'آ')))
                << c << " " << t.toStdString();
            EXPECT_EQ(t, t.simplified()) << c;
        }
    }
}

TEST_F(ShippedClassNames, FilesHoldExactlyTheFieldsTheProgramReads) {
    for (const QString& file : classFiles)
        EXPECT_EQ(RuleFile::openAppFile(file).fieldCount(), 128) << file.toStdString();
    EXPECT_EQ(RuleFile::openAppFile("AGL").fieldCount(), 12);
    for (int g = 1; g <= 12; ++g)
        EXPECT_FALSE(names.GroupNames[g].isEmpty());
}

TEST_F(ShippedClassNames, TheClassListNamesEveryHeirClassOnceAndEnds) {
    const ClassNameFiles::ClassList list = ClassNameFiles::readClassList();
    EXPECT_EQ(RuleFile::openAppFile("AQ").fieldCount(), list.fieldsRead) << "the closing 0 is the last field";
    QStringList listed;
    for (const QStringList& g : list.groups) {
        EXPECT_FALSE(g.isEmpty());
        listed += g;
    }
    EXPECT_EQ(QSet<QString>(listed.begin(), listed.end()).size(), listed.size()) << "no name twice";
    QStringList expected;
    for (int c = 1; c <= 112; ++c) {
        // Classes 3 and 6 are aggregates: the grandfather is listed as class 96, the
        // grandmothers one by one.
        if (!noRelation.contains(c) && c != 3 && c != 6)
            expected << names.ClassNameSingular[c];
    }
    expected << names.ClassNameSingular[128];
    QStringList sortedListed = listed, sortedExpected = expected;
    sortedListed.sort();
    sortedExpected.sort();
    EXPECT_EQ(sortedListed, sortedExpected);
}

} // namespace
