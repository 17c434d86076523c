#include "GifPalette.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kKept = 32;  // the most colours held for the route
constexpr int kExact = 12; // squared distance taken as the colour itself: not dithered
constexpr int kMix = 8;    // colours mixed for a pixel

int cellOf5(QRgb c) {
    return (qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | qBlue(c) >> 3;
}

int square(int v) {
    return v * v;
}

// The 8 x 8 ordered-dither threshold (0..63) at x, y: the bits of x ^ y and y, interleaved and
// read backwards, so that each threshold is as far as can be from its equals.
int threshold(int x, int y) {
    int v = 0;
    for (int bit = 0; bit < 3; ++bit)
        v = v << 2 | (((x ^ y) >> bit) & 1) << 1 | ((y >> bit) & 1);
    return v;
}

struct Point {
    double c[3];
    double w;
};

struct Box {
    int begin, end;
    double error; // the weighted squared spread of its points
    int axis;     // the channel it spreads most along
};

Box measure(const std::vector<Point>& pts, int begin, int end) {
    double w = 0, sum[3] = {}, sq[3] = {};
    for (int i = begin; i < end; ++i)
        for (int a = 0; a < 3; ++a) {
            sum[a] += pts[i].w * pts[i].c[a];
            sq[a] += pts[i].w * pts[i].c[a] * pts[i].c[a];
            if (a == 0) w += pts[i].w;
        }
    Box box{begin, end, 0, 0};
    double widest = -1;
    for (int a = 0; a < 3; ++a) {
        const double spread = sq[a] - sum[a] * sum[a] / w;
        box.error += spread;
        if (spread > widest) widest = spread, box.axis = a;
    }
    if (end - begin < 2) box.error = 0;
    return box;
}

QRgb meanOf(const std::vector<Point>& pts, const Box& box) {
    double w = 0, sum[3] = {};
    for (int i = box.begin; i < box.end; ++i) {
        w += pts[i].w;
        for (int a = 0; a < 3; ++a)
            sum[a] += pts[i].w * pts[i].c[a];
    }
    auto channel = [&](int a) { return std::clamp(int(std::lround(sum[a] / w)), 0, 255); };
    return qRgb(channel(0), channel(1), channel(2));
}
} // namespace

GifPalette::GifPalette(std::vector<QRgb> keep) : keep_(std::move(keep)), nearest_(1 << 18, 0xffff) {
    if (keep_.size() > std::size_t(kKept)) keep_.resize(kKept);
}

void GifPalette::addColour(QRgb c) {
    c |= 0xff000000;
    if (used_ < kColours &&
        std::find(colours_.begin(), colours_.begin() + used_, c) == colours_.begin() + used_)
        colours_[std::size_t(used_++)] = c;
}

void GifPalette::make(const QImage& first) {
    for (QRgb c : keep_)
        addColour(c);
    for (int r = 0; r < 3; ++r) // 0, 128, 255 in each channel: pure colours come out exact
        for (int g = 0; g < 3; ++g)
            for (int b = 0; b < 3; ++b)
                addColour(qRgb(std::min(255, r * 128), std::min(255, g * 128), std::min(255, b * 128)));
    Histogram bins(1 << 15);
    for (int y = 0; y < first.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(first.constScanLine(y));
        for (int x = 0; x < first.width(); ++x) {
            Bin& bin = bins[std::size_t(cellOf5(row[x]))];
            ++bin.count;
            bin.r += qRed(row[x]), bin.g += qGreen(row[x]), bin.b += qBlue(row[x]);
        }
    }
    add(bins, kColours - used_);
    for (int i = 0; i < kColours; ++i)
        lightness_[std::size_t(i)] =
            299 * qRed(colours_[i]) + 587 * qGreen(colours_[i]) + 114 * qBlue(colours_[i]);
}

void GifPalette::add(const Histogram& bins, int n) {
    std::vector<Point> pts;
    for (const Bin& bin : bins)
        if (bin.count)
            pts.push_back({{double(bin.r) / bin.count, double(bin.g) / bin.count, double(bin.b) / bin.count},
                           double(bin.count)});
    n = std::min(n, kColours - used_);
    if (pts.empty() || n <= 0) return;
    // Median cut: the box that spreads most is split at its weighted median, until there are n.
    std::vector<Box> boxes{measure(pts, 0, int(pts.size()))};
    while (int(boxes.size()) < n) {
        auto worst = std::max_element(boxes.begin(), boxes.end(),
                                      [](const Box& a, const Box& b) { return a.error < b.error; });
        if (worst->error <= 0) break;
        const Box box = *worst;
        std::sort(pts.begin() + box.begin, pts.begin() + box.end,
                  [a = box.axis](const Point& p, const Point& q) { return p.c[a] < q.c[a]; });
        double total = 0, acc = 0;
        for (int i = box.begin; i < box.end; ++i)
            total += pts[i].w;
        int split = box.begin + 1;
        for (int i = box.begin; i < box.end - 1 && acc + pts[i].w <= total / 2; ++i) {
            acc += pts[i].w;
            split = i + 1;
        }
        split = std::clamp(split, box.begin + 1, box.end - 1);
        *worst = measure(pts, box.begin, split);
        boxes.push_back(measure(pts, split, box.end));
    }
    for (const Box& box : boxes)
        addColour(meanOf(pts, box));
}

int GifPalette::nearest(int r, int g, int b) {
    const int cell = (r >> 2) << 12 | (g >> 2) << 6 | b >> 2;
    std::uint16_t& known = nearest_[std::size_t(cell)];
    if (known != 0xffff) return known;
    const int cr = (r & ~3) + 2, cg = (g & ~3) + 2, cb = (b & ~3) + 2;
    int best = 0, bestDistance = 1 << 30;
    for (int i = 0; i < used_; ++i) {
        const QRgb c = colours_[std::size_t(i)];
        const int d = square(qRed(c) - cr) + square(qGreen(c) - cg) + square(qBlue(c) - cb);
        if (d < bestDistance) bestDistance = d, best = i;
    }
    known = std::uint16_t(best);
    return best;
}

void GifPalette::map(const QImage& frame, uchar* out, qsizetype stride) {
    const int w = frame.width(), h = frame.height();
    if (used_ == 0) make(frame);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        uchar* to = out + stride * y;
        for (int x = 0; x < w; ++x) {
            const int r = qRed(row[x]), g = qGreen(row[x]), b = qBlue(row[x]);
            // A mix of kMix palette colours whose mean is the pixel: each is the nearest to the
            // pixel plus what the ones before missed by. Ordered by lightness, the position's
            // threshold picks one of them.
            int mix[kMix];
            mix[0] = nearest(r, g, b);
            const QRgb near = colours_[std::size_t(mix[0])];
            if (square(r - qRed(near)) + square(g - qGreen(near)) + square(b - qBlue(near)) <= kExact) {
                to[x] = uchar(mix[0]);
                continue;
            }
            int er = r - qRed(near), eg = g - qGreen(near), eb = b - qBlue(near);
            for (int k = 1; k < kMix; ++k) {
                mix[k] = nearest(std::clamp(r + er, 0, 255), std::clamp(g + eg, 0, 255),
                                 std::clamp(b + eb, 0, 255));
                const QRgb c = colours_[std::size_t(mix[k])];
                er += r - qRed(c), eg += g - qGreen(c), eb += b - qBlue(c);
            }
            std::sort(mix, mix + kMix, [this](int i, int j) { return lightness_[i] < lightness_[j]; });
            to[x] = uchar(mix[threshold(x & 7, y & 7) * kMix / 64]);
        }
    }
}
