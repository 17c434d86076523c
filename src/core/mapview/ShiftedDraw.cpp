#include "ShiftedDraw.h"

#include <algorithm>
#include <cmath>
#include <vector>

bool drawShifted(QImage& frame, const QImage& picture, QPointF at, const QRect& clip) {
    const bool frameFits =
        frame.format() == QImage::Format_RGB32 || frame.format() == QImage::Format_ARGB32_Premultiplied;
    if (!frameFits || picture.format() != QImage::Format_RGB32 || picture.isNull()) return false;
    // The frame pixels whose centres lie on the picture.
    const QPoint first(int(std::ceil(at.x() - 0.5)), int(std::ceil(at.y() - 0.5)));
    const QRect area = QRect(first, picture.size()) & clip & frame.rect();
    if (area.isEmpty()) return true;
    // Frame pixel x shows picture position x + 0.5 - at.x - 0.5 between pixel centres: the
    // two neighbours and the weight of the second, the same for every pixel.
    const double u = area.left() - at.x(), v = area.top() - at.y();
    const int px = int(std::floor(u)), py = int(std::floor(v));
    const quint16 wx = quint16(std::lround((u - px) * 256)), wy = quint16(std::lround((v - py) * 256));
    const int w = picture.width(), h = picture.height(), bytes = area.width() * 4;
    auto column = [w](int x) { return std::clamp(x, 0, w - 1) * 4; };
    // Each frame row: the two picture rows mixed (byte-wise, so the compiler vectorises it) into
    // a row one pixel longer, then neighbours in that row mixed into the frame.
    std::vector<quint8> mixed(size_t(bytes) + 4);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const int row = py + (y - area.top());
        const quint8* a = picture.constScanLine(std::clamp(row, 0, h - 1));
        const quint8* b = picture.constScanLine(std::clamp(row + 1, 0, h - 1));
        const int x0 = px, x1 = px + area.width(); // picture pixels x0..x1, clamped at the edges
        const int inner0 = std::max(x0, 0), inner1 = std::min(x1, w - 1);
        quint8* m = mixed.data();
        for (int x = x0; x < inner0; ++x)
            for (int c = 0; c < 4; ++c)
                m[(x - x0) * 4 + c] =
                    quint8(quint16(a[column(x) + c] * (256 - wy) + b[column(x) + c] * wy) >> 8);
        const quint8* ra = a + inner0 * 4;
        const quint8* rb = b + inner0 * 4;
        quint8* mm = m + (inner0 - x0) * 4;
        for (int i = 0, n = (inner1 - inner0 + 1) * 4; i < n; ++i)
            mm[i] = quint8(quint16(ra[i] * (256 - wy) + rb[i] * wy) >> 8);
        for (int x = inner1 + 1; x <= x1; ++x)
            for (int c = 0; c < 4; ++c)
                m[(x - x0) * 4 + c] =
                    quint8(quint16(a[column(x) + c] * (256 - wy) + b[column(x) + c] * wy) >> 8);
        quint8* out = frame.scanLine(y) + area.left() * 4;
        for (int i = 0; i < bytes; ++i)
            out[i] = quint8(quint16(m[i] * (256 - wx) + m[i + 4] * wx) >> 8);
    }
    return true;
}
