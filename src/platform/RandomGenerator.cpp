#include "platform/RandomGenerator.h"

#include <QRandomGenerator>

#include <cmath>

namespace platform {

namespace {

RandomGenerator::Source& replaced() {
    static RandomGenerator::Source source;
    return source;
}

double fromSystem() {
    static QRandomGenerator generator = QRandomGenerator::securelySeeded();
    return generator.generateDouble();
}

} // namespace

double RandomGenerator::next() {
    if (!replaced())
        return fromSystem();
    const double r = replaced()();
    if (!(r >= 0.0)) // also NaN
        return 0.0;
    if (r >= 1.0)
        return std::nextafter(1.0, 0.0);
    return r;
}

int RandomGenerator::draw(int n) {
    if (n <= 0)
        return 0;
    const int value = static_cast<int>(std::floor(n * next()));
    // n × r can round up to n for r just below 1.
    return value < n ? value : n - 1;
}

void RandomGenerator::setSource(Source source) {
    replaced() = std::move(source);
}

} // namespace platform
