#include "TrackImport.h"

#include "MapGeo.h"
#include "TrackStops.h"
#include "tiles/MapSources.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {
// Two control points at the frame's corners that show the whole track with a margin, in Web
// Mercator as tiles and most maps have it.
void frameTrack(ProjectState& st, const Track& track) {
    double x0 = HUGE_VAL, x1 = -HUGE_VAL, y0 = HUGE_VAL, y1 = -HUGE_VAL;
    for (const TrackPoint& p : track.points) {
        const QPointF m = toMercator(p.at);
        x0 = std::min(x0, m.x()), x1 = std::max(x1, m.x());
        y0 = std::min(y0, m.y()), y1 = std::max(y1, m.y());
    }
    const double w = std::max<double>(st.framewidth, 16), h = std::max<double>(st.frameheight, 16);
    // Metres a pixel: the track fills four fifths of the frame; a track standing still gets 1 m.
    const double scale = std::max({(x1 - x0) / (w * 0.8), (y1 - y0) / (h * 0.8), 1.0});
    const QPointF centre((x0 + x1) / 2, (y0 + y1) / 2);
    auto at = [&](QPointF pixel) {
        const LatLon l =
            fromMercator(centre + QPointF((pixel.x() - w / 2) * scale, (h / 2 - pixel.y()) * scale));
        return GeoControl(pixel.x(), pixel.y(), l.lat, l.lon);
    };
    st.georef.fill(GeoControl());
    st.georef[0] = at(QPointF(0, 0));
    st.georef[1] = at(QPointF(w - 1, h - 1));
}

// A new project's map: the built-in world map for a track it shows (one that crosses at least 64
// of its 2048 pixels, about 1,100 km); false, the project as it was, for a smaller track or when
// the world map is not installed.
bool onTheWorldMap(Workspace& ws, const Track& track) {
    double west = 180, east = -180, south = 90, north = -90;
    for (const TrackPoint& p : track.points) {
        west = std::min(west, p.at.lon), east = std::max(east, p.at.lon);
        south = std::min(south, p.at.lat), north = std::max(north, p.at.lat);
    }
    if (std::max(east - west, 2 * (north - south)) < 64 * 360.0 / 2048) return false;
    const QString before = ws.st.mapsource;
    ws.st.mapsource = QStringLiteral("world");
    QStringList loading;
    loadMapSource(ws, loading);
    if (ws.picture.isNull()) {
        ws.st.mapsource = before;
        return false;
    }
    return true;
}

QString nameInProject(const ProjectState& st, const QString& file) {
    const QString absolute = QFileInfo(file).absoluteFilePath();
    if (st.projectpath.isEmpty() && st.projectdir.isEmpty()) return absolute;
    const QDir base(st.projectpath.isEmpty() ? st.projectdir : QFileInfo(st.projectpath).absolutePath());
    const QString relative = base.relativeFilePath(absolute);
    return relative.startsWith(QLatin1String("../")) ? absolute : relative;
}
} // namespace

MaybeError importTrack(Workspace& ws, const QString& file, QStringList& notes) {
    Error error;
    std::optional<Track> read = readTrack(file, &error);
    if (!read) return error;
    if (read->points.empty())
        return Error{file, "the file holds waypoints only, no track or route to follow"};
    auto track = std::make_shared<const Track>(std::move(*read));
    ProjectState& st = ws.st;
    if (track->skipped > 0)
        notes << QString("%1 point(s) off the earth or not numbers were skipped.").arg(track->skipped);
    if (!mapGeoreference(ws)) {
        if (!ws.picture.isNull())
            return Error{file,
                         "the map picture has no coordinates (no world file, GeoTIFF or control points), "
                         "so the track has no place on it"};
        if (!onTheWorldMap(ws, *track)) frameTrack(st, *track);
    }
    st.track = nameInProject(st, file);
    ws.geo.track = track;
    ws.geo.trackFile = trackFilePath(st);
    ws.geo.placed.reset();
    if (st.listmax <= 0) {
        const RoutePlan plan = planImport(*track, st.trackstop, kMousePointLimit);
        for (std::size_t i = 0; i < plan.at.size(); ++i) {
            clearPointExtras(st, int(i));
            const LatLon at = track->points[std::size_t(plan.at[i])].at;
            st.pointgeo[i] = GeoPoint(at.lat, at.lon);
            st.pointlabel[i] = plan.labels[i].left(kMaxLabelLength);
            st.pointdist[i] = 0;
        }
        st.listmax = qint16(plan.at.size());
        if (plan.dropped > 0)
            notes << QString("A route holds at most %1 points: %2 waypoint(s) or stop(s) were left out.")
                         .arg(kMousePointLimit)
                         .arg(plan.dropped);
    }
    refreshRoute(ws);
    return std::nullopt;
}
