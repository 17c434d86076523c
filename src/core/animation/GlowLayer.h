#pragma once
// Laying the glow's small layer enlarged over a map.

#include <QImage>

// Lays `layer` (premultiplied), each pixel `f` frame pixels wide with its first at `corner`, at
// `opacity` over the pixels of `under` (the frame's size and format) into `frame`, smoothly
// between the layer's pixel centres, within `clip`. With `changed` (a byte a layer pixel, its
// rows as wide as the layer), only the frame pixels that take in a changed one. With `overlay`
// (premultiplied, the frame's size), that goes over the glow at `overlayOpacity` (0 to 256) in
// the same pixels. Clear stretches of the layer cost little. False when the frame's format is
// not one this does (32-bit, opaque or premultiplied) or `f` is out of 1 to 8; then nothing is
// drawn.
bool layGlow(QImage& frame, const QImage& under, const QImage& layer, QPoint corner, int f, const QRect& clip,
             double opacity, const uchar* changed = nullptr, const QImage* overlay = nullptr,
             int overlayOpacity = 256);
// The frame pixels a pixel of such a layer reaches, when its first is at the frame's corner.
QRect glowFootprint(QRect layerPixels, int f);
// The layer pixels whose first is at the frame's corner that frame pixels `pixels` take in.
QRect glowTaken(QRect pixels, int f);
