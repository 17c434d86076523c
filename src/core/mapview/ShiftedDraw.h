#pragma once
// An opaque picture moved by a fraction of a pixel, bilinear, written straight into the frame.
// Qt puts such a picture on the nearest whole pixel (a slow pan would go in steps), and its
// filtered path costs more for this case, where every pixel mixes its neighbours alike.

#include <QImage>

// Draws `picture` (RGB32) with its top-left corner at `at` (frame pixels) into the part of
// `frame` (RGB32 or premultiplied ARGB32) inside `clip`: the pixels whose centres the picture
// covers, as a painter would. False, drawing nothing, for other formats.
bool drawShifted(QImage& frame, const QImage& picture, QPointF at, const QRect& clip);
