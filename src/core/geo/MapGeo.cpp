#include "MapGeo.h"

#include "MapGeoreference.h"
#include "RouteBuild.h"

#include <QDir>
#include <QFileInfo>
#include <vector>

namespace {
bool sameGeoreference(const std::optional<Georeference>& a, const std::optional<Georeference>& b) {
    if (!a || !b) return !a && !b;
    return a->projection() == b->projection() && a->coordinateSystem().proj == b->coordinateSystem().proj &&
           a->pixelToProjected() == b->pixelToProjected();
}

} // namespace

std::optional<Georeference> mapGeoreference(const Workspace& ws, double* worstResidual) {
    if (worstResidual) *worstResidual = 0;
    if (ws.geo.picture) return ws.geo.picture;
    if (ws.geo.source) return ws.geo.source;
    std::vector<ControlPoint> points;
    for (const GeoControl& c : ws.st.georef)
        if (c.set()) points.push_back({QPointF(c.px, c.py), {c.lat, c.lon}});
    if (points.size() < 2) return std::nullopt;
    const std::optional<ControlPointFit> fit = fitControlPoints(points);
    if (!fit) return std::nullopt;
    if (worstResidual) *worstResidual = fit->worstResidual;
    return fit->georeference;
}

QString trackFilePath(const ProjectState& st) {
    return besideProject(st, st.track);
}

MaybeError reloadTrack(Workspace& ws) {
    ws.geo.track.reset();
    ws.geo.placed.reset();
    ws.geo.trackFile = trackFilePath(ws.st);
    if (ws.geo.trackFile.isEmpty()) return std::nullopt;
    Error error;
    std::optional<Track> track = readTrack(ws.geo.trackFile, &error);
    if (!track) return error;
    ws.geo.track = std::make_shared<const Track>(std::move(*track));
    return std::nullopt;
}

void reloadGeography(Workspace& ws, const QString& picturePath, QStringList& notes) {
    ws.geo.picture.reset();
    ws.geo.pictureSource.clear();
    if (!picturePath.isEmpty() && !ws.picture.isNull()) {
        Error error;
        if (const std::optional<FoundGeoreference> found =
                findGeoreference(picturePath, ws.picture.size(), &error)) {
            ws.geo.picture = found->georeference;
            ws.geo.pictureSource = found->description();
        } else if (!error.reason.isEmpty()) {
            notes << "The map's coordinates could not be read (" + error.message() + ").";
        }
    }
    if (MaybeError e = reloadTrack(ws)) notes << "The track could not be loaded (" + e->message() + ").";
    if (ws.geo.track && ws.geo.track->skipped > 0)
        notes << QString("The track's file held %1 point(s) off the earth or not numbers; they were skipped.")
                     .arg(ws.geo.track->skipped);
    double worst = 0;
    const std::optional<Georeference> where = mapGeoreference(ws, &worst);
    if (worst > 5)
        notes << QString("The map's control points fit it only to within %1 pixels: check them.")
                     .arg(worst, 0, 'f', 1);
    if (ws.geo.track && !where)
        notes << "The track is not drawn: the map has no coordinates (no world file, GeoTIFF or control "
                 "points).";
    refreshRoute(ws);
}

void refreshRoute(Workspace& ws) {
    ProjectState& st = ws.st;
    // The `track` key changed by an edit or an undo: the track it names now. A track that cannot
    // be read was reported where it was named; here it is only left out.
    if (trackFilePath(st) != ws.geo.trackFile) reloadTrack(ws);
    const std::optional<Georeference> where = mapGeoreference(ws);
    if (where) {
        const int count = std::clamp<int>(st.listmax, 0, kPointSlots);
        for (int i = 0; i < count; ++i) {
            if (!st.pointgeo[std::size_t(i)].set()) continue;
            const QPointF p = pointPlace(st, where, i);
            st.pointx[std::size_t(i)] = qint16(std::clamp(std::round(p.x()), -32768.0, 32767.0));
            st.pointy[std::size_t(i)] = qint16(std::clamp(std::round(p.y()), -32768.0, 32767.0));
        }
    }
    if (ws.geo.track && where && (!ws.geo.placed || !sameGeoreference(ws.geo.placedBy, where))) {
        ws.geo.placed = placeTrack(ws.geo.track, *where);
        ws.geo.placedBy = where;
    }
    st.route = buildRouteShape(st, where, where ? ws.geo.placed : nullptr, st.route.get());
}

void movedByHand(Workspace& ws, int i) {
    GeoPoint& g = ws.st.pointgeo[std::size_t(i)];
    if (!g.set()) return;
    const std::optional<Georeference> where = mapGeoreference(ws);
    if (!where) {
        g = GeoPoint();
        return;
    }
    const LatLon at = where->latLonAt(QPointF(ws.st.pointx[std::size_t(i)], ws.st.pointy[std::size_t(i)]));
    g = validLatLon(at) ? GeoPoint(at.lat, at.lon) : GeoPoint();
}
