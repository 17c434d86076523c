#include "MapPicture.h"

#include "RouteDrawing.h"
#include "geo/MapGeo.h"

#include <QDir>
#include <algorithm>

const QString kPictureExtensions = ".bmp .gif .jpg .jpeg .png";

MaybeError loadMapPicture(Workspace& ws, const QString& path) {
    Error error;
    QImage img = readPicture(path, &error);
    if (img.isNull()) return error;
    ws.picture = std::move(img);
    // A picture chosen is the map, whatever map the project had.
    ws.st.mapsource = QStringLiteral("picture");
    ws.tiles.reset();
    ws.geo.source.reset();
    QStringList notes; // a broken world file beside a new map only leaves it without coordinates
    reloadGeography(ws, path, notes);
    Redraw(ws); // the route stays in view over the new map
    return std::nullopt;
}

bool extensionAccepted(const QString& name, const QString& accepted) {
    const int dot = name.lastIndexOf(u'.');
    if (dot < 0) return false;
    return accepted.contains(name.mid(dot + 1).toLower(), Qt::CaseSensitive);
}

QStringList plainFilesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted);
}

QStringList pictureFilesIn(const QString& dir) {
    QStringList out;
    for (const QString& f : plainFilesIn(dir))
        if (extensionAccepted(f, kPictureExtensions)) out << f;
    std::stable_sort(out.begin(), out.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return out;
}
