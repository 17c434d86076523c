#pragma once
// What the loaded files tell of the earth: the map picture's own georeference and the track.

#include "Georeference.h"
#include "Track.h"

#include <memory>
#include <optional>

struct PlacedTrack;

struct GeoData {
    std::optional<Georeference> picture; // from the map file (GeoTIFF tags or a world file)
    QString pictureSource;               // the file that gave it
    std::optional<Georeference> source;  // a tiled map's or the world picture's own
    std::shared_ptr<const Track> track;
    QString trackFile; // the file the track was read from
    // The track on the map, made again when the georeference changes.
    std::shared_ptr<const PlacedTrack> placed;
    std::optional<Georeference> placedBy;
};
