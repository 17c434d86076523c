#pragma once
// Latitude and longitude (WGS 84 degrees) and Web Mercator (EPSG:3857), the projection of web map
// tiles: metres east and north on a sphere of the WGS 84 semi-major axis.

#include <QPointF>

struct LatLon {
    double lat = 0, lon = 0;
};

constexpr double kMercatorRadius = 6378137.0;
// Web Mercator reaches the poles only at infinity; tiles stop at this latitude.
constexpr double kMaxMercatorLatitude = 85.0511287798066;

// Metres: x east, y north. Latitudes beyond the tiles' limit are held to it.
QPointF toMercator(LatLon at);
LatLon fromMercator(QPointF metres);

// Finite, within ±90 and ±180.
bool validLatLon(LatLon at);
