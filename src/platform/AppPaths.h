#pragma once

#include <QString>

namespace platform {

// Where the program finds its files: the application folder (the program's own folder)
// and what stands in for drive D:, a folder under the user's data location.
class AppPaths {
public:
    static QString applicationFolder();
    static QString driveD();
    // "\NAME" in the documents: a file of the application folder.
    static QString appFile(const QString& name);

    // A path inside an Arabic message: native separators, held left to right as one unit (without
    // the isolates its leading separator would be drawn at the right-hand end).
    static QString shown(const QString& path);
    // A text of Latin letters, digits and signs (a path, a statement) that reads left to right as
    // one unit inside an Arabic message.
    static QString leftToRight(const QString& text);

    // Tests and tools point the program at another folder.
    static void setApplicationFolder(const QString& folder);
    static void setDriveD(const QString& folder);
};

} // namespace platform
