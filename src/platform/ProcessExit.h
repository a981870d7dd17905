#pragma once

#include <QString>

#include <functional>
#include <stdexcept>

namespace platform {

// Thrown by the test handler in place of ending the process.
class ProgramEnded : public std::runtime_error {
public:
    explicit ProgramEnded(int code) : std::runtime_error("program ended"), code(code) {}
    int code;
};

// The program ends only by ending the process; tests install a handler that throws
// ProgramEnded so they can look at what was left behind.
class ProcessExit {
public:
    [[noreturn]] static void end(int code = 0);
    // Shows the message (critical icon), then ends the program.
    [[noreturn]] static void fail(const QString& message);

    using Handler = std::function<void(int)>;
    static void setHandler(Handler handler);
    // Convenience for tests: end() throws ProgramEnded.
    static void throwOnEnd();
};

} // namespace platform
