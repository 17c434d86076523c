#pragma once
// The context every procedure works on: the project state, the surfaces it draws on and the
// loaded map picture. Tests build a fresh one; the GUI owns one for the whole run.

#include "ProjectState.h"
#include "Surface.h"
#include "WorkspaceEvents.h"
#include "geo/GeoData.h"
#include "tiles/MapAccess.h"

#include <QImage>
#include <memory>

class TileSource;

constexpr int kSwatchWidth = 91; // the style swatch box on the tool bar, in pixels
constexpr int kSwatchHeight = 31;
constexpr int kDesignMapWidth = 786; // the map window's drawing area as designed (the PAL frame)
constexpr int kDesignMapHeight = 576;

struct Workspace {
    ProjectState st;
    Surface map{kDesignMapWidth, kDesignMapHeight}; // the map window's area
    Surface swatch{kSwatchWidth, kSwatchHeight};    // the style swatch
    // The loaded map picture (the thumbnail's master copy), RGB32 or premultiplied ARGB32 as
    // readPicture gives it, so that neither the surface nor the thumbnail converts it whole. For
    // a tiled map, the tiles at hand composed at the map's own scale.
    QImage picture;
    std::shared_ptr<TileSource> tiles; // a tiled map's tiles; null for a picture
    MapAccess access;                  // the user's rules for maps from elsewhere
    bool mapIsWorld = false;           // the map area is the whole map, not the frame (a camera that moves)
    GeoData geo;                       // the map's georeference and the track, as their files gave them
    WorkspaceEvents events;            // redraws and new map sizes, for the views
};

// The frame a render draws: the map area, unless a camera that moves made that the whole map.
inline QSize renderFrameSize(const Workspace& ws) {
    return ws.mapIsWorld ? QSize(ws.st.framewidth, ws.st.frameheight)
                         : QSize(ws.map.width(), ws.map.height());
}
