#include "TimeScale.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kLabelGap = 70; // pixels a label needs
}

qint64 TimeScale::frameAt(int px, qint64 last) const {
    const double f = std::floor((px + scroll - kMargin) / pixelsPerFrame + 0.5);
    return std::clamp<qint64>(qint64(std::isfinite(f) ? f : 0), 0, std::max<qint64>(last, 0));
}

TimeScale::Ticks TimeScale::ticks() const {
    // Frame steps while a second is wider than a label; then seconds and minutes.
    for (const qint64 frames : {1, 2, 5, 10})
        if (frames < fps && frames * pixelsPerFrame >= kLabelGap) return {frames, frames == 1 ? 1 : 5, false};
    for (const int secs : {1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600})
        if (secs * fps * pixelsPerFrame >= kLabelGap) return {secs, secs == 15 || secs == 900 ? 3 : 5, true};
    return {7200, 4, true};
}

QString TimeScale::label(qint64 frame) const {
    const double rate = fps > 0 ? fps : 25;
    qint64 secs = qint64(std::floor(double(frame) / rate));
    // The frame a second begins at is the one nearest to it, as secondFrame() counts.
    if (secondFrame(double(secs + 1)) <= frame) ++secs;
    if (secondFrame(double(secs)) > frame) --secs;
    const qint64 rest = frame - secondFrame(double(secs));
    QString text = QString("%1:%2").arg(secs / 60).arg(secs % 60, 2, 10, QChar(u'0'));
    if (rest > 0) text += QString("+%1").arg(rest, 2, 10, QChar(u'0'));
    return text;
}
