#include "TileProviders.h"

#include <array>

namespace {
// Providers whose terms let their tiles be shown in a video with the credit drawn on it.
const TileProvider kProviders[] = {
    {"osm", "OpenStreetMap", "https://tile.openstreetmap.org/{z}/{x}/{y}.png", "© OpenStreetMap contributors",
     19, false, "https://operations.osmfoundation.org/policies/tiles/"},
    {"opentopomap", "OpenTopoMap", "https://{s}.tile.opentopomap.org/{z}/{x}/{y}.png",
     "Map data: © OpenStreetMap contributors, SRTM | Map style: © OpenTopoMap (CC-BY-SA)", 17, false,
     "https://opentopomap.org/about"},
    {"thunderforest-outdoors", "Thunderforest Outdoors",
     "https://tile.thunderforest.com/outdoors/{z}/{x}/{y}{r}.png?apikey={key}",
     "Maps © Thunderforest, Data © OpenStreetMap contributors", 22, true,
     "https://www.thunderforest.com/terms/"},
    {"thunderforest-landscape", "Thunderforest Landscape",
     "https://tile.thunderforest.com/landscape/{z}/{x}/{y}{r}.png?apikey={key}",
     "Maps © Thunderforest, Data © OpenStreetMap contributors", 22, true,
     "https://www.thunderforest.com/terms/"},
    {"stadia-terrain", "Stadia Stamen Terrain",
     "https://tiles.stadiamaps.com/tiles/stamen_terrain/{z}/{x}/{y}{r}.png?api_key={key}",
     "© Stadia Maps © Stamen Design © OpenMapTiles © OpenStreetMap contributors", 18, true,
     "https://stadiamaps.com/terms-of-service/"},
};

QString filled(QString tmpl, const TileKey& key, bool highDensity, const QString& apiKey) {
    const int rows = 1 << std::clamp(key.z, 0, TileKey::kMaxLevel);
    tmpl.replace("{z}", QString::number(key.z));
    tmpl.replace("{x}", QString::number(key.x));
    tmpl.replace("{-y}", QString::number(rows - 1 - key.y));
    tmpl.replace("{y}", QString::number(key.y));
    tmpl.replace("{s}", QString(QChar(u'a' + (key.x + key.y) % 3)));
    tmpl.replace("{r}", highDensity ? "@2x" : "");
    tmpl.replace("{key}", QString::fromLatin1(QUrl::toPercentEncoding(apiKey)));
    return tmpl;
}
} // namespace

std::span<const TileProvider> tileProviders() {
    return kProviders;
}

std::span<const char* const> tileProviderIds() {
    static const auto ids = [] {
        std::array<const char*, std::size(kProviders)> a{};
        for (std::size_t i = 0; i < a.size(); ++i)
            a[i] = kProviders[i].id;
        return a;
    }();
    return ids;
}

const TileProvider* findTileProvider(QStringView id) {
    for (const TileProvider& p : kProviders)
        if (id.compare(QLatin1String(p.id), Qt::CaseInsensitive) == 0) return &p;
    return nullptr;
}

std::optional<QUrl> checkTileTemplate(const QString& tmpl, QString* why) {
    // A sample address shows what the template names once filled in.
    const QUrl url(filled(tmpl, TileKey{1, 0, 0}, false, "KEY"), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (tmpl.isEmpty() || !url.isValid() || (scheme != "https" && scheme != "http")) {
        *why = "a tile address must begin with https:// or http://";
        return std::nullopt;
    }
    if (url.host().isEmpty()) {
        *why = "the tile address names no server";
        return std::nullopt;
    }
    if (!url.userInfo().isEmpty()) {
        *why = "a tile address may not hold a user name or password";
        return std::nullopt;
    }
    if (!tmpl.contains("{z}") || !tmpl.contains("{x}") || !(tmpl.contains("{y}") || tmpl.contains("{-y}"))) {
        *why = "a tile address needs {z}, {x} and {y}";
        return std::nullopt;
    }
    return url;
}

QUrl tileAddress(const QString& tmpl, const TileKey& key, bool highDensity, const QString& apiKey) {
    return QUrl(filled(tmpl, key, highDensity, apiKey), QUrl::StrictMode);
}

QString tileHost(const QString& tmpl) {
    return QUrl(filled(tmpl, TileKey{}, false, {})).host().toLower();
}

bool builtInTileHost(const QString& host) {
    for (const TileProvider& p : kProviders) {
        const QString own = tileHost(QString::fromUtf8(p.url));
        if (host == own) return true;
        // {s}: any of the server's lettered hosts.
        if (QString::fromUtf8(p.url).contains("{s}.")) {
            const QString rest = own.mid(own.indexOf(u'.'));
            for (const char* s : {"a", "b", "c"})
                if (host == QLatin1String(s) + rest) return true;
        }
    }
    return false;
}
