// Every input the fuzz targets found at fault, and the seeds they start from, replayed through the
// readers in every build, with or without a fuzzing compiler. A file named "refused-..." must be
// refused whole, one named "accepted-..." taken whole; any other must only come through without a
// fault. A failure names the corpus file; a refusal's message names the record's key and the file.
#include "ReaderDrive.h"

#include "support/TempAppFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

struct CorpusFile {
    QString name;
    QByteArray bytes;
};

std::vector<CorpusFile> corpus(const char* folder) {
    const QDir dir(testsupport::testsDir() + QStringLiteral("/fuzz/corpus/") + QString::fromUtf8(folder));
    std::vector<CorpusFile> files;
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        QFile f(dir.filePath(name));
        if (f.open(QIODevice::ReadOnly))
            files.push_back({name, f.readAll()});
    }
    return files;
}

std::string joined(const QStringList& texts) {
    return texts.join(QStringLiteral(" | ")).toStdString();
}

TEST(FuzzCorpus, StoredCaseInputsAreReadWithoutFault) {
    const auto files = corpus("stored-cases");
    ASSERT_FALSE(files.empty());
    for (const CorpusFile& file : files) {
        SCOPED_TRACE(file.name.toStdString());
        const fuzzsupport::StoredCaseVerdict v = fuzzsupport::driveStoredCases(file.bytes);
        EXPECT_TRUE(v.unnamed.isEmpty()) << joined(v.unnamed);
        EXPECT_TRUE(v.wrongSums.isEmpty()) << joined(v.wrongSums);
        if (file.name.startsWith(QLatin1String("refused-"))) {
            EXPECT_EQ(v.loaded, 0) << joined(v.problems);
            EXPECT_GT(v.refused, 0);
        } else if (file.name.startsWith(QLatin1String("accepted-"))) {
            EXPECT_EQ(v.refused, 0) << joined(v.problems);
            EXPECT_GT(v.loaded, 0);
            EXPECT_EQ(v.calculated, v.loaded) << joined(v.problems);
        }
    }
}

TEST(FuzzCorpus, RuleFileInputsAreReadWithoutFault) {
    const auto files = corpus("rule-files");
    ASSERT_FALSE(files.empty());
    for (const CorpusFile& file : files) {
        SCOPED_TRACE(file.name.toStdString());
        const fuzzsupport::RuleFileVerdict v = fuzzsupport::driveRuleFile(file.bytes);
        EXPECT_TRUE(v.faults.isEmpty()) << joined(v.faults);
        if (file.name.startsWith(QLatin1String("refused-"))) {
            EXPECT_FALSE(v.accepted);
        } else if (file.name.startsWith(QLatin1String("accepted-"))) {
            EXPECT_TRUE(v.accepted) << v.message.toStdString();
        }
    }
}

} // namespace
