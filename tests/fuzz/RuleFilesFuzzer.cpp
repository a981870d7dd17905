// libFuzzer target: any bytes as one of the rule files (the first byte says which; ReaderDrive.h).
#include "ReaderDrive.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzzsupport::RuleFileVerdict v = fuzzsupport::driveRuleFile(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!v.faults.isEmpty()) {
        std::fprintf(stderr, "%s\n", v.faults.front().toUtf8().constData());
        std::abort();
    }
    return 0;
}
