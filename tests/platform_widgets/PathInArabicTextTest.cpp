// A file's path inside an Arabic message is drawn as the user types it: left to right, its first
// slash on the left, whatever stands around it.
#include "platform/AppPaths.h"

#include <QFont>
#include <QGlyphRun>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextOption>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// Where each character of the path stands, in the order of the characters, as a message box's
// label lays the text out: a document of the message, wrapped to the box's width.
std::vector<qreal> drawnPositions(const QString& message, const QString& path, qreal width) {
    QTextDocument document;
    QTextOption option = document.defaultTextOption();
    option.setTextDirection(Qt::RightToLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);
    document.setPlainText(message);
    document.setTextWidth(width);
    (void)document.size(); // lays the document out
    const QTextBlock block = document.firstBlock();
    QTextLayout* layout = block.layout();
    const int start = message.indexOf(path);
    std::vector<qreal> xs;
    for (int i = start; i < start + path.size(); ++i) {
        // Where the character's glyph stands: the cursor at a change of direction is ambiguous.
        const QTextLine line = layout->lineForTextPosition(i);
        if (!line.isValid()) {
            ADD_FAILURE() << "no line at " << i;
            return {};
        }
        const QList<QGlyphRun> runs = line.glyphRuns(i, 1);
        xs.push_back(runs.isEmpty() ? -1 : runs.front().boundingRect().center().x());
    }
    return xs;
}

TEST(PathInArabicText, ReadsLeftToRightAsOneUnit) {
    struct Case {
        const char* what;
        QString before;
        QString after;
    } cases[] = {
        {"between Arabic words", QStringLiteral("قاعدة البيانات "), QStringLiteral(" مقفلة لدى برنامج آخر")},
        {"after a colon, at the end", QStringLiteral("قاعدة البيانات غير موجودة: "), QString()},
        {"before a full stop", QStringLiteral("ملف قاعدة البيانات "), QStringLiteral(". تالف")},
    };
    for (const QString& path :
         {QStringLiteral("/tmp/me/app/TALVENO_TEST.mdb"), QStringLiteral("/home/ع/فرائض/x.mdb")}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + ": " + path.toStdString());
            const QString message = c.before + platform::AppPaths::shown(path) + c.after;
            const std::vector<qreal> xs = drawnPositions(message, path, 480);
            // The separators stand left to right in their order, the first one leftmost of all.
            std::vector<qreal> separators;
            for (int i = 0; i < path.size(); ++i) {
                if (path[i] == QLatin1Char('/'))
                    separators.push_back(xs[i]);
            }
            for (size_t i = 1; i < separators.size(); ++i)
                EXPECT_LT(separators[i - 1], separators[i]) << "separator " << i;
            EXPECT_EQ(*std::min_element(xs.begin(), xs.end()), xs.front());
        }
    }
}

} // namespace
