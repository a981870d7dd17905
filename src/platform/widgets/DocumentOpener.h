#pragma once

#include <QString>

#include <functional>

namespace platform {

// Opens a document of the application folder in the desktop's own application for its type.
// A missing document, or one that no application opens, is reported in an Arabic message.
class DocumentOpener {
public:
    static bool open(const QString& fileName);

    using Handler = std::function<bool(const QString& path)>;
    // Tests replace the desktop's opening with their own.
    static void setHandler(Handler handler);
};

} // namespace platform
