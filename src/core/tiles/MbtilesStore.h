#pragma once
// Tiles from an offline MBTiles package: everything is at hand, so fetching only makes sure each
// tile a render needs can be read and is a picture.

#include "MbtilesFile.h"
#include "TileStore.h"

#include <memory>

class MbtilesStore : public TileStore {
  public:
    // The package, with the size of its tiles taken from one of them (256 or 512 pixels).
    static std::unique_ptr<MbtilesStore> open(const QString& path, Error* error);

    const MbtilesFile& file() const { return *file_; }

    TileBytes bytes(const TileKey& key) const override { return file_->tile(key); }
    // Stops at the first tile that cannot be read or is no picture. Stopped through `progress`,
    // it says so as an error: the tiles past that point are unchecked.
    MaybeError fetch(std::span<const TileKey> keys, const TileProgress& progress) override;
    int minLevel() const override { return file_->minLevel(); }
    int maxLevel() const override { return file_->maxLevel(); }
    int tileSize() const override { return tileSize_; }
    QString attribution() const override { return file_->attribution(); }
    QString describe(const TileKey& key) const override;

  private:
    static QString row(const TileKey& key); // "package row z/x/row", the row counted from the south
    MbtilesStore(std::unique_ptr<MbtilesFile> file, int tileSize)
        : file_(std::move(file)), tileSize_(tileSize) {}
    std::unique_ptr<MbtilesFile> file_;
    int tileSize_;
};
