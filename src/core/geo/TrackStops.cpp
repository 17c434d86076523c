#include "TrackStops.h"

#include <algorithm>
#include <cmath>
#include <map>

double haversineMetres(LatLon a, LatLon b) {
    constexpr double kEarthMeanRadius = 6371008.8;
    constexpr double rad = M_PI / 180;
    const double dLat = (b.lat - a.lat) * rad, dLon = (b.lon - a.lon) * rad;
    const double h = std::sin(dLat / 2) * std::sin(dLat / 2) +
                     std::cos(a.lat * rad) * std::cos(b.lat * rad) * std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2 * kEarthMeanRadius * std::asin(std::min(1.0, std::sqrt(h)));
}

double nearMetres(LatLon a, LatLon b, double cosLat) {
    constexpr double kMetresPerDegree = 6371008.8 * M_PI / 180;
    double dLon = std::abs(b.lon - a.lon);
    dLon = std::min(dLon, 360 - dLon);
    const double x = dLon * cosLat, y = b.lat - a.lat;
    return std::sqrt(x * x + y * y) * kMetresPerDegree;
}

std::vector<TrackStop> trackStops(const Track& track, qsizetype from, qsizetype to, double minSeconds) {
    std::vector<TrackStop> stops;
    const auto& p = track.points;
    to = std::min<qsizetype>(to, qsizetype(p.size()));
    for (qsizetype i = std::max<qsizetype>(from, 0); i < to;) {
        if (p[std::size_t(i)].msecs < 0) {
            ++i;
            continue;
        }
        // The run of points within the radius of point i.
        const double cosLat = std::cos(p[std::size_t(i)].at.lat * M_PI / 180);
        qsizetype j = i;
        while (j + 1 < to && p[std::size_t(j + 1)].msecs >= p[std::size_t(i)].msecs &&
               nearMetres(p[std::size_t(i)].at, p[std::size_t(j + 1)].at, cosLat) <= kStopRadiusMetres)
            ++j;
        const double seconds = double(p[std::size_t(j)].msecs - p[std::size_t(i)].msecs) / 1000;
        if (seconds > minSeconds) {
            // The run holds the last steps towards the place and the first away from it: the
            // stop is where the track stood most of the time, from its first point there to its last.
            double lat = 0, lon = 0, weight = 0;
            for (qsizetype k = i; k < j; ++k) {
                const double dt = double(p[std::size_t(k + 1)].msecs - p[std::size_t(k)].msecs);
                lat += p[std::size_t(k)].at.lat * dt, lon += p[std::size_t(k)].at.lon * dt, weight += dt;
            }
            const LatLon centre = weight > 0 ? LatLon{lat / weight, lon / weight} : p[std::size_t(i)].at;
            auto near = [&](qsizetype k) {
                return nearMetres(centre, p[std::size_t(k)].at, cosLat) <= kStopRadiusMetres / 5;
            };
            qsizetype first = i, last = j;
            while (first < j && !near(first))
                ++first;
            while (last > first && !near(last))
                --last;
            const double stood = double(p[std::size_t(last)].msecs - p[std::size_t(first)].msecs) / 1000;
            if (stood > minSeconds)
                stops.push_back({first, last, stood});
            else
                stops.push_back({i, j, seconds});
            i = j + 1;
        } else {
            // A long run that was no stop is not walked again from each of its points: a file of
            // a million points in one place would otherwise cost a million squared.
            i = j - i > 64 ? j : i + 1;
        }
    }
    return stops;
}

RoutePlan planImport(const Track& track, double stopSeconds, int maxPoints) {
    RoutePlan plan;
    const qsizetype n = qsizetype(track.points.size());
    if (n == 0 || maxPoints < 2) return plan;
    // Candidates by track position; the start and the end always, then waypoints, then the longest stops.
    struct Candidate {
        QString label;
        double rank; // higher stays first
    };
    std::map<qsizetype, Candidate> chosen;
    std::vector<std::pair<qsizetype, Candidate>> wanted;
    // A file may name any number of waypoints; each one costs a pass over the track.
    constexpr int kMostWaypoints = 1000;
    int named = 0;
    for (const Waypoint& w : track.waypoints) {
        if (w.name.isEmpty() || ++named > kMostWaypoints) continue;
        // The waypoint stands at the track's nearest point (degrees of longitude shrunk by the
        // latitude's cosine: near enough to choose the nearest).
        const double shrink = std::cos(w.at.lat * M_PI / 180);
        qsizetype best = 0;
        double bestSquare = HUGE_VAL;
        for (qsizetype k = 0; k < n; ++k) {
            const LatLon& q = track.points[std::size_t(k)].at;
            double dLon = std::abs(q.lon - w.at.lon);
            dLon = std::min(dLon, 360 - dLon) * shrink;
            const double d = dLon * dLon + (q.lat - w.at.lat) * (q.lat - w.at.lat);
            if (d < bestSquare) bestSquare = d, best = k;
        }
        wanted.push_back({best, {w.name, 1e18}});
    }
    // A waypoint where the track stood is the stop's point: one route point, the hold at it.
    const std::vector<TrackStop> stops = trackStops(track, 0, n, stopSeconds);
    for (auto& [at, c] : wanted)
        for (const TrackStop& s : stops)
            if (at >= s.first && at <= s.last) at = s.first;
    for (const TrackStop& s : stops)
        wanted.push_back({s.first, {QString(), s.seconds}});
    std::stable_sort(wanted.begin(), wanted.end(),
                     [](const auto& a, const auto& b) { return a.second.rank > b.second.rank; });
    chosen[0] = {};
    chosen[n - 1] = {};
    for (const auto& [at, c] : wanted) {
        auto it = chosen.find(at);
        if (it != chosen.end()) {
            if (it->second.label.isEmpty()) it->second.label = c.label;
            continue;
        }
        if (int(chosen.size()) >= maxPoints) {
            ++plan.dropped;
            continue;
        }
        chosen[at] = c;
    }
    for (const auto& [at, c] : chosen) {
        plan.at.push_back(at);
        plan.labels.push_back(c.label);
    }
    return plan;
}
