#include "GlowLayer.h"

#include "PixelMath.h"
#include "PixelOver.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {
using pixels::kLanes;

// Between two premultiplied pixels, `w` 256ths of the way from `p` to `q`.
inline quint32 lerp(quint32 p, quint32 q, int w) {
    const quint32 a = quint32(256 - w), b = quint32(w);
    const quint32 lo = (((p & kLanes) * a + (q & kLanes) * b + 0x00800080) >> 8) & kLanes;
    const quint32 hi = (((p >> 8) & kLanes) * a + ((q >> 8) & kLanes) * b + 0x00800080) & ~kLanes;
    return lo | hi;
}

// Between `l` and `r` by `w` (each pixel's weight in 256ths, in all four of its channels), over
// `in` into `out`.
inline void glowFour(quint32 l, quint32 r, const pixels::Wide16& w, const quint32* in, quint32* out,
                     bool opaque) {
    const quint32 ls[4] = {l, l, l, l}, rs[4] = {r, r, r, r};
    pixels::Wide16 a, b;
    pixels::widen(ls, a);
    pixels::widen(rs, b);
    pixels::overFour((a * (256 - w) + b * w + 128) >> 8, out, in, opaque);
}

// Where frame pixel k (counted from the layer's corner) falls between the layer's pixel centres:
// the pixel before it and the weight of the one after, in 256ths.
struct Between {
    int at, after;
};
Between between(int k, int f) {
    // The pixel's centre is (k + 0.5) / f layer pixels in, the centres are at i + 0.5.
    const int twice = 2 * k + 1 - f; // in 1/(2f) of a layer pixel
    const int at = twice >= 0 ? twice / (2 * f) : -((-twice + 2 * f - 1) / (2 * f));
    return {at, int(std::lround(double(twice - at * 2 * f) * 256 / (2 * f)))};
}
} // namespace

QRect glowFootprint(QRect layerPixels, int f) {
    // Layer pixel i takes part in frame pixels whose centres lie within (i - 0.5, i + 1.5) f.
    auto first = [f](int i) { return int(std::floor((i - 0.5) * f)); };
    auto last = [f](int i) { return int(std::ceil((i + 1.5) * f)); };
    return QRect(QPoint(first(layerPixels.left()), first(layerPixels.top())),
                 QPoint(last(layerPixels.right()), last(layerPixels.bottom())));
}

QRect glowTaken(QRect pixels, int f) {
    const Between a = between(pixels.left(), f), b = between(pixels.right(), f);
    const Between c = between(pixels.top(), f), d = between(pixels.bottom(), f);
    return QRect(QPoint(a.at, c.at), QPoint(b.at + 1, d.at + 1));
}

