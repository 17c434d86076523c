#pragma once
// A recorded ride as a GPS logger writes it: one GPX 1.1 track point a second with height and
// time, winding smoothly with the speed changing, two stops of several minutes where the position
// only jitters, and a few named waypoints beside the track. The same file on every run.

#include <QFile>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <optional>

struct RideBounds {
    double south = 90, north = -90, west = 180, east = -180;
};

// Writes `points` seconds of the ride to `path`; its bounds, or nothing when it cannot be written.
inline std::optional<RideBounds> writeRideGpx(const QString& path, int points) {
    constexpr double kMetresPerDegree = 111195;
    constexpr std::time_t kStart = 1717825800; // 2024-06-08 05:50 UTC
    struct Stop {
        int from, seconds;
    };
    const Stop stops[] = {{31000, 420}, {68000, 300}};
    const int named[] = {points / 7, points / 2, points * 6 / 7};
    const char* names[] = {"Col de la Croix", "Fontaine", "Camping du Lac"};
    unsigned seed = 2024;
    auto jitter = [&seed] { // about +-1.5 m in degrees
        seed = seed * 1103515245u + 12345u;
        return (int((seed >> 8) % 2001) - 1000) * 1.5e-3 / kMetresPerDegree;
    };
    auto stopped = [&](int i) {
        return std::any_of(std::begin(stops), std::end(stops),
                           [i](const Stop& s) { return i >= s.from && i < s.from + s.seconds; });
    };

    QByteArray body, wpts;
    body.reserve(qsizetype(points) * 130);
    RideBounds b;
    double lat = 46.2, lon = 7.3, heading = 0.8;
    char line[256];
    for (int i = 0; i < points; ++i) {
        double la = lat, lo = lon;
        if (stopped(i)) {
            la += jitter(), lo += jitter();
        } else {
            const double speed = 4.5 + 1.5 * std::sin(i / 1300.0); // metres a second
            heading += 0.0009 * std::sin(i / 2900.0) + 0.004 * std::sin(i / 170.0);
            lat += speed * std::cos(heading) / kMetresPerDegree;
            lon += speed * std::sin(heading) / (kMetresPerDegree * std::cos(lat * M_PI / 180));
            la = lat, lo = lon;
        }
        b.south = std::min(b.south, la), b.north = std::max(b.north, la);
        b.west = std::min(b.west, lo), b.east = std::max(b.east, lo);
        const std::time_t t = kStart + i;
        std::tm utc{};
        gmtime_r(&t, &utc);
        char when[32];
        std::strftime(when, sizeof when, "%Y-%m-%dT%H:%M:%SZ", &utc);
        const double ele = 620 + 380 * std::sin(i / 11000.0) + 25 * std::sin(i / 900.0);
        body += QByteArray(line, std::snprintf(line, sizeof line,
                                               "   <trkpt lat=\"%.7f\" lon=\"%.7f\">\n    <ele>%.1f</ele>\n"
                                               "    <time>%s</time>\n   </trkpt>\n",
                                               la, lo, ele, when));
        for (int k = 0; k < 3; ++k)
            if (i == named[k]) // some twenty metres off the track, as a place beside the road
                wpts += QByteArray(line, std::snprintf(line, sizeof line,
                                                       " <wpt lat=\"%.7f\" lon=\"%.7f\">\n  <ele>%.1f</ele>\n"
                                                       "  <name>%s</name>\n </wpt>\n",
                                                       la + 18 / kMetresPerDegree, lo, ele, names[k]));
    }
    QFile f(path);
    const QByteArray head =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<gpx version=\"1.1\" creator=\"bench_track\" xmlns=\"http://www.topografix.com/GPX/1/1\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
        "xsi:schemaLocation=\"http://www.topografix.com/"
        "GPX/1/1 http://www.topografix.com/GPX/1/1/gpx.xsd\">\n <metadata>\n  <name>Two days round the "
        "lakes</name>\n  <time>2024-06-08T05:50:00Z</time>\n </metadata>\n";
    const QByteArray trk = " <trk>\n  <name>Ride</name>\n  <type>cycling</type>\n  <trkseg>\n";
    const QByteArray tail = "  </trkseg>\n </trk>\n</gpx>\n";
    if (!f.open(QIODevice::WriteOnly) || f.write(head + wpts + trk) < 0 || f.write(body) != body.size() ||
        f.write(tail) < 0)
        return std::nullopt;
    return b;
}

// A world file in degrees that lays a picture of w x h over the ride, the ride taking four fifths
// of each side.
inline bool writeWorldFile(const QString& path, const RideBounds& b, int w, int h) {
    const double dx = (b.east - b.west) / (w * 0.8), dy = (b.north - b.south) / (h * 0.8);
    const double west = (b.west + b.east) / 2 - dx * w / 2, north = (b.south + b.north) / 2 + dy * h / 2;
    QFile f(path);
    const QByteArray text = QByteArray::number(dx, 'g', 12) + "\n0\n0\n" + QByteArray::number(-dy, 'g', 12) +
                            "\n" + QByteArray::number(west + dx / 2, 'g', 12) + "\n" +
                            QByteArray::number(north - dy / 2, 'g', 12) + "\n";
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}
