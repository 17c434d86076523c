#pragma once
// A soft light under the route's line, each part in its leg's colour: the line drawn wide on a
// layer of a fraction of the frame's size, blurred there, and laid under the line enlarged,
// which costs a small part of blurring at the frame's own size.

#include "RouteTrace.h"

#include <QPainter>
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
// How far from the line's middle a glow shows.
double glowSpread(double width, double glow);
// How far from the line's middle pieces matter to the glow of a part of the frame.
double glowReach(double width, double glow);

// Blurs a premultiplied picture in place with a box `radius` pixels each way, twice over (close
// to a Gaussian).
void boxBlur(QImage& img, int radius);
