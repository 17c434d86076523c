#include "LinePattern.h"

#include "TravelLook.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kMostMarks = 400000;
constexpr double kFarthest = 1e12;

// The piece's own ends exactly where `along` is one of them, so an uncut piece stays as it was.
QPointF pointAt(const TracePiece& piece, double along) {
    const double length = piece.line.length();
    if (along <= piece.from || length <= 0) return piece.line.p1();
    if (along >= piece.from + length) return piece.line.p2();
    return piece.line.pointAt((along - piece.from) / length);
}

// Dashes [m * period, m * period + core] that meet the piece.
void dashes(const TracePiece& piece, qint32 colour, double core, double period, LineMarks& out) {
    const double a = piece.from, b = piece.to();
    for (double m = std::floor(a / period); m * period <= b; ++m) {
        const double start = m * period, end = start + core;
        const double u = std::max(a, start), v = std::min(b, end);
        if (v <= u && !(a == b && u == v)) continue;
        out.strokes.push_back({QLineF(pointAt(piece, u), pointAt(piece, v)), colour,
                               u == start || (u == a && piece.spotFrom), v == end || (v == b && piece.spotTo),
                               true});
    }
}

// Dots at every multiple of `period` from the piece's start up to, not at, its end: a dot on a
// joint belongs to the piece after it.
void dots(const TracePiece& piece, qint32 colour, double period, LineMarks& out) {
    const double a = piece.from, b = piece.to();
    for (double m = std::ceil(a / period); m * period < b || (a == b && m * period == a); ++m)
        out.dots.push_back({pointAt(piece, m * period), colour});
}
} // namespace

void markLine(const ProjectState& st, std::span<const TracePiece> pieces, double width, LineMarks& out) {
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
        if (style == LineStyle::Dashed)
            dashes(piece, colour, kDashCore * unit, kDashPeriod * unit, out);
        else if (style == LineStyle::Dotted)
            dots(piece, colour, kDotPeriod * unit, out);
        else
            out.strokes.push_back({piece.line, colour, piece.spotFrom, piece.spotTo});
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
