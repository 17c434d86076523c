#pragma once
// What a map's coordinates are measured in: WGS 84 degrees, Web Mercator metres (both by their
// own exact formulas), or any other coordinate reference system PROJ knows, converted through
// PROJ. Descriptions come from .prj files (WKT) and GeoTIFF tags (EPSG codes).

#include "WebMercator.h"
#include "shell/Error.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <mutex>
#include <optional>

struct PJconsts;
struct pj_ctx;

enum class Projection { Degrees, WebMercator, Proj };

// A conversion between one system's coordinates (east, then north, whatever order the system
// states its axes in) and WGS 84 latitude and longitude. Made once, then shared and never
// changed. A PROJ object may be used by one thread at a time, and frames are drawn on several,
// so each conversion holds a lock on it.
class ProjTransform {
  public:
    ~ProjTransform();
    ProjTransform(const ProjTransform&) = delete;
    ProjTransform& operator=(const ProjTransform&) = delete;

    // PROJ's name of the system, such as "WGS 84 / UTM zone 32N".
    const QString& name() const { return name_; }
    // NaN where the conversion does not reach.
    LatLon toLatLon(QPointF projected) const;
    QPointF toProjected(LatLon at) const;

  private:
    friend struct ProjMaker;
    ProjTransform() = default;
    mutable std::mutex mutex_;
    pj_ctx* context_ = nullptr;
    PJconsts* toWgs84_ = nullptr;
    QString name_;
};

struct CoordinateSystem {
    Projection projection = Projection::Degrees;
    std::shared_ptr<const ProjTransform> proj; // set for Projection::Proj, null otherwise
    QString name() const;
};

// A system from its WKT, as a .prj file holds it (ESRI's and OGC's dialects, WKT 1 and 2), or
// from a name PROJ resolves, such as "EPSG:32632" or a "+proj=..." string. WGS 84 degrees and Web
// Mercator come back as the built-in projections however they are described. Null with the reason
// when PROJ cannot read it, or it is not a system of places on the earth's surface.
std::optional<CoordinateSystem> coordinateSystemFromWkt(const QByteArray& wkt, QString* why);
std::optional<CoordinateSystem> coordinateSystemFromName(const QString& name, QString* why);

// A .prj file: one WKT description, at most 64 KiB. One that cannot be read or understood is
// refused with its name.
std::optional<CoordinateSystem> readPrjFile(const QString& path, Error* error);
