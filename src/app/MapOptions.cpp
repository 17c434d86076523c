#include "MapOptions.h"

#include "geo/MapGeo.h"
#include "project/ProjectFile.h"
#include "project/ProjectKeys.h"
#include "tiles/MapSources.h"

#include <QDir>
#include <QFileInfo>

void MapOptions::applyAccess(const QCommandLineParser& parser, MapAccess& access) const {
    access.offline = parser.isSet(offline);
    for (const QString& host : parser.values(allowHost))
        access.allowedHosts.insert(host.trimmed().toLower());
    if (parser.isSet(cache)) access.cacheDir = QDir(parser.value(cache)).absolutePath();
}

std::optional<QString> MapOptions::apply(const QCommandLineParser& parser, Workspace& ws,
                                         QStringList& notes) const {
    ProjectState& st = ws.st;
    const bool changed = parser.isSet(source) || parser.isSet(url) || parser.isSet(package);
    if (!changed) return std::nullopt;
    if (parser.isSet(source)) {
        int slot = 0;
        const KeyRow* row = findKey(projectKeys(), u"mapsource", &slot);
        bool held = false;
        const std::optional<KeyValue> v = readKeyValue(*row, parser.value(source), &held);
        if (!v)
            return QString("unknown map source \"%1\": use picture, tiles, mbtiles or world")
                .arg(parser.value(source));
        storeKeyValue(*row, st, slot, *v);
    }
    if (parser.isSet(url)) {
        st.tileurl = parser.value(url);
        if (!parser.isSet(source)) st.mapsource = "tiles";
    }
    if (parser.isSet(package)) {
        st.mbtiles = QFileInfo(parser.value(package)).absoluteFilePath();
        if (!parser.isSet(source)) st.mapsource = "mbtiles";
    }
    // A map the project did not have covers where its route is.
    if (tiledMap(st) && !(st.tilenorthwest.set() && st.tilesoutheast.set())) fitTileArea(ws);
    reloadGeography(ws, reloadMapPicture(ws, notes), notes);
    return std::nullopt;
}
