#include "MbtilesStore.h"

#include "TileImage.h"

#include <QBuffer>
#include <QImageReader>

std::unique_ptr<MbtilesStore> MbtilesStore::open(const QString& path, Error* error) {
    std::unique_ptr<MbtilesFile> file = MbtilesFile::open(path, error);
    if (!file) return nullptr;
    QString why;
    const TileBytes first = file->anyTile(&why);
    if (first.state == TileState::Absent) why = "the package holds no tiles";
    if (first.state == TileState::Here && plausibleTile(first.bytes, &why)) {
        QByteArray bytes = first.bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const QSize size = QImageReader(&buffer).size();
        if (size == QSize(256, 256) || size == QSize(512, 512))
            return std::unique_ptr<MbtilesStore>(new MbtilesStore(std::move(file), size.width()));
        why = QString("the tiles are %1 x %2 pixels; the program draws tiles of 256 or 512 pixels square")
                  .arg(size.width())
                  .arg(size.height());
    }
    *error = Error(path, why, "the MBTiles package");
    return nullptr;
}

MaybeError MbtilesStore::fetch(std::span<const TileKey> keys, const TileProgress& progress) {
    const int wanted = int(keys.size());
    for (int i = 0; i < wanted; ++i) {
        QString why;
        const TileBytes tile = file_->tile(keys[i], &why);
        if (tile.state == TileState::Missing ||
            (tile.state == TileState::Here && !plausibleTile(tile.bytes, &why)))
            return Error(file_->path(), row(keys[i]) + ": " + why, "the MBTiles package");
        if (progress && !progress(i + 1, wanted))
            return i + 1 < wanted ? MaybeError(Error(file_->path(), "stopped before every tile was read",
                                                     "the MBTiles package"))
                                  : std::nullopt;
    }
    return std::nullopt;
}

QString MbtilesStore::row(const TileKey& key) {
    const int row = key.valid() ? (1 << key.z) - 1 - key.y : key.y;
    return QString("package row %1/%2/%3").arg(key.z).arg(key.x).arg(row);
}

QString MbtilesStore::describe(const TileKey& key) const {
    return row(key) + " of " + shown(file_->path());
}
