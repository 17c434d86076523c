#pragma once
// What the track readers share: points gathered into segments, bad points counted, and times,
// heights and refusals worded the one way whatever the format.

#include "Track.h"

#include <QFile>
#include <string_view>

class TrackBuilder {
  public:
    // The next point kept begins a new segment.
    void endSegment() { segmentEnded_ = true; }
    // Points and waypoints off the earth, or not numbers, are counted in `skipped` and left out.
    void add(const TrackPoint& point);
    void addWaypoint(LatLon at, const QString& name);
    void skip() { ++track_.skipped; }
    // The track, or the refusal of a file that holds nothing to draw.
    std::optional<Track> finish(const QString& file, Error* error);

  private:
    Track track_;
    bool segmentEnded_ = true;
};

// ISO 8601 as the formats write it, in milliseconds since the epoch; a time without a zone is
// taken as UTC, as the formats say, so that no reading depends on the machine's zone. -1 when the
// text is not a time.
qint64 trackTime(QStringView text);
qint64 trackTime(std::string_view utf8);
// A finite number, or NaN.
double trackNumber(QStringView text);
double trackNumber(std::string_view utf8);

// Sets `error` to `reason` about `file`, for `return trackRefusal(...)` in a reader.
std::nullopt_t trackRefusal(const QString& file, const QString& reason, Error* error);
// No track format needs a document type, and refusing one means no entity is ever expanded.
QString documentTypeRefusal(const QString& format);
QString notXmlRefusal(const QString& why);

// Opens `path` as an ordinary file that is not empty and not larger than kMaxTrackBytes.
MaybeError openTrackFile(const QString& path, QFile& file);
