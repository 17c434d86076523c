#include "TrackBuilder.h"

#include "shell/OrdinaryFile.h"

#include <cmath>

void TrackBuilder::add(const TrackPoint& point) {
    if (!validLatLon(point.at)) {
        ++track_.skipped;
        return;
    }
    if (segmentEnded_) track_.segmentStarts.push_back(qsizetype(track_.points.size()));
    segmentEnded_ = false;
    track_.points.push_back(point);
}

void TrackBuilder::addWaypoint(LatLon at, const QString& name) {
    if (!validLatLon(at)) {
        ++track_.skipped;
        return;
    }
    track_.waypoints.push_back({at, name.simplified().left(200)});
}

std::optional<Track> TrackBuilder::finish(const QString& file, Error* error) {
    if (track_.points.empty() && track_.waypoints.empty())
        return trackRefusal(file, "the file holds no track, route or waypoint", error);
    return std::move(track_);
}

qint64 trackTime(QStringView text) {
    QDateTime t = QDateTime::fromString(text.trimmed().toString(), Qt::ISODateWithMs);
    if (!t.isValid()) return -1;
    if (t.timeSpec() == Qt::LocalTime) t.setTimeSpec(Qt::UTC);
    return t.toMSecsSinceEpoch();
}

double trackNumber(QStringView text) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(v) ? v : qQNaN();
}

std::nullopt_t trackRefusal(const QString& file, const QString& reason, Error* error) {
    if (error) *error = {file, reason};
    return std::nullopt;
}

QString documentTypeRefusal(const QString& format) {
    return "the file declares a document type, which a " + format + " file has no need of; it was not read";
}

QString notXmlRefusal(const QString& why) {
    return "the file is not readable XML (" + why + ")";
}

MaybeError openTrackFile(const QString& path, QFile& file) {
    if (MaybeError e = openOrdinaryFile(path, file, QStringLiteral("track file"))) return e;
    if (file.size() > kMaxTrackBytes)
        return Error{
            path, QString("the file is larger than %1 MiB, too large for a track").arg(kMaxTrackBytes >> 20)};
    if (file.size() == 0) return Error{path, "the file is empty"};
    return std::nullopt;
}
