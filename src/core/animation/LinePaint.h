#pragma once
// Painting the route's marks on a composed frame: the casing beneath everything, then the line,
// then the circles at the points; a part of the line drawn fainter goes through a layer of its
// own, so its pieces do not darken where they overlap.

#include "DiscStamps.h"
#include "LinePattern.h"

#include <QPainter>
#include <functional>

struct LineLook {
    double width = 1, ring = 1, radius = 0;
    bool cased = false;
    double casingwidth = 0;
    qint32 casing = 0, ringColour = 0;
};

// `rings`: the points whose circles go with these marks. Spots of patterns come from `stamps`.
void paintMarks(QPainter& p, const LineMarks& marks, std::span<const QPointF> rings, const LineLook& look,
                DiscStamps& stamps);

// Runs `draw` at `opacity`: straight onto `p` when whole, else through a layer covering the part
// of `bounds` (frame pixels) inside `frame`. `p` and the layer both put pixel centres on integers.
void paintFaded(QPainter& p, double opacity, const QRectF& bounds, QSize frame,
                const std::function<void(QPainter&)>& draw);