bool layGlow(QImage& frame, const QImage& under, const QImage& layer, QPoint corner, int f, const QRect& clip,
             double opacity, const uchar* changed, const QImage* overlay, int overlayOpacity) {
    const bool opaque = frame.format() == QImage::Format_RGB32;
    if ((!opaque && frame.format() != QImage::Format_ARGB32_Premultiplied) || f < 1 || f > 8 ||
        layer.format() != QImage::Format_ARGB32_Premultiplied || under.size() != frame.size() ||
        under.format() != frame.format() ||
        (overlay &&
         (overlay->size() != frame.size() || overlay->format() != QImage::Format_ARGB32_Premultiplied)))
        return false;
    const int lw = layer.width(), lh = layer.height();
    const QRect r = clip & frame.rect() & QRect(corner, QSize(lw * f, lh * f));
    if (r.isEmpty() || lw < 1 || lh < 1) return true;
    const quint32 strength = quint32(pixels::opacity256(opacity));
    // The frame pixels between layer pixel centres i and i + 1 start at f i + f / 2 from the
    // corner; their weights are the same in every such cell.
    int weight[8];
    for (int d = 0; d < f; ++d)
        weight[d] = between(f / 2 + d, f).after;
    pixels::Wide16 fours[2]; // the weights of pixels 0-3 and 4-7 of a cell, a pixel's in each of its channels
    for (int d = 0; d < 8; ++d)
        for (int c = 0; c < 4; ++c)
            fours[d / 4][(d % 4) * 4 + c] = quint16(d < f ? weight[d] : 0);
    auto clamped = [](int i, int n) { return std::clamp(i, 0, n - 1); };
    // Rows by hand: scanLine() checks for sharing on every call.
    uchar* outBits = frame.bits();
    const uchar* inBits = under.constBits();
    const qsizetype stride = frame.bytesPerLine(), inStride = under.bytesPerLine();
    auto outRow = [&](int y) { return reinterpret_cast<quint32*>(outBits + y * stride); };
    auto inRow = [&](int y) { return reinterpret_cast<const quint32*>(inBits + y * inStride); };
    const int i0 = between(r.left() - corner.x(), f).at, i1 = between(r.right() - corner.x(), f).at;
    const int j0 = between(r.top() - corner.y(), f).at, j1 = between(r.bottom() - corner.y(), f).at;
    const uchar* overBits = overlay ? overlay->constBits() : nullptr;
    const qsizetype overStride = overlay ? overlay->bytesPerLine() : 0;
    for (int j = j0; j <= j1; ++j) {
        const int ja = clamped(j, lh), jb = clamped(j + 1, lh);
        const int top = corner.y() + f * j + f / 2;
        const int y0 = std::max(top, r.top()), y1 = std::min(top + f - 1, r.bottom());
        const auto* above = reinterpret_cast<const quint32*>(layer.constScanLine(ja));
        const auto* below = reinterpret_cast<const quint32*>(layer.constScanLine(jb));
        const uchar* changedAbove = changed ? changed + std::size_t(ja) * std::size_t(lw) : nullptr;
        const uchar* changedBelow = changed ? changed + std::size_t(jb) * std::size_t(lw) : nullptr;
        for (int y = y0; y <= y1; ++y) {
            const int down = weight[y - top];
            quint32* out = outRow(y);
            const quint32* in = inRow(y);
            // Runs of pixels laid, and of those the map shows bare, each finished at once.
            int laidFrom = -1, bareFrom = -1;
            auto endBare = [&](int end) {
                if (bareFrom >= 0)
                    std::memcpy(out + bareFrom, in + bareFrom, std::size_t(end - bareFrom) * 4);
                bareFrom = -1;
            };
            auto endLaid = [&](int end) {
                endBare(end);
                if (laidFrom >= 0 && overlay)
                    rowOver(reinterpret_cast<const quint32*>(overBits + y * overStride) + laidFrom,
                            out + laidFrom, end - laidFrom, overlayOpacity, opaque);
                laidFrom = -1;
            };
            for (int i = i0; i <= i1; ++i) {
                const int ia = clamped(i, lw), ib = clamped(i + 1, lw);
                const int left = corner.x() + f * i + f / 2;
                const int x0 = std::max(left, r.left()), x1 = std::min(left + f - 1, r.right());
                if (changed && !(changedAbove[ia] | changedAbove[ib] | changedBelow[ia] | changedBelow[ib])) {
                    endLaid(x0);
                    continue;
                }
                if (laidFrom < 0) laidFrom = x0;
                const quint32 p00 = above[ia], p10 = above[ib], p01 = below[ia], p11 = below[ib];
                if (!(p00 | p10 | p01 | p11)) { // clear: the map as it is
                    if (bareFrom < 0) bareFrom = x0;
                    continue;
                }
                endBare(x0);
                const quint32 l = pixels::scaled(lerp(p00, p01, down), strength),
                              rr = pixels::scaled(lerp(p10, p11, down), strength);
                int x = x0;
                // Whole fours of the cell's pixels on vectors, the rest one by one.
                if (x0 == left)
                    for (; x + 3 <= x1; x += 4)
                        glowFour(l, rr, fours[(x - left) / 4], in + x, out + x, opaque);
                for (; x <= x1; ++x) {
                    out[x] = pixels::over(lerp(l, rr, weight[x - left]), in[x], opaque);
                }
            }
            endLaid(r.right() + 1);
        }
    }
    return true;
}
