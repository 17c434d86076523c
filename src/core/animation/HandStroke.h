#pragma once
// A straight stroke with flat ends, antialiased, drawn pixel by pixel: a dashed line has
// hundreds of short strokes a frame, and Qt works out each one's outline as a path first.

#include "PixelOver.h"

#include <QLineF>
#include <QRgb>

// `line` (device coordinates: pixel x covers x to x + 1) `width` wide in `colour` (opaque),
// over the pixels of `to` within its clip. Each pixel takes the part of it the stroke covers,
// reckoned across and along the stroke apart.
void strokeByHand(const PaintedPixels& to, const QLineF& line, double width, QRgb colour);
