#pragma once
// Where a tiled map's tiles come from: a tile server through the disk cache, or an offline
// package. The map source asks for tiles it draws; a render first makes sure every tile its
// frames show is at hand.

#include "TileKey.h"
#include "shell/Error.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <span>

enum class TileState {
    Here,    // the bytes are given
    Absent,  // the source holds no such tile (a package without that row): the map is empty there
    Missing, // not at hand now (not yet downloaded, or failed)
};

struct TileBytes {
    TileState state = TileState::Missing;
    QByteArray bytes;
};

// Called with tiles done and tiles wanted; returning false stops the work.
using TileProgress = std::function<bool(int done, int wanted)>;

class TileStore {
  public:
    virtual ~TileStore() = default;
    // The tile as far as it is at hand now, without waiting for a network. Safe from any thread.
    virtual TileBytes bytes(const TileKey& key) const = 0;
    // Brings the tiles at hand, in the order given, and says how far it got. The first tile that
    // cannot be had stops it with an error naming the tile and why. Blocks; not from the thread
    // that runs the GUI.
    virtual MaybeError fetch(std::span<const TileKey> keys, const TileProgress& progress) = 0;
    // Asks for tiles without waiting: each one that arrives is announced through `arrived`, from
    // another thread. Tiles asked for earlier and not yet started are dropped for the new ones.
    virtual void want(std::span<const TileKey> keys) { (void)keys; }
    std::function<void(const TileKey&)> arrived;

    // The levels the source serves; tiles are `tileSize` pixels square (256 or 512).
    virtual int minLevel() const { return 0; }
    virtual int maxLevel() const = 0;
    virtual int tileSize() const { return 256; }
    // The credit a frame must show; empty when the source owes none.
    virtual QString attribution() const = 0;
    // What a message names for a tile: its address or the package's row.
    virtual QString describe(const TileKey& key) const = 0;
};
