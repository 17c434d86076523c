#include "PixelOver.h"

#include "PixelMath.h"

#include <QRegion>
#include <algorithm>
#include <cstring>

namespace {
// Four pixels of `in` at `scale` (0 to 256) over `out`.
inline void overFour(const quint32* in, quint32* out, quint32 scale, bool opaque) {
    quint64 halves[2];
    std::memcpy(halves, in, 16);
    if (!(halves[0] | halves[1])) return; // clear
    pixels::Wide16 s;
    pixels::widen(in, s);
    if (scale < 256) s = (s * quint16(scale) + 128) >> 8;
    pixels::overFour(s, out, out, opaque);
}

bool drawable(const QImage& image) {
    return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32_Premultiplied;
}
} // namespace

void rowOver(const quint32* in, quint32* out, int n, int opacity, bool opaque) {
    const quint32 scale = quint32(std::clamp(opacity, 0, 256));
    int x = 0;
    for (; x + 3 < n; x += 4)
        overFour(in + x, out + x, scale, opaque);
    for (; x < n; ++x) {
        quint32 s = in[x];
        if (!s) continue;
        if (scale < 256) s = pixels::scaled(s, scale);
        out[x] = pixels::over(s, out[x], opaque);
    }
}

bool pixelsOver(QImage& dst, QPoint at, const QImage& src, const QRect& from, int opacity,
                const QRect& clip) {
    if (!drawable(dst) || src.format() != QImage::Format_ARGB32_Premultiplied) return false;
    const QRect part = from & src.rect();
    const QRect r = QRect(at, part.size()) & clip & dst.rect();
    if (r.isEmpty() || opacity <= 0) return true;
    const quint32 scale = quint32(std::min(opacity, 256));
    const bool opaque = dst.format() == QImage::Format_RGB32;
    const QPoint shift = part.topLeft() - at;
    // Rows by hand: scanLine() checks for sharing on every call.
    uchar* outBits = dst.bits();
    const uchar* inBits = src.constBits();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto* in =
            reinterpret_cast<const quint32*>(inBits + (y + shift.y()) * src.bytesPerLine()) + shift.x();
        auto* out = reinterpret_cast<quint32*>(outBits + y * dst.bytesPerLine());
        rowOver(in + r.left(), out + r.left(), r.width(), int(scale), opaque);
    }
    return true;
}

std::optional<PaintedPixels> paintedPixels(QPainter& p) {
    auto* image = dynamic_cast<QImage*>(p.device());
    if (!image || !drawable(*image) || p.opacity() != 1 ||
        p.compositionMode() != QPainter::CompositionMode_SourceOver || !p.transform().isIdentity())
        return std::nullopt;
    if (!p.hasClipping()) return PaintedPixels{image, image->rect()};
    const QRegion clip = p.clipRegion();
    if (clip.rectCount() > 1) return std::nullopt;
    return PaintedPixels{image, clip.boundingRect()};
}
