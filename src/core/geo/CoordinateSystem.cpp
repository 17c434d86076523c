#include "CoordinateSystem.h"

#include "shell/OrdinaryFile.h"

#include <cmath>
#include <proj.h>
#include <string>

namespace {
// The largest WKT seen in the wild is a few kilobytes.
constexpr qint64 kMaxWktBytes = 64 * 1024;

struct ContextFree {
    void operator()(PJ_CONTEXT* c) const { proj_context_destroy(c); }
};
struct PjFree {
    void operator()(PJ* p) const { proj_destroy(p); }
};
using Context = std::unique_ptr<PJ_CONTEXT, ContextFree>;
using Pj = std::unique_ptr<PJ, PjFree>;

// PROJ's last complaint while a system is made, for the reason given; PROJ prints nothing.
struct Complaint {
    std::string text;
};

void keep(void* complaint, int, const char* text) {
    static_cast<Complaint*>(complaint)->text = text ? text : "";
}

void drop(void*, int, const char*) {}

// Each system has a context of its own, so no two threads ever share one. `complaint` must
// outlive the context, or be let go by silence() first.
Context newContext(Complaint* complaint) {
    Context c(proj_context_create());
    if (c) {
        proj_log_func(c.get(), complaint, keep);
        proj_log_level(c.get(), PJ_LOG_ERROR);
        proj_context_set_enable_network(c.get(), 0);
    }
    return c;
}

void silence(PJ_CONTEXT* c) {
    proj_log_func(c, nullptr, drop);
    proj_log_level(c, PJ_LOG_NONE);
}

QString lastError(PJ_CONTEXT* c, const Complaint& complaint) {
    if (!complaint.text.empty()) return shown(QString::fromUtf8(complaint.text.c_str()));
    const int e = proj_context_errno(c);
    return e ? QString::fromUtf8(proj_context_errno_string(c, e)) : QStringLiteral("no reason given");
}

std::optional<CoordinateSystem> refused(QString* why, const QString& reason) {
    if (why) *why = reason;
    return std::nullopt;
}
} // namespace

// Builds systems: the one place that reaches into ProjTransform.
struct ProjMaker {
    // Declared after the context it was made in, `crs` is destroyed first whatever happens here;
    // the context passes to the transform when one is made.
    static std::optional<CoordinateSystem> make(Context& context, const Complaint& complaint, PJ* crs,
                                                QString* why) {
        PJ_CONTEXT* c = context.get();
        if (!proj_is_crs(crs)) return refused(why, "it describes no coordinate reference system");
        // A system with heights is judged by its horizontal part, one with a datum shift
        // attached by the system the shift starts from.
        const Pj horizontal(proj_get_type(crs) == PJ_TYPE_COMPOUND_CRS ? proj_crs_get_sub_crs(c, crs, 0)
                                                                       : nullptr);
        PJ* kind = horizontal ? horizontal.get() : crs;
        const Pj base(proj_get_type(kind) == PJ_TYPE_BOUND_CRS ? proj_get_source_crs(c, kind) : nullptr);
        if (base) kind = base.get();
        const PJ_TYPE type = proj_get_type(kind);
        if (type != PJ_TYPE_GEOGRAPHIC_2D_CRS && type != PJ_TYPE_GEOGRAPHIC_3D_CRS &&
            type != PJ_TYPE_PROJECTED_CRS)
            return refused(why, "it is not a system of places on the earth's surface");

        const Pj wgs84(proj_create(c, "EPSG:4326")), webMercator(proj_create(c, "EPSG:3857"));
        if (!wgs84 || !webMercator)
            return refused(why,
                           "PROJ's database of systems cannot be read (" + lastError(c, complaint) + ")");
        const auto same = [&](const Pj& other) {
            return proj_is_equivalent_to_with_ctx(c, kind, other.get(),
                                                  PJ_COMP_EQUIVALENT_EXCEPT_AXIS_ORDER_GEOGCRS) != 0;
        };
        if (same(wgs84)) return CoordinateSystem{Projection::Degrees, nullptr};
        if (same(webMercator)) return CoordinateSystem{Projection::WebMercator, nullptr};

        const Pj operation(proj_create_crs_to_crs_from_pj(c, crs, wgs84.get(), nullptr, nullptr));
        // Easting before northing and longitude before latitude, whatever the systems' axes say.
        Pj ordered(operation ? proj_normalize_for_visualization(c, operation.get()) : nullptr);
        if (!ordered)
            return refused(why, "PROJ knows no way from it to WGS 84 (" + lastError(c, complaint) + ")");
        std::shared_ptr<ProjTransform> t(new ProjTransform);
        t->name_ = QString::fromUtf8(proj_get_name(crs));
        t->toWgs84_ = ordered.release();
        silence(c);
        t->context_ = context.release();
        return CoordinateSystem{Projection::Proj, std::move(t)};
    }
};

