#include "MapSources.h"

#include "MbtilesStore.h"
#include "TileProviders.h"
#include "TileSource.h"
#include "WebTiles.h"
#include "geo/MapGeo.h"
#include "mapview/PictureFile.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

namespace {
// The whole earth in degrees, an equirectangular picture with its pixels named by their centres.
Georeference wholeEarth(QSize picture) {
    const double sx = 360.0 / picture.width(), sy = 180.0 / picture.height();
    return *Georeference::make(Projection::Degrees, QTransform(sx, 0, 0, -sy, -180 + sx / 2, 90 - sy / 2));
}

GeoArea areaOf(const ProjectState& st) {
    GeoArea area;
    if (st.tilenorthwest.set() && st.tilesoutheast.set()) {
        area.north = st.tilenorthwest.lat;
        area.west = st.tilenorthwest.lon;
        area.south = st.tilesoutheast.lat;
        area.east = st.tilesoutheast.lon;
    }
    return area;
}

// The template and the credit a project's web map uses: its own address, or its provider's.
struct WebMap {
    QString tmpl, attribution, providerId;
    int maxLevel = 19;
};

WebMap webMapOf(const ProjectState& st) {
    WebMap m;
    if (!st.tileurl.isEmpty()) {
        m.tmpl = st.tileurl;
        m.attribution = st.tileattribution;
        m.maxLevel = 19;
        return m;
    }
    const TileProvider* p = findTileProvider(st.tileprovider);
    if (!p) p = &tileProviders().front();
    m.tmpl = QString::fromUtf8(p->url);
    m.attribution = QString::fromUtf8(p->attribution);
    m.providerId = QString::fromLatin1(p->id);
    m.maxLevel = p->maxLevel;
    return m;
}

std::shared_ptr<TileStore> openWeb(const Workspace& ws, QStringList& notes) {
    const ProjectState& st = ws.st;
    const WebMap m = webMapOf(st);
    QString why;
    if (!checkTileTemplate(m.tmpl, &why)) {
        notes << "The map's tile address " + shown(m.tmpl) + " cannot be used: " + why + '.';
        return nullptr;
    }
    const TileProvider* provider = st.tileurl.isEmpty() ? findTileProvider(m.providerId) : nullptr;
    const QString key = ws.access.apiKeys.value(m.providerId);
    if (provider && provider->needsKey && key.isEmpty())
        notes << QString("%1 needs your API key: set it in Map ▸ Map source (it is kept in your settings, "
                         "never in the project).")
                     .arg(QString::fromUtf8(provider->name));
    WebTileOptions o;
    o.tmpl = m.tmpl;
    o.apiKey = key;
    o.highDensity = st.tilesize >= 384;
    o.tileSize = st.tilesize >= 384 ? 512 : 256;
    o.maxLevel = m.maxLevel;
    o.attribution = m.attribution;
    o.cacheFolder = ws.access.cacheDir;
    o.offline = ws.access.offline;
    o.allowedHosts = ws.access.allowedHosts;
    o.tries = ws.access.tries;
    o.timeoutMs = ws.access.timeoutMs;
    return std::make_shared<WebTiles>(o);
}

std::shared_ptr<TileStore> openPackage(const Workspace& ws, QStringList& notes, GeoArea* bounds) {
    const QString path = mbtilesPath(ws.st);
    if (path.isEmpty()) {
        notes << "The project's map is a tile package, but it names none (mbtiles).";
        return nullptr;
    }
    Error error;
    std::shared_ptr<MbtilesStore> store = MbtilesStore::open(path, &error);
    if (!store) {
        notes << "The map's tile package could not be opened (" + error.message() + ").";
        return nullptr;
    }
    if (const auto& b = store->file().bounds()) *bounds = GeoArea{b->north, b->west, b->south, b->east};
    return store;
}

QImage composed(const TileSource& tiles) {
    QImage image(tiles.world().size(), QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(Qt::white);
    QPainter p(&image);
    tiles.draw(p, QTransform(), image.rect());
    return image;
}
} // namespace

bool tiledMap(const ProjectState& st) {
    return st.mapsource == QLatin1String("tiles") || st.mapsource == QLatin1String("mbtiles");
}

bool mapSourceLoaded(const Workspace& ws) {
    if (tiledMap(ws.st)) return ws.tiles != nullptr;
    return ws.st.mapsource != QLatin1String("world") || !ws.picture.isNull();
}

QString mbtilesPath(const ProjectState& st) {
    return besideProject(st, st.mbtiles);
}

QString hostNeedingConsent(const ProjectState& st, const MapAccess& access) {
    if (st.mapsource != QLatin1String("tiles") || access.offline) return {};
    QString why;
    const WebMap m = webMapOf(st);
    if (!checkTileTemplate(m.tmpl, &why)) return {};
    const QString host = tileHost(m.tmpl);
    return builtInTileHost(host) || access.allowedHosts.contains(host) ? QString() : host;
}

void loadMapSource(Workspace& ws, QStringList& notes) {
    ws.tiles.reset();
    ws.geo.source.reset();
    ws.picture = QImage();
    const ProjectState& st = ws.st;
    if (st.mapsource == QLatin1String("world")) {
        Error error;
        ws.picture = readPicture(ws.access.worldPicture, &error);
        if (ws.picture.isNull()) {
            notes << "The built-in world map could not be loaded (" + error.message() +
                         "); it comes with Debian's xplanet-images package.";
            return;
        }
        ws.geo.source = wholeEarth(ws.picture.size());
        return;
    }
    GeoArea area = areaOf(st);
    std::shared_ptr<TileStore> store;
    if (st.mapsource == QLatin1String("tiles")) {
        store = openWeb(ws, notes);
    } else {
        GeoArea bounds;
        store = openPackage(ws, notes, &bounds);
        if (!st.tilenorthwest.set() || !st.tilesoutheast.set()) area = bounds;
    }
    if (!store) return;
    const TiledWorld world(area);
    // A built-in server's credit is its own: a project cannot change or drop it.
    const bool builtIn = st.mapsource == QLatin1String("tiles") && st.tileurl.isEmpty();
    ws.tiles = std::make_shared<TileSource>(store, world, builtIn ? QString() : st.tileattribution);
    ws.geo.source = world.georeference();
    ws.picture = composed(*ws.tiles);
}

void fitTileArea(Workspace& ws) {
    ProjectState& st = ws.st;
    std::vector<LatLon> seen;
    const std::optional<Georeference> where = mapGeoreference(ws);
    for (int i = 0; i < std::clamp<int>(st.listmax, 0, kPointSlots); ++i) {
        const GeoPoint& g = st.pointgeo[std::size_t(i)];
        if (g.set())
            seen.push_back({g.lat, g.lon});
        else if (where)
            seen.push_back(where->latLonAt(QPointF(st.pointx[std::size_t(i)], st.pointy[std::size_t(i)])));
    }
    if (ws.geo.track)
        for (const TrackPoint& p : ws.geo.track->points)
            seen.push_back(p.at);
    std::erase_if(seen, [](const LatLon& at) { return !validLatLon(at); });
    if (seen.empty()) return;
    double north = -90, south = 90, west = 180, east = -180;
    for (const LatLon& at : seen) {
        north = std::max(north, at.lat);
        south = std::min(south, at.lat);
        west = std::min(west, at.lon);
        east = std::max(east, at.lon);
    }
    // A fifth of the route's extent on every side, and at least a few hundred metres.
    const double dLat = std::max((north - south) * 0.2, 0.003), dLon = std::max((east - west) * 0.2, 0.004);
    st.tilenorthwest = GeoPoint(std::min(north + dLat, kMaxMercatorLatitude), std::max(west - dLon, -180.0));
    st.tilesoutheast = GeoPoint(std::max(south - dLat, -kMaxMercatorLatitude), std::min(east + dLon, 180.0));
}

void recomposeTiledPicture(Workspace& ws) {
    if (ws.tiles) ws.picture = composed(*ws.tiles);
}
