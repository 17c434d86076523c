#include "LineTail.h"

#include <algorithm>
#include <limits>

namespace {
constexpr int kSteps = 6;
constexpr double kFar = std::numeric_limits<double>::max();
} // namespace

std::vector<LinePart> tailParts(double start, double fade, double transition) {
    fade = std::clamp(fade, 0.0, 1.0);
    const double from = start - std::max(transition, 0.0);
    std::vector<LinePart> parts{{-kFar, from, fade}};
    for (int k = 0; k < kSteps; ++k)
        parts.push_back({from + (start - from) * k / kSteps, from + (start - from) * (k + 1) / kSteps,
                         fade + (1 - fade) * (k + 0.5) / kSteps});
    parts.push_back({start, kFar, 1});
    return parts;
}

std::vector<LinePart> tailGlowParts(double start, double fade, double transition) {
    const double middle = start - std::max(transition, 0.0) / 2;
    return {{-kFar, middle, std::clamp(fade, 0.0, 1.0)}, {middle, kFar, 1}};
}

std::vector<LinePart> wholeLine() {
    return {{-kFar, kFar, 1}};
}
