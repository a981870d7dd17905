#pragma once

#include <QString>

#include <functional>

namespace platform {

// Opens a document of the application folder in the desktop's own application for its type.
// A missing document, or one that no application opens, is reported in an Arabic message; the
// second is known only once the desktop's opener has finished, after `open` has returned.
class DocumentOpener {
public:
    static bool open(const QString& fileName);

    using Handler = std::function<bool(const QString& path)>;
    // Tests replace the desktop's opening with their own.
    static void setHandler(Handler handler);
    // The desktop's opener, run with the document's path ("xdg-open"; empty: that again).
    static void setLauncher(const QString& program);
};

} // namespace platform
