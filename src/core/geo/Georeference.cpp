#include "Georeference.h"

#include "shell/OrdinaryFile.h"

#include <QFile>
#include <QRegularExpression>
#include <cmath>
#include <complex>
#include <vector>

std::optional<Georeference> Georeference::make(const CoordinateSystem& system,
                                               const QTransform& pixelToProjected) {
    if ((system.projection == Projection::Proj) != bool(system.proj)) return std::nullopt;
    bool invertible = false;
    Georeference g;
    g.system_ = system;
    g.toProjected_ = pixelToProjected;
    g.toPixel_ = pixelToProjected.inverted(&invertible);
    if (!invertible || !std::isfinite(pixelToProjected.determinant())) return std::nullopt;
    return g;
}

std::optional<Georeference> Georeference::make(Projection projection, const QTransform& pixelToProjected) {
    return make(CoordinateSystem{projection, nullptr}, pixelToProjected);
}

LatLon Georeference::latLonAt(QPointF pixel) const {
    const QPointF p = toProjected_.map(pixel);
    switch (system_.projection) {
    case Projection::Degrees:
        return {p.y(), p.x()};
    case Projection::WebMercator:
        return fromMercator(p);
    case Projection::Proj:
        break;
    }
    return system_.proj->toLatLon(p);
}

QPointF Georeference::pixelAt(LatLon at) const {
    switch (system_.projection) {
    case Projection::Degrees:
        return toPixel_.map(QPointF(at.lon, at.lat));
    case Projection::WebMercator:
        return toPixel_.map(toMercator(at));
    case Projection::Proj:
        break;
    }
    return toPixel_.map(system_.proj->toProjected(at));
}

namespace {
// The six numbers of a world file as a transform, or an error naming the file.
std::optional<QTransform> readWorldNumbers(const QString& path, Error* error) {
    auto fail = [&](const QString& reason) {
        if (error) *error = {path, reason};
        return std::nullopt;
    };
    QFile file;
    if (MaybeError e = openOrdinaryFile(path, file, QStringLiteral("world file"))) {
        if (error) *error = *e;
        return std::nullopt;
    }
    // Six numbers take a few dozen bytes; anything far larger is not a world file.
    constexpr qint64 kMaxBytes = 4096;
    const QByteArray bytes = file.read(kMaxBytes + 1);
    if (bytes.size() > kMaxBytes) return fail("the file is too large to be a world file");
    const QStringList words =
        QString::fromLatin1(bytes).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    if (words.size() != 6)
        return fail("a world file holds six numbers, this one " + QString::number(words.size()));
    double v[6];
    for (int i = 0; i < 6; ++i) {
        bool number = false;
        v[i] = words[i].toDouble(&number);
        if (!number || !std::isfinite(v[i]))
            return fail("\"" + words[i].left(40) + "\" is not a finite number");
    }
    if (v[0] == 0 || v[3] == 0) return fail("its scale is zero");
    return QTransform(v[0], v[1], v[2], v[3], v[4], v[5]);
}

std::optional<Georeference> placed(const QString& path, const CoordinateSystem& system, const QTransform& t,
                                   Error* error) {
    const std::optional<Georeference> g = Georeference::make(system, t);
    if (!g && error)
        *error = {path, "its numbers do not map the picture onto the earth (rows and columns in one line)"};
    return g;
}
} // namespace

std::optional<Georeference> readWorldFile(const QString& path, QSize picture, Error* error) {
    const std::optional<QTransform> t = readWorldNumbers(path, error);
    if (!t) return std::nullopt;
    // Degrees when every corner of the picture lies on the earth's range of them.
    bool degrees = true;
    for (const QPointF corner :
         {QPointF(0, 0), QPointF(picture.width() - 1, 0), QPointF(0, picture.height() - 1),
          QPointF(picture.width() - 1, picture.height() - 1)}) {
        const QPointF p = t->map(corner);
        degrees = degrees && std::abs(p.x()) <= 180 && std::abs(p.y()) <= 90;
    }
    return placed(path, {degrees ? Projection::Degrees : Projection::WebMercator, nullptr}, *t, error);
}

std::optional<Georeference> readWorldFile(const QString& path, const CoordinateSystem& system, Error* error) {
    const std::optional<QTransform> t = readWorldNumbers(path, error);
    return t ? placed(path, system, *t, error) : std::nullopt;
}

namespace {
// Pixels with y flipped as complex numbers: a similarity is then m = a z + b.
std::complex<double> flipped(QPointF p) {
    return {p.x(), -p.y()};
}

std::optional<QTransform> similarity(const ControlPoint& p, const ControlPoint& q) {
    const std::complex<double> z1 = flipped(p.pixel), z2 = flipped(q.pixel);
    const QPointF m1 = toMercator(p.at), m2 = toMercator(q.at);
    if (z1 == z2) return std::nullopt;
    const std::complex<double> a =
        (std::complex<double>(m2.x(), m2.y()) - std::complex<double>(m1.x(), m1.y())) / (z2 - z1);
    const std::complex<double> b = std::complex<double>(m1.x(), m1.y()) - a * z1;
    return QTransform(a.real(), a.imag(), a.imag(), -a.real(), b.real(), b.imag());
}

// Least squares of x' = A x + B y + C and y' = D x + E y + F about the points' means.
std::optional<QTransform> affine(const std::vector<ControlPoint>& points) {
    QPointF pm, mm;
    std::vector<QPointF> m;
    for (const ControlPoint& c : points) {
        m.push_back(toMercator(c.at));
        pm += c.pixel;
        mm += m.back();
    }
    pm /= double(points.size());
    mm /= double(points.size());
    double sxx = 0, sxy = 0, syy = 0, ax = 0, ay = 0, bx = 0, by = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const QPointF p = points[i].pixel - pm, q = m[i] - mm;
        sxx += p.x() * p.x(), sxy += p.x() * p.y(), syy += p.y() * p.y();
        ax += p.x() * q.x(), ay += p.y() * q.x(), bx += p.x() * q.y(), by += p.y() * q.y();
    }
    const double det = sxx * syy - sxy * sxy;
    // Points in a line (or all in one place) leave the fit undetermined.
    if (!(std::abs(det) > 1e-9 * (sxx * syy + 1))) return std::nullopt;
    const double A = (ax * syy - ay * sxy) / det, B = (ay * sxx - ax * sxy) / det;
    const double D = (bx * syy - by * sxy) / det, E = (by * sxx - bx * sxy) / det;
    return QTransform(A, D, B, E, mm.x() - A * pm.x() - B * pm.y(), mm.y() - D * pm.x() - E * pm.y());
}
} // namespace

std::optional<ControlPointFit> fitControlPoints(std::span<const ControlPoint> points) {
    std::vector<ControlPoint> usable;
    for (const ControlPoint& c : points)
        if (validLatLon(c.at) && std::isfinite(c.pixel.x()) && std::isfinite(c.pixel.y()))
            usable.push_back(c);
    if (usable.size() < 2) return std::nullopt;
    const std::optional<QTransform> t =
        usable.size() == 2 ? similarity(usable[0], usable[1]) : affine(usable);
    const std::optional<Georeference> g = t ? Georeference::make(Projection::WebMercator, *t) : std::nullopt;
    if (!g) return std::nullopt;
    ControlPointFit fit{*g, 0};
    for (const ControlPoint& c : usable) {
        const QPointF d = g->pixelAt(c.at) - c.pixel;
        fit.worstResidual = std::max(fit.worstResidual, std::hypot(d.x(), d.y()));
    }
    return fit;
}
