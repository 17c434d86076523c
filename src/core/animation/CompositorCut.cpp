// Cutting the route for an area of a frame: the pieces that reach it, split into the parts of
// the tail's fade, and the glow's own parts.
#include "Compositor.h"

#include "LineGlow.h"
#include "LinePaint.h"
#include "LinePattern.h"
#include "LineTail.h"
#include "TravelLook.h"

#include "mapview/SegmentClip.h"

#include <algorithm>

std::vector<GlowPart> Compositor::Cut::glowParts() const {
    const bool own = !glowLevels.empty();
    const std::vector<LinePart>& levels = own ? glowLevels : parts;
    std::vector<GlowPart> glowing;
    for (std::size_t k = 0; k < levels.size(); ++k)
        glowing.push_back({own ? glowSplit[k] : split[k], levels[k].opacity});
    return glowing;
}

Compositor::Cut Compositor::cutRoute(const RouteAt& route, QSize frame, const QRect& area) const {
    const ProjectState& st = st_;
    Cut cut;
    cut.look = lineLookFor(st);
    cut.glow = std::clamp<int>(st.glow, 0, 256) * styleScale(st);
    const double reach = marksReach(cut.look);
    cut.seen = QRectF(area).adjusted(-reach, -reach, reach, reach);
    const double lit = cut.glow > 0 ? glowReach(cut.look.width, cut.glow) : 0;
    // Only what reaches the area: a long leg is cut where it leaves the room around it.
    const QRectF near = cut.seen.adjusted(-lit, -lit, lit, lit);
    const bool whole = area == QRect(QPoint(0, 0), frame);
    std::vector<TracePiece> pieces;
    for (const TracePiece& piece : route.trace.pieces) {
        QPointF a = piece.line.p1(), b = piece.line.p2();
        if (whole) {
            pieces.push_back(piece);
        } else if (a == b ? near.contains(a) : clipSegment(a, b, near)) {
            pieces.push_back({QLineF(a, b), piece.from + QLineF(piece.line.p1(), a).length(), piece.leg,
                              piece.spotFrom && a == piece.line.p1(), piece.spotTo && b == piece.line.p2()});
        }
    }
    cut.parts = wholeLine();
    if (route.tailStart >= 0) {
        const double transition = tailTransition(cut.look.width);
        cut.parts = tailParts(route.tailStart, st.tailfade / 100, transition);
        if (cut.glow > 0) {
            cut.glowLevels = tailGlowParts(route.tailStart, st.tailfade / 100, transition);
            cut.glowSplit.resize(cut.glowLevels.size());
            for (std::size_t k = 0; k < cut.glowLevels.size(); ++k)
                piecesBetween(pieces, cut.glowLevels[k].from, cut.glowLevels[k].to, cut.glowSplit[k]);
        }
    }
    cut.split.resize(cut.parts.size());
    if (cut.parts.size() == 1)
        cut.split[0] = std::move(pieces);
    else
        for (std::size_t k = 0; k < cut.parts.size(); ++k)
            piecesBetween(pieces, cut.parts[k].from, cut.parts[k].to, cut.split[k]);
    return cut;
}
