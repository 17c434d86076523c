#pragma once
// The map a project names: its picture, web map tiles, an offline tile package or the built-in
// picture of the whole earth. Loading one leaves the workspace's picture (for a tiled map, the
// tiles at hand composed at the map's own scale), its tiles and its own georeference.

#include "shell/Workspace.h"

#include <QStringList>

class TileStore;

// True for a project whose map is made of tiles.
bool tiledMap(const ProjectState& st);

// Loads the map of a project whose `mapsource` is not `picture`; what the user should hear of is
// added to `notes`. Nothing is downloaded here: tiles come when a view or a render asks.
void loadMapSource(Workspace& ws, QStringList& notes);

// False when the project's map is tiles or the world picture and could not be loaded: a render
// would show no map.
bool mapSourceLoaded(const Workspace& ws);

// The tile server a project's map would contact that the user has not agreed to (lower case),
// or empty when there is none.
QString hostNeedingConsent(const ProjectState& st, const MapAccess& access);

// The tiled map's picture made again from the tiles at hand (after tiles arrived).
void recomposeTiledPicture(Workspace& ws);

// Sets the tiled map's area (tilenorthwest, tilesoutheast) around what the project knows of the
// earth, the route's points and the track, with a margin; leaves it unset (the whole earth) when
// it knows nothing. The map's georeference now is what tells where the points are.
void fitTileArea(Workspace& ws);

// The package a project's `mbtiles` names: relative to the project file's folder unless absolute.
QString mbtilesPath(const ProjectState& st);
