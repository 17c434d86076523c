#include "GlowBlur.h"

#include <algorithm>
#include <vector>

namespace {
// A box of R pixels either side along a row of `n` bytes, with 4 * R clear bytes either side.
template <int R> void narrowBox(const uchar* __restrict row, uchar* __restrict out, int n, int scale) {
    // Sums of at most 9 bytes fit 16 bits, so the vectors hold 8 of them.
    const quint16 by = quint16(scale);
    for (int i = 0; i < n; ++i) {
        quint16 sum = row[i];
        for (int k = 1; k <= R; ++k)
            sum = quint16(sum + row[i - 4 * k] + row[i + 4 * k]);
        out[i] = uchar((quint32(sum) * by) >> 16);
    }
}

// A box of `radius` along each row of 4-byte pixels, `src` into `dst`; beyond the edges is clear.
// Sums are scaled by a fixed-point reciprocal: a division per channel would cost more than the rest.
// A narrow box adds its few neighbours byte by byte from a row with clear ends, which runs on
// vectors; a wide one keeps a running sum.
void blurRows(const uchar* src, uchar* dst, int w, int h, qsizetype stride, int radius) {
    const int scale = (1 << 16) / (2 * radius + 1);
    const int n = 4 * w, pad = 4 * radius;
    thread_local std::vector<uchar> padded;
    padded.assign(std::size_t(n + 2 * pad), 0);
    for (int y = 0; y < h; ++y) {
        const uchar* in = src + y * stride;
        uchar* __restrict out = dst + y * stride;
        if (radius <= 4) {
            std::copy(in, in + n, padded.begin() + pad);
            const uchar* row = padded.data() + pad;
            switch (radius) {
            case 1:
                narrowBox<1>(row, out, n, scale);
                break;
            case 2:
                narrowBox<2>(row, out, n, scale);
                break;
            case 3:
                narrowBox<3>(row, out, n, scale);
                break;
            default:
                narrowBox<4>(row, out, n, scale);
                break;
            }
            continue;
        }
        for (int c = 0; c < 4; ++c) {
            int sum = 0;
            for (int x = 0; x < std::min(radius, w); ++x)
                sum += in[4 * x + c];
            for (int x = 0; x < w; ++x) {
                if (x + radius < w) sum += in[4 * (x + radius) + c];
                if (x - radius - 1 >= 0) sum -= in[4 * (x - radius - 1) + c];
                out[4 * x + c] = uchar((sum * scale) >> 16);
            }
        }
    }
}

// The same down the columns, a whole row of sums at a time so memory is read in order. The
// pointers are declared apart so the loops run on vectors: bytes could otherwise be the sums.
void blurColumns(const uchar* src, uchar* dst, int w, int h, qsizetype stride, int radius) {
    const int n = 4 * w;
    // Sums of at most 255 bytes fit 16 bits, so the vectors hold 8 of them.
    const quint32 scale = quint32((1 << 16) / (2 * radius + 1));
    thread_local std::vector<quint16> sums;
    sums.assign(std::size_t(n), 0);
    quint16* __restrict sum = sums.data();
    auto add = [&](const uchar* __restrict row) {
        for (int i = 0; i < n; ++i)
            sum[i] = quint16(sum[i] + row[i]);
    };
    auto drop = [&](const uchar* __restrict row) {
        for (int i = 0; i < n; ++i)
            sum[i] = quint16(sum[i] - row[i]);
    };
    for (int y = 0; y < std::min(radius, h); ++y)
        add(src + y * stride);
    for (int y = 0; y < h; ++y) {
        if (y + radius < h) add(src + (y + radius) * stride);
        if (y - radius - 1 >= 0) drop(src + (y - radius - 1) * stride);
        uchar* __restrict out = dst + y * stride;
        for (int i = 0; i < n; ++i)
            out[i] = uchar((quint32(sum[i]) * scale) >> 16);
    }
}

} // namespace

void boxBlur(QImage& img, int radius) {
    if (radius < 1 || img.isNull() || img.depth() != 32) return;
    radius = std::min(radius, 127); // the sums of a column fit 16 bits
    const int w = img.width(), h = img.height();
    const qsizetype stride = img.bytesPerLine();
    thread_local std::vector<uchar> tmp;
    tmp.resize(std::max(tmp.size(), std::size_t(stride) * std::size_t(h)));
    uchar* px = img.bits();
    for (int pass = 0; pass < 2; ++pass) {
        blurRows(px, tmp.data(), w, h, stride, radius);
        blurColumns(tmp.data(), px, w, h, stride, radius);
    }
}
