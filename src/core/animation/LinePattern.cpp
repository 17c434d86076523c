#include "LinePattern.h"

#include "TravelLook.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr double kMostMarks = 400000;
constexpr double kFarthest = 1e12;
constexpr double kNone = std::numeric_limits<double>::infinity(); // an empty range runs from here back

// The piece's own ends exactly where `along` is one of them, so an uncut piece stays as it was.
QPointF pointAt(const TracePiece& piece, double along) {
    const double length = piece.line.length();
    if (along <= piece.from || length <= 0) return piece.line.p1();
    if (along >= piece.from + length) return piece.line.p2();
    return piece.line.pointAt((along - piece.from) / length);
}

// The lengths along the route between which the piece runs through `r` (a mark is made when
// its start or centre lies there: `r` must leave room for a mark's half width); the piece's whole
// length without `r`, and an empty range when it misses `r`.
std::pair<double, double> lengthsWithin(const TracePiece& piece, const QRectF* r) {
    const double a = piece.from, b = piece.to();
    if (!r) return {a, b};
    // The segment's parameters inside the rectangle, one pair of sides at a time.
    double u0 = 0, u1 = 1;
    const QPointF p = piece.line.p1(), d = piece.line.p2() - p;
    const double edges[4][2] = {{-d.x(), p.x() - r->left()},
                                {d.x(), r->right() - p.x()},
                                {-d.y(), p.y() - r->top()},
                                {d.y(), r->bottom() - p.y()}};
    for (const auto& [q, room] : edges) {
        if (q == 0) {
            if (room < 0) return {kNone, -kNone};
            continue;
        }
        const double u = room / q;
        if (q < 0)
            u0 = std::max(u0, u);
        else
            u1 = std::min(u1, u);
    }
    if (u0 > u1) return {kNone, -kNone};
    return {a + u0 * (b - a), a + u1 * (b - a)};
}

// The piece as one stroke, or its part within `r`: cut ends have no spot and lie outside `r`.
void solid(const TracePiece& piece, qint32 colour, const QRectF* r, LineMarks& out) {
    const auto [lo, hi] = lengthsWithin(piece, r);
    if (lo > hi) return;
    const double a = piece.from, b = piece.to();
    if (lo <= a && hi >= b) {
        out.strokes.push_back({piece.line, colour, piece.spotFrom, piece.spotTo});
        return;
    }
    out.strokes.push_back({QLineF(pointAt(piece, std::max(lo, a)), pointAt(piece, std::min(hi, b))), colour,
                           lo <= a && piece.spotFrom, hi >= b && piece.spotTo});
}

// Dashes [m * period, m * period + core] that meet the piece, between lengths `lo` and `hi`.
void dashes(const TracePiece& piece, qint32 colour, double core, double period, double lo, double hi,
            LineMarks& out) {
    const double a = piece.from, b = piece.to();
    for (double m = std::floor(std::max(a, lo) / period); m * period <= std::min(b, hi); ++m) {
        const double start = m * period, end = start + core;
        const double u = std::max(a, start), v = std::min(b, end);
        if (v <= u && !(a == b && u == v)) continue;
        out.strokes.push_back({QLineF(pointAt(piece, u), pointAt(piece, v)), colour,
                               u == start || (u == a && piece.spotFrom), v == end || (v == b && piece.spotTo),
                               true});
    }
}

// Dots at every multiple of `period` from the piece's start up to, not at, its end (a dot on a
// joint belongs to the piece after it), between lengths `lo` and `hi`.
void dots(const TracePiece& piece, qint32 colour, double period, double lo, double hi, LineMarks& out) {
    const double a = piece.from, b = piece.to();
    for (double m = std::ceil(std::max(a, lo) / period);
         (m * period < b || (a == b && m * period == a)) && m * period <= hi; ++m)
        out.dots.push_back({pointAt(piece, m * period), colour});
}
} // namespace

void markLine(const ProjectState& st, std::span<const TracePiece> pieces, double width, LineMarks& out,
              const QRectF* within) {
    out.strokes.clear();
    out.dots.clear();
    // Below a pixel the pattern would blur into a faint solid line; keep its marks visible.
    const double unit = std::max(width, 1.0);
    double patterned = 0, farthest = 0;
    for (const TracePiece& piece : pieces) {
        if (legLineStyle(st, piece.leg) != LineStyle::Solid) patterned += piece.line.length();
        farthest = std::max(farthest, piece.to());
    }
    // So far along (a route zoomed in beyond reason) a double no longer tells marks apart.
    const bool solidOnly = patterned / (unit * kDotPeriod) > kMostMarks || !(farthest < kFarthest);
    for (const TracePiece& piece : pieces) {
        const qint32 colour = legColour(st, piece.leg);
        const LineStyle style = solidOnly ? LineStyle::Solid : legLineStyle(st, piece.leg);
        if (style == LineStyle::Dashed) {
            const auto [lo, hi] = lengthsWithin(piece, within);
            dashes(piece, colour, kDashCore * unit, kDashPeriod * unit, lo, hi, out);
        } else if (style == LineStyle::Dotted) {
            const auto [lo, hi] = lengthsWithin(piece, within);
            dots(piece, colour, kDotPeriod * unit, lo, hi, out);
        } else
            solid(piece, colour, within, out);
    }
}

void piecesBetween(std::span<const TracePiece> in, double from, double to, std::vector<TracePiece>& out) {
    out.clear();
    for (const TracePiece& piece : in) {
        const double a = piece.from, b = piece.to();
        const double u = std::max(a, from), v = std::min(b, to);
        // A point alone belongs to the part it lies in; a piece to those it crosses.
        if (a == b ? (a < from || a >= to) : v <= u) continue;
        out.push_back({QLineF(pointAt(piece, u), pointAt(piece, v)), u, piece.leg, u == a && piece.spotFrom,
                       v == b && piece.spotTo});
    }
}
