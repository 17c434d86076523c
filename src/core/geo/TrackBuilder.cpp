#include "TrackBuilder.h"

#include "shell/OrdinaryFile.h"

#include <charconv>
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
    text = text.trimmed();
    // Qt reads a number through the locale's symbols, some 6,000 instructions each and a third of
    // reading a long GPX track: plain ASCII goes to from_chars, anything else to Qt as before.
    char ascii[40]{};
    if (text.size() <= qsizetype(sizeof ascii)) {
        qsizetype n = 0;
        while (n < text.size() && text[n].unicode() < 0x80)
            ascii[n] = char(text[n].unicode()), ++n;
        const char* first = ascii + (n > 1 && ascii[0] == '+' && ascii[1] != '-' ? 1 : 0);
        double v = 0;
        const auto [end, ec] = std::from_chars(first, ascii + n, v);
        if (n > 0 && n == text.size() && ec == std::errc() && end == ascii + n)
            return std::isfinite(v) ? v : qQNaN();
    }
    bool ok = false;
    const double v = text.toDouble(&ok);
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
