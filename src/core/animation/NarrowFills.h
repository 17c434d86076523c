#pragma once
// A turned picture drawn by Qt's raster engine in one call took most of a millisecond a frame
// (measured: the marker's icon at 1080p) while a render's writers kept every core busy, against
// some tens of microseconds when drawn a few rows at a time. The cause is inside Qt; the wait
// was not time on a core.

#include <QPainter>
#include <functional>

// Runs `draw` once for each band of a few rows of `box` (device pixels), with `p` clipped to it.
void inNarrowBands(QPainter& p, const QRect& box, const std::function<void()>& draw);
