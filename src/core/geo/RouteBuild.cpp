#include "RouteBuild.h"

#include "TrackStops.h"
#include "animation/TravelLook.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>
#include <QLineF>
#include <algorithm>

namespace {
enum class LegKind { Straight, Arc, Track };

LegKind kindOf(const ProjectState& st, int i, bool haveTrack) {
    const QString& own = st.pointpath[std::size_t(i)];
    if (own == QLatin1String("arc")) return LegKind::Arc;
    if (own == QLatin1String("straight")) return LegKind::Straight;
    // A flight keeps to its arc whatever the route's `path` or track says.
    if (legMode(st, i).arc) return LegKind::Arc;
    if (st.path == QLatin1String("arc")) return LegKind::Arc;
    return haveTrack ? LegKind::Track : LegKind::Straight;
}

// Along the great circle (the geodesic of the WGS 84 ellipsoid). Where it crosses the 180th
// meridian the line leaves the map's edge and comes in at the other.
std::shared_ptr<LegLine> geodesicLine(const Georeference& where, LatLon a, LatLon b, double* metres) {
    const GeographicLib::Geodesic& earth = GeographicLib::Geodesic::WGS84();
    const GeographicLib::GeodesicLine line = earth.InverseLine(a.lat, a.lon, b.lat, b.lon);
    const double length = line.Distance();
    *metres = length;
    // A vertex every 20 km, enough for a smooth curve at any zoom a flight is shown at.
    const int n = int(std::clamp(std::ceil(length / 20000), 32.0, 2048.0));
    auto out = std::make_shared<LegLine>();
    LatLon prev = a;
    for (int k = 0; k <= n; ++k) {
        LatLon p = b;
        if (k < n) line.Position(length * k / n, p.lat, p.lon);
        if (k > 0 && std::abs(p.lon - prev.lon) > 180) {
            // Crossing the 180th meridian: the edge on each side at the latitude where it crosses.
            const double edge = prev.lon > 0 ? 180 : -180;
            const double unrolled = p.lon + (edge > 0 ? 360 : -360);
            const double f = (edge - prev.lon) / (unrolled - prev.lon);
            const double lat = prev.lat + (p.lat - prev.lat) * f;
            out->add(where.pixelAt({lat, edge}));
            out->add(where.pixelAt({lat, -edge}), true);
        }
        out->add(k == 0 ? where.pixelAt(a) : where.pixelAt(p));
        prev = p;
    }
    return out;
}

// A circular arc from a to b, bulging by `bend` of its chord to the left of the way it goes.
std::shared_ptr<LegLine> circularLine(QPointF a, QPointF b, double bend) {
    auto line = std::make_shared<LegLine>();
    const QPointF d = b - a;
    const double chord = std::hypot(d.x(), d.y());
    const double h = std::abs(bend) * chord;
    line->add(a);
    if (chord == 0 || h < 1e-9) {
        line->add(b);
        return line;
    }
    // Left of the way (y grows downwards): travelling east, left is up.
    const QPointF left = QPointF(d.y(), -d.x()) / chord * (bend > 0 ? 1 : -1);
    const double radius = (chord * chord / 4 + h * h) / (2 * h);
    const QPointF centre = (a + b) / 2 + left * (h - radius);
    const double half = std::asin(std::min(1.0, chord / 2 / radius));
    const double sweep = 2 * (h <= chord / 2 ? half : M_PI - half);
    // Turning from a towards b through the bulge: the sign that puts the middle on the bulge.
    const QPointF apex = (a + b) / 2 + left * h;
    auto turned = [&](double angle) {
        const QPointF r = a - centre;
        return centre + QPointF(r.x() * std::cos(angle) - r.y() * std::sin(angle),
                                r.x() * std::sin(angle) + r.y() * std::cos(angle));
    };
    const double dir =
        QLineF(turned(sweep / 2), apex).length() < QLineF(turned(-sweep / 2), apex).length() ? 1 : -1;
    const int n = int(std::clamp(std::ceil(radius * sweep / 3), 16.0, 1024.0));
    for (int k = 1; k < n; ++k)
        line->add(turned(dir * sweep * k / n));
    line->add(b);
    return line;
}

// The nearest track point at or after `from`; an exact match ends the search at once (points
// made by an import stand exactly on the track).
qsizetype nearestOnTrack(const PlacedTrack& t, QPointF p, qsizetype from) {
    qsizetype best = -1;
    double bestSquare = HUGE_VAL;
    for (qsizetype k = std::max<qsizetype>(from, 0); k < qsizetype(t.pixels.size()); ++k) {
        const QPointF d = t.pixels[std::size_t(k)] - p;
        const double sq = d.x() * d.x() + d.y() * d.y();
        if (sq < bestSquare) {
            bestSquare = sq, best = k;
            if (sq == 0) break;
        }
    }
    return best;
}

// The track from point a to point b, with the recorded seconds where every point has a time.
// The head waits at stops as the recording did, except that a stop at the leg's start is the
// reached point's hold already, and a stop longer than `trackstop` lasts the hold instead.
std::shared_ptr<LegLine> trackLine(const ProjectState& st, const PlacedTrack& t, qsizetype a, qsizetype b,
                                   QPointF from, QPointF to, double* metres) {
    const Track& track = *t.track;
    auto line = std::make_shared<LegLine>();
    line->add(from);
    bool timed = true;
    *metres = 0;
    for (qsizetype k = a; k <= b; ++k) {
        line->add(t.pixels[std::size_t(k)]);
        timed = timed && track.points[std::size_t(k)].msecs >= 0;
        if (k > a) {
            const LatLon& from = track.points[std::size_t(k - 1)].at;
            *metres += nearMetres(from, track.points[std::size_t(k)].at, std::cos(from.lat * M_PI / 180));
        }
    }
    line->add(to);
    if (timed && b > a) {
        std::vector<double> cut(std::size_t(b - a + 1), 0.0); // seconds left out before each point
        for (const TrackStop& s : trackStops(track, a, b + 1, st.trackstop)) {
            const double kept = s.first == a ? 0 : std::min(s.seconds, st.hold * st.timescale);
            for (qsizetype k = s.last; k <= b; ++k)
                cut[std::size_t(k - a)] += s.seconds - kept;
        }
        const qint64 t0 = track.points[std::size_t(a)].msecs;
        line->seconds.push_back(0);
        double last = 0;
        for (qsizetype k = a; k <= b; ++k) {
            const double s = double(track.points[std::size_t(k)].msecs - t0) / 1000 - cut[std::size_t(k - a)];
            last = std::max(last, s); // a clock that goes back does not move the head back
            line->seconds.push_back(last);
        }
        line->seconds.push_back(last);
    }
    return line;
}
} // namespace

