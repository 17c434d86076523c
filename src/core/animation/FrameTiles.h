#pragma once
// The tiles a render's frames show, brought at hand before the first frame is drawn: in the
// order the frames show them, each once, and none that no frame shows.

#include "FrameMaker.h"
#include "tiles/TileStore.h"

#include <vector>

class TileSource;

// The tiled map the maker's frames are drawn over; null for a picture.
const TileSource* frameTileSource(FrameMaker& maker);

// The tiles frames `from` to before `to` show (to the last frame when `to` is below 0), each
// once, first shown first; empty for a picture.
std::vector<TileKey> frameTiles(FrameMaker& maker, qint64 from = 0, qint64 to = -1);

// Fetches them; the first tile that cannot be had is the error.
MaybeError fetchFrameTiles(FrameMaker& maker, const TileProgress& progress);
// The same for a render of the workspace as it is now, before anything is written. Blocks: not
// from the GUI's thread.
MaybeError fetchRenderTiles(const Workspace& ws, const TileProgress& progress);
