#pragma once
// A recorded track as the readers give it, whatever the file's format: points with their height
// and time where recorded, in segments, and named places.

#include "WebMercator.h"
#include "shell/Error.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

struct TrackPoint {
    LatLon at;
    double elevation = qQNaN(); // metres; NaN when not recorded
    qint64 msecs = -1;          // milliseconds since the epoch (UTC); -1 when not recorded
};

struct Waypoint {
    LatLon at;
    QString name;
};

struct Track {
    std::vector<TrackPoint> points;
    std::vector<qsizetype> segmentStarts; // index of each segment's first point
    std::vector<Waypoint> waypoints;
    qint64 skipped = 0; // points with coordinates off the earth, or not numbers
};

// Track files are untrusted: larger ones than this are refused before reading.
constexpr qint64 kMaxTrackBytes = qint64(512) << 20;

// The track in the file at `path`, whatever its format: GPX, KML, KMZ, GeoJSON and TCX are told
// apart by their content and read here; other formats (FIT, IGC, NMEA and more) are converted by
// gpsbabel, chosen by the name's ending. Errors name the file and the reason.
std::optional<Track> readTrack(const QString& path, Error* error);
// The endings of the files readTrack reads, lower case without the dot ("gpx", "fit", ...).
QStringList trackFileEndings();

// GPX 1.0 and 1.1: tracks and their segments, routes, waypoints, `ele` and `time`; namespaces and
// extensions are passed over. A document type declaration is refused (no entity is ever expanded).
std::optional<Track> readGpx(const QString& path, Error* error);
