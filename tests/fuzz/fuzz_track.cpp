// Fuzz target of the track readers and what a track becomes: any bytes, read as each format,
// must give a track or a refusal without a fault; a track read must hold only points on the
// earth, and must import into a route whose legs follow it.
#include "geo/RouteBuild.h"
#include "geo/TrackFormats.h"
#include "geo/TrackStops.h"

#include <QBuffer>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
void require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "track fault: %s\n", what);
    std::abort();
}

void follow(const Track& t) {
    for (const TrackPoint& p : t.points)
        require(validLatLon(p.at), "a point off the earth");
    if (t.points.empty()) return;
    auto shared = std::make_shared<const Track>(t);
    const Georeference world = *Georeference::make(Projection::Degrees, QTransform(0.1, 0, 0, -0.1, -180, 90));
    const RoutePlan plan = planImport(t, 120, kMousePointLimit);
    require(!plan.at.empty() && plan.at.size() <= std::size_t(kMousePointLimit), "a route of no or too many points");
    ProjectState st;
    st.listmax = qint16(plan.at.size());
    for (std::size_t i = 0; i < plan.at.size(); ++i) {
        require(plan.at[i] >= 0 && plan.at[i] < qsizetype(t.points.size()), "a route point off the track");
        const LatLon at = t.points[std::size_t(plan.at[i])].at;
        st.pointgeo[i] = GeoPoint(at.lat, at.lon);
    }
    const auto shape = buildRouteShape(st, world, placeTrack(shared, world));
    for (int i = 1; i < st.listmax; ++i)
        if (const LegLine* leg = shape->leg(i)) {
            require(std::isfinite(leg->length()) && leg->duration() >= 0, "a leg of no length or time");
            leg->pointAt(leg->length() / 2);
            leg->alongAt(leg->duration() / 2);
        }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    for (auto reader : {readGpx, readKml, readKmz, readGeoJson, readTcx}) {
        QBuffer in;
        in.setData(bytes);
        in.open(QIODevice::ReadOnly);
        Error error;
        if (const std::optional<Track> t = reader(in, "fuzz", &error))
            follow(*t);
        else
            require(!error.reason.isEmpty(), "a refusal without a reason");
    }
    return 0;
}