std::shared_ptr<const PlacedTrack> placeTrack(std::shared_ptr<const Track> track, const Georeference& where) {
    auto placed = std::make_shared<PlacedTrack>();
    placed->pixels.reserve(track->points.size());
    for (const TrackPoint& p : track->points)
        placed->pixels.push_back(where.pixelAt(p.at));
    placed->track = std::move(track);
    return placed;
}

QPointF pointPlace(const ProjectState& st, const std::optional<Georeference>& where, int i) {
    const GeoPoint& g = st.pointgeo[std::size_t(i)];
    if (where && g.set()) return where->pixelAt({g.lat, g.lon});
    return QPointF(st.pointx[std::size_t(i)], st.pointy[std::size_t(i)]);
}

std::shared_ptr<const RouteShape> buildRouteShape(const ProjectState& st,
                                                  const std::optional<Georeference>& where,
                                                  const std::shared_ptr<const PlacedTrack>& track,
                                                  const RouteShape* previous) {
    const int count = std::clamp<int>(st.listmax, 0, kPointSlots);
    const bool haveTrack = track && where && !track->pixels.empty();
    bool anyLine = false;
    for (int i = 1; i < count; ++i)
        anyLine = anyLine || kindOf(st, i, haveTrack) != LegKind::Straight;
    if (!anyLine && !where) return nullptr;
    auto shape = std::make_shared<RouteShape>();
    shape->lines.resize(std::size_t(count));
    shape->recipes.resize(std::size_t(count));
    // Held so that no other track or system can take their place in memory while a recipe names them.
    shape->keep.push_back(track);
    if (where) shape->keep.push_back(where->coordinateSystem().proj);
    shape->legMetres.assign(std::size_t(count), std::nan(""));
    for (int i = 0; i < count; ++i)
        shape->points.push_back(pointPlace(st, where, i));
    auto latLon = [&](int i) { return where->latLonAt(shape->points[std::size_t(i)]); };
    qsizetype onTrack = 0;
    std::vector<qsizetype> trackAt(std::size_t(count), -1);
    for (int i = 0; i < count; ++i)
        if (haveTrack && (onTrack = nearestOnTrack(*track, shape->points[std::size_t(i)], onTrack)) >= 0)
            trackAt[std::size_t(i)] = onTrack;
    for (int i = 1; i < count; ++i) {
        const QPointF a = shape->points[std::size_t(i - 1)], b = shape->points[std::size_t(i)];
        double metres = std::nan("");
        if (where) {
            const LatLon from = latLon(i - 1), to = latLon(i);
            GeographicLib::Geodesic::WGS84().Inverse(from.lat, from.lon, to.lat, to.lon, metres);
        }
        const LegKind kind = kindOf(st, i, haveTrack);
        const bool onTrack = kind == LegKind::Track && trackAt[std::size_t(i - 1)] >= 0 &&
                             trackAt[std::size_t(i)] >= trackAt[std::size_t(i - 1)];
        LegRecipe recipe;
        recipe.kind = int(kind);
        recipe.from = a;
        recipe.to = b;
        if (where) {
            recipe.where = where->pixelToProjected();
            recipe.whereSystem = where->coordinateSystem().proj.get();
            recipe.whereProjection = int(where->projection());
        }
        if (kind == LegKind::Arc && !where) recipe.bend = st.arcbend;
        if (onTrack) {
            recipe.trackFrom = trackAt[std::size_t(i - 1)], recipe.trackTo = trackAt[std::size_t(i)];
            recipe.track = track.get();
            recipe.trackstop = st.trackstop, recipe.hold = st.hold, recipe.timescale = st.timescale;
        }
        shape->recipes[std::size_t(i)] = recipe;
        const bool same =
            previous && i < int(previous->recipes.size()) && previous->recipes[std::size_t(i)] == recipe;
        if (same && kind != LegKind::Straight) {
            shape->lines[std::size_t(i)] = previous->lines[std::size_t(i)];
            shape->legMetres[std::size_t(i)] = previous->legMetres[std::size_t(i)];
            continue;
        }
        std::shared_ptr<LegLine> line;
        switch (kind) {
        case LegKind::Arc:
            line = where ? geodesicLine(*where, latLon(i - 1), latLon(i), &metres)
                         : circularLine(a, b, st.arcbend);
            break;
        case LegKind::Track:
            if (onTrack)
                line = trackLine(st, *track, trackAt[std::size_t(i - 1)], trackAt[std::size_t(i)], a, b,
                                 &metres);
            break;
        case LegKind::Straight:
            break;
        }
        if (line) {
            line->finish();
            shape->lines[std::size_t(i)] = std::move(line);
        }
        shape->legMetres[std::size_t(i)] = metres;
    }
    return shape;
}
