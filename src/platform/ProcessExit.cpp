#include "platform/ProcessExit.h"

#include "platform/MessageService.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {
ProcessExit::Handler& handler() {
    static ProcessExit::Handler h;
    return h;
}
} // namespace

void ProcessExit::end(int code) {
    if (handler())
        handler()(code);
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(code);
}

void ProcessExit::fail(const QString& message) {
    MessageService::show(message, MessageIcon::Critical);
    end(1);
}

void ProcessExit::setHandler(Handler h) {
    handler() = std::move(h);
}

void ProcessExit::throwOnEnd() {
    handler() = [](int code) { throw ProgramEnded(code); };
}

} // namespace platform
