#pragma once

#include <QString>

#include <functional>

namespace platform {

// Starts another program of the application folder and does not wait for it.
class ProgramStarter {
public:
    // False when the program is missing or cannot be started.
    static bool start(const QString& path);

    // Tests replace the start with their own.
    using Handler = std::function<bool(const QString&)>;
    static void setHandler(Handler handler);
};

} // namespace platform
