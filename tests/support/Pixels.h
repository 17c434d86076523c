#pragma once
// Small helpers for pixel checks on drawn surfaces.

#include <QColor>
#include <QImage>

inline QRgb rgbAt(const QImage& img, int x, int y) {
    return img.pixel(x, y) & 0xffffff;
}
inline QRgb qrgbOf(qint32 color) { // red in the low byte, as the program stores colours
    return QColor(color & 0xff, (color >> 8) & 0xff, (color >> 16) & 0xff).rgb() & 0xffffff;
}
// How many pixels of the row (or column) through a point have exactly this colour.
inline int runLength(const QImage& img, int x, int y, QRgb c, bool horizontal) {
    int n = 0;
    for (int i = 0; i < (horizontal ? img.width() : img.height()); ++i)
        if (rgbAt(img, horizontal ? i : x, horizontal ? y : i) == c) ++n;
    return n;
}
