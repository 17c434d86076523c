#include "CameraPath.h"

#include <algorithm>
#include <cmath>

CameraPath::CameraPath(PathView from, PathView to, double rho) : from_(from), to_(to), rho_(rho) {
    const double w0 = from.width, w1 = to.width;
    distance_ = std::hypot(to.centre.x() - from.centre.x(), to.centre.y() - from.centre.y());
    // Centres closer than a millionth of the view: the general form divides by the distance.
    pureZoom_ = distance_ <= 1e-6 * std::max(w0, w1);
    if (pureZoom_) {
        length_ = std::abs(std::log(w1 / w0)) / rho;
        return;
    }
    const double r2 = rho * rho, u = distance_;
    const double b0 = (w1 * w1 - w0 * w0 + r2 * r2 * u * u) / (2 * w0 * r2 * u);
    const double b1 = (w1 * w1 - w0 * w0 - r2 * r2 * u * u) / (2 * w1 * r2 * u);
    // ln(-b + sqrt(b^2 + 1)) is -asinh(b), which keeps its precision for large b.
    r0_ = -std::asinh(b0);
    length_ = (-std::asinh(b1) - r0_) / rho;
}

PathView CameraPath::at(double t) const {
    if (!(t > 0)) return from_;
    if (t >= 1) return to_;
    const QPointF delta = to_.centre - from_.centre;
    if (pureZoom_) {
        const double width = from_.width * std::pow(to_.width / from_.width, t);
        return {from_.centre + delta * t, width};
    }
    const double s = rho_ * t * length_ + r0_, w0 = from_.width;
    const double u = w0 / (rho_ * rho_) * (std::cosh(r0_) * std::tanh(s) - std::sinh(r0_));
    return {from_.centre + delta * (u / distance_), w0 * std::cosh(r0_) / std::cosh(s)};
}
