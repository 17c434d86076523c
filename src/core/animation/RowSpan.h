#pragma once
// Where a row of pixels crosses a convex shape drawn by hand, one linear condition at a time.

#include <algorithm>
#include <utility>

// Narrows [lo, hi] to the x where min <= k x + c <= max (empty: lo > hi).
inline void narrowSpan(double k, double c, double min, double max, double& lo, double& hi) {
    if (k == 0) {
        if (c < min || c > max) lo = 1, hi = 0;
        return;
    }
    double x0 = (min - c) / k, x1 = (max - c) / k;
    if (x0 > x1) std::swap(x0, x1);
    lo = std::max(lo, x0), hi = std::min(hi, x1);
}
