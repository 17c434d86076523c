#pragma once
// Where a recorded track stood still, and the route points an imported track makes.

#include "Track.h"

#include <QString>
#include <vector>

// A track stands still when it stays within this distance of where it stopped.
constexpr double kStopRadiusMetres = 25;

struct TrackStop {
    qsizetype first = 0, last = 0; // the points of the stop
    double seconds = 0;
};

// Stops of more than `minSeconds` among points [from, to) of the track; points without times
// make none.
std::vector<TrackStop> trackStops(const Track& track, qsizetype from, qsizetype to, double minSeconds);

// Metres between two places on the earth (a sphere of the earth's mean radius: a track's steps
// are short, and this is a thousand times cheaper than the ellipsoid's geodesic).
double haversineMetres(LatLon a, LatLon b);
// The same for places a few kilometres apart at most, given the cosine of a's latitude: the
// plane of the earth there, at a cosine's cost instead of six functions'.
double nearMetres(LatLon a, LatLon b, double cosLat);

struct RoutePlan {
    std::vector<qsizetype> at; // track points the route points stand on, in order
    std::vector<QString> labels;
    int dropped = 0; // stops and waypoints left out: a route holds at most `maxPoints`
};

// Route points at the track's start, at each named waypoint, at each stop longer than
// `stopSeconds`, and at its end.
RoutePlan planImport(const Track& track, double stopSeconds, int maxPoints);
