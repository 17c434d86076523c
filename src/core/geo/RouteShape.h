#pragma once
// The line of each leg when it is not the classic straight one: a slice of a recorded track, a
// great circle, or an arc. The walker moves the head along it, by length or by the track's
// clock, and every drawing of the route draws it. Built once per change of the route, shared
// read-only by the editor, the preview and the render's threads.

#include <QPointF>
#include <QRectF>
#include <QTransform>
#include <cmath>
#include <memory>
#include <vector>

struct LegLine {
    std::vector<QPointF> at;     // world pixels; the first is the leg's start, the last its end
    std::vector<double> along;   // length from the start to each vertex, in pixels
    std::vector<double> seconds; // recorded time from the start to each vertex; empty without times
    // How much each vertex matters for drawing. Ranges of vertices are halved again and again; the
    // middle vertex of a range weighs as far as any vertex of the range strays from the range's
    // chord (never more than the range it lies in). A line drawn with the vertices heavier than a
    // tolerance has every vertex it leaves out within that tolerance of it.
    std::vector<float> weight;
    std::vector<unsigned char> jump; // 1 where the line leaves the map's edge to come in at the other

    double length() const { return along.empty() ? 0 : along.back(); }
    double duration() const { return seconds.empty() ? 0 : seconds.back(); }
    // The place at a length along the line, and the direction of travel there (degrees clockwise
    // from the x axis).
    QPointF pointAt(double s, double* heading = nullptr) const;
    // The length along the line reached at a recorded time (the head waits where the track stood).
    double alongAt(double secs) const;
    // The vertices from length `from` to length `to`, simplified to `tolerance` pixels, as
    // polylines: a jump starts a new one. The pieces begin and end exactly at those lengths.
    void pieces(double from, double to, double tolerance, std::vector<std::vector<QPointF>>& out) const;
    QRectF bounds() const;
    // Appends a vertex, its length worked out from the previous one.
    void add(QPointF p, bool jumpsHere = false);
    void finish(); // weighs the vertices once the line is whole
};

// What a leg's line is made from: the same recipe makes the same line, so a change elsewhere in
// the route (a dragged point, a new label) makes again only the legs it touches.
struct LegRecipe {
    int kind = 0;
    QPointF from, to;
    long long trackFrom = -1, trackTo = -1;
    const void* track = nullptr;
    QTransform where;
    const void* whereSystem = nullptr;
    int whereProjection = -1;
    double bend = 0, trackstop = 0, hold = 0, timescale = 0;
    bool operator==(const LegRecipe&) const = default;
};

struct RouteShape {
    std::vector<std::shared_ptr<const LegLine>> lines; // by the leg's end point; null: straight
    std::vector<LegRecipe> recipes;
    std::vector<std::shared_ptr<const void>> keep;
    std::vector<double> legMetres; // each leg's length on the earth; NaN without coordinates
    std::vector<QPointF> points;   // exact world positions (points placed by coordinates unrounded)

    const LegLine* leg(int i) const {
        return i >= 0 && i < int(lines.size()) ? lines[std::size_t(i)].get() : nullptr;
    }
    double metres(int i) const {
        return i >= 0 && i < int(legMetres.size()) ? legMetres[std::size_t(i)] : std::nan("");
    }
};
