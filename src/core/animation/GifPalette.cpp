#include "GifPalette.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kSpare = 48;         // entries the first cut leaves for later colours
constexpr int kGrowWhenFull = 8;   // colours added at a time once only the spare ones are free
constexpr int kPoorDistance = 300; // squared distance (about 10 a channel) a colour must miss by
constexpr int kExact = 12;         // squared distance taken as the colour itself: not dithered

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

GifPalette::GifPalette() : nearest_(1 << 18, 0xffff) {}

void GifPalette::forget() {
    std::fill(nearest_.begin(), nearest_.end(), 0xffff);
}

void GifPalette::restart(const Histogram& bins) {
    used_ = 0;
    forget();
    colours_.fill(qRgb(0, 0, 0));
    add(bins, kColours - kSpare);
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
    const bool first = used_ == 0;
    for (const Box& box : boxes)
        colours_[std::size_t(used_++)] = meanOf(pts, box);
    if (first) return forget();
    // Colours already served well keep their entries: only the cells that were served poorly
    // look again, so an unchanged pixel keeps its index.
    for (std::size_t cell = 0; cell < nearest_.size(); ++cell) {
        if (nearest_[cell] == 0xffff) continue;
        const QRgb c = colours_[nearest_[cell]];
        const int r = int(cell >> 12 << 2) + 2, g = int((cell >> 6 & 63) << 2) + 2,
                  b = int((cell & 63) << 2) + 2;
        if (square(qRed(c) - r) + square(qGreen(c) - g) + square(qBlue(c) - b) > kPoorDistance)
            nearest_[cell] = 0xffff;
    }
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

bool GifPalette::map(const QImage& frame, uchar* out, qsizetype stride) {
    const int w = frame.width(), h = frame.height();
    auto histogramOf = [&](bool poorOnly, qint64* counted) {
        Histogram bins(1 << 15);
        for (int y = 0; y < h; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
            for (int x = 0; x < w; ++x) {
                const QRgb p = row[x];
                if (poorOnly) {
                    const QRgb c = colours_[std::size_t(nearest(qRed(p), qGreen(p), qBlue(p)))];
                    if (square(qRed(p) - qRed(c)) + square(qGreen(p) - qGreen(c)) +
                            square(qBlue(p) - qBlue(c)) <=
                        kPoorDistance)
                        continue;
                }
                Bin& bin = bins[std::size_t(cellOf5(p))];
                ++bin.count;
                bin.r += qRed(p), bin.g += qGreen(p), bin.b += qBlue(p);
                ++*counted;
            }
        }
        return bins;
    };
    bool changed = false;
    qint64 counted = 0;
    if (used_ == 0) {
        restart(histogramOf(false, &counted));
        changed = true;
    } else {
        // A few stray pixels are left to the dither; a new colour of any extent gets entries.
        const Histogram poor = histogramOf(true, &counted);
        if (counted >= std::max<qint64>(16, qint64(w) * h / 4000)) {
            const int free = kColours - used_;
            if (free > 0)
                add(poor, free > kSpare ? free - kSpare : std::min(free, kGrowWhenFull));
            else
                restart(histogramOf(false, &counted));
            changed = true;
        }
    }
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        uchar* to = out + stride * y;
        for (int x = 0; x < w; ++x) {
            const int r = qRed(row[x]), g = qGreen(row[x]), b = qBlue(row[x]);
            const int i1 = nearest(r, g, b);
            const QRgb c1 = colours_[std::size_t(i1)];
            const int er = r - qRed(c1), eg = g - qGreen(c1), eb = b - qBlue(c1);
            to[x] = uchar(i1);
            if (square(er) + square(eg) + square(eb) <= kExact) continue;
            // The colour past this one on the far side of the pixel, mixed in by how near it is.
            const int i2 =
                nearest(std::clamp(r + er, 0, 255), std::clamp(g + eg, 0, 255), std::clamp(b + eb, 0, 255));
            if (i2 == i1) continue;
            const QRgb c2 = colours_[std::size_t(i2)];
            const int dr = qRed(c2) - qRed(c1), dg = qGreen(c2) - qGreen(c1), db = qBlue(c2) - qBlue(c1);
            const int along = er * dr + eg * dg + eb * db, length = dr * dr + dg * dg + db * db;
            if ((2 * threshold(x & 7, y & 7) + 1) * length < 128 * along) to[x] = uchar(i2);
        }
    }
    return changed;
}
