#include "TileCache.h"

#include "TileImage.h"
#include "shell/OrdinaryFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
constexpr qint64 kMaxFreshSeconds = 366 * 24 * 3600;
constexpr qint64 kMaxMetaBytes = 8192;
constexpr int kMaxValue = 2048;

// Header values kept in the metadata file: printable ASCII only, so no line can be forged.
bool printable(const QByteArray& v) {
    if (v.size() > kMaxValue) return false;
    for (char c : v)
        if (c < 0x20 || c > 0x7e) return false;
    return true;
}

QByteArray digest(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}

std::optional<QByteArray> readSmall(const QString& path, qint64 limit) {
    QFile file;
    if (openOrdinaryFile(path, file, "tile cache file") || file.size() > limit) return std::nullopt;
    QByteArray bytes = file.read(limit + 1);
    if (bytes.size() > limit) return std::nullopt;
    return bytes;
}

// Written beside and renamed over, so that no reader sees half a file. Not synced to the disk: a
// crash may lose a tile, which is then fetched again (a damaged entry fails its digest), and a
// sync for every tile would make a download several times slower than the server.
MaybeError save(const QString& path, const QByteArray& bytes) {
    QTemporaryFile file(path + ".XXXXXX");
    file.setAutoRemove(false);
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush()) {
        const QString why = file.errorString();
        file.remove();
        return Error(path, why, "the tile cache file");
    }
    file.close();
    if (::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()) != 0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        file.remove();
        return Error(path, why, "the tile cache file");
    }
    return std::nullopt;
}

// "Wed, 21 Oct 2015 07:28:00 GMT", the one form servers send today.
QDateTime httpDate(const QByteArray& text) {
    QDateTime t =
        QLocale::c().toDateTime(QString::fromLatin1(text.trimmed()), "ddd, dd MMM yyyy HH:mm:ss 'GMT'");
    t.setTimeSpec(Qt::UTC);
    return t;
}
} // namespace

QDateTime tileFreshUntil(const QByteArray& cacheControl, const QByteArray& expires,
                         const QDateTime& fetched) {
    std::optional<qint64> maxAge;
    for (const QByteArray& part : cacheControl.split(',')) {
        const QByteArray d = part.trimmed().toLower();
        if (!d.startsWith("max-age=")) continue;
        const QByteArray digits = d.mid(8).trimmed().replace('"', "");
        const bool number = !digits.isEmpty() && std::all_of(digits.begin(), digits.end(),
                                                             [](char c) { return c >= '0' && c <= '9'; });
        bool ok = false;
        const qint64 v = digits.toLongLong(&ok);
        // A number too large for 64 bits is "for ever", held to the longest we keep a tile.
        maxAge = !number ? 0 : ok ? std::min(v, kMaxFreshSeconds) : kMaxFreshSeconds;
    }
    QDateTime until = fetched.addSecs(maxAge.value_or(0));
    if (!maxAge) {
        const QDateTime e = httpDate(expires);
        if (e.isValid()) until = std::min(e, fetched.addSecs(kMaxFreshSeconds));
    }
    return std::max(until, fetched.addSecs(kMinTileFreshSeconds)).toUTC();
}

TileCache::TileCache(const QString& root, const QString& tmpl) {
    const QByteArray hash = QCryptographicHash::hash(tmpl.toUtf8(), QCryptographicHash::Sha1).toHex();
    folder_ = (root.isEmpty() ? defaultRoot() : root) + u'/' + QString::fromLatin1(hash.left(16));
}

QString TileCache::defaultRoot() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + "/pathwright/tiles";
}

QString TileCache::path(const TileKey& key, const char* suffix) const {
    return QString("%1/%2/%3/%4.%5").arg(folder_).arg(key.z).arg(key.x).arg(key.y).arg(suffix);
}

std::optional<CachedTile> TileCache::read(const TileKey& key) const {
    if (!key.valid()) return std::nullopt;
    const std::optional<QByteArray> meta = readSmall(path(key, "meta"), kMaxMetaBytes);
    if (!meta) return std::nullopt;
    CachedTile tile;
    QByteArray sha1;
    qint64 until = -1;
    for (const QByteArray& line : meta->split('\n')) {
        const qsizetype space = line.indexOf(' ');
        const QByteArray name = line.left(space), value = space < 0 ? QByteArray() : line.mid(space + 1);
        if (!printable(value)) return std::nullopt;
        if (name == "sha1")
            sha1 = value;
        else if (name == "etag")
            tile.etag = value;
        else if (name == "last-modified")
            tile.lastModified = value;
        else if (name == "fresh-until") {
            bool ok = false;
            until = value.toLongLong(&ok);
            if (!ok) return std::nullopt;
        }
    }
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    if (sha1.size() != 40 || until < 0 || until > now + kMaxFreshSeconds) return std::nullopt;
    tile.freshUntil = QDateTime::fromSecsSinceEpoch(until, Qt::UTC);

    const std::optional<QByteArray> bytes = readSmall(path(key, "tile"), kMaxTileBytes);
    QString why;
    if (!bytes || digest(*bytes) != sha1 || !plausibleTile(*bytes, &why)) return std::nullopt;
    tile.bytes = *bytes;
    return tile;
}

MaybeError TileCache::store(const TileKey& key, const CachedTile& tile, const QUrl& url) const {
    QString why;
    if (!key.valid()) return Error(key.text(), "no such tile", "the tile");
    if (!plausibleTile(tile.bytes, &why)) return Error(key.text(), why, "the tile");
    const QString dir = QString("%1/%2/%3").arg(folder_).arg(key.z).arg(key.x);
    if (!QDir().mkpath(dir)) return Error(dir, "the folder cannot be created", "the tile cache");

    QByteArray meta = "sha1 " + digest(tile.bytes) + '\n';
    meta += "fresh-until " + QByteArray::number(tile.freshUntil.toSecsSinceEpoch()) + '\n';
    if (printable(tile.etag) && !tile.etag.isEmpty()) meta += "etag " + tile.etag + '\n';
    if (printable(tile.lastModified) && !tile.lastModified.isEmpty())
        meta += "last-modified " + tile.lastModified + '\n';
    const QByteArray bare = url.adjusted(QUrl::RemoveQuery | QUrl::RemoveUserInfo).toEncoded();
    if (printable(bare)) meta += "url " + bare + '\n';
    // The bytes first: metadata naming other bytes' digest makes a half-replaced entry missing.
    if (MaybeError e = save(path(key, "tile"), tile.bytes)) return e;
    return save(path(key, "meta"), meta);
}
