#pragma once
// The tiles a render's frames show, brought at hand before the first frame is drawn: in the
// order the frames show them, each once, and none that no frame shows.

#include "FrameMaker.h"
#include "tiles/TileStore.h"

#include <vector>

// The tiles of every frame of a tiled map's animation, first shown first; empty for a picture.
std::vector<TileKey> frameTiles(FrameMaker& maker);

// Fetches them; the first tile that cannot be had is the error.
MaybeError fetchFrameTiles(FrameMaker& maker, const TileProgress& progress);
// The same for a render of the workspace as it is now, before anything is written. Blocks: not
// from the GUI's thread.
MaybeError fetchRenderTiles(const Workspace& ws, const TileProgress& progress);
