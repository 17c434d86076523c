#pragma once
// How many frame copies a writer keeps in flight: as many as it wants for speed while they fit
// in a fixed number of bytes, and never fewer than `least`. Counting copies alone let an 8K
// render (133 MB a frame) hold gigabytes; at 1080p the count is what bounds.

#include <QtGlobal>
#include <algorithm>

constexpr qint64 kFramesInFlightBytes = qint64(256) << 20;

inline int framesInFlight(qint64 bytesEach, int wanted, int least = 2) {
    const qint64 fit = bytesEach > 0 ? kFramesInFlightBytes / bytesEach : wanted;
    return int(std::clamp<qint64>(fit, std::min(least, wanted), wanted));
}
