#include "platform/widgets/DocumentOpener.h"

#include "platform/AppPaths.h"
#include "platform/MessageService.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Recorded : platform::MessageSink {
    QStringList texts;
    void show(const QString& text, platform::MessageIcon) override { texts << text; }
    bool askYesNo(const QString&) override { return false; }
    QString input(const QString&, const QString&) override { return {}; }
};

// The desktop's opener is run for real; what it answers decides whether the user hears of it.
class DocumentOpenerTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::AppPaths::setApplicationFolder(dir.path());
        QFile doc(dir.filePath("faraeed.html"));
        ASSERT_TRUE(doc.open(QIODevice::WriteOnly));
        doc.write("<html></html>");
        platform::MessageService::setSink(sink);
    }
    void TearDown() override {
        platform::DocumentOpener::setLauncher({});
        platform::MessageService::setSink(nullptr);
    }
    QTemporaryDir dir;
    std::shared_ptr<Recorded> sink = std::make_shared<Recorded>();
};

TEST_F(DocumentOpenerTest, ADocumentNoApplicationOpensIsReportedInArabic) {
    const struct {
        const char* launcher;
        bool reported;
    } cases[] = {
        {"false", true},               // the opener found no application
        {"/nonexistent/opener", true}, // there is no opener at all
        {"true", false},               // an application took the document
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.launcher);
        sink->texts.clear();
        platform::DocumentOpener::setLauncher(QString::fromLatin1(c.launcher));
        platform::DocumentOpener::open("faraeed.html");
        if (c.reported)
            EXPECT_TRUE(QTest::qWaitFor([&] { return !sink->texts.isEmpty(); }, 5000));
        else
            QTest::qWait(300);
        EXPECT_EQ(sink->texts,
                  c.reported ? QStringList{"لا يوجد برنامج لفتح الملف: faraeed.html"} : QStringList());
    }
}

} // namespace
