#include "MapTiles.h"

#include "MapAccessSettings.h"
#include "geo/MapGeo.h"
#include "mapview/RouteDrawing.h"
#include "project/ProjectFile.h"
#include "shell/EditHistory.h"
#include "tiles/MapSources.h"
#include "tiles/TileSource.h"

#include <mutex>
#include <vector>

namespace {
constexpr int kPollMs = 200; // a picture composed again at most five times a second
}

struct MapTiles::Mailbox {
    std::mutex mutex;
    std::vector<TileKey> keys;
};

MapTiles::MapTiles(Workspace& ws, EditHistory& history, QSettings& settings, Hooks hooks, QObject* parent)
    : QObject(parent), ws_(ws), settings_(settings), hooks_(std::move(hooks)) {
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, &MapTiles::poll);
    connect(&history, &EditHistory::changed, this, &MapTiles::follow);
    // Opened or saved under another name: the map loaded is that project's (a package's relative
    // path now starts elsewhere, but the map stays until its keys change).
    connect(&history, &EditHistory::savedChanged, this, [this] {
        if (ws_.st.projectpath == project_) return;
        project_ = ws_.st.projectpath;
        signature_ = signature();
    });
    signature_ = signature();
    project_ = ws_.st.projectpath;
}

QString MapTiles::consentQuestion(const QString& host) {
    return tr("This project's map downloads tiles from %1, which is not one of the built-in map servers. "
              "Allow it?")
        .arg(host);
}

// The keys that decide which map is loaded; a picture is reloaded by its own commands.
QString MapTiles::signature() const {
    const ProjectState& st = ws_.st;
    if (st.mapsource == QLatin1String("picture")) return st.mapsource;
    return QStringList{st.mapsource,
                       st.tileprovider,
                       st.tileurl,
                       QString::number(st.tilesize),
                       st.tileattribution,
                       mbtilesPath(st),
                       QString("%1,%2").arg(st.tilenorthwest.lat).arg(st.tilenorthwest.lon),
                       QString("%1,%2").arg(st.tilesoutheast.lat).arg(st.tilesoutheast.lon),
                       QString::number(st.tilenorthwest.set() && st.tilesoutheast.set())}
        .join('\n');
}

void MapTiles::follow() {
    if (attached_.lock() != ws_.tiles) {
        // A project was opened: its map is loaded already.
        signature_ = signature();
        attach();
        QTimer::singleShot(0, this, &MapTiles::askConsent);
        return;
    }
    if (signature() != signature_) reload();
}

void MapTiles::reload() {
    QStringList notes;
    const QString path = reloadMapPicture(ws_, notes);
    reloadGeography(ws_, path, notes);
    Redraw(ws_);
    signature_ = signature();
    attach();
    if (hooks_.refresh) hooks_.refresh();
    if (!notes.isEmpty() && hooks_.tell) hooks_.tell(notes);
    QTimer::singleShot(0, this, &MapTiles::askConsent);
}

void MapTiles::setOffline(bool offline) {
    ws_.access.offline = offline;
    saveOffline(settings_, offline);
    if (tiledMap(ws_.st)) reload();
}

void MapTiles::attach() {
    attached_ = ws_.tiles;
    mailbox_ = std::make_shared<Mailbox>();
    missing_.clear();
    wanted_ = 0;
    if (!ws_.tiles) {
        poll_.stop();
        return showStatus();
    }
    TileStore& store = ws_.tiles->store();
    store.arrived = [box = mailbox_](const TileKey& key) {
        const std::lock_guard lock(box->mutex);
        box->keys.push_back(key);
    };
    const std::vector<TileKey> keys = ws_.tiles->tilesFor(QTransform(), QRect(QPoint(), ws_.picture.size()));
    wanted_ = int(keys.size());
    for (const TileKey& key : keys)
        if (store.bytes(key).state == TileState::Missing) missing_.insert(key);
    store.want(keys);
    poll_.start();
    showStatus();
}

void MapTiles::poll() {
    std::vector<TileKey> keys;
    {
        const std::lock_guard lock(mailbox_->mutex);
        keys.swap(mailbox_->keys);
    }
    if (keys.empty() || !ws_.tiles) return;
    for (const TileKey& key : keys) {
        ws_.tiles->arrived(key);
        missing_.remove(key);
    }
    recomposeTiledPicture(ws_);
    Redraw(ws_);
    if (hooks_.refresh) hooks_.refresh();
    showStatus();
}

void MapTiles::showStatus() {
    QString text;
    const int missing = int(missing_.size());
    if (missing == 0)
        text.clear();
    else if (ws_.access.offline)
        text = tr("Offline: %1 map tiles are not in the cache").arg(missing);
    else if (!hostNeedingConsent(ws_.st, ws_.access).isEmpty())
        text = tr("%1 map tiles are missing: the map's server is not allowed").arg(missing);
    else
        text = tr("Downloading map tiles: %1 of %2").arg(wanted_ - missing).arg(wanted_);
    if (text == status_) return;
    status_ = text;
    emit statusChanged(text);
}

void MapTiles::askConsent() {
    const QString host = hostNeedingConsent(ws_.st, ws_.access);
    if (host.isEmpty() || asked_.contains(host) || !hooks_.ask) return;
    asked_.insert(host);
    if (!hooks_.ask(consentQuestion(host))) return;
    rememberHost(settings_, host);
    ws_.access.allowedHosts.insert(host);
    reload();
}
