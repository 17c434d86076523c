#pragma once
// Making the legs' lines from the project, the map's georeference and the loaded track.

#include "Georeference.h"
#include "RouteShape.h"
#include "Track.h"
#include "shell/ProjectState.h"

#include <optional>

// A loaded track and where its points fall on the map.
struct PlacedTrack {
    std::shared_ptr<const Track> track;
    std::vector<QPointF> pixels;
};
std::shared_ptr<const PlacedTrack> placeTrack(std::shared_ptr<const Track> track, const Georeference& where);

// The leg ending at point i follows the track unless its own `path.I` says otherwise, and goes
// along a great circle (or, on a map without coordinates, an arc) when its path is "arc" or,
// with no `path.I` of its own, when it is a flight. Null when every leg is straight and the map
// has no coordinates: the classic walk needs nothing else.
// Lines of `previous` made from the same recipe are taken over as they are.
std::shared_ptr<const RouteShape> buildRouteShape(const ProjectState& st,
                                                  const std::optional<Georeference>& where,
                                                  const std::shared_ptr<const PlacedTrack>& track,
                                                  const RouteShape* previous = nullptr);

// The exact world position of point i: from its coordinates on a georeferenced map.
QPointF pointPlace(const ProjectState& st, const std::optional<Georeference>& where, int i);
