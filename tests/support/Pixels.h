#pragma once
// Small helpers for pixel checks on drawn surfaces.

#include <QColor>
#include <QImage>
#include <algorithm>
#include <cstdlib>

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
// The largest difference of a colour channel.
inline int channelDistance(QRgb a, QRgb b) {
    return std::max(
        {std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}
// The largest channel difference over two pictures of one size.
inline int imageDistance(const QImage& a, const QImage& b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            worst = std::max(worst, channelDistance(a.pixel(x, y), b.pixel(x, y)));
    return worst;
}
