#pragma once
// Where on earth a map's pixels are: an affine map from pixel coordinates (an integer names a
// pixel's centre) to a projection's coordinates, degrees or Web Mercator metres. A world file
// gives one, and so do control points placed on a scanned map.

#include "WebMercator.h"
#include "shell/Error.h"

#include <QTransform>
#include <optional>
#include <span>

enum class Projection { Degrees, WebMercator };

class Georeference {
  public:
    // Null when the transform cannot be inverted.
    static std::optional<Georeference> make(Projection projection, const QTransform& pixelToProjected);

    Projection projection() const { return projection_; }
    const QTransform& pixelToProjected() const { return toProjected_; }
    LatLon latLonAt(QPointF pixel) const;
    QPointF pixelAt(LatLon at) const;

  private:
    Projection projection_ = Projection::Degrees;
    QTransform toProjected_, toPixel_;
};

// A world file beside a picture: six numbers, one a line (x per column, y per column, x per row,
// y per row, then x and y of the top-left pixel's centre). In degrees when the picture's corners
// all fit the earth's, else in Web Mercator. A file that is not one, or whose scale is zero or not
// finite, is refused with its name.
std::optional<Georeference> readWorldFile(const QString& path, QSize picture, Error* error);

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
