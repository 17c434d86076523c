#include "TrackBuilder.h"

#include "shell/OrdinaryFile.h"

#include <charconv>
#include <cmath>
#include <optional>

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

namespace {
std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r' || s.front() == '\n'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
qint64 daysFromCivil(qint64 y, unsigned m, unsigned d) {
    y -= m <= 2;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + qint64(doe) - 719468;
}

// "2026-05-01T08:00:00Z", with or without fractions of a second and a zone: the form every
// recorder writes, read without a date object. Nullopt for any other form.
std::optional<qint64> plainIsoTime(std::string_view s) {
    auto digits = [&](std::size_t at, std::size_t n) -> int {
        int v = 0;
        for (std::size_t k = at; k < at + n; ++k) {
            if (k >= s.size() || s[k] < '0' || s[k] > '9') return -1;
            v = v * 10 + (s[k] - '0');
        }
        return v;
    };
    if (s.size() < 19 || s[4] != '-' || s[7] != '-' || (s[10] != 'T' && s[10] != ' ') || s[13] != ':' ||
        s[16] != ':')
        return std::nullopt;
    const int y = digits(0, 4), mo = digits(5, 2), d = digits(8, 2), h = digits(11, 2), mi = digits(14, 2),
              sec = digits(17, 2);
    if (y < 0 || mo < 1 || mo > 12 || d < 1 || d > 31 || h < 0 || h > 23 || mi < 0 || mi > 59 || sec < 0 ||
        sec > 60)
        return std::nullopt;
    std::size_t k = 19;
    double fraction = 0;
    if (k < s.size() && s[k] == '.') {
        double scale = 0.1;
        for (++k; k < s.size() && s[k] >= '0' && s[k] <= '9'; ++k, scale /= 10)
            fraction += (s[k] - '0') * scale;
    }
    qint64 offset = 0;
    if (k < s.size() && (s[k] == '+' || s[k] == '-')) {
        const int oh = digits(k + 1, 2),
                  om = s.size() > k + 3 && s[k + 3] == ':' ? digits(k + 4, 2) : digits(k + 3, 2);
        if (oh < 0 || om < 0) return std::nullopt;
        offset = (s[k] == '-' ? -1 : 1) * (oh * 60 + om) * 60000;
        k += s.size() > k + 3 && s[k + 3] == ':' ? 6 : 5;
    } else if (k < s.size() && s[k] == 'Z') {
        ++k;
    }
    if (k != s.size()) return std::nullopt;
    const qint64 day = daysFromCivil(y, unsigned(mo), unsigned(d));
    return ((day * 24 + h) * 60 + mi) * 60000 + qint64(sec) * 1000 + qint64(fraction * 1000 + 0.5) - offset;
}
} // namespace

qint64 trackTime(std::string_view utf8) {
    const std::string_view s = trimmed(utf8);
    if (const std::optional<qint64> t = plainIsoTime(s)) return *t;
    return trackTime(QString::fromUtf8(s.data(), qsizetype(s.size())));
}

double trackNumber(std::string_view utf8) {
    std::string_view s = trimmed(utf8);
    if (s.size() > 1 && s.front() == '+' && s[1] != '-') s.remove_prefix(1);
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty()) return qQNaN();
    return std::isfinite(v) ? v : qQNaN();
}

double trackNumber(QStringView text) {
    text = text.trimmed();
    // Qt reads a number through the locale's symbols, some 6,000 instructions each: plain ASCII
    // goes the quick way, anything else to Qt.
    char ascii[40]{};
    qsizetype n = 0;
    while (n < text.size() && n < qsizetype(sizeof ascii) && text[n].unicode() < 0x80)
        ascii[n] = char(text[n].unicode()), ++n;
    if (n == text.size()) return trackNumber(std::string_view(ascii, std::size_t(n)));
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
