#pragma once
// Where on earth a map's pixels are: an affine map from pixel coordinates (an integer names a
// pixel's centre) to a coordinate system's coordinates: degrees, Web Mercator metres, or those of
// any system PROJ knows. World files and GeoTIFF tags give one, and so do control points placed
// on a scanned map. A cheap value to copy: a system through PROJ is shared, not copied.

#include "CoordinateSystem.h"
#include "shell/Error.h"

#include <QTransform>
#include <optional>
#include <span>

class Georeference {
  public:
    // Null when the transform cannot be inverted, or for Projection::Proj without its transform.
    static std::optional<Georeference> make(const CoordinateSystem& system,
                                            const QTransform& pixelToProjected);
    // Degrees or Web Mercator.
    static std::optional<Georeference> make(Projection projection, const QTransform& pixelToProjected);

    Projection projection() const { return system_.projection; }
    const CoordinateSystem& coordinateSystem() const { return system_; }
    const QTransform& pixelToProjected() const { return toProjected_; }
    // NaN where a system converted through PROJ does not reach.
    LatLon latLonAt(QPointF pixel) const;
    QPointF pixelAt(LatLon at) const;

  private:
    CoordinateSystem system_;
    QTransform toProjected_, toPixel_;
};

// A world file beside a picture: six numbers, one a line (x per column, y per column, x per row,
// y per row, then x and y of the top-left pixel's centre). In degrees when the picture's corners
// all fit the earth's, else in Web Mercator. A file that is not one, or whose scale is zero or not
// finite, is refused with its name.
std::optional<Georeference> readWorldFile(const QString& path, QSize picture, Error* error);
// The same, its numbers in the system a .prj file beside it names.
std::optional<Georeference> readWorldFile(const QString& path, const CoordinateSystem& system, Error* error);

struct ControlPoint {
    QPointF pixel;
    LatLon at;
};

struct ControlPointFit {
    Georeference georeference;
    double worstResidual = 0; // map pixels between a control point and where the fit puts it
};

// Two points give a similarity (scale, rotation, shift) in Web Mercator, three or more a
// least-squares affine fit. Null for fewer than two usable points, or points in a line.
std::optional<ControlPointFit> fitControlPoints(std::span<const ControlPoint> points);
