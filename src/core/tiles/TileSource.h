#pragma once
// A map drawn from tiles. A frame takes its tiles from the level just finer than its own scale,
// drawn reduced so that text on the tiles stays sharp; near the next coarser level it fades
// between the two, so a zoom never jumps. Only the tiles a frame shows are decoded, and a bounded
// number stay decoded, so a long route at a high zoom costs no more memory than a short one.

#include "TileStore.h"
#include "TiledWorld.h"
#include "mapview/MapSource.h"

#include <QCache>
#include <QImage>
#include <array>
#include <memory>
#include <mutex>
#include <vector>

class TileSource : public MapSource {
  public:
    // `attribution` replaces the store's own when not empty.
    TileSource(std::shared_ptr<TileStore> store, const TiledWorld& world, QString attribution = {});

    QSizeF worldSize() const override { return world_.size(); }
    void draw(QPainter& p, const QTransform& worldToFrame, const QRect& frameRect,
              MapGaps* gaps = nullptr) const override;
    QString attribution() const override;

    // The tiles a frame needs, coarser level first.
    std::vector<TileKey> tilesFor(const QTransform& worldToFrame, const QRect& frameRect) const;
    const TiledWorld& world() const { return world_; }
    TileStore& store() const { return *store_; }
    // A tile that arrived replaces the gap drawn for it.
    void arrived(const TileKey& key);

    struct Layer {
        int level;
        double opacity;
    };
    // The levels a frame at `scale` (frame pixels per world pixel) draws, coarser first.
    std::vector<Layer> layersFor(double scale) const;

  private:
    QImage tile(const TileKey& key, TileState* state) const;
    // The tiles drawn.
    qint64 drawLayer(QPainter& p, const Layer& layer, const QTransform& worldToFrame, const QRect& frameRect,
                     MapGaps* gaps) const;

    std::shared_ptr<TileStore> store_;
    TiledWorld world_;
    QString attribution_;
    mutable std::mutex mutex_;
    mutable QCache<TileKey, QImage> decoded_; // cost in KiB
    struct Mosaic {
        std::array<int, 5> id{-1}; // level and tile span
        QImage image;
    };
    mutable std::array<Mosaic, 2> mosaics_; // by the level's parity: two levels fade together
};
