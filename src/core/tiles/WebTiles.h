#pragma once
// Tiles from a web map server through the disk cache, used as the server's terms ask: the
// program's name on every request, two connections at most, nothing fetched again while the
// cache holds it fresh. Servers the user has not agreed to are never contacted.

#include "TileCache.h"
#include "TileStore.h"

#include <QSet>
#include <memory>

class QThread;
class TileDownloader;

// "Pathwright/<version> (+<home page>)".
QString defaultTileUserAgent();

struct WebTileOptions {
    QString tmpl;   // the address template (see TileProviders.h)
    QString apiKey; // fills {key}; never shown, never part of a cache path
    bool highDensity = false;
    int tileSize = 256;
    int maxLevel = 19;
    QString attribution;
    QString cacheFolder;        // empty: the user's cache folder
    bool offline = false;       // the cache only, no network at all
    QSet<QString> allowedHosts; // hosts beyond the built-in providers' the user agreed to
    QString userAgent = defaultTileUserAgent();
    int tries = 3;
    int timeoutMs = 10000; // per try, without a byte coming
};

class WebTiles : public TileStore {
  public:
    explicit WebTiles(WebTileOptions options);
    ~WebTiles() override;

    TileBytes bytes(const TileKey& key) const override;
    MaybeError fetch(std::span<const TileKey> keys, const TileProgress& progress) override;
    void want(std::span<const TileKey> keys) override;

    int maxLevel() const override { return options_.maxLevel; }
    int tileSize() const override { return options_.tileSize; }
    QString attribution() const override { return options_.attribution; }
    QString describe(const TileKey& key) const override;

  private:
    // Why this store may not use the network, or nothing when it may.
    std::optional<QString> refusal() const;
    QString masked(QString text) const;

    WebTileOptions options_;
    TileCache cache_;
    QThread* thread_ = nullptr;
    TileDownloader* downloader_ = nullptr;
};
