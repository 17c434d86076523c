#pragma once
// What a composed frame strokes for the route's line: each leg in its colour and its style. A
// dashed or dotted leg is cut into marks whose phase is the length along the whole route, so the
// pattern runs on through joints and from leg to leg, and stays put behind the head.

#include "RouteTrace.h"

#include <span>

struct LineMarks {
    struct Stroke {
        QLineF line;
        qint32 colour;
        bool spotFrom, spotTo; // round ends: a dash's cap, or a join
        bool dash = false;     // part of a pattern, whose many spots are stamped
    };
    struct Dot {
        QPointF at;
        qint32 colour;
    };
    std::vector<Stroke> strokes;
    std::vector<Dot> dots;
};

// The pattern in units of the line's width: a dash's straight part (its round caps add half a
// width at each end, making it 3 widths long, 2 apart), its period, and the distance of dots.
constexpr double kDashCore = 2, kDashPeriod = 5, kDotPeriod = 2;

// The marks of `pieces` for a line `width` wide; given `within`, only the marks of a pattern
// there (those drawn are the same either way). A pattern that would take more marks than a
// frame can hold is drawn solid.
void markLine(const ProjectState& st, std::span<const TracePiece> pieces, double width, LineMarks& out,
              const QRectF* within = nullptr);

// The parts of `in` between lengths `from` and `to` along the route; a cut end has no spot, so
// the parts on either side meet flush.
void piecesBetween(std::span<const TracePiece> in, double from, double to, std::vector<TracePiece>& out);
