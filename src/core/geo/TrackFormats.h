#pragma once
// The readers behind readTrack, one a format, each reading from a device at its start (a file, or
// bytes inflated from an archive or written by a converter). `file` names the file in errors.

#include "Track.h"

#include <QIODevice>

// GPX, as readGpx(path) reads it.
std::optional<Track> readGpx(QIODevice& in, const QString& file, Error* error);

// KML: each LineString and gx:Track a segment (gx:Track gives times), each Placemark's Point a
// waypoint named by the Placemark; MultiGeometry and folders looked into. Polygons are passed over.
std::optional<Track> readKml(QIODevice& in, const QString& file, Error* error);

// KMZ, a ZIP archive: its doc.kml, or else the first .kml at its root, read as KML. `in` is
// random access (a file or a buffer).
std::optional<Track> readKmz(QIODevice& in, const QString& file, Error* error);

// GeoJSON: FeatureCollection, Feature or a bare geometry; LineString and MultiLineString lines are
// segments, with times from the feature's `coordTimes` where given; Points are waypoints named by
// the feature's `name`. The text is parsed whole, so it is held to kMaxGeoJsonBytes; `in` is a
// file or a buffer, whose size is known.
constexpr qint64 kMaxGeoJsonBytes = qint64(128) << 20;
std::optional<Track> readGeoJson(QIODevice& in, const QString& file, Error* error);

// Garmin Training Center (TCX): each Track a segment, Trackpoints without a position left out
// without counting (no fix is not bad data), CoursePoints as waypoints.
std::optional<Track> readTcx(QIODevice& in, const QString& file, Error* error);

// Any other format gpsbabel reads, chosen by the ending of `path` (fit, igc, nmea, ...), converted
// to GPX and read as such. Refuses an ending it does not know, naming every format read.
std::optional<Track> readWithGpsbabel(const QString& path, Error* error);
