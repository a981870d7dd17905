// libFuzzer target: any bytes as the stored-case file STORG.
#include "ReaderDrive.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzzsupport::StoredCaseVerdict v = fuzzsupport::driveStoredCases(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    // A refusal that does not say which record, or a division that loses part of the estate, is
    // as much a fault as a crash.
    if (!v.unnamed.isEmpty() || !v.wrongSums.isEmpty()) {
        std::fprintf(stderr, "unnamed refusals: %lld, wrong sums: %lld\n",
                     static_cast<long long>(v.unnamed.size()), static_cast<long long>(v.wrongSums.size()));
        std::abort();
    }
    return 0;
}
