#pragma once
// The pixels of a tiled map: the part of the Web Mercator world a project shows, at the tile level
// where that part is at most 2048 pixels across. Route points are pixels of this grid, as they are
// pixels of a map picture, so the grid depends on the area alone: a change of tile server or tile
// size moves no point.

#include "TileKey.h"
#include "geo/Georeference.h"

#include <QRectF>
#include <QSize>

struct GeoArea {
    double north = kMaxMercatorLatitude, west = -180, south = -kMaxMercatorLatitude, east = 180;
};

class TiledWorld {
  public:
    static constexpr int kLongestSide = 2048;
    // Latitudes beyond the tiles' limit are held to it; an east edge at or west of the west edge
    // reaches across the 180th meridian.
    explicit TiledWorld(const GeoArea& area = {});

    int level() const { return level_; }
    QSize size() const { return size_; }
    // World pixels (the map's own, a point at the top-left corner of its pixel) to global pixels
    // of a 256-pixel tile grid at `level`.
    QPointF toLevel(QPointF world, int level) const;
    QPointF fromLevel(QPointF global, int level) const;
    // The tile area of `key` in world pixels.
    QRectF tileRect(const TileKey& key) const;
    // World pixels to Web Mercator metres, a pixel named by its centre as map georeferences do.
    Georeference georeference() const;

  private:
    int level_ = 0;
    QPointF origin_; // the world's top-left corner in global pixels at level_
    QSize size_;
};
