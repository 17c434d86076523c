#pragma once
// A soft light under the route's line, each part in its leg's colour: the line drawn wide on a
// layer of a fraction of the frame's size, blurred there, and laid under the line enlarged,
// which costs a small part of blurring at the frame's own size.

#include "RouteTrace.h"

#include <QPainter>
#include <optional>
#include <span>

struct GlowPart {
    std::span<const TracePiece> pieces;
    double opacity; // a faded part of the line glows as faintly
};

// A glow `glow` frame pixels wide beyond the edges of a line `width` wide, onto `p` (which puts
// pixel centres on integers) over a frame of `size`. Given `area`, only what falls there is
// worked out, and it comes out as it would over the whole frame, provided `parts` hold every
// piece within glowReach() of the area.
void paintGlow(QPainter& p, const ProjectState& st, std::span<const GlowPart> parts, double width,
               double glow, QSize size, const QRect& area = {});
// The glow's small layer for `area` (the whole frame when null), blurred: each of its pixels `f`
// frame pixels wide, the first at `corner` (on a grid of f from the frame's corner). Its pixels
// that reach the area hold what the whole frame's would. Held by the thread until its next call.
struct GlowTexels {
    QImage layer;
    QPoint corner;
    int f = 1;
};
std::optional<GlowTexels> glowTexels(const ProjectState& st, std::span<const GlowPart> parts, double width,
                                     double glow, QSize size, const QRect& area = {});
// The glow layer's pixel in frame pixels for a glow `glow` wide.
int glowStep(double glow);
// The opacity the layer is laid over the frame at.
double glowStrength();
// How far from the line's middle a glow shows.
double glowSpread(double width, double glow);
// How far from the line's middle pieces matter to the glow of a part of the frame.
double glowReach(double width, double glow);
