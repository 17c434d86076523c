#pragma once
// The georeference a GeoTIFF holds in its own tags: where its pixels lie (a tie point and a pixel
// scale, or a transformation matrix) and in which coordinate system (GeoKeys naming an EPSG code,
// or defining a system key by key).

#include "Georeference.h"

// The georeference in the TIFF at `path`, for its first picture. Null with `*error` cleared to
// Error{} when the file is no TIFF (by its content) or no tags place it; null with an error
// naming the file when they are there but broken, or name a system PROJ does not know.
std::optional<Georeference> readGeoTiff(const QString& path, Error* error);
