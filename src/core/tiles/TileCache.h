#pragma once
// Tiles kept on disk between runs, with what the server said about them. One folder per address
// template (named by a hash of the template with {key} unfilled, so an API key never reaches a
// path), then z/x/y: the tile's bytes in "y.tile" and what came with them in "y.meta". The files
// are anyone's to change: every value read back is checked, and a damaged entry counts as missing.

#include "TileKey.h"
#include "shell/Error.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QUrl>
#include <optional>

struct CachedTile {
    QByteArray bytes;
    QByteArray etag;         // as the server sent it, quotes and all; may be empty
    QByteArray lastModified; // an HTTP date; may be empty
    QDateTime freshUntil;    // UTC; after it the tile is revalidated before a render
    bool fresh(const QDateTime& now) const { return now < freshUntil; }
};

// Servers are asked to be spared: a tile is kept at least this long, whatever its headers say.
constexpr qint64 kMinTileFreshSeconds = 7 * 24 * 3600;

// How long a tile fetched at `fetched` stays fresh: the later of the server's max-age (or its
// Expires when there is no max-age) and a week, and never past a year.
QDateTime tileFreshUntil(const QByteArray& cacheControl, const QByteArray& expires, const QDateTime& fetched);

class TileCache {
  public:
    // `root` empty: the user's cache folder.
    TileCache(const QString& root, const QString& tmpl);
    static QString defaultRoot();
    // The template's own folder.
    const QString& folder() const { return folder_; }

    // The entry when it is there and whole.
    std::optional<CachedTile> read(const TileKey& key) const;
    // Stores a tile that passes plausibleTile; `url` is kept without its query string.
    MaybeError store(const TileKey& key, const CachedTile& tile, const QUrl& url) const;

  private:
    QString path(const TileKey& key, const char* suffix) const;
    QString folder_;
};