ProjTransform::~ProjTransform() {
    proj_destroy(toWgs84_);
    proj_context_destroy(context_);
}

LatLon ProjTransform::toLatLon(QPointF projected) const {
    const std::lock_guard lock(mutex_);
    const PJ_COORD out = proj_trans(toWgs84_, PJ_FWD, proj_coord(projected.x(), projected.y(), 0, 0));
    if (!std::isfinite(out.xy.x) || !std::isfinite(out.xy.y)) return {NAN, NAN};
    return {out.xy.y, out.xy.x};
}

QPointF ProjTransform::toProjected(LatLon at) const {
    const std::lock_guard lock(mutex_);
    const PJ_COORD out = proj_trans(toWgs84_, PJ_INV, proj_coord(at.lon, at.lat, 0, 0));
    if (!std::isfinite(out.xy.x) || !std::isfinite(out.xy.y)) return {NAN, NAN};
    return {out.xy.x, out.xy.y};
}

QString CoordinateSystem::name() const {
    switch (projection) {
    case Projection::Degrees:
        return QStringLiteral("WGS 84");
    case Projection::WebMercator:
        return QStringLiteral("WGS 84 / Pseudo-Mercator");
    case Projection::Proj:
        break;
    }
    return proj ? proj->name() : QString();
}

std::optional<CoordinateSystem> coordinateSystemFromWkt(const QByteArray& wkt, QString* why) {
    // A byte-order mark some editors put first is not WKT.
    QByteArray text = wkt.startsWith("\xEF\xBB\xBF") ? wkt.mid(3) : wkt;
    text = text.trimmed();
    if (text.contains('\0')) return refused(why, "it holds a zero byte, so it is not WKT");
    Complaint complaint;
    Context context = newContext(&complaint);
    if (!context) return refused(why, "PROJ cannot be started");
    PROJ_STRING_LIST warnings = nullptr, errors = nullptr;
    const Pj crs(proj_create_from_wkt(context.get(), text.constData(), nullptr, &warnings, &errors));
    const QString grammar = errors && errors[0] ? QString::fromUtf8(errors[0]) : QString();
    proj_string_list_destroy(warnings);
    proj_string_list_destroy(errors);
    if (!crs)
        return refused(why, "PROJ cannot read it as WKT (" +
                                shown(grammar.isEmpty() ? lastError(context.get(), complaint) : grammar) +
                                ")");
    return ProjMaker::make(context, complaint, crs.get(), why);
}

std::optional<CoordinateSystem> coordinateSystemFromName(const QString& name, QString* why) {
    Complaint complaint;
    Context context = newContext(&complaint);
    if (!context) return refused(why, "PROJ cannot be started");
    const Pj crs(proj_create(context.get(), name.toUtf8().constData()));
    if (!crs)
        return refused(why, "PROJ does not know " + shown(name) + " (" + lastError(context.get(), complaint) +
                                ")");
    return ProjMaker::make(context, complaint, crs.get(), why);
}

std::optional<CoordinateSystem> readPrjFile(const QString& path, Error* error) {
    QFile file;
    if (MaybeError e = openOrdinaryFile(path, file, QStringLiteral("coordinate system file"))) {
        if (error) *error = *e;
        return std::nullopt;
    }
    const QByteArray bytes = file.read(kMaxWktBytes + 1);
    QString why = bytes.size() > kMaxWktBytes
                      ? QStringLiteral("the file is larger than 64 KiB, too large for a coordinate system")
                      : QString();
    std::optional<CoordinateSystem> crs;
    if (why.isEmpty()) crs = coordinateSystemFromWkt(bytes, &why);
    if (!crs && error) *error = {path, why};
    return crs;
}
